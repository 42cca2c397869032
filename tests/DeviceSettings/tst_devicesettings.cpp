#include "App/LanguageSelection.h"
#include "App/SettingsWindows.h"
#include "AppModel/AppModel.h"
#include "DeviceSettings/DeviceSettingPill.h"
#include "DeviceSettings/DeviceSettingRowView.h"
#include "DeviceSettings/DeviceSettingsGroupView.h"
#include "DeviceSettings/DeviceSettingsHeaderCard.h"
#include "DeviceSettings/DeviceSettingsListCard.h"
#include "DeviceSettings/DeviceSettingsMismatchCard.h"
#include "DeviceSettings/DeviceSettingsStatusBadge.h"
#include "DeviceSettings/FT710SettingsView.h"
#include "DeviceSettings/FT991ASettingsView.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "TestSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const QList<DeviceSettingDefinition> &definitionsOf(RadioModel model) {
    return model == RadioModel::ft991a ? DeviceSettingDefinition::ft991aDefinitions()
                                       : DeviceSettingDefinition::ft710Definitions();
}

// A value the radio reports for every item, unlike the fallback of an unread one.
QString radioValueOf(const DeviceSettingDefinition &definition) {
    if (definition.fieldKind == DeviceSettingFieldKind::choice)
        return definition.options.last().code;
    return QStringLiteral("7").rightJustified(definition.digits, QLatin1Char('0'));
}

// The radio answers every item of its table.
void fillMenu(FakeRadio &radio) {
    for (const DeviceSettingDefinition &definition : definitionsOf(radio.model()))
        radio.setMenuValue(definition.writePrefix, radioValueOf(definition));
}

const DeviceSettingDefinition &definition(const QString &id) {
    for (RadioModel model : allRadioModels()) {
        for (const DeviceSettingDefinition &candidate : definitionsOf(model)) {
            if (candidate.id == id)
                return candidate;
        }
    }
    qFatal("no menu item %s", qPrintable(id));
}

QStringList codes(const QList<DeviceSettingOption> &options) {
    QStringList result;
    for (const DeviceSettingOption &option : options)
        result.append(option.code);
    return result;
}

} // namespace

class DeviceSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        m_preferredLanguages = {QStringLiteral("de-DE")};
        L::setPreferredLanguagesSource([this] { return m_preferredLanguages; });
        m_devices = std::make_unique<QTemporaryDir>();
        AppModel::Options options;
        options.deviceFolder = m_devices->path();
        m_model = std::make_unique<AppModel>(options);
    }

    void cleanup() {
        m_model.reset();
        L::setPreferredLanguagesSource({});
    }

    void groupsFollowTheMenuTable_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QStringList>("groups");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QList<int>>("rows");
        QTest::addRow("FT-710") << RadioModel::ft710
                                << QStringList{"Allgemein",       "CAT / Anschlüsse", "Speicher / Bedienung",
                                               "Betrieb",         "TX General",       "Display",
                                               "Farbindikatoren", "Externes Display"}
                                << "Allgemein" << QList<int>{1, 2, 12, 13};
        QTest::addRow("FT-991A") << RadioModel::ft991a
                                 << QStringList{"Allgemein", "CAT / Schnittstelle", "Speicher / Bedienung",
                                                "Betrieb",   "Bedienung",           "Clarifier",
                                                "AM Audio"}
                                 << "Betrieb" << QList<int>{9, 10, 13};
    }
    void groupsFollowTheMenuTable() {
        QFETCH(RadioModel, model);
        QFETCH(QStringList, groups);
        QFETCH(QString, group);
        QFETCH(QList<int>, rows);
        QList<DeviceSettingState> states;
        for (const DeviceSettingDefinition &definition : definitionsOf(model))
            states.append(DeviceSettingState(definition));
        QCOMPARE(DeviceSettingsListCard::settingGroups(states), groups);
        QStringList expectedIds;
        for (int row : rows)
            expectedIds.append(states.at(row - 1).id());
        QStringList ids;
        for (const DeviceSettingState &state : DeviceSettingsListCard::statesInGroup(states, group))
            ids.append(state.id());
        QCOMPARE(ids, expectedIds);
    }

    void noStatesNoGroups() { QVERIFY(DeviceSettingsListCard::settingGroups({}).isEmpty()); }

    void windowShowsOneGroupPerMenuGroupAndOneRowPerItem_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<int>("groupCount");
        QTest::addRow("FT-710") << RadioModel::ft710 << 8;
        QTest::addRow("FT-991A") << RadioModel::ft991a << 7;
    }
    void windowShowsOneGroupPerMenuGroupAndOneRowPerItem() {
        QFETCH(RadioModel, model);
        QFETCH(int, groupCount);
        std::unique_ptr<DeviceSettingsRootView> view;
        if (model == RadioModel::ft710)
            view = showView<FT710SettingsView>();
        else
            view = showView<FT991ASettingsView>();

        const auto groups = view->findChildren<DeviceSettingsGroupView *>();
        QCOMPARE(groups.size(), groupCount);
        QCOMPARE(groups.first()->objectName(), QStringLiteral("settingsGroup:Allgemein"));
        const auto rows = view->findChildren<DeviceSettingRowView *>();
        QCOMPARE(rows.size(), definitionsOf(model).size());
        for (const DeviceSettingDefinition &definition : definitionsOf(model)) {
            QWidget *editor = view->findChild<QWidget *>(QStringLiteral("settingEditor:") + definition.id);
            QVERIFY2(editor, qPrintable(definition.id));
            const bool isChoice = definition.fieldKind == DeviceSettingFieldKind::choice;
            QCOMPARE(qobject_cast<QComboBox *>(editor) != nullptr, isChoice);
            QCOMPARE(qobject_cast<QLineEdit *>(editor) != nullptr, !isChoice);
        }
    }

    void pickerEntries_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("extraTitle");
        // "BAND STACK" lists the codes "0" and "1".
        QTest::addRow("not read") << "de"
                                  << "" << QStringList{"", "0", "1"} << "placeholder";
        QTest::addRow("listed value") << "de"
                                      << "1" << QStringList{"0", "1"} << "";
        QTest::addRow("unlisted value, German") << "de"
                                                << "7" << QStringList{"0", "1", "7"} << "Aktuell: 7";
        QTest::addRow("unlisted value, English") << "en"
                                                 << "7" << QStringList{"0", "1", "7"} << "Current: 7";
        QTest::addRow("unlisted value, French") << "fr"
                                                << "7" << QStringList{"0", "1", "7"} << "Current: 7";
    }
    void pickerEntries() {
        QFETCH(QString, language);
        QFETCH(QString, value);
        QFETCH(QStringList, codes);
        QFETCH(QString, extraTitle);
        m_preferredLanguages = {language};
        const DeviceSettingState state(definition(QStringLiteral("ft710.030113")), value, value);
        const QList<DeviceSettingOption> options = DeviceSettingRowView::settingOptions(state);
        QCOMPARE(::codes(options), codes);
        if (!extraTitle.isEmpty()) {
            const DeviceSettingOption &extra = value.isEmpty() ? options.first() : options.last();
            QCOMPARE(extra.title,
                     extraTitle == "placeholder" ? loc(QStringLiteral("— nicht gelesen —")) : extraTitle);
        }

        DeviceSettingRowView row(state, Qt::blue, Qt::green);
        auto *picker = row.findChild<QComboBox *>();
        QCOMPARE(picker->count(), codes.size());
        QCOMPARE(picker->currentIndex(), int(codes.indexOf(value)));
    }

    void choosingAnOptionStoresItsCode() {
        auto view = showView<FT710SettingsView>();
        const QString id = QStringLiteral("ft710.030102"); // RF/SQL VR: "0" RF, "1" SQL, "2" SQL (FM only)
        auto *picker = view->findChild<QComboBox *>(QStringLiteral("settingEditor:") + id);
        auto *changed = view->findChild<QWidget *>(QStringLiteral("settingRow:") + id)
                            ->findChild<DeviceSettingPill *>(QStringLiteral("settingRow.changed"));
        QCOMPARE(picker->currentText(), loc("— nicht gelesen —"));
        QVERIFY(!changed->isVisible());

        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Down); // RF, the fallback of an unread item: no change
        QCOMPARE(stateOf(id).value, QStringLiteral("0"));
        QVERIFY(!changed->isVisible());
        QTest::keyClick(picker, Qt::Key_Down); // SQL
        QCOMPARE(stateOf(id).value, QStringLiteral("1"));
        QCOMPARE(picker->currentText(), QStringLiteral("SQL"));
        QCOMPARE(picker->count(), 3); // the placeholder is gone once a value is set
        QVERIFY(changed->isVisible());
        QCOMPARE(changed->text(), QStringLiteral("geändert"));
        QVERIFY(m_model->hasDirtySettings());
    }

    void choosingThePlaceholderStoresTheEmptyText() {
        auto view = showView<FT710SettingsView>();
        const QString id = QStringLiteral("ft710.030113");
        auto *picker = view->findChild<QComboBox *>(QStringLiteral("settingEditor:") + id);
        QSignalSpy edits(m_model.get(), &AppModel::settingsStatesChanged);
        emit picker->activated(0);
        QCOMPARE(edits.size(), 1);
        QCOMPARE(stateOf(id).value, QString());
    }

    void typingANumberStoresTheText() {
        auto view = showView<FT710SettingsView>();
        const QString id = QStringLiteral("ft710.030101"); // BEEP LEVEL, three digits
        auto *field = view->findChild<QLineEdit *>(QStringLiteral("settingEditor:") + id);
        auto *changed = view->findChild<QWidget *>(QStringLiteral("settingRow:") + id)
                            ->findChild<DeviceSettingPill *>(QStringLiteral("settingRow.changed"));
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("4x"));
        QCOMPARE(stateOf(id).value, QStringLiteral("4x")); // nothing filtered here
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(stateOf(id).value, QStringLiteral("4"));
        QVERIFY(changed->isVisible());
        QTest::keyClicks(field, QStringLiteral("0"));
        QCOMPARE(stateOf(id).value, QStringLiteral("40"));
        QCOMPARE(field->cursorPosition(), 2);
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, QString(3, QChar(' ')));
        QVERIFY(changed->isVisible());
        field->clear();
        emit field->textEdited(QStringLiteral("000")); // normalises like the unread value
        QVERIFY(!changed->isVisible());
    }

    void rowsUpdateInPlaceWithoutLosingTheEditor() {
        auto view = showView<FT710SettingsView>();
        const QString typed = QStringLiteral("ft710.030115"); // TX TIME OUT TIMER
        QPointer<QLineEdit> field = view->findChild<QLineEdit *>(QStringLiteral("settingEditor:") + typed);
        QPointer<QComboBox> picker =
            view->findChild<QComboBox *>(QStringLiteral("settingEditor:ft710.030113"));
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("123"));
        field->setCursorPosition(1);

        // Another item changes, as after each item of a run.
        m_model->setSettingValue(QStringLiteral("ft710.030113"), QStringLiteral("1"));
        QVERIFY(field);
        QVERIFY(picker);
        QVERIFY(field->hasFocus());
        QCOMPARE(field->text(), QStringLiteral("123"));
        QCOMPARE(field->cursorPosition(), 1);
        QCOMPARE(picker->currentText(), QStringLiteral("On"));

        // The typed item itself is replaced by the radio's value: the text follows, the cursor stays.
        m_model->setSettingValue(typed, QStringLiteral("05"));
        QCOMPARE(field->text(), QStringLiteral("05"));
        QCOMPARE(field->cursorPosition(), 1);
        QVERIFY(field->hasFocus());
    }

    void reconnectMarkOnLinkItemsOnly() {
        auto view = showView<FT710SettingsView>();
        for (const DeviceSettingDefinition &definition : DeviceSettingDefinition::ft710Definitions()) {
            auto *row = view->findChild<QWidget *>(QStringLiteral("settingRow:") + definition.id);
            auto *mark = row->findChild<DeviceSettingPill *>(QStringLiteral("settingRow.reconnect"));
            QCOMPARE(mark != nullptr && mark->isVisible(), definition.disruptsConnection);
        }
    }

    void buttonsFollowTheirRules_data() {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<bool>("dirty");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("otherModel");
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("restore");
        QTest::addRow("disconnected, unchanged")
            << false << false << false << false << false << false << false;
        QTest::addRow("disconnected, changed") << false << true << false << false << false << false << true;
        QTest::addRow("connected, unchanged") << true << false << false << false << true << false << false;
        QTest::addRow("connected, changed") << true << true << false << false << true << true << true;
        QTest::addRow("busy") << true << true << true << false << false << false << false;
        QTest::addRow("other model") << true << true << false << true << false << false << false;
        QTest::addRow("other model, busy") << true << true << true << true << false << false << false;
    }
    void buttonsFollowTheirRules() {
        QFETCH(bool, connected);
        QFETCH(bool, dirty);
        QFETCH(bool, busy);
        QFETCH(bool, otherModel);
        QFETCH(bool, read);
        QFETCH(bool, write);
        QFETCH(bool, restore);
        auto view = showView<FT710SettingsView>();
        FakeRadio radio(otherModel ? RadioModel::ft991a : RadioModel::ft710);
        fillMenu(radio);
        if (connected)
            connectTo(radio);
        if (dirty) {
            const DeviceSettingState first = m_model->settingsStates().first();
            m_model->setSettingValue(first.id(), radioValueOf(first.definition()));
        }
        if (busy)
            m_model->readSettings();
        QCOMPARE(m_model->isBusy(), busy);
        QCOMPARE(m_model->hasDirtySettings(), dirty);

        QCOMPARE(view->findChild<QPushButton *>(QStringLiteral("settings.read"))->isEnabled(), read);
        QCOMPARE(view->findChild<QPushButton *>(QStringLiteral("settings.writeChanged"))->isEnabled(), write);
        QCOMPARE(view->findChild<QPushButton *>(QStringLiteral("settings.restore"))->isEnabled(), restore);
        const auto *badge =
            view->findChild<DeviceSettingsStatusBadge *>(QStringLiteral("settings.statusBadge"));
        QCOMPARE(badge->text(), connected ? QStringLiteral("Verbunden") : QStringLiteral("Getrennt"));

        m_model->disconnect();
        QTRY_VERIFY(!m_model->isBusy());
    }

    void restoreSendsNothing() {
        auto view = showView<FT710SettingsView>();
        FakeRadio radio(RadioModel::ft710);
        connectTo(radio);
        m_model->setSettingValue(QStringLiteral("ft710.030113"), QStringLiteral("1"));
        auto *restore = view->findChild<QPushButton *>(QStringLiteral("settings.restore"));
        QTest::mouseClick(restore, Qt::LeftButton);
        QCOMPARE(stateOf(QStringLiteral("ft710.030113")).value, QString());
        QVERIFY(!restore->isEnabled());
        QVERIFY(radio.received().isEmpty());
    }

    void percentText_data() {
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("text");
        QTest::addRow("none") << 0.0 << "0 %";
        QTest::addRow("one of 28") << 1.0 / 28 << "3 %";
        QTest::addRow("almost done") << 0.999 << "99 %";
        QTest::addRow("done") << 1.0 << "100 %";
    }
    void percentText() {
        QFETCH(double, progress);
        QFETCH(QString, text);
        QCOMPARE(DeviceSettingsHeaderCard::percentText(progress), text);
    }

    void progressBlockFollowsAReadRun() {
        auto view = showView<FT991ASettingsView>();
        FakeRadio radio(RadioModel::ft991a);
        fillMenu(radio);
        connectTo(radio);
        auto *block = view->findChild<QWidget *>(QStringLiteral("settings.progress"));
        auto *bar = view->findChild<QProgressBar *>(QStringLiteral("settings.progressBar"));
        auto *status = view->findChild<QLabel *>(QStringLiteral("settings.statusText"));
        auto *percent = view->findChild<QLabel *>(QStringLiteral("settings.percent"));
        QVERIFY(block->isHidden());

        QStringList seen;
        const auto watch = QObject::connect(m_model.get(), &AppModel::settingsStatusTextChanged, block, [&] {
            QVERIFY(block->isVisible());
            QCOMPARE(status->text(), m_model->settingsStatusText());
            QCOMPARE(percent->text(), DeviceSettingsHeaderCard::percentText(m_model->settingsProgress()));
            seen.append(percent->text());
        });
        QTest::mouseClick(view->findChild<QPushButton *>(QStringLiteral("settings.read")), Qt::LeftButton);
        QVERIFY(m_model->isBusy());
        QTRY_VERIFY(!m_model->isBusy());
        QObject::disconnect(watch);

        QCOMPARE(seen.size(), 1 + 21 + 1); // the start, every item, the end
        QCOMPARE(seen.at(1), QStringLiteral("4 %"));
        QVERIFY(block->isVisible());
        QCOMPARE(status->text(), QStringLiteral("Einstellungen gelesen · 100 %"));
        QCOMPARE(percent->text(), QStringLiteral("100 %"));
        QCOMPARE(bar->value(), bar->maximum());
        for (const DeviceSettingDefinition &definition : DeviceSettingDefinition::ft991aDefinitions()) {
            QWidget *editor = view->findChild<QWidget *>(QStringLiteral("settingEditor:") + definition.id);
            const QString shown = definition.fieldKind == DeviceSettingFieldKind::choice
                                      ? static_cast<QComboBox *>(editor)->currentData().toString()
                                      : static_cast<QLineEdit *>(editor)->text();
            QCOMPARE(shown, radioValueOf(definition));
        }

        m_model->resetSettingsStates();
        QVERIFY(block->isHidden());
    }

    void mismatchCardAndSynchronize_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::addRow("German")
            << "de"
            << "Dieses Fenster ist für FT-991A. Im Hauptfenster ist aktuell FT-710 ausgewählt. "
               "Mit einem Klick wird wieder synchronisiert.";
        QTest::addRow("English")
            << "en"
            << "This window is for FT-991A. The main window currently has FT-710 selected. "
               "A click will sync it again.";
        QTest::addRow("Polish")
            << "pl"
            << "This window is for FT-991A. The main window currently has FT-710 selected. "
               "A click will sync it again.";
    }
    void mismatchCardAndSynchronize() {
        QFETCH(QString, language);
        QFETCH(QString, message);
        m_preferredLanguages = {language};
        auto view = showView<FT991ASettingsView>();
        auto *mismatch = view->findChild<QWidget *>(QStringLiteral("settings.mismatch"));
        QVERIFY(!mismatch->isVisible());
        FakeRadio radio(RadioModel::ft710);
        connectTo(radio); // the main window chooses the FT-710 and connects

        QVERIFY(mismatch->isVisible());
        QCOMPARE(view->findChild<QLabel *>(QStringLiteral("settings.mismatchText"))->text(), message);
        // The list shows the selected model's items, still editable.
        QCOMPARE(view->findChildren<DeviceSettingsGroupView *>().size(), 8);
        auto *field = view->findChild<QLineEdit *>(QStringLiteral("settingEditor:ft710.030101"));
        emit field->textEdited(QStringLiteral("5"));
        QCOMPARE(stateOf(QStringLiteral("ft710.030101")).value, QStringLiteral("5"));

        QTest::mouseClick(view->findChild<QPushButton *>(QStringLiteral("settings.synchronize")),
                          Qt::LeftButton);
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(!m_model->isConnected());
        QVERIFY(!mismatch->isVisible());
        QCOMPARE(view->findChildren<DeviceSettingsGroupView *>().size(), 7);
        for (const DeviceSettingState &state : m_model->settingsStates())
            QVERIFY(state.value.isEmpty());
    }

    void showingTheOtherModelsWindowSwitchesTheModel() {
        FakeRadio radio(RadioModel::ft710);
        connectTo(radio);
        QSignalSpy switches(m_model.get(), &AppModel::selectedRadioModelChanged);
        auto view = std::make_unique<FT991ASettingsView>(m_model.get());
        QCOMPARE(switches.size(), 0); // only showing the window switches
        view->show();
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(!m_model->isConnected());
        QVERIFY(!view->findChild<QWidget *>(QStringLiteral("settings.mismatch"))->isVisible());
        QCOMPARE(m_model->settingsStates().first().id(),
                 DeviceSettingDefinition::ft991aDefinitions().first().id);
        QCOMPARE(view->findChildren<DeviceSettingRowView *>().size(), 21);
    }

    void showingAgainKeepsEarlierValues() {
        auto view = showView<FT710SettingsView>();
        m_model->setSettingValue(QStringLiteral("ft710.030113"), QStringLiteral("1"));
        QSignalSpy publications(m_model.get(), &AppModel::settingsStatesChanged);
        view->hide();
        view->show();
        QCOMPARE(publications.size(), 0);
        QCOMPARE(stateOf(QStringLiteral("ft710.030113")).value, QStringLiteral("1"));
    }

    void windowOpenedTwiceStaysOne() {
        const QString id = QStringLiteral("ft991a-settings");
        auto windowsNamed = [&] {
            QList<QWidget *> found;
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == id)
                    found.append(widget);
            }
            return found;
        };
        SettingsWindows windows(m_model.get());
        QWidget *window = windows.open(id);
        QVERIFY(window->findChild<FT991ASettingsView *>());
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        const QString firstId = m_model->settingsStates().first().id();
        m_model->setSettingValue(firstId, QStringLiteral("12"));

        QCOMPARE(windows.open(id), window);
        window->close();
        QCOMPARE(windows.open(id), window);
        QCOMPARE(windowsNamed(), QList<QWidget *>{window});
        QCOMPARE(window->findChildren<FT991ASettingsView *>().size(), 1);
        QCOMPARE(stateOf(firstId).value, QStringLiteral("12"));
    }

    void unMinimisingKeepsTheMainWindowsModel() {
        auto view = showView<FT710SettingsView>();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        view->showMinimized();
        m_model->setSelectedRadioModel(RadioModel::ft991a); // chosen in the main window meanwhile
        view->showNormal();
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(view->findChild<QWidget *>(QStringLiteral("settings.mismatch"))->isVisible());
    }

    void languageChangeRebuildsTextsAndKeepsTheModel() {
        auto view = showView<FT710SettingsView>();
        m_model->setSettingValue(QStringLiteral("ft710.030101"), QStringLiteral("12"));
        m_model->setSelectedRadioModel(RadioModel::ft991a); // chosen in the main window
        const QString clarifierId = m_model->settingsStates().at(13).id();
        m_model->setSettingValue(clarifierId, QStringLiteral("1"));
        const QString germanTitle = loc(QStringLiteral("Geräteeinstellungen"));
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QScrollBar *scrollBar =
            view->findChild<QScrollArea *>(QStringLiteral("settings.scroll"))->verticalScrollBar();
        QTRY_VERIFY(scrollBar->maximum() >= 120);
        scrollBar->setValue(120);

        LanguageSelection::shared()->select(AppLanguage::en);
        QTRY_COMPARE(view->findChild<QLabel *>(QStringLiteral("settings.title"))->text(),
                     loc(QStringLiteral("Geräteeinstellungen")));
        QVERIFY(view->findChild<QLabel *>(QStringLiteral("settings.title"))->text() != germanTitle);
        QCOMPARE(view->findChildren<DeviceSettingsHeaderCard *>().size(), 1);
        QTRY_COMPARE(
            view->findChild<QScrollArea *>(QStringLiteral("settings.scroll"))->verticalScrollBar()->value(),
            120);
        // No appearance rule on a rebuild: the main window's choice and the edits stay.
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(view->findChild<QWidget *>(QStringLiteral("settings.mismatch"))->isVisible());
        QCOMPARE(stateOf(clarifierId).value, QStringLiteral("1"));
        QCOMPARE(view->findChild<QLabel *>(QStringLiteral("settings.mismatchText"))->text(),
                 DeviceSettingsMismatchCard::message(RadioModel::ft710, RadioModel::ft991a));
    }

private:
    void connectTo(FakeRadio &radio);
    template <typename View> std::unique_ptr<View> showView();
    DeviceSettingState stateOf(const QString &id) const;

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_devices;
    std::unique_ptr<AppModel> m_model;
    QStringList m_preferredLanguages;
};

void DeviceSettingsTest::connectTo(FakeRadio &radio) {
    m_model->setSelectedRadioModel(radio.model());
    m_model->setSelectedPort(radio.devicePath());
    m_model->connect();
    QVERIFY(m_model->isConnected());
}

template <typename View> std::unique_ptr<View> DeviceSettingsTest::showView() {
    auto view = std::make_unique<View>(m_model.get());
    view->show();
    return view;
}

DeviceSettingState DeviceSettingsTest::stateOf(const QString &id) const {
    for (const DeviceSettingState &state : m_model->settingsStates()) {
        if (state.id() == id)
            return state;
    }
    qFatal("no state %s", qPrintable(id));
}

// Rows

// Mismatch and appearance

QTEST_MAIN(DeviceSettingsTest)
#include "tst_devicesettings.moc"
