#include "AppModel/AppModel.h"
#include "Editors/MemoryTableModel.h"
#include "Editors/MemoryTablePanel.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/ModelPalette.h"
#include "Model/MemoryBackup.h"
#include "RadioLink/LinkTiming.h"
#include "TestSettings.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

RadioMemory occupied(int channel, RadioModel model) {
    RadioMemory memory = RadioMemory::empty(RadioMemory::slotText(channel), model);
    memory.frequency = u"145500000"_s;
    memory.isEmpty = false;
    memory.tag = u"CH %1"_s.arg(channel);
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
    void init() {
        m_settings = std::make_unique<TestSettings>();
        UserDefaults::setValue(L::userDefaultsLanguageKey(), u"de"_s);
        // The fake radio answers at once; the radios' waits need not last.
        LinkTiming::setScale(0.1);
        m_app = std::make_unique<AppModel>();
        m_panel = std::make_unique<MemoryTablePanel>(m_app.get(), nullptr);
        m_panel->resize(1400, 600);
        m_panel->show();
        m_view = m_panel->findChild<QTableView *>(u"memoryTable.view"_s);
        QVERIFY(m_view);
        m_model = qobject_cast<MemoryTableModel *>(m_view->model());
        QVERIFY(m_model);
    }

    void cleanup() {
        m_panel.reset();
        m_app.reset();
    }

    void columnSetFollowsSelectedModel_data() {
        QTest::addColumn<RadioModel>("selected");
        QTest::addColumn<RadioModel>("rowsOf");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("modes"); // count, first and last entry of the mode list
        const QString head = u"Kanal|Name|RX|Mode|Ablage|"_s;
        const QString tail = u"|Leer|Zusammenfassung|Aktion"_s;
        const QStringList ft710 = (head + u"Ablage-Betrag|Shift Raw|Flags Raw"_s + tail).split(u'|');
        const QStringList ft991a = (head +
                                    u"Shift Raw|Flags Raw|Ton/SQL|Tonsystem|Öffnung|SQL-Decode|CTCSS/DCS|"
                                    u"Clarifier|Clarifier Betrag"_s +
                                    tail)
                                       .split(u'|');
        const QStringList ft710Modes{"12", "LSB [1]", "DATA-USB [C]"};
        const QStringList ft991aModes{"14", "LSB [1]", "C4FM [E]"};
        QTest::addRow("FT-710") << RadioModel::ft710 << RadioModel::ft710 << ft710 << ft710Modes;
        QTest::addRow("FT-991A") << RadioModel::ft991a << RadioModel::ft991a << ft991a << ft991aModes;
        QTest::addRow("FT-991A over FT-710 rows")
            << RadioModel::ft991a << RadioModel::ft710 << ft991a << ft991aModes;
        QTest::addRow("FT-710 over FT-991A rows")
            << RadioModel::ft710 << RadioModel::ft991a << ft710 << ft710Modes;
    }
    void columnSetFollowsSelectedModel() {
        QFETCH(RadioModel, selected);
        QFETCH(RadioModel, rowsOf);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, modes);
        m_app->setSelectedRadioModel(selected);
        m_app->replaceMemory(occupied(memoryRange(rowsOf).upperBound + 1, rowsOf));
        QStringList shown, tips;
        for (int section = 0; section < m_model->columnCount(); ++section) {
            shown << m_model->headerData(section, Qt::Horizontal).toString();
            tips << m_model->headerData(section, Qt::Horizontal, Qt::ToolTipRole).toString();
        }
        QCOMPARE(shown, titles);
        QCOMPARE(tips, titles);
        QCOMPARE(m_view->horizontalHeader()->textElideMode(), Qt::ElideRight);
        QCOMPARE(m_view->horizontalHeader()->sectionSize(m_model->section(MemoryColumn::rx)), 130);
        const auto items =
            cell(0, MemoryColumn::mode).data(MemoryTableModel::PickerItemsRole).value<QList<PickerItem>>();
        QCOMPARE((QStringList{QString::number(items.size()), items.first().text, items.last().text}), modes);
    }

    void cellEditStoresRawField_data() {
        QTest::addColumn<RadioModel>("selected");
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<QVariant>("entry");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        const auto ft710 = RadioModel::ft710;
        const auto ft991a = RadioModel::ft991a;
        const QVariant on(Qt::Checked);
        using C = MemoryColumn;
        QTest::addRow("name") << ft710 << C::name << QVariant(u"DB0XYZ"_s) << u"tag"_s << u"DB0XYZ"_s;
        QTest::addRow("RX digits") << ft710 << C::rx << QVariant(u"0145.525"_s) << u"frequency"_s
                                   << u"145525"_s;
        QTest::addRow("RX cleared marks empty")
            << ft710 << C::rx << QVariant(u""_s) << u"isEmpty"_s << u"true"_s;
        QTest::addRow("mode") << ft710 << C::mode << QVariant(u"C"_s) << u"modeCode"_s << u"C"_s;
        QTest::addRow("amount leaves simplex")
            << ft710 << C::shiftAmount << QVariant(u"600"_s) << u"shiftRaw"_s << u"+000600"_s;
        QTest::addRow("shift raw") << ft710 << C::shiftRaw << QVariant(u"-001000"_s) << u"shiftRaw"_s
                                   << u"-001000"_s;
        QTest::addRow("FT-991A shift is the flag")
            << ft991a << C::shift << QVariant(u"-"_s) << u"flagsRaw"_s << u"10002"_s;
        QTest::addRow("tone mode") << ft991a << C::toneSql << QVariant(u"3"_s) << u"flagsRaw"_s << u"13000"_s;
        QTest::addRow("tone system") << ft991a << C::toneSystem << QVariant(u"ctcss"_s) << u"flagsRaw"_s
                                     << u"12000"_s;
        QTest::addRow("clarifier amount")
            << ft991a << C::clarifierAmount << QVariant(u"120"_s) << u"shiftRaw"_s << u"+000120"_s;
        QTest::addRow("empty switch") << ft991a << C::empty << on << u"isEmpty"_s << u"true"_s;
        QTest::addRow("opening switch") << ft991a << C::openingTone << on << u"flagsRaw"_s << u"10000"_s;
        QTest::addRow("flags raw") << ft991a << C::flagsRaw << QVariant(u"x1"_s) << u"flagsRaw"_s << u"x1"_s;
    }
    void cellEditStoresRawField() {
        QFETCH(RadioModel, selected);
        QFETCH(MemoryColumn, column);
        QFETCH(QVariant, entry);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        load(selected, table(selected, 3));
        const bool toggle = MemoryTableModel::kind(column) == MemoryTableModel::CellKind::toggle;
        QVERIFY(m_model->setData(cell(1, column), entry, toggle ? Qt::CheckStateRole : Qt::EditRole));
        const RadioMemory &row = m_app->memories().at(1);
        const QMap<QString, QString> fields{
            {"tag", row.tag},           {"frequency", row.frequency},
            {"modeCode", row.modeCode}, {"shiftRaw", row.shiftRaw},
            {"flagsRaw", row.flagsRaw}, {"isEmpty", row.isEmpty ? "true" : "false"}};
        QCOMPARE(fields.value(field), stored);
    }

    // An edit replaces its row alone, and a row changed in the application model repaints alone.
    void oneRowChangesOneRowRepaints() {
        load(RadioModel::ft710, table(RadioModel::ft710, 5));
        const QList<RadioMemory> before = m_app->memories();
        QSignalSpy rowChanged(m_app.get(), &AppModel::memoryChanged);
        QSignalSpy tableChanged(m_app.get(), &AppModel::memoriesChanged);
        QVERIFY(m_model->setData(cell(2, MemoryColumn::name), u"NEU"_s));
        QCOMPARE(rowChanged.count(), 1);
        QCOMPARE(rowChanged.first().first().toInt(), 2);
        QCOMPARE(tableChanged.count(), 0);
        for (int row : {0, 1, 3, 4})
            QCOMPARE(m_app->memories().at(row), before.at(row));

        QSignalSpy repainted(m_model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
        QCOMPARE(cell(4, MemoryColumn::name).data().toString(), before.at(4).tag);
        RadioMemory changed = m_app->memories().at(4);
        changed.tag = u"GELESEN"_s;
        m_app->replaceMemory(changed);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(repainted.count(), 1);
        QCOMPARE(repainted.first().at(0).toModelIndex().row(), 4);
        QCOMPARE(repainted.first().at(1).toModelIndex().row(), 4);
        QCOMPARE(cell(4, MemoryColumn::name).data().toString(), u"GELESEN"_s);
    }

    void toneCellAndSqlDecodeFollowToneMode_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("decodeEnabled");
        QTest::addColumn<QString>("toneText");
        QTest::addColumn<int>("toneEntries");
        QTest::addRow("off") << "10000" << false << "Nicht aktiv" << 0;
        QTest::addRow("CTCSS") << "11000" << true << "012 · 100.0 Hz" << 50;
        QTest::addRow("DCS") << "14000" << true << "012 · DCS 071" << 104;
    }
    void toneCellAndSqlDecodeFollowToneMode() {
        QFETCH(QString, flags);
        QFETCH(bool, decodeEnabled);
        QFETCH(QString, toneText);
        QFETCH(int, toneEntries);
        RadioMemory memory = occupied(1, RadioModel::ft991a);
        memory.flagsRaw = flags;
        memory.toneNumberCode = u"012"_s;
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

    // A value no entry stands for shows no entry and stays until the user picks one.
    void pickerStoresOnlyAPickedEntry() {
        RadioMemory memory = occupied(1, RadioModel::ft710);
        memory.modeCode = u"E"_s; // C4FM: no FT-710 mode
        load(RadioModel::ft710, {memory});
        const QModelIndex mode = cell(0, MemoryColumn::mode);
        QCOMPARE(mode.data().toString(), QString());
        m_view->edit(mode);
        auto *picker = qobject_cast<QComboBox *>(m_view->indexWidget(mode));
        QVERIFY(picker);
        QCOMPARE(picker->currentIndex(), -1);
        m_view->itemDelegate()->setModelData(picker, m_model, mode);
        QCOMPARE(m_app->memories().first(), memory);
        picker->setCurrentIndex(picker->findData(u"2"_s));
        emit picker->activated(picker->currentIndex());
        QCOMPARE(m_app->memories().first().modeCode, u"2"_s);
        QTRY_VERIFY(!m_view->indexWidget(mode));
    }

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
        load(RadioModel::ft710, table(RadioModel::ft710, 8));
        const QModelIndex name = cell(5, MemoryColumn::name);
        auto *field = qobject_cast<QLineEdit *>(openEditor(name));
        QVERIFY(field);
        QTest::keyClicks(field, u"X"_s);

        QList<RadioMemory> replacement;
        for (int channel = firstChannelAfter; channel < firstChannelAfter + rowsAfter; ++channel)
            replacement << occupied(channel, RadioModel::ft710);
        load(RadioModel::ft710, replacement);
        const QList<RadioMemory> before = m_app->memories();
        m_view->itemDelegate()->setModelData(field, m_model, name);
        if (stored)
            QCOMPARE(m_app->memories().at(5).tag, u"CH 6X"_s);
        else
            QCOMPARE(m_app->memories(), before);
        delete field;
    }

    void staleIndexAfterModelSwitchWritesNothing() {
        load(RadioModel::ft991a, table(RadioModel::ft991a, 3));
        const QModelIndex clarifierAmount = cell(1, MemoryColumn::clarifierAmount);
        m_app->setSelectedRadioModel(RadioModel::ft710);
        const QList<RadioMemory> before = m_app->memories();
        QVERIFY(!m_model->setData(clarifierAmount, u"120"_s));
        QVERIFY(!m_model->data(clarifierAmount).isValid());
        QCOMPARE(m_app->memories(), before);
    }

    void summaryColumn() {
        RadioMemory ft710 = occupied(1, RadioModel::ft710);
        RadioMemory ft991a = occupied(2, RadioModel::ft991a);
        ft991a.flagsRaw = u"11000"_s;
        RadioMemory empty = RadioMemory::empty(u"003"_s, RadioModel::ft991a);
        load(RadioModel::ft710, {ft710});
        m_app->replaceMemory(ft991a); // rows of the other model show their own summary
        m_app->replaceMemory(empty);
        QCOMPARE(cell(0, MemoryColumn::summary).data().toString(), ft710.summary());
        const QStringList parts = cell(1, MemoryColumn::summary).data().toString().split(u" · "_s);
        QVERIFY(parts.size() >= 3);
        QVERIFY(parts.contains(u"CTCSS + SQL"_s));
        QVERIFY(cell(2, MemoryColumn::summary).data().toString().startsWith(u"Leer · "_s));
        // The same channels read anew show their new contents.
        load(RadioModel::ft710, {ft710});
        QCOMPARE(cell(0, MemoryColumn::summary).data().toString(), ft710.summary());
        ft710.frequency = u"145600000"_s;
        load(RadioModel::ft710, {ft710});
        QCOMPARE(cell(0, MemoryColumn::summary).data().toString(), ft710.summary());
    }

    void selectionFollowsSelectedMemoryID() {
        load(RadioModel::ft710, table(RadioModel::ft710, 5));
        QVERIFY(cell(0, MemoryColumn::slot).data(MemoryTableModel::SelectedRole).toBool());
        QSignalSpy repainted(m_model, &QAbstractItemModel::dataChanged);
        m_app->setSelectedMemoryID(u"004"_s);
        QVERIFY(cell(3, MemoryColumn::name).data(MemoryTableModel::SelectedRole).toBool());
        QVERIFY(!cell(0, MemoryColumn::name).data(MemoryTableModel::SelectedRole).toBool());
        QList<int> rows;
        for (const auto &arguments : repainted)
            rows << arguments.at(0).toModelIndex().row();
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, (QList<int>{0, 3}));
        m_app->setSelectedMemoryID(u"999"_s);
        for (int row = 0; row < 5; ++row)
            QVERIFY(!cell(row, MemoryColumn::slot).data(MemoryTableModel::SelectedRole).toBool());
    }

    void clickSelectsRowAndOpensEditorArrowKeysDoNot() {
        load(RadioModel::ft710, table(RadioModel::ft710, 5));
        const QModelIndex name = cell(1, MemoryColumn::name);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualRect(name).center());
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"002"_s));
        auto *field = qobject_cast<QLineEdit *>(m_view->indexWidget(name));
        QVERIFY(field);
        QCOMPARE(field->text(), u"CH 2"_s);
        QTest::keyClick(field, Qt::Key_Escape);
        QTRY_VERIFY(!m_view->indexWidget(name));
        m_view->setFocus();
        QTest::keyClick(m_view, Qt::Key_Right);
        QVERIFY(!m_view->indexWidget(m_view->currentIndex()));
    }

    // The keyboard reaches what the mouse does: Space or Return selects the row and turns a switch
    // or opens a field or picker; Tab leaves the table for the next control.
    void keyboardDrivesTheCurrentCell_data() {
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<int>("key");
        QTest::addRow("Space on a switch") << MemoryColumn::empty << int(Qt::Key_Space);
        QTest::addRow("Space on a field") << MemoryColumn::name << int(Qt::Key_Space);
        QTest::addRow("Return on a picker") << MemoryColumn::mode << int(Qt::Key_Return);
    }
    void keyboardDrivesTheCurrentCell() {
        QFETCH(MemoryColumn, column);
        QFETCH(int, key);
        load(RadioModel::ft710, table(RadioModel::ft710, 3));
        auto *next = new QPushButton(m_panel.get());
        next->show();
        const QModelIndex index = cell(1, column);
        focusCell(index);
        QTest::keyClick(m_view, Qt::Key(key));
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"002"_s));
        if (column == MemoryColumn::empty)
            QVERIFY(m_app->memories().at(1).isEmpty);
        else
            QVERIFY(m_view->indexWidget(index));
        m_view->closePersistentEditor(index);
        focusCell(index);
        QTest::keyClick(m_view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }

    void shiftWheelScrollsSideways() {
        load(RadioModel::ft991a, table(RadioModel::ft991a, 30));
        QWheelEvent wheel(QPointF(50, 50), m_view->viewport()->mapToGlobal(QPointF(50, 50)), {}, {0, -120},
                          Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(m_view->viewport(), &wheel);
        QVERIFY(m_view->horizontalScrollBar()->value() > 0);
        QCOMPARE(m_view->verticalScrollBar()->value(), 0);
    }

    // "Schreiben" reads on the model's colour: its text stands out from the button by at least
    // 4.5:1, the contrast asked of body text.
    void writeButtonTextReadsOnTheModelColour_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addRow("FT-710") << RadioModel::ft710;
        QTest::addRow("FT-991A") << RadioModel::ft991a;
    }
    void writeButtonTextReadsOnTheModelColour() {
        QFETCH(RadioModel, model);
        FakeRadio radio(model);
        m_app->setSelectedRadioModel(model);
        m_app->setSelectedPort(radio.devicePath());
        m_app->connect();
        m_panel->setPalette(ModelPalette::forModel(model).widgetPalette());
        const QModelIndex write = cell(0, MemoryColumn::action);
        QCoreApplication::processEvents(); // the model's columns are laid out
        m_view->scrollTo(write);
        QRect middle(0, 0, 70, 16); // inside the button, across its text
        middle.moveCenter(m_view->visualRect(write).center());
        const QImage button = m_view->viewport()->grab().toImage().copy(middle);
        double darkest = 1, lightest = 0;
        for (int y = 0; y < button.height(); ++y) {
            for (int x = 0; x < button.width(); ++x) {
                darkest = std::min(darkest, luminance(button.pixel(x, y)));
                lightest = std::max(lightest, luminance(button.pixel(x, y)));
            }
        }
        QVERIFY((lightest + 0.05) / (darkest + 0.05) >= 4.5);
    }

    void writeButtonDisabledWhileNotConnected() {
        load(RadioModel::ft710, table(RadioModel::ft710, 3));
        const QModelIndex write = cell(1, MemoryColumn::action);
        QCOMPARE(write.data().toString(), u"Schreiben"_s);
        QVERIFY(!(write.flags() & Qt::ItemIsEnabled));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualRect(write).center());
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"002"_s));
        QVERIFY(!m_app->alertMessage());
    }

    void invalidRowWriteAlertsAndChangesNothing_data() {
        QTest::addColumn<MemoryColumn>("column");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("alert");
        QTest::addRow("ten digits")
            << MemoryColumn::rx << u"1234567890"_s
            << u"Ungültiger Speicherinhalt: Frequenz darf höchstens 9 Ziffern haben."_s;
        QTest::addRow("zero") << MemoryColumn::rx << u"000"_s
                              << u"Ungültiger Speicherinhalt: Frequenz 0 ist ungültig."_s;
        QTest::addRow("a tag the radio cannot take")
            << MemoryColumn::name << u"AB;MW001"_s
            << u"Ungültiger Speicherinhalt: Das Feld „Tag“ enthält ein Zeichen, das nicht an das Funkgerät "
               u"gesendet werden kann (erlaubt sind nur druckbare ASCII-Zeichen außer „;“)."_s;
    }
    void invalidRowWriteAlertsAndChangesNothing() {
        QFETCH(MemoryColumn, column);
        QFETCH(QString, entry);
        QFETCH(QString, alert);
        FakeRadio radio(RadioModel::ft710);
        m_app->setSelectedPort(radio.devicePath());
        m_app->connect();
        load(RadioModel::ft710, table(RadioModel::ft710, 3));
        QVERIFY(m_model->setData(cell(2, column), entry));
        const QList<RadioMemory> before = m_app->memories();
        m_model->writeRow(2);
        QCOMPARE(m_app->alertMessage(), std::optional<QString>(alert));
        QCOMPARE(m_app->memories(), before);
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"003"_s));
        QVERIFY(!m_app->isBusy());
        QVERIFY(radio.received().isEmpty());
    }

    void validRowWriteSelectsAndStartsWrite_data() {
        QTest::addColumn<int>("key"); // 0: a click
        QTest::addRow("click") << 0;
        QTest::addRow("Return") << int(Qt::Key_Return);
        QTest::addRow("Space") << int(Qt::Key_Space);
    }
    void validRowWriteSelectsAndStartsWrite() {
        QFETCH(int, key);
        FakeRadio radio(RadioModel::ft710);
        m_app->setSelectedPort(radio.devicePath());
        m_app->connect();
        QVERIFY(m_app->isConnected());
        load(RadioModel::ft710, table(RadioModel::ft710, 3));
        QVERIFY(m_model->setData(cell(1, MemoryColumn::rx), u"145.600.000"_s));
        const QModelIndex write = cell(1, MemoryColumn::action);
        QVERIFY(write.flags() & Qt::ItemIsEnabled);

        if (key) {
            focusCell(write);
            QTest::keyClick(m_view, Qt::Key(key));
        } else {
            QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, m_view->visualRect(write).center());
        }
        QCOMPARE(m_app->selectedMemoryID(), std::optional<QString>(u"002"_s));
        QVERIFY(m_app->isBusy());
        QVERIFY(!(write.flags() & Qt::ItemIsEnabled));
        QTRY_VERIFY(!m_app->isBusy());
        QVERIFY(radio.channel(2));
        QVERIFY(radio.channel(2)->payload.startsWith(u"145600000"_s));
        QVERIFY(!m_app->alertMessage());
    }

private:
    void load(RadioModel model, const QList<RadioMemory> &rows) {
        m_app->applyImportedBackup(MemoryBackup{model, rows, QDateTime::currentDateTimeUtc()});
    }
    // A colour's relative luminance as WCAG defines it, from 0 (black) to 1 (white).
    static double luminance(QRgb rgb) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
    }
    QModelIndex cell(int row, MemoryColumn column) const {
        return m_model->index(row, m_model->section(column));
    }
    void focusCell(const QModelIndex &index) const {
        QApplication::setActiveWindow(m_panel.get());
        m_view->setFocus();
        m_view->setCurrentIndex(index);
    }
    QWidget *openEditor(const QModelIndex &index) const {
        QStyleOptionViewItem option;
        QWidget *editor = m_view->itemDelegate()->createEditor(m_view->viewport(), option, index);
        m_view->itemDelegate()->setEditorData(editor, index);
        return editor;
    }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<MemoryTablePanel> m_panel;
    QTableView *m_view = nullptr;
    MemoryTableModel *m_model = nullptr;
};

QTEST_MAIN(tst_MemoryTable)
#include "tst_memorytable.moc"
