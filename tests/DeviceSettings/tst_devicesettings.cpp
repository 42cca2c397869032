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
#include "Localization/LanguageSelection.h"
#include "TestSettings.h"
#include "Theme/ModelPalette.h"

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

using namespace Qt::StringLiterals;

namespace {

const QList<DeviceSettingDefinition> &definitionsOf(RadioModel model) {
    return model == RadioModel::ft991a ? DeviceSettingDefinition::ft991aDefinitions()
                                       : DeviceSettingDefinition::ft710Definitions();
}

// A value the radio reports for every item, unlike the fallback of an unread one.
QString radioValueOf(const DeviceSettingDefinition &definition) {
    if (definition.fieldKind == DeviceSettingFieldKind::choice)
        return definition.options.last().code;
    return u"7"_s.rightJustified(definition.digits, QLatin1Char('0'));
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
        m_preferredLanguages = {u"de-DE"_s};
        L::setPreferredLanguagesSource([this] { return m_preferredLanguages; });
        m_devices = std::make_unique<QTemporaryDir>();
        m_model = std::make_unique<AppModel>(AppModel::Options{.deviceFolder = m_devices->path()});
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
        QTest::addRow("FT-710")
            << RadioModel::ft710
            << u"Allgemein|CAT / Anschlüsse|Speicher / Bedienung|Betrieb|TX General|Display|"
               u"Farbindikatoren|Externes Display"_s.split(u'|')
            << u"Allgemein"_s << QList<int>{1, 2, 12, 13};
        QTest::addRow("FT-991A") << RadioModel::ft991a
                                 << u"Allgemein|CAT / Schnittstelle|Speicher / Bedienung|Betrieb|Bedienung|"
                                    u"Clarifier|AM Audio"_s.split(u'|')
                                 << u"Betrieb"_s << QList<int>{9, 10, 13};
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
        QVERIFY(DeviceSettingsListCard::settingGroups({}).isEmpty());

        // The window: one panel per group, one row per item, a picker or a field by the item's kind.
        m_model->setSelectedRadioModel(model);
        auto view = std::make_unique<DeviceSettingsRootView>(m_model.get(), model);
        view->show();
        QCOMPARE(view->findChildren<DeviceSettingsGroupView *>().size(), groups.size());
        QCOMPARE(view->findChildren<DeviceSettingRowView *>().size(), states.size());
        for (const DeviceSettingDefinition &definition : definitionsOf(model)) {
            QWidget *editor = view->findChild<QWidget *>(u"settingEditor:"_s + definition.id);
            QVERIFY2(editor, qPrintable(definition.id));
            const bool isChoice = definition.fieldKind == DeviceSettingFieldKind::choice;
            QCOMPARE(qobject_cast<QComboBox *>(editor) != nullptr, isChoice);
        }
    }

    void pickerEntries_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("extraTitle");
        // "BAND STACK" lists the codes "0" and "1".
        const QStringList listed{"0", "1"};
        const QStringList unlisted{"0", "1", "7"};
        QTest::addRow("not read") << u"de"_s << u""_s << QStringList{"", "0", "1"} << u"placeholder"_s;
        QTest::addRow("listed value") << u"de"_s << u"1"_s << listed << u""_s;
        QTest::addRow("unlisted value, German") << u"de"_s << u"7"_s << unlisted << u"Aktuell: 7"_s;
        QTest::addRow("unlisted value, English") << u"en"_s << u"7"_s << unlisted << u"Current: 7"_s;
        QTest::addRow("unlisted value, French") << u"fr"_s << u"7"_s << unlisted << u"Current: 7"_s;
    }
    void pickerEntries() {
        QFETCH(QString, language);
        QFETCH(QString, value);
        QFETCH(QStringList, codes);
        QFETCH(QString, extraTitle);
        m_preferredLanguages = {language};
        const DeviceSettingState state(definition(u"ft710.030113"_s), value, value);
        const QList<DeviceSettingOption> options = DeviceSettingRowView::settingOptions(state);
        QCOMPARE(::codes(options), codes);
        if (!extraTitle.isEmpty()) {
            const DeviceSettingOption &extra = value.isEmpty() ? options.first() : options.last();
            QCOMPARE(extra.title, extraTitle == "placeholder" ? loc(u"— nicht gelesen —"_s) : extraTitle);
        }

        DeviceSettingRowView row(state, ModelPalette::forModel(RadioModel::ft710));
        auto *picker = row.findChild<QComboBox *>();
        QCOMPARE(picker->count(), codes.size());
        QCOMPARE(picker->currentIndex(), int(codes.indexOf(value)));
        // Choosing an entry, the placeholder included, sends its code.
        QSignalSpy edits(&row, &DeviceSettingRowView::valueEdited);
        emit picker->activated(0);
        QCOMPARE(edits.size(), 1);
        QCOMPARE(edits.first().at(1).toString(), codes.first());
    }

    void choosingAnOptionStoresItsCode() {
        auto view = showView<FT710SettingsView>();
        const QString id = u"ft710.030102"_s; // RF/SQL VR: "0" RF, "1" SQL, "2" SQL (FM only)
        auto *picker = view->findChild<QComboBox *>(u"settingEditor:"_s + id);
        auto *changed = view->findChild<QWidget *>(u"settingRow:"_s + id)
                            ->findChild<DeviceSettingPill *>(u"settingRow.changed"_s);
        QCOMPARE(picker->currentText(), loc(u"— nicht gelesen —"_s));
        QVERIFY(!changed->isVisible());

        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Down); // RF: the first option is a change for an unread item
        QCOMPARE(stateOf(id).value, u"0"_s);
        QVERIFY(changed->isVisible());
        QTest::keyClick(picker, Qt::Key_Down); // SQL
        QCOMPARE(stateOf(id).value, u"1"_s);
        QCOMPARE(picker->currentText(), u"SQL"_s);
        QCOMPARE(picker->count(), 3); // the placeholder is gone once a value is set
        QVERIFY(changed->isVisible());
        QCOMPARE(changed->text(), u"geändert"_s);
        QVERIFY(m_model->hasDirtySettings());
    }

    void typingANumberStoresTheText() {
        auto view = showView<FT710SettingsView>();
        const QString id = u"ft710.030101"_s; // BEEP LEVEL, three digits
        auto *field = view->findChild<QLineEdit *>(u"settingEditor:"_s + id);
        auto *changed = view->findChild<QWidget *>(u"settingRow:"_s + id)
                            ->findChild<DeviceSettingPill *>(u"settingRow.changed"_s);
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        field->setFocus();
        QTest::keyClicks(field, u"4x"_s);
        QCOMPARE(stateOf(id).value, u"4x"_s); // nothing filtered here
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(stateOf(id).value, u"4"_s);
        QVERIFY(changed->isVisible());
        QTest::keyClicks(field, u"0"_s);
        QCOMPARE(stateOf(id).value, u"40"_s);
        QCOMPARE(field->cursorPosition(), 2);
        QVERIFY(field->hasFocus());
        QTest::keyClicks(field, QString(3, QChar(' ')));
        QVERIFY(changed->isVisible());
        field->clear();
        emit field->textEdited(QString()); // emptied again: nothing to send
        QVERIFY(!changed->isVisible());
    }

    void rowsUpdateInPlaceWithoutLosingTheEditor() {
        auto view = showView<FT710SettingsView>();
        const QString typed = u"ft710.030115"_s; // TX TIME OUT TIMER
        QPointer<QLineEdit> field = view->findChild<QLineEdit *>(u"settingEditor:"_s + typed);
        QPointer<QComboBox> picker = view->findChild<QComboBox *>(u"settingEditor:ft710.030113"_s);
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        field->setFocus();
        QTest::keyClicks(field, u"123"_s);
        field->setCursorPosition(1);

        // Another item changes, as after each item of a run.
        m_model->setSettingValue(u"ft710.030113"_s, u"1"_s);
        QVERIFY(field);
        QVERIFY(picker);
        QVERIFY(field->hasFocus());
        QCOMPARE(field->text(), u"123"_s);
        QCOMPARE(field->cursorPosition(), 1);
        QCOMPARE(picker->currentText(), u"On"_s);

        // The typed item itself is replaced by the radio's value: the text follows, the cursor stays.
        m_model->setSettingValue(typed, u"05"_s);
        QCOMPARE(field->text(), u"05"_s);
        QCOMPARE(field->cursorPosition(), 1);
        QVERIFY(field->hasFocus());
    }

    void reconnectMarkOnLinkItemsOnly() {
        auto view = showView<FT710SettingsView>();
        for (const DeviceSettingDefinition &definition : DeviceSettingDefinition::ft710Definitions()) {
            auto *row = view->findChild<QWidget *>(u"settingRow:"_s + definition.id);
            auto *mark = row->findChild<DeviceSettingPill *>(u"settingRow.reconnect"_s);
            QCOMPARE(mark != nullptr && mark->isVisible(), definition.disruptsConnection);
        }
    }

    void buttonsFollowTheirRules_data() {
        // Flags as digits: connected, changed, busy, other model; then read, write, restore enabled.
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("enabled");
        QTest::addRow("disconnected, unchanged") << u"0000"_s << u"000"_s;
        QTest::addRow("disconnected, changed") << u"0100"_s << u"001"_s;
        QTest::addRow("connected, unchanged") << u"1000"_s << u"100"_s;
        QTest::addRow("connected, changed") << u"1100"_s << u"111"_s;
        QTest::addRow("busy") << u"1110"_s << u"000"_s;
        QTest::addRow("other model") << u"1101"_s << u"000"_s;
        QTest::addRow("other model, busy") << u"1111"_s << u"000"_s;
    }
    void buttonsFollowTheirRules() {
        QFETCH(QString, given);
        QFETCH(QString, enabled);
        const bool connected = given[0] == u'1', dirty = given[1] == u'1', busy = given[2] == u'1';
        const bool otherModel = given[3] == u'1';
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

        QString shown;
        for (const char *button : {"settings.read", "settings.writeChanged", "settings.restore"})
            shown += view->findChild<QPushButton *>(QLatin1String(button))->isEnabled() ? u'1' : u'0';
        QCOMPARE(shown, enabled);
        const auto *badge = view->findChild<DeviceSettingsStatusBadge *>(u"settings.statusBadge"_s);
        QCOMPARE(badge->text(), connected ? u"Verbunden"_s : u"Getrennt"_s);

        m_model->disconnect();
        QTRY_VERIFY(!m_model->isBusy());
    }

    void restoreSendsNothing() {
        auto view = showView<FT710SettingsView>();
        FakeRadio radio(RadioModel::ft710);
        connectTo(radio);
        m_model->setSettingValue(u"ft710.030113"_s, u"1"_s);
        auto *restore = view->findChild<QPushButton *>(u"settings.restore"_s);
        QTest::mouseClick(restore, Qt::LeftButton);
        QCOMPARE(stateOf(u"ft710.030113"_s).value, QString());
        QVERIFY(!restore->isEnabled());
        QVERIFY(radio.received().isEmpty());
    }

    void percentText_data() {
        QTest::addColumn<double>("progress");
        QTest::addColumn<QString>("text");
        QTest::addRow("none") << 0.0 << u"0 %"_s;
        QTest::addRow("one of 28") << 1.0 / 28 << u"3 %"_s;
        QTest::addRow("almost done") << 0.999 << u"99 %"_s;
        QTest::addRow("done") << 1.0 << u"100 %"_s;
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
        auto *block = view->findChild<QWidget *>(u"settings.progress"_s);
        auto *bar = view->findChild<QProgressBar *>(u"settings.progressBar"_s);
        auto *status = view->findChild<QLabel *>(u"settings.statusText"_s);
        auto *percent = view->findChild<QLabel *>(u"settings.percent"_s);
        QVERIFY(block->isHidden());

        QStringList seen;
        const auto watch = QObject::connect(m_model.get(), &AppModel::settingsStatusTextChanged, block, [&] {
            QVERIFY(block->isVisible());
            QCOMPARE(status->text(), m_model->settingsStatusText());
            QCOMPARE(percent->text(), DeviceSettingsHeaderCard::percentText(m_model->settingsProgress()));
            seen.append(percent->text());
        });
        QTest::mouseClick(view->findChild<QPushButton *>(u"settings.read"_s), Qt::LeftButton);
        QVERIFY(m_model->isBusy());
        QTRY_VERIFY(!m_model->isBusy());
        QObject::disconnect(watch);

        QCOMPARE(seen.size(), 1 + 21 + 1); // the start, every item, the end
        QCOMPARE(seen.at(1), u"4 %"_s);
        QVERIFY(block->isVisible());
        QCOMPARE(status->text(), u"Einstellungen gelesen · 100 %"_s);
        QCOMPARE(percent->text(), u"100 %"_s);
        QCOMPARE(bar->value(), bar->maximum());
        for (const DeviceSettingDefinition &definition : DeviceSettingDefinition::ft991aDefinitions()) {
            QWidget *editor = view->findChild<QWidget *>(u"settingEditor:"_s + definition.id);
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
        const QString english =
            u"This window is for FT-991A. The main window currently has FT-710 selected. A click will sync it again."_s;
        QTest::addRow("German")
            << u"de"_s
            << u"Dieses Fenster ist für FT-991A. Im Hauptfenster ist aktuell FT-710 ausgewählt. "
               u"Mit einem Klick wird wieder synchronisiert."_s;
        QTest::addRow("English") << u"en"_s << english;
        QTest::addRow("Polish") << u"pl"_s << english;
    }
    void mismatchCardAndSynchronize() {
        QFETCH(QString, language);
        QFETCH(QString, message);
        m_preferredLanguages = {language};
        auto view = showView<FT991ASettingsView>();
        auto *mismatch = view->findChild<QWidget *>(u"settings.mismatch"_s);
        QVERIFY(!mismatch->isVisible());
        FakeRadio radio(RadioModel::ft710);
        connectTo(radio); // the main window chooses the FT-710 and connects

        QVERIFY(mismatch->isVisible());
        QCOMPARE(view->findChild<QLabel *>(u"settings.mismatchText"_s)->text(), message);
        // The list shows the selected model's items, still editable.
        QCOMPARE(view->findChildren<DeviceSettingsGroupView *>().size(), 8);
        auto *field = view->findChild<QLineEdit *>(u"settingEditor:ft710.030101"_s);
        emit field->textEdited(u"5"_s);
        QCOMPARE(stateOf(u"ft710.030101"_s).value, u"5"_s);

        QTest::mouseClick(view->findChild<QPushButton *>(u"settings.synchronize"_s), Qt::LeftButton);
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
        QVERIFY(!view->findChild<QWidget *>(u"settings.mismatch"_s)->isVisible());
        QCOMPARE(m_model->settingsStates().first().id(),
                 DeviceSettingDefinition::ft991aDefinitions().first().id);
        QCOMPARE(view->findChildren<DeviceSettingRowView *>().size(), 21);
    }

    void unMinimisingKeepsTheMainWindowsModel() {
        auto view = showView<FT710SettingsView>();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        view->showMinimized();
        m_model->setSelectedRadioModel(RadioModel::ft991a); // chosen in the main window meanwhile
        view->showNormal();
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(view->findChild<QWidget *>(u"settings.mismatch"_s)->isVisible());
    }

    void languageChangeRebuildsTextsAndKeepsTheModel() {
        auto view = showView<FT710SettingsView>();
        m_model->setSettingValue(u"ft710.030101"_s, u"12"_s);
        m_model->setSelectedRadioModel(RadioModel::ft991a); // chosen in the main window
        const QString clarifierId = m_model->settingsStates().at(13).id();
        m_model->setSettingValue(clarifierId, u"1"_s);
        const QString germanTitle = loc(u"Geräteeinstellungen"_s);
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QScrollBar *scrollBar = view->findChild<QScrollArea *>(u"settings.scroll"_s)->verticalScrollBar();
        QTRY_VERIFY(scrollBar->maximum() >= 120);
        scrollBar->setValue(120);

        LanguageSelection::shared()->select(AppLanguage::en);
        QTRY_COMPARE(view->findChild<QLabel *>(u"settings.title"_s)->text(), loc(u"Geräteeinstellungen"_s));
        QVERIFY(view->findChild<QLabel *>(u"settings.title"_s)->text() != germanTitle);
        QCOMPARE(view->findChildren<DeviceSettingsHeaderCard *>().size(), 1);
        QTRY_COMPARE(view->findChild<QScrollArea *>(u"settings.scroll"_s)->verticalScrollBar()->value(), 120);
        // No appearance rule on a rebuild: the main window's choice and the edits stay.
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(view->findChild<QWidget *>(u"settings.mismatch"_s)->isVisible());
        QCOMPARE(stateOf(clarifierId).value, u"1"_s);
        QCOMPARE(view->findChild<QLabel *>(u"settings.mismatchText"_s)->text(),
                 DeviceSettingsMismatchCard::message(RadioModel::ft710, RadioModel::ft991a));
    }

private:
    void connectTo(FakeRadio &radio) {
        m_model->setSelectedRadioModel(radio.model());
        m_model->setSelectedPort(radio.devicePath());
        m_model->connect();
        QVERIFY(m_model->isConnected());
    }
    template <typename View> std::unique_ptr<View> showView() {
        auto view = std::make_unique<View>(m_model.get());
        view->show();
        return view;
    }
    DeviceSettingState stateOf(const QString &id) const {
        for (const DeviceSettingState &state : m_model->settingsStates()) {
            if (state.id() == id)
                return state;
        }
        qFatal("no state %s", qPrintable(id));
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_devices;
    std::unique_ptr<AppModel> m_model;
    QStringList m_preferredLanguages;
};

QTEST_MAIN(DeviceSettingsTest)
#include "tst_devicesettings.moc"
