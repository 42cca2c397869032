#include "MainWindow/AlertPresenter.h"

#include "AppModel/AppModel.h"
#include "Localization/L.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

AlertPresenter::AlertPresenter(AppModel *model, QWidget *fallbackParent)
    : QObject(fallbackParent)
    , m_model(model)
    , m_fallbackParent(fallbackParent) {
    connect(m_model, &AppModel::alertMessageChanged, this, &AlertPresenter::follow);
    follow();
}

void AlertPresenter::follow() {
    const std::optional<QString> &message = m_model->alertMessage();
    if (!message) {
        // Cleared elsewhere: close without clearing it once more.
        if (QMessageBox *box = m_box.data()) {
            m_box = nullptr;
            box->close();
        }
        return;
    }
    if (m_box) {
        m_box->setInformativeText(*message);
        return;
    }
    open(*message);
}

void AlertPresenter::open(const QString &message) {
    QWidget *active = QApplication::activeWindow();
    auto *box = new QMessageBox(active ? active : m_fallbackParent);
    box->setObjectName(QStringLiteral("alert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    box->setWindowTitle(loc(QStringLiteral("Hinweis")));
    box->setText(loc(QStringLiteral("Hinweis")));
    box->setInformativeText(message);
    QPushButton *ok = box->addButton(loc(QStringLiteral("OK")), QMessageBox::AcceptRole);
    ok->setObjectName(QStringLiteral("alert.ok"));
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (m_box == box)
            m_model->setAlertMessage(std::nullopt);
    });
    m_box = box;
    box->open();
}
