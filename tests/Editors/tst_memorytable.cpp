#include "AppModel/AppModel.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTablePanel.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/MemoryBackup.h"
#include "RadioLink/LinkTiming.h"
#include "TestSettings.h"

#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <memory>

namespace {

RadioMemory occupied(int channel, RadioModel model) {
    RadioMemory memory = RadioMemory::empty(RadioMemory::slotText(channel), model);
    memory.frequency = QStringLiteral("145500000");
    memory.isEmpty = false;
    memory.tag = QStringLiteral("CH %1").arg(channel);
    return memory;
}

QList<RadioMemory> table(RadioModel model, int count) {
    QList<RadioMemory> rows;
    for (int channel = 1; channel <= count; ++channel)
        rows << occupied(channel, model);
    return rows;
}

} // namespace

class tst_MemoryTable : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void columnSetFollowsSelectedModel_data();
    void columnSetFollowsSelectedModel();
    void cellEditStoresRawField_data();
    void cellEditStoresRawField();
    void cellEditReplacesOnlyItsRow();
    void modeListIsSelectedModels();
    void toneCellAndSqlDecodeFollowToneMode_data();
    void toneCellAndSqlDecodeFollowToneMode();
    void unmatchedPickerValueShowsNothingAndIsKept();
    void pickedEntryIsStored();
    void editAfterTableReplacedWritesNothing_data();
    void editAfterTableReplacedWritesNothing();
    void staleIndexAfterModelSwitchWritesNothing();
    void summaryColumn();
    void selectionFollowsSelectedMemoryID();
    void clickSelectsRow();
    void clickOpensEditorArrowKeysDoNot();
    void changedRowRepaintsAlone();
    void writeButtonDisabledWhileNotConnected();
    void invalidRowWriteAlertsAndChangesNothing_data();
    void invalidRowWriteAlertsAndChangesNothing();
    void validRowWriteSelectsAndStartsWrite();

private:
    void load(RadioModel model, const QList<RadioMemory> &rows);
    QModelIndex cell(int row, MemoryColumn column) const;
    QWidget *openEditor(const QModelIndex &index) const;

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<MemoryTablePanel> m_panel;
    QTableView *m_view = nullptr;
    MemoryTableModel *m_model = nullptr;
};

void tst_MemoryTable::init() {
    m_settings = std::make_unique<TestSettings>();
    UserDefaults::setValue(L::userDefaultsLanguageKey(), QStringLiteral("de"));
    // The fake radio answers at once; the radios' waits need not last.
    LinkTiming::setScale(0.1);
    m_app = std::make_unique<AppModel>();
    m_panel = std::make_unique<MemoryTablePanel>(m_app.get(), nullptr);
    m_panel->resize(1400, 600);
    m_panel->show();
    m_view = m_panel->findChild<QTableView *>(QStringLiteral("memoryTable.view"));
    QVERIFY(m_view);
    m_model = qobject_cast<MemoryTableModel *>(m_view->model());
    QVERIFY(m_model);
}

void tst_MemoryTable::cleanup() {
    m_panel.reset();
    m_app.reset();
}

void tst_MemoryTable::load(RadioModel model, const QList<RadioMemory> &rows) {
    m_app->applyImportedBackup(MemoryBackup{model, rows, QDateTime::currentDateTimeUtc()});
}

QModelIndex tst_MemoryTable::cell(int row, MemoryColumn column) const {
    return m_model->index(row, m_model->section(column));
}

QWidget *tst_MemoryTable::openEditor(const QModelIndex &index) const {
    QStyleOptionViewItem option;
    QWidget *editor = m_view->itemDelegate()->createEditor(m_view->viewport(), option, index);
    m_view->itemDelegate()->setEditorData(editor, index);
    return editor;
}

void tst_MemoryTable::columnSetFollowsSelectedModel_data() {
    QTest::addColumn<RadioModel>("selected");
    QTest::addColumn<RadioModel>("rowsOf");
    QTest::addColumn<QStringList>("titles");
    const QStringList ft710{"Kanal",         "Name",      "RX",        "Mode", "Ablage",
                            "Ablage-Betrag", "Shift Raw", "Flags Raw", "Leer", "Zusammenfassung",
                            "Aktion"};
    const QStringList ft991a{"Kanal",      "Name",
                             "RX",         "Mode",
                             "Ablage",     "Shift Raw",
                             "Flags Raw",  "Ton/SQL",
                             "Tonsystem",  "Öffnung",
                             "SQL-Decode", "CTCSS/DCS",
                             "Clarifier",  "Clarifier Betrag",
                             "Leer",       "Zusammenfassung",
                             "Aktion"};
    QTest::addRow("FT-710") << RadioModel::ft710 << RadioModel::ft710 << ft710;
    QTest::addRow("FT-991A") << RadioModel::ft991a << RadioModel::ft991a << ft991a;
    QTest::addRow("FT-991A over FT-710 rows") << RadioModel::ft991a << RadioModel::ft710 << ft991a;
}

void tst_MemoryTable::columnSetFollowsSelectedModel() {
    QFETCH(RadioModel, selected);
    QFETCH(RadioModel, rowsOf);
    QFETCH(QStringList, titles);
    m_app->setSelectedRadioModel(selected);
    const ChannelRange range = memoryRange(rowsOf);
    m_app->replaceMemory(occupied(range.upperBound + 1, rowsOf));
    QStringList shown;
    for (int section = 0; section < m_model->columnCount(); ++section)
        shown << m_model->headerData(section, Qt::Horizontal).toString();
    QCOMPARE(shown, titles);
    QCOMPARE(m_view->horizontalHeader()->sectionSize(m_model->section(MemoryColumn::rx)), 130);
}

void tst_MemoryTable::cellEditStoresRawField_data() {
    QTest::addColumn<RadioModel>("selected");
    QTest::addColumn<MemoryColumn>("column");
    QTest::addColumn<QVariant>("entry");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("stored");
    const auto ft710 = RadioModel::ft710;
    const auto ft991a = RadioModel::ft991a;
    QTest::addRow("name") << ft710 << MemoryColumn::name << QVariant("DB0XYZ") << "tag" << QVariant("DB0XYZ");
    QTest::addRow("RX digits") << ft710 << MemoryColumn::rx << QVariant("0145.525") << "frequency"
                               << QVariant("145525");
    QTest::addRow("RX cleared marks empty")
        << ft710 << MemoryColumn::rx << QVariant("") << "isEmpty" << QVariant(true);
    QTest::addRow("mode") << ft710 << MemoryColumn::mode << QVariant("C") << "modeCode" << QVariant("C");
    QTest::addRow("FT-710 amount leaves simplex")
        << ft710 << MemoryColumn::shiftAmount << QVariant("600") << "shiftRaw" << QVariant("+000600");
    QTest::addRow("FT-710 shift raw")
        << ft710 << MemoryColumn::shiftRaw << QVariant("-001000") << "shiftRaw" << QVariant("-001000");
    QTest::addRow("FT-991A shift is the flag")
        << ft991a << MemoryColumn::shift << QVariant("-") << "flagsRaw" << QVariant("10002");
    QTest::addRow("tone mode") << ft991a << MemoryColumn::toneSql << QVariant("3") << "flagsRaw"
                               << QVariant("13000");
    QTest::addRow("tone system") << ft991a << MemoryColumn::toneSystem << QVariant("ctcss") << "flagsRaw"
                                 << QVariant("12000");
    QTest::addRow("clarifier amount")
        << ft991a << MemoryColumn::clarifierAmount << QVariant("120") << "shiftRaw" << QVariant("+000120");
    QTest::addRow("empty switch") << ft991a << MemoryColumn::empty << QVariant(Qt::Checked) << "isEmpty"
                                  << QVariant(true);
    QTest::addRow("opening switch") << ft991a << MemoryColumn::openingTone << QVariant(Qt::Checked)
                                    << "flagsRaw" << QVariant("10000");
    QTest::addRow("flags raw") << ft991a << MemoryColumn::flagsRaw << QVariant("x1") << "flagsRaw"
                               << QVariant("x1");
}

void tst_MemoryTable::cellEditStoresRawField() {
    QFETCH(RadioModel, selected);
    QFETCH(MemoryColumn, column);
    QFETCH(QVariant, entry);
    QFETCH(QString, field);
    QFETCH(QVariant, stored);
    load(selected, table(selected, 3));
    const int role = MemoryTableModel::kind(column) == MemoryTableModel::CellKind::toggle ? Qt::CheckStateRole
                                                                                          : Qt::EditRole;
    QVERIFY(m_model->setData(cell(1, column), entry, role));
    const RadioMemory &row = m_app->memories().at(1);
    const QVariant actual = field == "isEmpty" ? QVariant(row.isEmpty)
                                               : QVariant(QMap<QString, QString>{{"tag", row.tag},
                                                                                 {"frequency", row.frequency},
                                                                                 {"modeCode", row.modeCode},
                                                                                 {"shiftRaw", row.shiftRaw},
                                                                                 {"flagsRaw", row.flagsRaw}}
                                                              .value(field));
    QCOMPARE(actual, stored);
}

void tst_MemoryTable::cellEditReplacesOnlyItsRow() {
    load(RadioModel::ft710, table(RadioModel::ft710, 5));
    const QList<RadioMemory> before = m_app->memories();
    QSignalSpy rowChanged(m_app.get(), &AppModel::memoryChanged);
    QSignalSpy tableChanged(m_app.get(), &AppModel::memoriesChanged);
    QVERIFY(m_model->setData(cell(2, MemoryColumn::name), QStringLiteral("NEU")));
    QCOMPARE(rowChanged.count(), 1);
    QCOMPARE(rowChanged.first().first().toInt(), 2);
    QCOMPARE(tableChanged.count(), 0);
    for (int row : {0, 1, 3, 4})
        QCOMPARE(m_app->memories().at(row), before.at(row));
}

void tst_MemoryTable::modeListIsSelectedModels() {
    load(RadioModel::ft710, table(RadioModel::ft710, 1));
    auto items =
        cell(0, MemoryColumn::mode).data(MemoryTableModel::PickerItemsRole).value<QList<PickerItem>>();
    QCOMPARE(items.size(), 12);
    QCOMPARE(items.first().text, QStringLiteral("LSB [1]"));
    QCOMPARE(items.last().text, QStringLiteral("DATA-USB [C]"));
    load(RadioModel::ft991a, table(RadioModel::ft710, 1));
    items = cell(0, MemoryColumn::mode).data(MemoryTableModel::PickerItemsRole).value<QList<PickerItem>>();
    QCOMPARE(items.size(), 14);
    QCOMPARE(items.last().text, QStringLiteral("C4FM [E]"));
}

void tst_MemoryTable::toneCellAndSqlDecodeFollowToneMode_data() {
    QTest::addColumn<QString>("flags");
    QTest::addColumn<bool>("decodeEnabled");
    QTest::addColumn<QString>("toneText");
    QTest::addColumn<int>("toneEntries");
    QTest::addRow("off") << "10000" << false << "Nicht aktiv" << 0;
    QTest::addRow("CTCSS") << "11000" << true << "012 · 100.0 Hz" << 50;
    QTest::addRow("DCS") << "14000" << true << "012 · DCS 071" << 104;
}

void tst_MemoryTable::toneCellAndSqlDecodeFollowToneMode() {
    QFETCH(QString, flags);
    QFETCH(bool, decodeEnabled);
    QFETCH(QString, toneText);
    QFETCH(int, toneEntries);
    RadioMemory memory = occupied(1, RadioModel::ft991a);
    memory.flagsRaw = flags;
    memory.toneNumberCode = QStringLiteral("012");
    load(RadioModel::ft991a, {memory});
    QCOMPARE(bool(cell(0, MemoryColumn::sqlDecode).flags() & Qt::ItemIsEnabled), decodeEnabled);
    QVERIFY(cell(0, MemoryColumn::openingTone).flags() & Qt::ItemIsEnabled);
    const QModelIndex tone = cell(0, MemoryColumn::toneNumber);
    QCOMPARE(tone.data().toString(), toneText);
    QCOMPARE(bool(tone.flags() & Qt::ItemIsEditable), toneEntries > 0);
    QCOMPARE(tone.data(MemoryTableModel::PickerItemsRole).value<QList<PickerItem>>().size(), toneEntries);
    QCOMPARE(m_model->setData(cell(0, MemoryColumn::sqlDecode), Qt::Checked, Qt::CheckStateRole),
             decodeEnabled);
}

void tst_MemoryTable::unmatchedPickerValueShowsNothingAndIsKept() {
    RadioMemory memory = occupied(1, RadioModel::ft710);
    memory.modeCode = QStringLiteral("E"); // C4FM: no FT-710 mode
    load(RadioModel::ft710, {memory});
    const QModelIndex mode = cell(0, MemoryColumn::mode);
    QCOMPARE(mode.data().toString(), QString());
    QWidget *editor = openEditor(mode);
    auto *picker = qobject_cast<QComboBox *>(editor);
    QVERIFY(picker);
    QCOMPARE(picker->currentIndex(), -1);
    m_view->itemDelegate()->setModelData(editor, m_model, mode);
    QCOMPARE(m_app->memories().first().modeCode, QStringLiteral("E"));
    delete editor;
}

void tst_MemoryTable::pickedEntryIsStored() {
    load(RadioModel::ft991a, table(RadioModel::ft991a, 2));
    const QModelIndex tone = cell(1, MemoryColumn::toneSql);
    m_view->edit(tone);
    auto *picker = qobject_cast<QComboBox *>(m_view->indexWidget(tone));
    QVERIFY(picker);
    QCOMPARE(picker->currentText(), QStringLiteral("Aus"));
    // Leaving the picker without a pick stores nothing, not even the same value rewritten.
    m_view->itemDelegate()->setModelData(picker, m_model, tone);
    QCOMPARE(m_app->memories().at(1), occupied(2, RadioModel::ft991a));
    picker->setCurrentIndex(picker->findData(QStringLiteral("2")));
    emit picker->activated(picker->currentIndex());
    QCOMPARE(m_app->memories().at(1).flagsRaw, QStringLiteral("12000"));
    QCOMPARE(m_app->memories().at(1).toneNumberKindRaw, QStringLiteral("0"));
    QTRY_VERIFY(!m_view->indexWidget(tone));
}

void tst_MemoryTable::editAfterTableReplacedWritesNothing_data() {
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<int>("firstChannelAfter");
    QTest::addColumn<bool>("stored");
    QTest::addRow("shortened") << 3 << 1 << false;
    QTest::addRow("other channel in the row") << 8 << 4 << false;
    QTest::addRow("same channel in the row") << 8 << 1 << true;
}

void tst_MemoryTable::editAfterTableReplacedWritesNothing() {
    QFETCH(int, rowsAfter);
    QFETCH(int, firstChannelAfter);
    QFETCH(bool, stored);
    load(RadioModel::ft710, table(RadioModel::ft710, 8));
    const QModelIndex name = cell(5, MemoryColumn::name);
    auto *field = qobject_cast<QLineEdit *>(openEditor(name));
    QVERIFY(field);
    QTest::keyClicks(field, QStringLiteral("X"));

    QList<RadioMemory> replacement;
    for (int channel = firstChannelAfter; channel < firstChannelAfter + rowsAfter; ++channel)
        replacement << occupied(channel, RadioModel::ft710);
    load(RadioModel::ft710, replacement);
    const QList<RadioMemory> before = m_app->memories();
    m_view->itemDelegate()->setModelData(field, m_model, name);
    if (stored)
        QCOMPARE(m_app->memories().at(5).tag, QStringLiteral("CH 6X"));
    else
        QCOMPARE(m_app->memories(), before);
    delete field;
}

void tst_MemoryTable::staleIndexAfterModelSwitchWritesNothing() {
    load(RadioModel::ft991a, table(RadioModel::ft991a, 3));
    const QModelIndex clarifierAmount = cell(1, MemoryColumn::clarifierAmount);
    m_app->setSelectedRadioModel(RadioModel::ft710);
    const QList<RadioMemory> before = m_app->memories();
    QVERIFY(!m_model->setData(clarifierAmount, QStringLiteral("120")));
    QVERIFY(!m_model->data(clarifierAmount).isValid());
    QCOMPARE(m_app->memories(), before);
}

void tst_MemoryTable::summaryColumn() {
    RadioMemory ft710 = occupied(1, RadioModel::ft710);
    RadioMemory ft991a = occupied(2, RadioModel::ft991a);
    ft991a.flagsRaw = QStringLiteral("11000");
    RadioMemory empty = RadioMemory::empty(QStringLiteral("003"), RadioModel::ft991a);
    load(RadioModel::ft710, {ft710, ft991a, empty});
    QCOMPARE(cell(0, MemoryColumn::summary).data().toString(), ft710.summary());
    const QStringList parts = cell(1, MemoryColumn::summary).data().toString().split(QStringLiteral(" · "));
    QVERIFY(parts.size() >= 3);
    QVERIFY(parts.contains(QStringLiteral("CTCSS + SQL")));
    QVERIFY(cell(2, MemoryColumn::summary).data().toString().startsWith(QStringLiteral("Leer · ")));
}

void tst_MemoryTable::selectionFollowsSelectedMemoryID() {
    load(RadioModel::ft710, table(RadioModel::ft710, 5));
    QVERIFY(cell(0, MemoryColumn::slot).data(MemoryTableModel::SelectedRole).toBool());
    QSignalSpy repainted(m_model, &QAbstractItemModel::dataChanged);
    m_app->setSelectedMemoryID(QStringLiteral("004"));
    QVERIFY(cell(3, MemoryColumn::name).data(MemoryTableModel::SelectedRole).toBool());
    QVERIFY(!cell(0, MemoryColumn::name).data(MemoryTableModel::SelectedRole).toBool());
    QList<int> rows;
    for (const auto &arguments : repainted)
        rows << arguments.at(0).toModelIndex().row();
    std::sort(rows.begin(), rows.end());
    QCOMPARE(rows, (QList<int>{0, 3}));
    m_app->setSelectedMemoryID(QStringLiteral("999"));
    for (int row = 0; row < 5; ++row)
        QVERIFY(!cell(row, MemoryColumn::slot).data(MemoryTableModel::SelectedRole).toBool());
}

void tst_MemoryTable::clickSelectsRow() {
    load(RadioModel::ft710, table(RadioModel::ft710, 5));
    const QRect slot = m_view->visualRect(cell(2, MemoryColumn::slot));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, slot.center());
    QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(QStringLiteral("003")));
}

void tst_MemoryTable::clickOpensEditorArrowKeysDoNot() {
    load(RadioModel::ft710, table(RadioModel::ft710, 5));
    const QModelIndex name = cell(1, MemoryColumn::name);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualRect(name).center());
    auto *field = qobject_cast<QLineEdit *>(m_view->indexWidget(name));
    QVERIFY(field);
    QCOMPARE(field->text(), QStringLiteral("CH 2"));
    QTest::keyClick(field, Qt::Key_Escape);
    QTRY_VERIFY(!m_view->indexWidget(name));
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key_Right);
    QVERIFY(!m_view->indexWidget(m_view->currentIndex()));
}

void tst_MemoryTable::changedRowRepaintsAlone() {
    load(RadioModel::ft710, table(RadioModel::ft710, 5));
    QSignalSpy repainted(m_model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
    RadioMemory changed = m_app->memories().at(4);
    changed.tag = QStringLiteral("GELESEN");
    m_app->replaceMemory(changed);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(repainted.count(), 1);
    QCOMPARE(repainted.first().at(0).toModelIndex().row(), 4);
    QCOMPARE(repainted.first().at(1).toModelIndex().row(), 4);
    QCOMPARE(cell(4, MemoryColumn::name).data().toString(), QStringLiteral("GELESEN"));
}

void tst_MemoryTable::writeButtonDisabledWhileNotConnected() {
    load(RadioModel::ft710, table(RadioModel::ft710, 3));
    const QModelIndex write = cell(1, MemoryColumn::action);
    QCOMPARE(write.data().toString(), QStringLiteral("Schreiben"));
    QVERIFY(!(write.flags() & Qt::ItemIsEnabled));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualRect(write).center());
    QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(QStringLiteral("002")));
    QVERIFY(!m_app->alertMessage());
}

void tst_MemoryTable::invalidRowWriteAlertsAndChangesNothing_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("alert");
    QTest::addRow("ten digits") << "1234567890"
                                << "Ungültiger Speicherinhalt: Frequenz darf höchstens 9 Ziffern haben.";
    QTest::addRow("zero") << "000"
                          << "Ungültiger Speicherinhalt: Frequenz 0 ist ungültig.";
}

void tst_MemoryTable::invalidRowWriteAlertsAndChangesNothing() {
    QFETCH(QString, entry);
    QFETCH(QString, alert);
    load(RadioModel::ft710, table(RadioModel::ft710, 3));
    QVERIFY(m_model->setData(cell(2, MemoryColumn::rx), entry));
    const QList<RadioMemory> before = m_app->memories();
    m_model->writeRow(2);
    QCOMPARE(m_app->alertMessage(), std::optional<QString>(alert));
    QCOMPARE(m_app->memories(), before);
    QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(QStringLiteral("003")));
}

void tst_MemoryTable::validRowWriteSelectsAndStartsWrite() {
    FakeRadio radio(RadioModel::ft710);
    m_app->setSelectedPort(radio.devicePath());
    m_app->connect();
    QVERIFY(m_app->isConnected());
    load(RadioModel::ft710, table(RadioModel::ft710, 3));
    QVERIFY(m_model->setData(cell(1, MemoryColumn::rx), QStringLiteral("145.600.000")));
    const QModelIndex write = cell(1, MemoryColumn::action);
    QVERIFY(write.flags() & Qt::ItemIsEnabled);

    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualRect(write).center());
    QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(QStringLiteral("002")));
    QVERIFY(m_app->isBusy());
    QVERIFY(!(write.flags() & Qt::ItemIsEnabled));
    QTRY_VERIFY(!m_app->isBusy());
    QVERIFY(radio.channel(2));
    QVERIFY(radio.channel(2)->payload.startsWith(QStringLiteral("145600000")));
    QVERIFY(!m_app->alertMessage());
}

QTEST_MAIN(tst_MemoryTable)
#include "tst_memorytable.moc"
