#include "AppModel/AppModel.h"
#include "Editors/EditorDraft.h"
#include "Editors/InfoTile.h"
#include "Editors/MemoryDetailEditor.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTablePanel.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "MemoryRecord.h"
#include "Model/MemoryBackup.h"
#include "Model/MemoryDraft.h"
#include "TestRows.h"
#include "TestSettings.h"
#include "TestWaits.h"
#include "Theme/ModelPalette.h"
#include "Theme/PickerWheelGuard.h"
#include "WheelTurn.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonObject>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <future>
#include <thread>

using namespace Qt::StringLiterals;
using C = MemoryColumn;

namespace {

// "key=value key=value" as the JSON fields of a memory record; "true" and "false" are booleans.
QJsonObject fields(const char *text) {
    QJsonObject json;
    for (const QString &field : QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts)) {
        const QString value = field.section(u'=', 1);
        json.insert(field.section(u'=', 0, 0), value == u"true"_s    ? QJsonValue(true)
                                               : value == u"false"_s ? QJsonValue(false)
                                                                     : QJsonValue(value));
    }
    return json;
}

// Channels 001 to `count`, each tagged with its number.
QList<RadioMemory> memoryRecords(RadioModel model, int count) {
    QList<RadioMemory> rows;
    for (int channel = 1; channel <= count; ++channel)
        rows << memoryRecord(model,
                             {{"slot", RadioMemory::slotText(channel)}, {"tag", QString::number(channel)}});
    return rows;
}

// Keeps the text and its colour of every item and header title a widget paints with it.
class TextRecordingStyle : public QProxyStyle {
public:
    struct Text {
        QRect rect;
        QString text;
        QColor color;
    };

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override {
        if (const auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(option);
            item && element == CE_ItemViewItem)
            texts.append({item->rect, item->text, item->palette.color(QPalette::Text)});
        if (const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option);
            header && element == CE_HeaderLabel)
            texts.append({header->rect, header->text, header->palette.color(QPalette::ButtonText)});
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    // The text painted inside `area`.
    std::optional<Text> within(const QRect &area) const {
        for (const Text &text : texts)
            if (area.contains(text.rect.center()))
                return text;
        return std::nullopt;
    }

    mutable QList<Text> texts;
};

// The model shown, the column, the fields before, the entry and the fields it changes.
using CellEntry = std::tuple<RadioModel, MemoryColumn, QJsonObject, QVariant, QJsonObject>;

} // namespace

// The table (its model under QAbstractItemModelTester in every test) and the detail editor on the
// one draft they share: the channel it follows and the one way both store and write a channel.
class tst_Editors : public QObject {
    Q_OBJECT

private slots:
    // As the application does, so that the wheel leaves every picker alone.
    void initTestCase() { PickerWheelGuard::install(); }

    void init() {
        m_settings = std::make_unique<TestSettings>();
        TestSettings::setLanguage(u"de"_s);
        TestWaits::use();
        m_app = std::make_unique<AppModel>();
        m_draft = std::make_unique<EditorDraft>(m_app.get());
        m_panel = std::make_unique<MemoryTablePanel>(m_app.get(), m_draft.get());
        m_panel->resize(1400, 600);
        m_panel->show();
        m_view = m_panel->findChild<QTableView *>(u"memoryTable.view"_s);
        m_model = qobject_cast<MemoryTableModel *>(m_view->model());
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup() {
        m_editor.reset();
        m_tester.reset();
        m_panel.reset();
        m_draft.reset();
        m_app.reset();
        m_radio.reset();
        m_settings.reset();
    }

    // The selected model's columns at their widths, also over a row of the other model; a title
    // is its own tooltip, for a column too narrow for it; the mode picker offers the selected
    // model's modes and shows the entry of the row's mode.
    void columnsFollowTheSelectedModel_data() { addRowPerRadioModel(); }
    void columnsFollowTheSelectedModel() {
        QFETCH(RadioModel, model);
        m_app->setSelectedRadioModel(model);
        const QList<PickerItem> modes = PickerItems::modes(model);
        m_app->replaceMemory(memoryRecord(model == RadioModel::ft710 ? RadioModel::ft991a : RadioModel::ft710,
                                          {{"modeCode", modes.first().tag}}));
        QCOMPARE(m_model->columnCount(), memoryColumns(model).size());
        for (int section = 0; section < m_model->columnCount(); ++section) {
            QCOMPARE(m_model->column(section), memoryColumns(model).at(section));
            QCOMPARE(m_view->columnWidth(section), width(m_model->column(section)));
            QCOMPARE(m_model->headerData(section, Qt::Horizontal, Qt::ToolTipRole),
                     m_model->headerData(section, Qt::Horizontal));
        }
        QCOMPARE(items(cell(0, C::mode)), modes);
        QCOMPARE(cell(0, C::mode).data().toString(), modes.first().text);
    }

    // An entry changes its row's raw fields as the field bindings say, and nothing else; an entry
    // no picker offers is refused.
    void cellEntryChangesItsRow_data() {
        QTest::addColumn<CellEntry>("row");
        const auto row = [](const char *name, RadioModel shown, C column, const char *before,
                            const QVariant &entry, const char *after) {
            QTest::newRow(name) << CellEntry(shown, column, fields(before), entry, fields(after));
        };
        const RadioModel ft710 = RadioModel::ft710, ft991a = RadioModel::ft991a;
        row("name", ft710, C::name, "", "DB0NEW", "tag=DB0NEW");
        row("RX digits only", ft710, C::rx, "isEmpty=true", "0145.525 000",
            "frequency=145525000 isEmpty=false");
        row("RX zeros", ft710, C::rx, "isEmpty=true", "000", "frequency=0 isEmpty=false");
        row("RX without digits is empty", ft710, C::rx, "", "abc", "frequency= isEmpty=true");
        row("mode", ft710, C::mode, "", "C", "modeCode=C");
        row("amount keeps minus", ft710, C::shiftAmount, "", "25", "shiftRaw=-000025");
        row("amount leaves simplex as plus", ft710, C::shiftAmount, "shiftRaw=+000000", "6",
            "shiftRaw=+000006");
        row("amount cleared", ft710, C::shiftAmount, "", "", "shiftRaw=+000000");
        row("amount keeps six digits", ft710, C::shiftAmount, "", "1234567", "shiftRaw=-123456");
        row("direction keeps amount", ft710, C::shift, "", "+", "shiftRaw=+000600");
        row("direction needs an amount", ft710, C::shift, "shiftRaw=+000000", "-", "");
        row("simplex drops amount", ft710, C::shift, "", "Simplex", "shiftRaw=+000000");
        row("FT-991A shift is the last flag", ft991a, C::shift, "flagsRaw=12000", "-", "flagsRaw=12002");
        row("shift resets middle digits", ft991a, C::shift, "flagsRaw=13451", "+", "flagsRaw=13001");
        row("clarifier amount", ft991a, C::clarifierAmount, "", "120", "shiftRaw=-000120");
        row("clarifier direction", ft991a, C::clarifier, "", "+", "shiftRaw=+000600");
        row("tone mode keeps a code", ft991a, C::toneSql, "flagsRaw=10001 toneNumberKindRaw=1", "2",
            "flagsRaw=12001 toneNumberKindRaw=0");
        row("tone mode fills a code", ft991a, C::toneSql, "toneNumberCode=ab", "2",
            "flagsRaw=02002 toneNumberCode=000");
        row("tone mode off drops the number", ft991a, C::toneSql, "", "0",
            "flagsRaw=00002 toneNumberKindRaw= toneNumberCode=000");
        row("tone number: one digit", ft991a, C::toneNumber, "toneNumberKindRaw=1", "1",
            "toneNumberCode=001 toneNumberKindRaw=0");
        row("tone number beyond the table", ft991a, C::toneNumber, "", "050", "toneNumberCode=050");
        row("tone number of DCS", ft991a, C::toneNumber, "flagsRaw=13000", "1",
            "toneNumberCode=001 toneNumberKindRaw=1");
        row("tone number while off", ft991a, C::toneNumber, "flagsRaw=10000", "1",
            "toneNumberCode=001 toneNumberKindRaw=");
        row("empty switch", ft991a, C::empty, "", Qt::Checked, "isEmpty=true");
        row("shift raw", ft710, C::shiftRaw, "", "x-1", "shiftRaw=x-1");
        row("flags raw", ft991a, C::flagsRaw, "", "x1", "flagsRaw=x1");
        row("an entry no picker offers", ft710, C::shift, "", "x", "refused=");
    }
    void cellEntryChangesItsRow() {
        QFETCH(CellEntry, row);
        const auto &[shown, column, before, entry, after] = row;
        const RadioMemory memory = memoryRecord(shown, before);
        load(shown, {memory});
        const bool toggle = MemoryTableModel::kind(column) == MemoryTableModel::CellKind::toggle;
        QCOMPARE(m_model->setData(cell(0, column), entry, toggle ? Qt::CheckStateRole : Qt::EditRole),
                 !after.contains(u"refused"_s));
        QJsonObject expected = memory.toJson();
        for (auto field = after.begin(); field != after.end(); ++field)
            expected.insert(field.key(), field.value());
        expected.remove(u"refused"_s);
        QCOMPARE(m_app->memories().first().toJson(), expected);
        if (toggle)
            QCOMPARE(cell(0, column).data(Qt::CheckStateRole).toInt(), entry.toInt());
    }

    // The tone switches of an FT-991A row: the tone mode each gives from each mode (0 to 4); SQL
    // decode cannot be turned on without a tone system.
    void toneSwitchesGiveModes_data() {
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<QVariant>("entry");
        QTest::addColumn<QString>("modes");
        QTest::addRow("system off") << C::toneSystem << QVariant(u"off"_s) << u"00000"_s;
        QTest::addRow("system CTCSS") << C::toneSystem << QVariant(u"ctcss"_s) << u"21212"_s;
        QTest::addRow("system DCS") << C::toneSystem << QVariant(u"dcs"_s) << u"43434"_s;
        QTest::addRow("opening off") << C::openingTone << QVariant(Qt::Unchecked) << u"00000"_s;
        QTest::addRow("opening on") << C::openingTone << QVariant(Qt::Checked) << u"01234"_s;
        QTest::addRow("decode on") << C::sqlDecode << QVariant(Qt::Checked) << u"01133"_s;
        QTest::addRow("decode off") << C::sqlDecode << QVariant(Qt::Unchecked) << u"02244"_s;
    }
    void toneSwitchesGiveModes() {
        QFETCH(MemoryColumn, column);
        QFETCH(QVariant, entry);
        QFETCH(QString, modes);
        const int role = column == C::toneSystem ? Qt::EditRole : Qt::CheckStateRole;
        QString given;
        for (int mode = 0; mode < 5; ++mode) {
            load(RadioModel::ft991a,
                 {memoryRecord(RadioModel::ft991a,
                               {{"flagsRaw", u"1"_s + QString::number(mode) + u"001"_s}})});
            m_model->setData(cell(0, column), entry, role);
            given += m_app->memories().first().flagsRaw.at(1);
        }
        QCOMPARE(given, modes);
    }

    // The tone number picker offers the table of the mode's tone system, whatever kind the
    // record names; without a tone it is a caption, and SQL decode waits for a system.
    void toneCellFollowsToneMode_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QList<PickerItem>>("offered");
        QTest::addRow("off") << u"10000"_s << QList<PickerItem>();
        QTest::addRow("CTCSS") << u"11000"_s << PickerItems::toneNumbers(MemoryDraft::ft991aCtcssOptions());
        QTest::addRow("DCS") << u"14000"_s << PickerItems::toneNumbers(MemoryDraft::ft991aDcsOptions());
    }
    void toneCellFollowsToneMode() {
        QFETCH(QString, flags);
        QFETCH(QList<PickerItem>, offered);
        const QJsonObject fields{{"flagsRaw", flags}, {"toneNumberKindRaw", "1"}, {"toneNumberCode", "000"}};
        load(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a, fields)});
        const QModelIndex tone = cell(0, C::toneNumber);
        QCOMPARE(items(tone), offered);
        QCOMPARE(bool(tone.flags() & Qt::ItemIsEditable), !offered.isEmpty());
        if (!offered.isEmpty())
            QCOMPARE(tone.data().toString(), offered.first().text);
        QCOMPARE(bool(cell(0, C::sqlDecode).flags() & Qt::ItemIsEnabled), !offered.isEmpty());
    }

    // A picker writes back only an entry the user picked: a value no entry stands for stays, and
    // an entry merely shown (the popup's current row) is not taken when the editor closes.
    void pickerStoresOnlyAPickedEntry_data() {
        QTest::addColumn<QString>("modeCode");
        QTest::addColumn<bool>("another");
        QTest::addColumn<bool>("pick");
        QTest::addRow("unlisted value, closed") << u"E"_s << false << false; // C4FM: no FT-710 mode
        QTest::addRow("another shown, closed") << u"4"_s << true << false;
        QTest::addRow("another picked") << u"4"_s << true << true;
    }
    void pickerStoresOnlyAPickedEntry() {
        QFETCH(QString, modeCode);
        QFETCH(bool, another);
        QFETCH(bool, pick);
        const RadioMemory memory = memoryRecord(RadioModel::ft710, {{"modeCode", modeCode}});
        load(RadioModel::ft710, {memory});
        const QModelIndex mode = cell(0, C::mode);
        m_view->edit(mode);
        auto *picker = qobject_cast<QComboBox *>(m_view->indexWidget(mode));
        QVERIFY(picker);
        QCOMPARE(picker->currentData().toString(), modeCode == u"E"_s ? QString() : modeCode);
        if (another)
            picker->setCurrentIndex(picker->findData(u"2"_s));
        if (pick)
            emit picker->activated(picker->currentIndex());
        else
            m_view->itemDelegate()->setModelData(picker, m_model, mode);
        QCOMPARE(m_app->memories().first().modeCode, pick ? u"2"_s : modeCode);
        if (pick)
            QTRY_VERIFY(!m_view->indexWidget(mode));
    }

    // An edit begun before the table was replaced lands only on the channel it was begun on.
    void editAfterTableReplacedWritesNothing_data() {
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<int>("firstChannelAfter");
        QTest::addColumn<bool>("stored");
        QTest::addRow("shortened") << 3 << 1 << false;
        QTest::addRow("other channel in the row") << 8 << 4 << false;
        QTest::addRow("same channel in the row") << 8 << 1 << true;
    }
    void editAfterTableReplacedWritesNothing() {
        QFETCH(int, rowsAfter);
        QFETCH(int, firstChannelAfter);
        QFETCH(bool, stored);
        load(RadioModel::ft710, memoryRecords(RadioModel::ft710, 8));
        const QModelIndex name = cell(5, C::name);
        m_view->edit(name);
        QPointer<QLineEdit> field = qobject_cast<QLineEdit *>(m_view->indexWidget(name));
        QVERIFY(field);
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, u"X"_s);

        load(RadioModel::ft710, memoryRecords(RadioModel::ft710, firstChannelAfter + rowsAfter - 1)
                                    .sliced(firstChannelAfter - 1));
        const QList<RadioMemory> before = m_app->memories();
        m_view->itemDelegate()->setModelData(field, m_model, name);
        if (stored)
            QCOMPARE(m_app->memories().at(5).tag, u"6X"_s);
        else
            QCOMPARE(m_app->memories(), before);
        // An index from before a model switch may point past the new columns.
        m_app->setSelectedRadioModel(RadioModel::ft991a);
        const QModelIndex stale = m_model->index(0, memoryColumns(RadioModel::ft710).size());
        m_app->setSelectedRadioModel(RadioModel::ft710);
        QVERIFY(!m_model->setData(stale, u"120"_s) && !m_model->data(stale).isValid());
        // A row past the end is nobody's: selecting or writing it does nothing (a write of any
        // row would alert that there is no link).
        const std::optional<QString> selected = m_app->selectedMemoryID();
        m_model->selectRow(m_model->rowCount());
        m_model->writeRow(m_model->rowCount());
        QVERIFY(m_app->selectedMemoryID() == selected && !m_app->alertMessage());
    }

    // An edit replaces its row alone; a row changed in the application model and a new selection
    // repaint only their rows. A table read anew shows the new contents, and each row its own
    // model's summary, an FT-991A row with its tone and clarifier lines.
    void oneRowChangesOneRowRepaints() {
        load(RadioModel::ft710, memoryRecords(RadioModel::ft710, 5));
        const QList<RadioMemory> before = m_app->memories();
        QSignalSpy tableChanged(m_app.get(), &AppModel::memoriesChanged);
        QVERIFY(m_model->setData(cell(2, C::name), u"NEU"_s));
        QCOMPARE(tableChanged.count(), 0);
        QCOMPARE(m_app->memories().mid(3), before.mid(3));
        QCOMPARE(m_app->memories().mid(0, 2), before.mid(0, 2));

        QSignalSpy repainted(m_model, &QAbstractItemModel::dataChanged);
        QCOMPARE(cell(0, C::name).data().toString(), before.at(0).tag);
        m_app->replaceMemory(memoryRecord(RadioModel::ft710, {{"slot", "001"}, {"tag", "GELESEN"}}));
        QCOMPARE(cell(0, C::name).data().toString(), u"GELESEN"_s);
        m_app->setSelectedMemoryID(u"004"_s);
        QVERIFY(cell(3, C::name).data(MemoryTableModel::SelectedRole).toBool() &&
                !cell(0, C::slot).data(MemoryTableModel::SelectedRole).toBool());
        QList<int> rows;
        for (const auto &arguments : repainted) {
            QCOMPARE(arguments.at(0).toModelIndex().row(), arguments.at(1).toModelIndex().row());
            rows << arguments.at(0).toModelIndex().row();
        }
        QCOMPARE(rows, (QList<int>{0, 0, 3}));
        const RadioMemory readAnew = memoryRecord(RadioModel::ft710, {{"frequency", "7074000"}});
        load(RadioModel::ft710, {readAnew});
        QCOMPARE(cell(0, C::summary).data().toString(), readAnew.summary());
        const RadioMemory ft991a = memoryRecord(RadioModel::ft991a, {{"slot", "002"}});
        m_app->replaceMemory(ft991a);
        const QString summary = cell(1, C::summary).data().toString();
        QVERIFY(summary.startsWith(ft991a.summary()) &&
                summary.contains(MemoryDraft::ft991ToneSummary(MemoryDraft(ft991a))) &&
                summary.contains(MemoryDraft::ft991ClarifierSummary(MemoryDraft(ft991a))));
    }

    // A click, Space or Return selects the row and turns a switch (and back), opens a field or a
    // picker's list at once or, with an idle link, writes the row with "Schreiben"; the arrow keys open
    // nothing; Tab leaves the table for the next control.
    void clickOrKeyActsOnTheCell_data() {
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<int>("key"); // 0: a click
        QTest::addColumn<bool>("connected");
        QTest::addRow("click on a field") << C::name << 0 << false;
        QTest::addRow("Space on a switch") << C::empty << int(Qt::Key_Space) << false;
        QTest::addRow("Space on a field") << C::name << int(Qt::Key_Space) << false;
        QTest::addRow("Return on a picker") << C::mode << int(Qt::Key_Return) << false;
        QTest::addRow("click on a picker") << C::shift << 0 << false;
        QTest::addRow("Space on a picker") << C::mode << int(Qt::Key_Space) << false;
        QTest::addRow("click on Schreiben without a link") << C::action << 0 << false;
        QTest::addRow("click on Schreiben") << C::action << 0 << true;
        QTest::addRow("Return on Schreiben") << C::action << int(Qt::Key_Return) << true;
        QTest::addRow("Space on Schreiben") << C::action << int(Qt::Key_Space) << true;
    }
    void clickOrKeyActsOnTheCell() {
        QFETCH(MemoryColumn, column);
        QFETCH(int, key);
        QFETCH(bool, connected);
        if (connected)
            connectRadio(RadioModel::ft710);
        load(RadioModel::ft710, memoryRecords(RadioModel::ft710, 3));
        QVERIFY(m_model->setData(cell(1, C::rx), u"145.600.000"_s));
        auto *next = new QPushButton(m_panel.get());
        next->show();
        const QModelIndex index = cell(1, column);
        QCOMPARE(bool(index.flags() & Qt::ItemIsEnabled), column != C::action || connected);
        press(index, key);
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"002"_s));
        QCOMPARE(m_view->currentIndex() == index, column != C::action || connected);
        if (column == C::empty) {
            QVERIFY(m_app->memories().at(1).isEmpty);
            QTest::keyClick(m_view, Qt::Key(key), Qt::ControlModifier); // a shortcut, not a press
            QVERIFY(m_app->memories().at(1).isEmpty);
            press(index, key);
            QVERIFY(!m_app->memories().at(1).isEmpty);
        } else if (column == C::action) {
            QCOMPARE(m_app->isBusy(), connected);
            QVERIFY(!(index.flags() & Qt::ItemIsEnabled));
            QTRY_VERIFY(!m_app->isBusy());
            QVERIFY(!m_app->alertMessage());
            QCOMPARE(m_radio && m_radio->channel(2)->payload.startsWith(u"145600000"_s), connected);
        } else {
            QVERIFY(m_view->indexWidget(index));
            if (auto *picker = qobject_cast<QComboBox *>(m_view->indexWidget(index))) {
                QTRY_VERIFY(picker->view()->isVisible()); // its list, not the picker closed
                picker->hidePopup();
            }
            m_view->closePersistentEditor(index);
        }
        focusCell(index);
        QTest::keyClick(m_view, Qt::Key_Right);
        QVERIFY(!m_view->indexWidget(m_view->currentIndex()));
        QTest::keyClick(m_view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }

    // From an open field, Tab and Shift+Tab go along the row onto the next or previous cell's
    // field or picker and over a picker without opening its list or changing its value; the picker
    // shows it has the keyboard, and Space, F4 or Alt+Down open its list.
    void tabMovesOverPickers_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<MemoryColumn>>("cells"); // from the open field to the picker opened
        QTest::addColumn<QKeySequence>("opener");
        const RadioModel ft710 = RadioModel::ft710, ft991a = RadioModel::ft991a;
        QTest::addRow("FT-710, Tab from the name")
            << ft710 << int(Qt::Key_Tab) << QList{C::name, C::rx, C::mode, C::shift}
            << QKeySequence(Qt::Key_Space);
        QTest::addRow("FT-710, Shift+Tab")
            << ft710 << int(Qt::Key_Backtab) << QList{C::shiftAmount, C::shift, C::mode}
            << QKeySequence(Qt::Key_F4);
        QTest::addRow("FT-991A, Tab over the tone pickers")
            << ft991a << int(Qt::Key_Tab) << QList{C::flagsRaw, C::toneSql, C::toneSystem}
            << QKeySequence(Qt::AltModifier | Qt::Key_Down);
        QTest::addRow("FT-991A, Shift+Tab over clarifier and tone number")
            << ft991a << int(Qt::Key_Backtab) << QList{C::clarifierAmount, C::clarifier, C::toneNumber}
            << QKeySequence(Qt::Key_Space);
    }
    void tabMovesOverPickers() {
        QFETCH(RadioModel, model);
        QFETCH(int, key);
        QFETCH(QList<MemoryColumn>, cells);
        QFETCH(QKeySequence, opener);
        load(model, {memoryRecord(model, {{"flagsRaw", "11000"}})}); // CTCSS: the tone number is a picker
        const QList<RadioMemory> before = m_app->memories();
        press(cell(0, cells.first()), Qt::Key_Space);
        for (MemoryColumn next : cells.sliced(1)) {
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key));
            QCoreApplication::processEvents(); // a list opened at once would show now
            QVERIFY(!QApplication::activePopupWidget());
            QVERIFY(QApplication::focusWidget() == m_view->indexWidget(cell(0, next)));
        }
        auto *picker = qobject_cast<QComboBox *>(QApplication::focusWidget());
        QVERIFY(picker);
        // The style marks the picker with the keyboard only after a keyboard move.
        QVERIFY(picker->window()->testAttribute(Qt::WA_KeyboardFocusChange));
        QTest::keySequence(static_cast<QWidget *>(nullptr), opener);
        QTRY_VERIFY(picker->view()->isVisible());
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Escape);
        QTRY_VERIFY(!picker->view()->isVisible());
        QCOMPARE(m_app->memories(), before);
    }

    // Tab from an open field, a pick or a switch turned goes on through every field, picker, switch
    // and "Schreiben" of the row and of the next, past a channel without tone's SQL decode and tone
    // number; Shift+Tab the same way back. A row entered with Tab shows its channel number.
    void tabWalksTheWholeRow_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<bool>("back");          // Shift+Tab, from the second row
        QTest::addColumn<MemoryColumn>("start"); // a field opened or a switch turned with Space, or a pick
        QTest::addColumn<bool>("toneOff");
        const RadioModel ft710 = RadioModel::ft710, ft991a = RadioModel::ft991a;
        QTest::addRow("FT-710, Tab from the name") << ft710 << false << C::name << false;
        QTest::addRow("FT-991A, Shift+Tab from the name") << ft991a << true << C::name << false;
        QTest::addRow("FT-991A, Tab after a pick") << ft991a << false << C::mode << false;
        QTest::addRow("FT-710, Shift+Tab after a pick") << ft710 << true << C::shift << false;
        QTest::addRow("FT-710, Tab after a switch turned") << ft710 << false << C::empty << false;
        QTest::addRow("FT-991A, Shift+Tab after a switch turned") << ft991a << true << C::empty << false;
        QTest::addRow("FT-991A without tone, Tab") << ft991a << false << C::name << true;
        QTest::addRow("FT-991A without tone, Shift+Tab") << ft991a << true << C::empty << true;
    }
    void tabWalksTheWholeRow() {
        QFETCH(RadioModel, model);
        QFETCH(bool, back);
        QFETCH(MemoryColumn, start);
        QFETCH(bool, toneOff);
        QList<RadioMemory> rows = memoryRecords(model, 2);
        for (RadioMemory &row : rows)
            row.flagsRaw = toneOff ? u"00002"_s : row.flagsRaw;
        load(model, rows);
        connectRadio(model);      // "Schreiben" takes part
        QList<QModelIndex> stops; // the controls of 001 and then of 002
        for (int row : {0, 1})
            for (MemoryColumn column : memoryColumns(model))
                if (column != C::slot && column != C::summary &&
                    !(toneOff && (column == C::sqlDecode || column == C::toneNumber)))
                    stops << cell(row, column);
        if (back)
            std::reverse(stops.begin(), stops.end());
        const QModelIndex first = cell(back ? 1 : 0, start);
        const bool pick = MemoryTableModel::kind(start) == MemoryTableModel::CellKind::picker;
        press(first, pick ? 0 : Qt::Key_Space);
        if (pick) {
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Up);
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Return);
        }
        for (const QModelIndex &stop : stops.sliced(stops.indexOf(first) + 1)) {
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab);
            QWidget *at = QApplication::focusWidget(); // the table, or a cell's editor
            QCOMPARE(at == m_view ? m_view->currentIndex() : m_view->indexAt(at->geometry().center()), stop);
            if (!back && stop == cell(1, C::name)) // reached from "Schreiben", at the right end
                QVERIFY(m_view->viewport()->rect().contains(m_view->visualRect(cell(1, C::slot))));
        }
    }

    // Tab past the table's last control, Shift+Tab before its first, and Tab after Escape in a
    // field leave the table for the next control, as Tab on the table does.
    void tabLeavesTheTable_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<MemoryColumn>("start"); // a field opened or a switch turned with Space
        QTest::addColumn<QList<int>>("keys");
        QTest::addRow("Tab past the last control") << 1 << C::empty << QList<int>{Qt::Key_Tab};
        QTest::addRow("Shift+Tab before the first") << 0 << C::name << QList<int>{Qt::Key_Backtab};
        QTest::addRow("Tab after Escape") << 0 << C::name << QList<int>{Qt::Key_Escape, Qt::Key_Tab};
    }
    void tabLeavesTheTable() {
        QFETCH(int, row);
        QFETCH(MemoryColumn, start);
        QFETCH(QList<int>, keys);
        // Without a link "Schreiben" is no control; the button comes after the table and before it.
        load(RadioModel::ft710, memoryRecords(RadioModel::ft710, 2));
        auto *next = new QPushButton(m_panel.get());
        next->show();
        press(cell(row, start), Qt::Key_Space);
        // The search for the next control runs within the key press: one that does not end at the
        // table's end fails here rather than hanging (or, run around the whole int range, passing).
        std::promise<void> pressed;
        std::thread watchdog([ended = pressed.get_future()] {
            if (ended.wait_for(std::chrono::duration<double>(TestWaits::longWait)) !=
                std::future_status::ready)
                qFatal("Tab's search for the next control did not end");
        });
        for (int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        pressed.set_value();
        watchdog.join();
        QCOMPARE(QApplication::focusWidget(), next);
    }

    // A click on a switch's box turns it (as Space does); one beside the box only selects the row.
    void onlyTheBoxTurnsASwitch_data() {
        QTest::addColumn<int>("beside");
        QTest::addRow("on the box") << 0;
        QTest::addRow("28 px beside the box") << 28;
    }
    void onlyTheBoxTurnsASwitch() {
        QFETCH(int, beside);
        load(RadioModel::ft710, memoryRecords(RadioModel::ft710, 3));
        const QPoint point = m_view->visualRect(cell(1, C::empty)).center() + QPoint(beside, 0);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, point);
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"002"_s));
        QCOMPARE(m_app->memories().at(1).isEmpty, beside == 0);
    }

    // The wheel scrolls the rows; with Shift held it scrolls sideways, to the columns on the right.
    // So it does over a picker open in a cell (its list closed with Escape, or reached by Tab), whose
    // channel it leaves as it is.
    void wheelScrollsRowsOrWithShiftColumns_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<int>("key"); // 0: over the table; else Escape on "Mode"'s list, or Tab onto it
        QTest::addRow("over the table") << RadioModel::ft991a << 0;
        QTest::addRow("FT-710, over a picker after Escape") << RadioModel::ft710 << int(Qt::Key_Escape);
        QTest::addRow("FT-991A, over a picker after Tab") << RadioModel::ft991a << int(Qt::Key_Tab);
    }
    void wheelScrollsRowsOrWithShiftColumns() {
        QFETCH(RadioModel, model);
        QFETCH(int, key);
        load(model, memoryRecords(model, 30));
        const QList<RadioMemory> before = m_app->memories();
        QWidget *target = m_view->viewport();
        if (key) {
            press(cell(1, key == Qt::Key_Tab ? C::rx : C::mode), Qt::Key_Space);
            QTRY_VERIFY(key == Qt::Key_Tab || QApplication::activePopupWidget());
            QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key(key));
            target = m_view->indexWidget(cell(1, C::mode));
            QTRY_VERIFY(target && target->hasFocus());
        }
        for (Qt::KeyboardModifier shift : {Qt::NoModifier, Qt::ShiftModifier}) {
            turnWheel(target, shift);
            QCOMPARE(m_app->memories(), before);
            QCOMPARE(m_view->horizontalScrollBar()->value() > 0, shift == Qt::ShiftModifier);
            QVERIFY(m_view->verticalScrollBar()->value() > 0);
        }
    }

    // "Schreiben" reads on the model's colour: its text stands out from the button by at least
    // 4.5:1, the contrast asked of body text.
    void writeButtonTextReadsOnTheModelColour_data() { addRowPerRadioModel(); }
    void writeButtonTextReadsOnTheModelColour() {
        QFETCH(RadioModel, model);
        m_app->setSelectedRadioModel(model);
        connectRadio(model);
        m_panel->setPalette(ModelPalette::forModel(model).widgetPalette());
        const QModelIndex write = cell(0, C::action);
        QCoreApplication::processEvents(); // the model's columns are laid out
        m_view->scrollTo(write);
        QRect middle(0, 0, 70, 16); // inside the button, across its text
        middle.moveCenter(m_view->visualRect(write).center());
        const auto [darkest, lightest] = luminanceRange(m_view->viewport()->grab().toImage().copy(middle));
        QVERIFY((lightest + 0.05) / (darkest + 0.05) >= 4.5);
    }

    // A clicked cell gets no fill of its own: it looks as it did before the click, under the
    // selected row's highlight, with the focus in the table or elsewhere; only the keyboard's
    // frame at its edge may mark it. A clicked field open for typing leaves its edge to the row.
    void clickedCellShowsOnlyTheRowHighlight_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<QString>("then");
        for (RadioModel model : allRadioModels())
            for (const char *then : {"focus stays", "focus leaves", "field open"})
                QTest::addRow("%s, %s", qPrintable(rawValue(model)), then)
                    << model << QString::fromLatin1(then);
    }
    void clickedCellShowsOnlyTheRowHighlight() {
        QFETCH(RadioModel, model);
        QFETCH(QString, then);
        m_panel->setPalette(ModelPalette::forModel(model).widgetPalette());
        load(model, memoryRecords(model, 3), u"002"_s);
        auto *elsewhere = new QPushButton(m_panel.get());
        elsewhere->show();
        const bool fieldOpen = then == u"field open"_s;
        const QList<MemoryColumn> columns = fieldOpen ? QList<MemoryColumn>{C::name, C::rx}
                                                      : QList<MemoryColumn>{C::slot, C::summary, C::empty};
        for (MemoryColumn column : columns) {
            const QModelIndex clicked = cell(1, column);
            m_view->scrollTo(clicked);
            focusCell(cell(0, column));
            const QRect rect = m_view->visualRect(clicked);
            // Inside the keyboard's frame; above an open field.
            const QRect looked =
                fieldOpen ? QRect(rect.topLeft(), QSize(rect.width(), 3)) : rect.adjusted(4, 4, -4, -4);
            const QImage before = m_view->viewport()->grab(looked).toImage();
            const QVariant switchState = clicked.data(Qt::CheckStateRole);
            press(clicked, 0);
            if (column == C::empty) // the click turned the switch; turn it back to compare
                QVERIFY(m_model->setData(clicked, switchState, Qt::CheckStateRole));
            if (then == u"focus leaves"_s)
                elsewhere->setFocus();
            QCOMPARE(bool(m_view->indexWidget(clicked)), fieldOpen);
            QVERIFY2(sameColours(m_view->viewport()->grab(looked).toImage(), before),
                     qPrintable(loc(titleKey(column))));
            m_view->closePersistentEditor(clicked);
        }
    }

    // An empty field shows its column's title in the placeholder colour, readable on the field
    // (3:1, as asked of placeholders), whether its editor is open or not; a filled one its value.
    void emptyFieldShowsItsTitle_data() { addRowPerRadioModel(); }
    void emptyFieldShowsItsTitle() {
        QFETCH(RadioModel, model);
        m_panel->setPalette(ModelPalette::forModel(model).widgetPalette());
        load(model, {memoryRecord(model, fields("frequency= tag= shiftRaw= flagsRaw=00000"))});
        TextRecordingStyle style;
        m_view->setStyle(&style);
        const auto restoreStyle = qScopeGuard([this] { m_view->setStyle(nullptr); });
        const QColor placeholder = m_view->palette().color(QPalette::PlaceholderText);
        int empty = 0;
        for (MemoryColumn column : memoryColumns(model)) {
            const QModelIndex field = cell(0, column);
            if (MemoryTableModel::kind(column) != MemoryTableModel::CellKind::text)
                continue;
            m_view->scrollTo(field);
            style.texts.clear();
            const QImage shown = m_view->viewport()->grab().toImage();
            const auto text = style.within(m_view->visualRect(field));
            QVERIFY(text);
            const QString value = field.data(Qt::EditRole).toString();
            const QString title = loc(titleKey(column));
            QCOMPARE(text->text, value.isEmpty() ? title : value);
            QCOMPARE(text->color, value.isEmpty() ? placeholder : m_view->palette().color(QPalette::Text));
            if (!value.isEmpty())
                continue;
            ++empty;
            // The field's face beside the title's first letter.
            const QPoint face = m_view->visualRect(field).topLeft() + QPoint(8, 10);
            QVERIFY(contrast(placeholder.rgb(), shown.pixel(face)) >= 3);
            press(field, 0);
            auto *editor = qobject_cast<QLineEdit *>(m_view->indexWidget(field));
            QVERIFY(editor);
            QCOMPARE(editor->placeholderText(), title);
            QCOMPARE(editor->palette().color(QPalette::PlaceholderText), placeholder);
            m_view->closePersistentEditor(field);
        }
        QCOMPARE(empty, 4); // name, RX, "Shift Raw" and the amount read from it
    }

    // The column titles stand in the secondary text colour of the summaries below them, and read
    // on the header at least 4.5:1, the contrast asked of body text.
    void headerTitlesAreSecondary_data() { addRowPerRadioModel(); }
    void headerTitlesAreSecondary() {
        QFETCH(RadioModel, model);
        m_panel->setPalette(ModelPalette::forModel(model).widgetPalette());
        load(model, memoryRecords(model, 1));
        QHeaderView *header = m_view->horizontalHeader();
        TextRecordingStyle style;
        m_view->setStyle(&style);
        header->setStyle(&style);
        const auto restoreStyle = qScopeGuard([this, header] {
            header->setStyle(nullptr);
            m_view->setStyle(nullptr);
        });
        m_view->scrollTo(cell(0, C::summary));
        m_view->viewport()->grab();
        const auto summary = style.within(m_view->visualRect(cell(0, C::summary)));
        QVERIFY(summary);
        m_view->scrollTo(cell(0, C::slot));
        const QImage titles = header->grab().toImage();
        const QColor face = titles.pixel(header->sectionSize(0) - 4, titles.height() / 2);
        for (int section = 0; section < header->count(); ++section) {
            const QRect area(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                             header->height());
            if (area.left() > header->width())
                continue;
            const auto title = style.within(area);
            QVERIFY(title);
            QCOMPARE(title->text, loc(titleKey(m_model->column(section))));
            QCOMPARE(title->color, summary->color);
        }
        const QColor text = summary->color;
        const auto over = [&](int ink, int paper) {
            return qRound(text.alphaF() * ink + (1 - text.alphaF()) * paper);
        };
        const QRgb shown = qRgb(over(text.red(), face.red()), over(text.green(), face.green()),
                                over(text.blue(), face.blue()));
        QVERIFY(contrast(shown, face.rgb()) >= 4.5);
    }

    // A title too long for its column ends in "…" inside it, one that fits shows whole; the tool
    // tip and the name a screen reader gives the column are the whole title.
    void longTitleEndsInAnEllipsis_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<MemoryColumn>("column");
        QTest::addRow("English, squelch decode") << u"en"_s << RadioModel::ft991a << C::sqlDecode;
        QTest::addRow("English, tone system") << u"en"_s << RadioModel::ft991a << C::toneSystem;
        QTest::addRow("Greek, encode") << u"el"_s << RadioModel::ft991a << C::openingTone;
        QTest::addRow("Bulgarian, offset amount") << u"bg"_s << RadioModel::ft710 << C::shiftAmount;
    }
    void longTitleEndsInAnEllipsis() {
        QFETCH(QString, language);
        QFETCH(RadioModel, model);
        QFETCH(MemoryColumn, column);
        TestSettings::setLanguage(language);
        load(model, memoryRecords(model, 1));
        QHeaderView *header = m_view->horizontalHeader();
        TextRecordingStyle style;
        header->setStyle(&style);
        const auto restoreStyle = qScopeGuard([header] { header->setStyle(nullptr); });
        m_view->scrollTo(cell(0, column));
        header->grab();
        const int section = m_model->section(column);
        const auto shown = style.within(QRect(header->sectionViewportPosition(section), 0,
                                              header->sectionSize(section), header->height()));
        QVERIFY(shown);
        const QString title = loc(titleKey(column));
        const QFontMetrics metrics = header->fontMetrics();
        QVERIFY2(metrics.horizontalAdvance(shown->text) <= shown->rect.width(), qPrintable(shown->text));
        if (metrics.horizontalAdvance(title) <= shown->rect.width())
            QCOMPARE(shown->text, title);
        else
            QVERIFY2(shown->text.endsWith(u'…') && title.startsWith(shown->text.chopped(1)),
                     qPrintable(shown->text));
        QCOMPARE(m_model->headerData(section, Qt::Horizontal, Qt::ToolTipRole).toString(), title);
        QCOMPARE(columnTitleName(section), title);
    }

    // The editor shows the selected channel. Any edit leaves the stored channel as it is and
    // opens "Übernehmen" and "Zurücksetzen", and "Schreiben" with a link. "Übernehmen" stores the
    // validated channel, the draft keeps the text as typed; "Schreiben" stores and sends it, and
    // the editor's actions wait for the write to end.
    void applyOrWriteStoresTheChannel_data() {
        QTest::addColumn<bool>("write");
        QTest::addRow("apply") << false;
        QTest::addRow("write") << true;
    }
    void applyOrWriteStoresTheChannel() {
        QFETCH(bool, write);
        open(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2), u"002"_s);
        const QList<RadioMemory> before = m_app->memories();
        const RadioMemory &selected = before.at(1); // CTCSS ENC/DEC, both shifts "-"
        QStringList fields;
        for (const char *name : {"badge.slot", "frequency", "tag", "mode", "toneNumber", "toneSql",
                                 "repeaterShift", "clarifierDirection"})
            fields << shown(QString::fromLatin1(name));
        QCOMPARE(fields, (QStringList{selected.slot, selected.frequency, selected.tag, selected.modeCode,
                                      selected.toneNumberCode, "1", "-", "-"}));
        QVERIFY(widget<QCheckBox>("sqlDecode")->isChecked());
        QVERIFY(!button("apply")->isEnabled());
        if (write)
            connectRadio();
        type("frequency", "0145600");
        type("tag", "NEU");
        QVERIFY(m_draft->draftIsDirty());
        QCOMPARE(m_app->memories(), before);
        QVERIFY(button("reset")->isEnabled());
        QCOMPARE(button("write")->isEnabled(), write);
        button(write ? "write" : "apply")->click();
        QCOMPARE(m_app->memories().at(1).frequency, u"145600"_s);
        QCOMPARE(m_app->memories().at(1).tag, u"NEU"_s);
        QCOMPARE(m_app->memories().first(), before.first());
        QCOMPARE(m_draft->draft()->frequency, u"0145600"_s);
        QCOMPARE(m_app->isBusy(), write);
        QVERIFY(!button("apply")->isEnabled() && !button("reset")->isEnabled() &&
                !button("write")->isEnabled());
        QTRY_VERIFY(!m_app->isBusy());
        QVERIFY(!m_app->alertMessage());
        if (write)
            QCOMPARE(m_radio->channel(2)->tag.trimmed(), u"NEU"_s);
    }

    // A channel whose frequency was cleared or given letters is one the radio cannot take: on
    // either write path it becomes the alert before anything is stored or sent. The table keeps the
    // row as the user left it, the draft keeps its text and "Zurücksetzen" brings the channel back,
    // and the frequency typed anew writes the channel with all it held.
    void writeWithoutFrequencyStoresAndSendsNothing_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<bool>("inTable");
        QTest::addColumn<QString>("entry");
        for (RadioModel model : allRadioModels()) {
            const QByteArray name = rawValue(model).toLatin1();
            QTest::addRow("%s, row, cleared", name.data()) << model << true << QString();
            QTest::addRow("%s, detail, cleared", name.data()) << model << false << QString();
            QTest::addRow("%s, detail, letters", name.data()) << model << false << u"abc"_s;
        }
    }
    void writeWithoutFrequencyStoresAndSendsNothing() {
        QFETCH(RadioModel, model);
        QFETCH(bool, inTable);
        QFETCH(QString, entry);
        m_app->setSelectedRadioModel(model);
        open(model, memoryRecords(model, 1));
        connectRadio(model);
        // DATA-USB with a repeater shift, a CTCSS tone on the FT-991A, and a tag as the radio keeps it.
        const FakeRadio::Channel stored{.payload = u"050313000-000600C01002"_s,
                                        .tag = u"6M FT8"_s.leftJustified(12),
                                        .ctcssNumber = u"008"_s};
        m_radio->setChannel(1, stored);
        m_app->readSelected();
        QTRY_VERIFY(!m_app->isBusy());
        const RadioMemory read = m_app->memories().first();
        const QStringList log = m_app->logLines();
        const auto enter = [&](const QString &frequency) {
            if (inTable)
                QVERIFY(m_model->setData(cell(0, C::rx), frequency));
            else
                type("frequency", frequency);
        };
        const auto write = [&] { inTable ? m_model->writeRow(0) : button("write")->click(); };

        enter(entry);
        const QList<RadioMemory> left = m_app->memories();
        const MemoryDraft draft = *m_draft->draft();
        write();
        QCOMPARE(
            m_app->alertMessage(),
            u"Ungültiger Speicherinhalt: Leerer Speicher kann nicht ohne Frequenz geschrieben werden."_s);
        QCOMPARE(m_app->memories(), left);
        QCOMPARE(*m_draft->draft(), draft);
        QVERIFY(!m_app->isBusy());
        QCOMPARE(m_app->logLines(), log);
        QCOMPARE(m_radio->received().filter(u"MW"_s), QStringList());
        QCOMPARE(m_radio->channel(1), stored);
        if (!inTable) {
            QVERIFY(button("reset")->isEnabled());
            button("reset")->click();
            QCOMPARE(*m_draft->draft(), MemoryDraft(read));
        }

        m_app->setAlertMessage(std::nullopt);
        enter(u"50314000"_s);
        write();
        QTRY_VERIFY(!m_app->isBusy());
        QVERIFY(m_app->logLines().first().endsWith(u"Verifikation OK für Speicher 001"_s));
        FakeRadio::Channel rewritten = stored;
        rewritten.payload.replace(0, 9, u"050314000"_s);
        QCOMPARE(m_radio->channel(1), rewritten);
    }

    // A channel as the radio gives it ("007074000") counts as unchanged, read and after its write
    // was verified; the table keeps it as given.
    void channelAsTheRadioGivesItIsUnchanged() {
        m_app->setSelectedRadioModel(RadioModel::ft710);
        open(RadioModel::ft710, {RadioMemory::empty(u"001"_s, RadioModel::ft710)});
        connectRadio(RadioModel::ft710);
        m_radio->setChannel(1, {.payload = u"007074000+000000210000"_s});
        m_app->readSelected();
        QTRY_VERIFY(!m_app->isBusy());
        QCOMPARE(shown(u"badge.changes"_s), loc(u"Keine"_s));
        type("tag", "NEU");
        button("write")->click();
        QTRY_VERIFY(!m_app->isBusy());
        QCOMPARE(m_app->selectedMemory()->frequency + m_radio->channel(1)->tag.trimmed(), u"007074000NEU"_s);
        QCOMPARE(shown(u"badge.changes"_s), loc(u"Keine"_s));
        QVERIFY(!button("apply")->isEnabled() && !button("reset")->isEnabled() &&
                !button("write")->isEnabled());
    }

    // Both editors commit through the draft object: a channel that fails validation, or that the
    // radio could not take, becomes the alert; nothing is stored and nothing is sent.
    void invalidChannelAlertsStoresAndSendsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<QString>("entry");
        QTest::addRow("apply, ten digits") << u"apply"_s << MemoryColumn::rx << u"1234567890"_s;
        QTest::addRow("write, ten digits") << u"write"_s << MemoryColumn::rx << u"1234567890"_s;
        QTest::addRow("row write, zero") << u"row"_s << MemoryColumn::rx << u"000"_s;
        QTest::addRow("write, a tag the radio cannot take")
            << u"write"_s << MemoryColumn::name << u"AB;MW001"_s;
    }
    void invalidChannelAlertsStoresAndSendsNothing() {
        QFETCH(QString, how);
        QFETCH(MemoryColumn, column);
        QFETCH(QString, entry);
        load(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        connectRadio();
        MemoryDraft channel = *m_draft->draft();
        (column == MemoryColumn::rx ? channel.frequency : channel.tag) = entry;
        if (how == u"row"_s)
            QVERIFY(m_model->setData(cell(1, column), entry));
        const QList<RadioMemory> before = m_app->memories();
        if (how == u"row"_s)
            m_model->writeRow(1);
        else
            m_draft->commit(channel, how == u"write"_s);
        QVERIFY(!m_app->alertMessage().value_or(QString()).isEmpty());
        QCOMPARE(m_app->memories(), before);
        QVERIFY(!m_app->isBusy() && m_radio->received().isEmpty());
    }

    // Only a change of the selection makes the draft anew; unapplied edits survive everything else.
    void draftFollowsTheSelectedChannel_data() {
        QTest::addColumn<std::optional<QString>>("selection");
        QTest::addColumn<QString>("draftSlot");
        QTest::addRow("another channel") << std::optional<QString>(u"002"_s) << "002";
        QTest::addRow("the same channel again") << std::optional<QString>(u"001"_s) << "001";
        QTest::addRow("cleared selection") << std::optional<QString>() << "001";
        QTest::addRow("unknown channel") << std::optional<QString>(u"500"_s) << "001";
    }
    void draftFollowsTheSelectedChannel() {
        QFETCH(std::optional<QString>, selection);
        QFETCH(QString, draftSlot);
        load(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        QCOMPARE(*m_draft->draft(), MemoryDraft(m_app->memories().first()));
        editTag(u"UNSAVED"_s);
        m_app->setSelectedMemoryID(selection);
        QCOMPARE(m_draft->draft()->slot, draftSlot);
        QCOMPARE(m_draft->draft()->tag == u"UNSAVED"_s, draftSlot == u"001"_s);
    }

    // An untouched draft follows its channel when the table is read or replaced; through the
    // read-back of a write it asked for, it keeps what the user wrote and counts as changed.
    void untouchedDraftFollowsTheTableButNotAWritesReadBack_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("follows");
        QTest::addRow("import") << u"import"_s << true;
        QTest::addRow("model switch") << u"model"_s << true;
        QTest::addRow("table edit of its row") << u"row edit"_s << true;
        QTest::addRow("table edits of its row, one leaving it without frequency")
            << u"cleared, row edit"_s << true;
        QTest::addRow("read selected") << u"read"_s << true;
        QTest::addRow("import over an edited draft") << u"edited, import"_s << false;
        QTest::addRow("editor write") << u"editor"_s << false;
        QTest::addRow("row write") << u"row"_s << false;
    }
    void untouchedDraftFollowsTheTableButNotAWritesReadBack() {
        QFETCH(QString, change);
        QFETCH(bool, follows);
        load(RadioModel::ft991a, memoryRecords(RadioModel::ft991a, 2));
        const RadioMemory other = memoryRecord(RadioModel::ft991a, {{"tag", "RADIO"}});
        if (change.startsWith(u"edited"_s))
            editTag(u"NEU"_s);
        if (change.startsWith(u"cleared"_s))
            QVERIFY(m_model->setData(cell(0, C::rx), QString()));
        if (change.endsWith(u"import"_s)) {
            load(RadioModel::ft991a, {other});
        } else if (change == u"model"_s) {
            // The selection stays on "001"; the table is rebuilt with empty rows.
            m_app->setSelectedRadioModel(RadioModel::ft710);
        } else if (change.endsWith(u"row edit"_s)) {
            m_app->setMemoryAt(0, other);
        } else {
            connectRadio();
            m_radio->setChannel(
                1, {.payload = u"145525000-000600411001"_s, .tag = u"RADIO"_s, .ctcssNumber = u"012"_s});
            m_radio->rejectNext(u"MT001;"_s); // the written tag reads back empty
            if (change == u"read"_s) {
                m_app->readSelected();
            } else if (change == u"editor"_s) {
                editTag(u"NEU"_s);
                m_draft->commit(*m_draft->draft(), true);
            } else {
                QVERIFY(m_model->setData(cell(0, C::name), u"NEU"_s));
                m_model->writeRow(0);
            }
            QTRY_VERIFY(!m_app->isBusy());
            QVERIFY(m_app->selectedMemory()->tag.trimmed() != u"NEU"_s);
        }
        QCOMPARE(*m_draft->draft() == MemoryDraft(*m_app->selectedMemory()), follows);
        QCOMPARE(m_draft->draft()->tag, follows ? m_app->selectedMemory()->tag : u"NEU"_s);
        QCOMPARE(m_draft->draftIsDirty(), !follows);
    }

    // "Erweitert" shows the raw fields, which edit the same record as the fields above;
    // "Zurücksetzen" restores them too and leaves "Erweitert" open.
    void advancedRawFieldsEditTheSameRecord() {
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        QVERIFY(!widget("flagsRaw")->isVisible());
        widget<QToolButton>("advanced")->click();
        QVERIFY(m_editor->showAdvanced() && widget("flagsRaw")->isVisible());
        type("flagsRaw", "13001");
        QCOMPARE(shown(u"toneSql"_s), u"3"_s);
        QCOMPARE(shown(u"repeaterShift"_s), u"+"_s);
        type("shiftRaw", "+000250");
        QCOMPARE(shown(u"clarifierAmount"_s), u"250"_s);
        pick("clarifierDirection", "-");
        QCOMPARE(shown(u"shiftRaw"_s), u"-000250"_s);

        button("reset")->click();
        QCOMPARE(*m_draft->draft(), MemoryDraft(memoryRecord(RadioModel::ft991a)));
        QCOMPARE(shown(u"flagsRaw"_s), u"01002"_s);
        QVERIFY(m_editor->showAdvanced());
    }

    // The tone number picker offers the table of the tone system; without a tone it gives way to
    // a caption, and SQL decode waits for a system.
    void toneControlsFollowTheToneMode() {
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        auto *tone = widget<QComboBox>("toneNumber");
        QCOMPARE(tone->count(), MemoryDraft::ft991aCtcssOptions().size());
        pick("toneSystem", "dcs");
        QCOMPARE(m_draft->draft()->toneNumberKindRaw, u"1"_s);
        QCOMPARE(tone->count(), MemoryDraft::ft991aDcsOptions().size());
        QCOMPARE(tone->currentData().toString(), u"008"_s);
        pick("toneNumber", "020");
        QCOMPARE(m_draft->draft()->toneNumberCode, u"020"_s);
        widget<QCheckBox>("sqlDecode")->click();
        QCOMPARE(m_draft->draft()->flagsRaw, u"04002"_s);
        widget<QCheckBox>("openingTone")->click();
        QCOMPARE(m_draft->draft()->flagsRaw, u"00002"_s);
        QVERIFY(!widget("sqlDecode")->isEnabled() && widget("openingTone")->isEnabled() &&
                !tone->isVisible() && widget("toneInactive")->isVisible());
    }

    // The model's sections follow the draft's own model; the mode list is the selected model's.
    // A mode the list does not hold shows no entry and stays until the user picks one.
    void sectionsFollowTheDraftsModel() {
        open(RadioModel::ft991a, {memoryRecord(RadioModel::ft991a)});
        m_app->setSelectedRadioModel(RadioModel::ft710);
        m_draft->setDraft(MemoryDraft(memoryRecord(RadioModel::ft991a)));
        QVERIFY(widget("ft991a")->isVisible() && widget("chips")->isVisible() &&
                !widget("ft710")->isVisible());
        QCOMPARE(widget<QComboBox>("mode")->count(), PickerItems::modes(RadioModel::ft710).size());

        m_draft->setDraft(MemoryDraft(memoryRecord(RadioModel::ft710, {{"modeCode", "E"}})));
        QCOMPARE(widget<QComboBox>("mode")->currentIndex(), -1);
        QVERIFY(widget("ft710")->isVisible() && !widget("ft991a")->isVisible() &&
                !widget("chips")->isVisible() && !widget("ft991aHint")->isVisible());
        type("shiftAmount", "25");
        QCOMPARE(m_draft->draft()->shiftRaw, u"-000025"_s);
        pick("shiftDirection", "+");
        QCOMPARE(m_draft->draft()->shiftRaw, u"+000025"_s);
        QCOMPARE(m_draft->draft()->modeCode, u"E"_s);
        pick("mode", "2");
        QCOMPARE(m_draft->draft()->modeCode, u"2"_s);
    }

    // "Ausgewählten schreiben" is the editor's prominent action: while it can be pressed it is
    // filled in the model's colour with white text, as the row's "Schreiben" is; while it cannot
    // (here: without a link), it is not filled and its text is dimmed.
    void writeActionIsProminent_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addColumn<bool>("enabled");
        for (RadioModel model : allRadioModels())
            for (bool enabled : {true, false})
                QTest::addRow("%s, %s", qPrintable(rawValue(model)), enabled ? "enabled" : "disabled")
                    << model << enabled;
    }
    void writeActionIsProminent() {
        QFETCH(RadioModel, model);
        QFETCH(bool, enabled);
        m_app->setSelectedRadioModel(model);
        open(model, memoryRecords(model, 2));
        if (enabled)
            connectRadio(model);
        const ModelPalette palette = ModelPalette::forModel(model);
        m_editor->setPalette(palette.widgetPalette());
        m_editor->setModelPalette(palette);
        editTag(u"NEU"_s);
        QPushButton *write = button(u"write"_s);
        QCOMPARE(write->isEnabled(), enabled);
        const QImage face = write->grab().toImage();
        // Inside the edge, above the text.
        QCOMPARE(near(face.pixel(face.width() / 2, 3), fillForWhiteText(palette.primary).rgb()), enabled);
        const double lightest = luminanceRange(face).second;
        QVERIFY(enabled ? lightest > 0.9 : lightest < 0.4);
    }

private:
    // Replaces the table as an import does (which selects the first row), then selects `selected`.
    void load(RadioModel model, const QList<RadioMemory> &rows, const std::optional<QString> &selected = {}) {
        m_app->applyImportedBackup(MemoryBackup{model, rows, QDateTime::currentDateTimeUtc()});
        if (selected)
            m_app->setSelectedMemoryID(selected);
    }
    void connectRadio(RadioModel model = RadioModel::ft991a) {
        m_radio = std::make_unique<FakeRadio>(model);
        m_app->setSelectedPort(m_radio->devicePath());
        m_app->connect();
        QVERIFY(m_app->isConnected());
    }
    // A colour's relative luminance as WCAG defines it, from 0 (black) to 1 (white).
    static double luminance(QRgb rgb) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
    }
    // The darkest and the lightest relative luminance in the picture.
    static std::pair<double, double> luminanceRange(const QImage &picture) {
        double darkest = 1, lightest = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                darkest = std::min(darkest, luminance(picture.pixel(x, y)));
                lightest = std::max(lightest, luminance(picture.pixel(x, y)));
            }
        }
        return {darkest, lightest};
    }
    static double contrast(QRgb one, QRgb other) {
        const double lighter = std::max(luminance(one), luminance(other));
        const double darker = std::min(luminance(one), luminance(other));
        return (lighter + 0.05) / (darker + 0.05);
    }
    // Whether two colours agree within a rounding step.
    static bool near(QRgb one, QRgb other) {
        return std::max({std::abs(qRed(one) - qRed(other)), std::abs(qGreen(one) - qGreen(other)),
                         std::abs(qBlue(one) - qBlue(other))}) <= 2;
    }
    // Whether two pictures of the same size agree in every pixel, within a rounding step.
    static bool sameColours(const QImage &one, const QImage &other) {
        if (one.size() != other.size())
            return false;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x)
                if (!near(one.pixel(x, y), other.pixel(x, y)))
                    return false;
        return true;
    }
    QModelIndex cell(int row, MemoryColumn column) const {
        return m_model->index(row, m_model->section(column));
    }
    // The name a screen reader gives the title of the column at `section`.
    QString columnTitleName(int section) const {
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(m_view);
        QStringList titles;
        for (int child = 0; child < table->childCount(); ++child)
            if (table->child(child)->role() == QAccessible::ColumnHeader)
                titles << table->child(child)->text(QAccessible::Name);
        return titles.value(section);
    }
    static QList<PickerItem> items(const QModelIndex &index) {
        return index.data(MemoryTableModel::PickerItemsRole).value<QList<PickerItem>>();
    }
    void focusCell(const QModelIndex &index) const {
        QApplication::setActiveWindow(m_panel.get());
        m_view->setFocus();
        m_view->setCurrentIndex(index);
    }
    // Presses `key` on the cell, or clicks it when `key` is 0, in the active window.
    void press(const QModelIndex &index, int key) const {
        QApplication::setActiveWindow(m_panel.get());
        if (!key)
            return QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {},
                                     m_view->visualRect(index).center());
        focusCell(index);
        QTest::keyClick(m_view, Qt::Key(key));
    }

    void open(RadioModel model, const QList<RadioMemory> &rows, const QString &selected = u"001"_s) {
        load(model, rows, selected);
        m_editor = std::make_unique<MemoryDetailEditor>(m_app.get(), m_draft.get());
        m_editor->resize(1300, 900);
        m_editor->show();
    }
    void editTag(const QString &tag) {
        MemoryDraft edited = *m_draft->draft();
        edited.tag = tag;
        m_draft->setDraft(edited);
    }
    // The widget named "detailEditor.<name>".
    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = m_editor->findChild<T *>(u"detailEditor."_s + name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) const { return widget<QPushButton>(name); }
    void type(const QString &field, const QString &text) const {
        auto *edit = widget<QLineEdit>(field);
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void pick(const QString &picker, const QString &tag) const {
        auto *box = widget<QComboBox>(picker);
        const int index = box->findData(tag);
        QVERIFY2(index >= 0, qPrintable(tag));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // What a field, a picker (its entry's tag) or a badge shows.
    QString shown(const QString &name) const {
        QObject *found = widget<QObject>(name);
        if (auto *field = qobject_cast<QLineEdit *>(found))
            return field->text();
        if (auto *box = qobject_cast<QComboBox *>(found))
            return box->currentData().toString();
        return widget<InfoTile>(name)->value();
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakeRadio> m_radio;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<EditorDraft> m_draft;
    std::unique_ptr<MemoryTablePanel> m_panel;
    QTableView *m_view = nullptr;
    MemoryTableModel *m_model = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    std::unique_ptr<MemoryDetailEditor> m_editor;
};

QTEST_MAIN(tst_Editors)
#include "tst_editors.moc"
