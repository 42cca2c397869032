// Shows both settings windows against fake radios on an X display and photographs the screen with
// ImageMagick's `import` before and after reading the radios' menu settings, during a read, and
// with the other model selected in the main window. Run it under xvfb-run with an output folder.

#include "App/SettingsWindows.h"
#include "AppModel/AppModel.h"
#include "FakeRadio.h"
#include "Localization/LanguageSelection.h"
#include "TestSettings.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <cstdio>

namespace {

// Every item answered, one of them with a value its table does not list.
void fillMenu(FakeRadio &radio) {
    const auto &definitions = DeviceSettingDefinition::definitions(radio.model());
    for (const DeviceSettingDefinition &definition : definitions) {
        const QString value = definition.fieldKind == DeviceSettingFieldKind::choice
                                  ? definition.options.value(1, definition.options.first()).code
                                  : QStringLiteral("5").rightJustified(definition.digits, QLatin1Char('0'));
        radio.setMenuValue(definition.writePrefix, value);
    }
    radio.setMenuValue(definitions.at(3).writePrefix, QStringLiteral("9"));
}

bool shoot(const QDir &folder, const QString &name) {
    QTest::qWait(400); // let the window paint
    const QString path = folder.filePath(name);
    const bool saved = QProcess::execute(QStringLiteral("import"),
                                         {QStringLiteral("-window"), QStringLiteral("root"), path}) == 0;
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool connect(AppModel &model, const FakeRadio &radio) {
    model.setSelectedRadioModel(radio.model());
    model.setSelectedPort(radio.devicePath());
    model.connect();
    return model.isConnected();
}

bool readSettings(AppModel &model) {
    model.readSettings();
    return QTest::qWaitFor([&] { return !model.isBusy(); }, 30000);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(output.path()))
        return 1;
    const TestSettings settings;
    LanguageSelection::shared()->select(AppLanguage::de);
    FakeRadio ft710(RadioModel::ft710);
    FakeRadio ft991a(RadioModel::ft991a);
    fillMenu(ft710);
    fillMenu(ft991a);
    AppModel model;
    SettingsWindows windows(&model);

    bool ok = connect(model, ft710);
    QWidget *ft710Window = windows.open(SettingsWindows::windowId(RadioModel::ft710));
    ft710Window->move(0, 0);
    ok = ok && shoot(output, QStringLiteral("settings-ft710-before.png"));
    ok = ok && readSettings(model);
    model.setSettingValue(model.settingsStates().at(1).id(), QStringLiteral("0"));
    ok = ok && shoot(output, QStringLiteral("settings-ft710-after.png"));
    model.setSelectedRadioModel(RadioModel::ft991a); // as if chosen in the main window
    ok = ok && shoot(output, QStringLiteral("settings-ft710-mismatch.png"));
    ft710Window->close();

    ok = ok && connect(model, ft991a);
    QWidget *ft991aWindow = windows.open(SettingsWindows::windowId(RadioModel::ft991a));
    ft991aWindow->move(0, 0);
    ok = ok && shoot(output, QStringLiteral("settings-ft991a-before.png"));
    ft991a.setLineSpeed(1200); // slow enough to catch the run half way
    model.readSettings();
    ok = ok && QTest::qWaitFor([&] { return model.settingsProgress() >= 0.5; }, 30000);
    ok = ok && shoot(output, QStringLiteral("settings-ft991a-reading.png"));
    ok = ok && QTest::qWaitFor([&] { return !model.isBusy(); }, 30000);
    ok = ok && shoot(output, QStringLiteral("settings-ft991a-after.png"));
    return ok ? 0 : 1;
}
