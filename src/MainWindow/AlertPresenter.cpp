#include "MainWindow/AlertPresenter.h"

#include "AppModel/AppModel.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocument>

namespace {
constexpr int minimumWidth = 360;
} // namespace

AlertPresenter::AlertPresenter(AppModel *model, QWidget *fallbackParent)
    : QObject(fallbackParent)
    , m_model(model)
    , m_fallbackParent(fallbackParent) {
    connect(m_model, &AppModel::alertMessageChanged, this, &AlertPresenter::follow);
    connect(LanguageSelection::shared(), &LanguageSelection::changed, this, [this] {
        if (m_box)
            showTexts(m_box);
    });
    follow();
}

void AlertPresenter::showTexts(QMessageBox *box) {
    box->setWindowTitle(loc(QStringLiteral("Hinweis")));
    box->setText(QStringLiteral("<b>%1</b>").arg(loc(QStringLiteral("Hinweis")).toHtmlEscaped()));
    if (QAbstractButton *ok = box->buttons().value(0))
        ok->setText(loc(QStringLiteral("OK")));
}

void AlertPresenter::follow() {
    const std::optional<QString> &message = m_model->alertMessage();
    QWidget *owner = message ? ownerWindow() : nullptr;
    // Cleared elsewhere, or due over another window: the open one goes without clearing again.
    if (QMessageBox *box = m_box.data(); box && box->parentWidget() != owner) {
        m_box = nullptr;
        box->close();
    }
    if (!message)
        return;
    if (m_box)
        m_box->setInformativeText(Qt::convertFromPlainText(*message, Qt::WhiteSpaceNormal));
    else
        open(*message, owner);
}

QWidget *AlertPresenter::ownerWindow() const {
    // The active window; the window behind a passing dialog (a file dialog about to close, the
    // alert itself), so the alert neither goes with it nor moves needlessly.
    QWidget *active = QApplication::activeWindow();
    while (qobject_cast<QDialog *>(active) && active->parentWidget())
        active = active->parentWidget()->window();
    return active ? active : m_fallbackParent;
}

void AlertPresenter::open(const QString &message, QWidget *owner) {
    auto *box = new QMessageBox(owner);
    box->setObjectName(QStringLiteral("alert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::NoIcon);
    // The title heads the alert, as window managers may not show window titles; the message is
    // shown as it is, never read as markup.
    box->setTextFormat(Qt::RichText);
    box->setInformativeText(Qt::convertFromPlainText(message, Qt::WhiteSpaceNormal));
    QPushButton *ok = box->addButton(QString(), QMessageBox::AcceptRole);
    ok->setObjectName(QStringLiteral("alert.ok"));
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    showTexts(box);
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
