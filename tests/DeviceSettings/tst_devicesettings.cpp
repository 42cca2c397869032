#include "AppModel/AppModel.h"
#include "DeviceSettings/DeviceSettingPill.h"
#include "DeviceSettings/DeviceSettingRowView.h"
#include "DeviceSettings/DeviceSettingsGroupView.h"
#include "DeviceSettings/DeviceSettingsHeaderCard.h"
#include "DeviceSettings/FT710SettingsView.h"
#include "DeviceSettings/FT991ASettingsView.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "TabRound.h"
#include "TestRows.h"
#include "TestSettings.h"
#include "Theme/ModelPalette.h"

#include <QAccessible>
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

// The FT-710's first item of this kind.
const DeviceSettingDefinition &ft710Item(DeviceSettingFieldKind kind) {
    const QList<DeviceSettingDefinition> &items = DeviceSettingDefinition::definitions(RadioModel::ft710);
    return *std::find_if(items.cbegin(), items.cend(),
                         [&](const auto &item) { return item.fieldKind == kind; });
}
const DeviceSettingDefinition &choice() {
    return ft710Item(DeviceSettingFieldKind::choice);
}
const DeviceSettingDefinition &number() {
    return ft710Item(DeviceSettingFieldKind::numeric);
}

QStringList codes(const QList<DeviceSettingOption> &options) {
    QStringList result;
    for (const DeviceSettingOption &option : options)
        result.append(option.code);
    return result;
}

} // namespace

// The settings windows of both models against the fake radios: one row per menu item in its
// group's panel, the editors, the buttons, a read run's progress and the mismatch card.
class DeviceSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        L::setPreferredLanguagesSource([] { return QStringList{u"de-DE"_s}; });
        m_model = std::make_unique<AppModel>(AppModel::Options{.deviceFolder = m_devices.path()});
    }

    void cleanup() {
        m_model.reset();
        L::setPreferredLanguagesSource({});
    }

    // One panel per group, in the order the groups first come in the menu table; each item once,
    // in its group's panel, with a picker or a field by its kind and the reconnect mark on the
    // items that change the link itself.
    void windowShowsEveryItemInItsGroup_data() { addRowPerRadioModel(); }
    void windowShowsEveryItemInItsGroup() {
        QFETCH(RadioModel, model);
        m_model->setSelectedRadioModel(model);
        DeviceSettingsRootView view(m_model.get(), model);
        view.show();
        QStringList groups;
        for (const DeviceSettingDefinition &definition : DeviceSettingDefinition::definitions(model)) {
            if (!groups.contains(u"settingsGroup:"_s + definition.group))
                groups << u"settingsGroup:"_s + definition.group;
            auto *row = view.findChild<DeviceSettingRowView *>(u"settingRow:"_s + definition.id);
            QVERIFY2(row, qPrintable(definition.id));
            QCOMPARE(row->parent()->objectName(), u"settingsGroup:"_s + definition.group);
            QWidget *editor = row->findChild<QWidget *>(u"settingEditor:"_s + definition.id);
            QCOMPARE(qobject_cast<QComboBox *>(editor) != nullptr,
                     definition.fieldKind == DeviceSettingFieldKind::choice);
            auto *mark = row->findChild<DeviceSettingPill *>(u"settingRow.reconnect"_s);
            QCOMPARE(mark != nullptr && mark->isVisible(), definition.disruptsConnection);
        }
        QStringList shown;
        for (const auto *group : view.findChildren<DeviceSettingsGroupView *>())
            shown << group->objectName();
        QCOMPARE(shown, groups);
        QCOMPARE(view.findChildren<DeviceSettingRowView *>().size(),
                 DeviceSettingDefinition::definitions(model).size());
    }

    // An unread item's picker offers a placeholder first; a value the table does not list is
    // offered last, under a title that names it. Choosing an entry, the placeholder included,
    // sends its code.
    void pickerOffersTheTableAndTheValue_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("offered");
        const QStringList listed = codes(choice().options);
        QTest::addRow("not read") << QString() << QStringList{QString()} + listed;
        QTest::addRow("listed value") << listed.last() << listed;
        QTest::addRow("unlisted value") << u"x9"_s << listed + QStringList{u"x9"_s};
    }
    void pickerOffersTheTableAndTheValue() {
        QFETCH(QString, value);
        QFETCH(QStringList, offered);
        const DeviceSettingState state(choice(), value, value);
        const QList<DeviceSettingOption> options = DeviceSettingRowView::settingOptions(state);
        QCOMPARE(codes(options), offered);
        const DeviceSettingOption &extra = value.isEmpty() ? options.first() : options.last();
        QVERIFY(!extra.title.isEmpty());
        if (value == u"x9"_s)
            QVERIFY(extra.title.contains(value));

        DeviceSettingRowView row(state, ModelPalette::forModel(RadioModel::ft710));
        auto *picker = row.findChild<QComboBox *>();
        QCOMPARE(picker->count(), offered.size());
        QCOMPARE(picker->currentIndex(), int(offered.indexOf(value)));
        QSignalSpy edits(&row, &DeviceSettingRowView::valueEdited);
        emit picker->activated(0);
        QCOMPARE(edits.size(), 1);
        QCOMPARE(edits.first().at(1).toString(), offered.first());
    }

    // A number is stored as typed, and marked with the reason while it could not be sent. The rows
    // change in place as a run reads each item: the field keeps its focus and cursor, and takes the
    // radio's value when its own item is read; emptied again, there is nothing to send.
    void numberFieldStoresTheTextAndKeepsItsPlace() {
        auto view = showView<FT710SettingsView>();
        const QString id = number().id;
        QPointer<QLineEdit> field = view->findChild<QLineEdit *>(u"settingEditor:"_s + id);
        auto *picker = view->findChild<QComboBox *>(u"settingEditor:"_s + choice().id);
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        field->setFocus();
        QTest::keyClicks(field, u"4x"_s);
        QCOMPARE(stateOf(id).value, u"4x"_s);
        QVERIFY(field->accessibleDescription().contains(u"„4x“"_s));
        QVERIFY(field->palette().color(QPalette::Text) != view->palette().color(QPalette::Text));
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, u"05"_s);
        QCOMPARE(stateOf(id).value, u"405"_s);
        QVERIFY(field->accessibleDescription().isEmpty());
        QCOMPARE(field->palette().color(QPalette::Text), view->palette().color(QPalette::Text));
        QVERIFY(changedMark(view.get(), id)->isVisible());
        field->setCursorPosition(1);

        m_model->setSettingValue(choice().id, FakeRadio::answerFor(choice()));
        QCOMPARE(picker->currentData().toString(), FakeRadio::answerFor(choice()));
        QVERIFY(field && field->hasFocus());
        QCOMPARE(field->text(), u"405"_s);
        QCOMPARE(field->cursorPosition(), 1);
        m_model->setSettingValue(id, u"07"_s);
        QCOMPARE(field->text(), u"07"_s);
        QCOMPARE(field->cursorPosition(), 1);
        QVERIFY(field->hasFocus());
        field->clear();
        emit field->textEdited(QString());
        QVERIFY(!changedMark(view.get(), id)->isVisible());
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
    }
    void buttonsFollowTheirRules() {
        QFETCH(QString, given);
        QFETCH(QString, enabled);
        const bool connected = given[0] == u'1', dirty = given[1] == u'1', busy = given[2] == u'1';
        auto view = showView<FT710SettingsView>();
        FakeRadio radio(given[3] == u'1' ? RadioModel::ft991a : RadioModel::ft710);
        radio.answerEveryMenuItem();
        if (connected)
            connectTo(radio);
        if (dirty)
            m_model->setSettingValue(m_model->settingsStates().first().id(), u"1"_s);
        if (busy)
            m_model->readSettings();
        QCOMPARE(m_model->isBusy(), busy);
        QString shown;
        for (const char *button : {"settings.read", "settings.writeChanged", "settings.restore"})
            shown += view->findChild<QPushButton *>(QLatin1String(button))->isEnabled() ? u'1' : u'0';
        QCOMPARE(shown, enabled);
        const auto *badge = view->findChild<QWidget *>(u"settings.statusBadge"_s);
        QCOMPARE(badge->accessibleName(), loc(connected ? u"Verbunden"_s : u"Getrennt"_s));
        if (given == u"1100"_s) {
            // "Zurücksetzen" takes the values back without a word to the radio.
            QTest::mouseClick(view->findChild<QPushButton *>(u"settings.restore"_s), Qt::LeftButton);
            QVERIFY(!m_model->hasDirtySettings() && radio.received().isEmpty());
        }
        m_model->disconnect();
        QTRY_VERIFY(!m_model->isBusy());
    }

    // A read run shows its status and percentage at the start, after every item and at the end; the
    // keyboard leaves the button it disables for a control that can be named, and the Tab round
    // stops at such controls only.
    void progressBlockFollowsAReadRun() {
        auto view = showView<FT991ASettingsView>();
        FakeRadio radio(RadioModel::ft991a);
        radio.answerEveryMenuItem();
        connectTo(radio);
        auto *block = view->findChild<QWidget *>(u"settings.progress"_s);
        auto *bar = view->findChild<QProgressBar *>(u"settings.progressBar"_s);
        auto *status = view->findChild<QLabel *>(u"settings.statusText"_s);
        auto *percent = view->findChild<QLabel *>(u"settings.percent"_s);
        QVERIFY(block->isHidden());

        int updates = 0;
        const auto watch = QObject::connect(m_model.get(), &AppModel::settingsStatusTextChanged, block, [&] {
            QVERIFY(block->isVisible());
            QCOMPARE(status->text(), m_model->settingsStatusText());
            QCOMPARE(percent->text(), DeviceSettingsHeaderCard::percentText(m_model->settingsProgress()));
            ++updates;
        });
        auto *read = view->findChild<QPushButton *>(u"settings.read"_s);
        QTRY_VERIFY(view->findChild<DeviceSettingRowView *>()->isVisible());
        QApplication::setActiveWindow(view.get());
        read->setFocus();
        QTest::keyClick(read, Qt::Key_Space);
        QVERIFY(m_model->isBusy());
        // The keyboard goes on to a control a person can name, not to a filler of the layout.
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus && focus != read && focus->isEnabled());
        QVERIFY(!QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name).isEmpty());
        QTRY_VERIFY(!m_model->isBusy());
        QCOMPARE(strayTabStops(read), QStringList());
        QObject::disconnect(watch);
        QCOMPARE(updates, 1 + DeviceSettingDefinition::definitions(RadioModel::ft991a).size() + 1);
        QVERIFY(block->isVisible());
        QCOMPARE(bar->value(), bar->maximum());
        m_model->resetSettingsStates();
        QVERIFY(block->isHidden());
        // The percentage is cut, not rounded: "100 %" means done.
        QVERIFY(DeviceSettingsHeaderCard::percentText(0.999) != DeviceSettingsHeaderCard::percentText(1));
        QCOMPARE(DeviceSettingsHeaderCard::percentText(1.0 / 28),
                 DeviceSettingsHeaderCard::percentText(0.03));
    }

    // Opening a window, not building it, chooses its model in the main window (a connection to the
    // other model ends). With the other model chosen there later, the card says which window is for
    // which model and the list shows the chosen model's items, still editable; un-minimising the
    // window keeps that choice; "Synchronisieren" chooses the window's model again, without a link
    // and with nothing read.
    void windowAndMainWindowAgreeOnTheModel() {
        FakeRadio ft710(RadioModel::ft710);
        connectTo(ft710);
        QSignalSpy switches(m_model.get(), &AppModel::selectedRadioModelChanged);
        auto view = std::make_unique<FT991ASettingsView>(m_model.get());
        QCOMPARE(switches.size(), 0);
        view->show();
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(!m_model->isConnected());
        QCOMPARE(m_model->settingsStates().first().id(),
                 DeviceSettingDefinition::definitions(RadioModel::ft991a).first().id);
        QVERIFY(!view->findChild<QWidget *>(u"settings.mismatch"_s)->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        connectTo(ft710);
        const QString message = view->findChild<QLabel *>(u"settings.mismatchText"_s)->text();
        QVERIFY(message.indexOf(u"FT-991A"_s) >= 0 &&
                message.indexOf(u"FT-991A"_s) < message.indexOf(u"FT-710"_s));
        QCOMPARE(view->findChildren<DeviceSettingRowView *>().size(),
                 DeviceSettingDefinition::definitions(RadioModel::ft710).size());
        emit view->findChild<QLineEdit *>(u"settingEditor:"_s + number().id)->textEdited(u"5"_s);
        QCOMPARE(stateOf(number().id).value, u"5"_s);
        // A new language rebuilds the window's texts; the model, the edit and the scroll position stay.
        const QString germanTitle = view->findChild<QLabel *>(u"settings.title"_s)->text();
        QScrollBar *scrollBar = view->findChild<QScrollArea *>(u"settings.scroll"_s)->verticalScrollBar();
        QCoreApplication::processEvents(); // the other model's rows are laid out
        QTRY_VERIFY(scrollBar->maximum() >= 120);
        scrollBar->setValue(120);
        LanguageSelection::shared()->select(AppLanguage::en);
        QTRY_COMPARE(view->findChild<QLabel *>(u"settings.title"_s)->text(), loc(u"Geräteeinstellungen"_s));
        QVERIFY(view->findChild<QLabel *>(u"settings.title"_s)->text() != germanTitle);
        QCOMPARE(view->findChildren<DeviceSettingsHeaderCard *>().size(), 1);
        QTRY_COMPARE(view->findChild<QScrollArea *>(u"settings.scroll"_s)->verticalScrollBar()->value(), 120);
        QCOMPARE(stateOf(number().id).value, u"5"_s);
        view->showMinimized();
        view->showNormal();
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft710);
        QWidget *mismatch = view->findChild<QWidget *>(u"settings.mismatch"_s);
        QVERIFY(mismatch->isVisible());

        QTest::mouseClick(view->findChild<QPushButton *>(u"settings.synchronize"_s), Qt::LeftButton);
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QVERIFY(!m_model->isConnected() && !mismatch->isVisible());
        QCOMPARE(view->findChildren<DeviceSettingRowView *>().size(),
                 DeviceSettingDefinition::definitions(RadioModel::ft991a).size());
        for (const DeviceSettingState &state : m_model->settingsStates())
            QVERIFY(state.value.isEmpty());
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
    static DeviceSettingPill *changedMark(QWidget *view, const QString &id) {
        return view->findChild<QWidget *>(u"settingRow:"_s + id)
            ->findChild<DeviceSettingPill *>(u"settingRow.changed"_s);
    }
    DeviceSettingState stateOf(const QString &id) const {
        for (const DeviceSettingState &state : m_model->settingsStates()) {
            if (state.id() == id)
                return state;
        }
        qFatal("no state %s", qPrintable(id));
    }

    std::unique_ptr<TestSettings> m_settings;
    const QTemporaryDir m_devices; // no serial devices
    std::unique_ptr<AppModel> m_model;
};

QTEST_MAIN(DeviceSettingsTest)
#include "tst_devicesettings.moc"
