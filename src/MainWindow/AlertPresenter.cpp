#include "MainWindow/AlertPresenter.h"

#include "AppModel/AppModel.h"
#include "Localization/L.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {
constexpr int minimumWidth = 360;
} // namespace

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
        m_box->setText(*message);
        return;
    }
    open(*message);
}

void AlertPresenter::open(const QString &message) {
    // Over the active window; over the window behind a passing dialog (a file dialog that is
    // about to close), so the alert does not go with it.
    QWidget *active = QApplication::activeWindow();
    while (qobject_cast<QDialog *>(active) && active->parentWidget())
        active = active->parentWidget()->window();
    auto *box = new QMessageBox(active ? active : m_fallbackParent);
    box->setObjectName(QStringLiteral("alert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::NoIcon);
    box->setWindowTitle(loc(QStringLiteral("Hinweis")));
    // The message is shown as it is, never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(message);
    QPushButton *ok = box->addButton(loc(QStringLiteral("OK")), QMessageBox::AcceptRole);
    ok->setObjectName(QStringLiteral("alert.ok"));
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (m_box == box)
            m_model->setAlertMessage(std::nullopt);
    });
    // Gone with its window before it was answered: shown again over another one.
    connect(box, &QObject::destroyed, this, [this] {
        if (!m_box)
            follow();
    });
    // Without a minimum width the message box wraps a short message after every word.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        grid->addItem(new QSpacerItem(minimumWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    m_box = box;
    box->open();
}
