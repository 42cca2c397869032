#include "App/SettingsWindows.h"

#include "DeviceSettings/FT710SettingsView.h"
#include "DeviceSettings/FT991ASettingsView.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"

#include <QVBoxLayout>
#include <QWidget>

namespace {

QWidget *createSettingsView(RadioModel model, AppModel *appModel) {
    if (model == RadioModel::ft710)
        return new FT710SettingsView(appModel);
    return new FT991ASettingsView(appModel);
}

QString windowTitle(RadioModel model) {
    return model == RadioModel::ft710 ? loc(QStringLiteral("FT-710 Einstellungen"))
                                      : loc(QStringLiteral("FT-991A Einstellungen"));
}

} // namespace

SettingsWindows::SettingsWindows(AppModel *model, QObject *parent)
    : QObject(parent)
    , m_model(model) {
    connect(LanguageSelection::shared(), &LanguageSelection::changed, this, &SettingsWindows::showTitles,
            Qt::QueuedConnection);
}

SettingsWindows::~SettingsWindows() {
    for (const QPointer<QWidget> &window : std::as_const(m_windows))
        delete window.data();
}

QString SettingsWindows::windowId(RadioModel model) {
    return model == RadioModel::ft710 ? QStringLiteral("ft710-settings") : QStringLiteral("ft991a-settings");
}

QWidget *SettingsWindows::open(const QString &id) {
    QWidget *shown = window(id);
    if (!shown) {
        for (RadioModel model : allRadioModels()) {
            if (windowId(model) == id)
                shown = create(model);
        }
    }
    if (!shown)
        return nullptr;
    shown->show();
    shown->raise();
    shown->activateWindow();
    return shown;
}

QWidget *SettingsWindows::window(const QString &id) const {
    return m_windows.value(id).data();
}

QWidget *SettingsWindows::create(RadioModel model) {
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(windowId(model));
    window->setWindowTitle(windowTitle(model));
    window->resize(920, 760);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createSettingsView(model, m_model));
    m_windows.insert(windowId(model), window);
    return window;
}

void SettingsWindows::showTitles() {
    for (RadioModel model : allRadioModels()) {
        if (QWidget *shown = window(windowId(model)))
            shown->setWindowTitle(windowTitle(model));
    }
}
