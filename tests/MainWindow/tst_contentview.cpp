#include "App/LanguageSelection.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/BackupFile.h"
#include "MainWindow/LogTextView.h"
#include "MainWindowFixture.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The main window driven by object name as the user drives it, against the fake radio.
class ContentViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowFixture> w;
    AppModel *m_model = nullptr;
    ContentView *m_view = nullptr;

    void click(const QString &name) { w->widget<QAbstractButton>(name)->click(); }
    QMessageBox *shownAlert() {
        auto *box = m_view->findChild<QMessageBox *>(u"alert"_s);
        return box && box->isVisible() ? box : nullptr;
    }

    void connectAndWait() {
        w->button(u"sidebar.connect"_s)->click();
        QTRY_VERIFY(m_model->isConnected());
    }

private slots:
    void init() {
        w = std::make_unique<MainWindowFixture>();
        w->openWindow();
        m_model = w->model.get();
        m_view = w->view.get();
    }
    void cleanup() { w.reset(); }

    void startUpStateIsShown() {
        QCOMPARE(w->text(u"sidebar.badge.state"_s), u"Getrennt"_s);
        QCOMPARE(w->text(u"sidebar.badge.model"_s), u"FT-710"_s);
        QCOMPARE(w->widget<QComboBox>(u"sidebar.port"_s)->currentText(), w->portPath());
        QCOMPARE(w->widget<QComboBox>(u"sidebar.baud"_s)->currentText(), u"38400"_s);
        // Disconnected: only the reads and "Trennen" wait for a link.
        for (const char *name : {"sidebar.connect", "toolbar.export", "toolbar.import", "toolbar.settings"})
            QVERIFY2(w->button(QString::fromLatin1(name))->isEnabled(), name);
        for (const char *name : {"sidebar.disconnect", "toolbar.readAll", "toolbar.readSelected"})
            QVERIFY2(!w->button(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(w->widget(u"detail.tableSlot"_s)->isVisible());
        QCOMPARE(w->text(u"log.heightValue"_s), u"220"_s);
        QCOMPARE(m_view->draft()->slot, u"001"_s);
    }

    // The user's choices are stored at once; listing the devices and the log height are not.
    void choicesAreStoredWhenTheUserMakesThem_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<RadioModel>("storedModel");
        QTest::addColumn<bool>("storedPort");
        QTest::addColumn<int>("storedRate");
        QTest::addRow("refresh the ports") << "refresh" << false << RadioModel::ft710 << false << 0;
        QTest::addRow("log height") << "height" << false << RadioModel::ft710 << false << 0;
        QTest::addRow("no port") << "no port" << true << RadioModel::ft710 << false << 38400;
        QTest::addRow("baud rate") << "baud" << true << RadioModel::ft710 << true << 9600;
        QTest::addRow("radio model") << "model" << true << RadioModel::ft991a << true << 38400;
    }
    void choicesAreStoredWhenTheUserMakesThem() {
        QFETCH(QString, choice);
        QFETCH(bool, stored);
        QFETCH(RadioModel, storedModel);
        QFETCH(bool, storedPort);
        QFETCH(int, storedRate);
        if (choice == u"refresh"_s)
            click(u"sidebar.refreshPorts"_s);
        else if (choice == u"height"_s)
            QTest::keyClick(w->widget<QSlider>(u"log.height"_s), Qt::Key_End);
        else if (choice == u"no port"_s)
            QVERIFY(w->choose(u"sidebar.port"_s, QString()));
        else if (choice == u"baud"_s)
            QVERIFY(w->choose(u"sidebar.baud"_s, 9600));
        else
            click(u"sidebar.model.FT-991A"_s);
        const auto preferences = w->storedPreferences();
        QCOMPARE(preferences.has_value(), stored);
        if (!stored)
            return;
        QCOMPARE(preferences->selectedRadioModel, storedModel);
        const DeviceSettings expected{storedPort ? w->portPath() : QString(), storedRate};
        QCOMPARE(preferences->savedSettingsByModel.value(u"FT-710"_s), expected);
    }

    // A value no item has is shown dimmed in the menu, and no item is added for it.
    void valueOutsideTheMenusIsShownAsPlaceholder() {
        m_model->setSelectedPort(u"/nowhere/ttyUSB9"_s);
        m_model->setBaudRate(1200);
        for (auto [name, shown, items] : {std::tuple(u"sidebar.port"_s, u"/nowhere/ttyUSB9"_s, 2),
                                          std::tuple(u"sidebar.baud"_s, u"1200"_s, 6)}) {
            auto *menu = w->widget<QComboBox>(name);
            QCOMPARE(menu->currentIndex(), -1);
            QCOMPARE(menu->placeholderText(), shown);
            QCOMPARE(menu->count(), items);
        }
    }

    void connectCountsDownEverySecondThenConnects() {
        QList<int> shown;
        connect(m_view, &ContentView::connectSplashChanged, this, [&] {
            if (m_view->showConnectSplash())
                shown.append(m_view->connectCountdown());
        });
        m_view->setCountdownStepInterval(1h);
        w->button(u"sidebar.connect"_s)->click();
        QTRY_VERIFY(w->widget(u"splash"_s)->isVisible());
        // The card, built with the first count, shows every second of it.
        auto *progress = w->widget<QProgressBar>(u"splash.progress"_s);
        QCOMPARE(progress->value(), 0);
        connect(m_view, &ContentView::connectSplashChanged, this, [&] {
            if (m_view->showConnectSplash())
                QCOMPARE(progress->value(), 60 - m_view->connectCountdown());
        });
        // The keyboard cannot reach the controls under the backdrop.
        QApplication::setActiveWindow(m_view);
        QTest::keyClick(w->button(u"splash.cancel"_s), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->button(u"splash.cancel"_s));
        QVERIFY(QAccessible::queryAccessibleInterface(w->button(u"toolbar.export"_s))->state().disabled);
        QCOMPARE(w->text(u"splash.countdown"_s),
                 u"Die Verbindung zum Funkgerät wird in 60 Sekunden hergestellt."_s);
        QVERIFY(!m_model->isConnected());

        m_view->setCountdownStepInterval(2ms);
        QTRY_VERIFY(m_model->isConnected());
        QVERIFY(!m_view->showConnectSplash());
        QList<int> expected;
        for (int second = 60; second >= 1; --second)
            expected.append(second);
        QCOMPARE(shown, expected);
        QCOMPARE(w->text(u"sidebar.badge.state"_s), u"Verbunden"_s);
        QVERIFY(w->button(u"sidebar.disconnect"_s)->isEnabled());
        QTRY_VERIFY(!w->widget(u"splash"_s)->isVisible());
    }

    // "Abbrechen" and closing the window end the count: no connect, nothing logged or sent.
    void countdownEndsWithoutConnecting_data() {
        QTest::addColumn<bool>("closeWindow");
        QTest::addRow("Abbrechen") << false;
        QTest::addRow("window closed") << true;
    }
    void countdownEndsWithoutConnecting() {
        QFETCH(bool, closeWindow);
        m_view->setCountdownStepInterval(1ms);
        w->button(u"sidebar.connect"_s)->click();
        QTRY_VERIFY(m_view->connectCountdown() < 55);
        if (closeWindow)
            m_view->close();
        else
            w->button(u"splash.cancel"_s)->click();
        const int left = m_view->connectCountdown();
        QVERIFY(!m_view->showConnectSplash());
        // A stopped count can never connect later.
        QVERIFY(!m_view->findChild<QTimer *>(u"splash.timer"_s)->isActive());
        QCoreApplication::processEvents();
        QVERIFY(!m_model->isConnected());
        QVERIFY(m_model->logLines().isEmpty());
        QVERIFY(w->radio.received().isEmpty());
        QCOMPARE(m_view->connectCountdown(), left);
        if (closeWindow)
            return;
        QTRY_VERIFY(!w->widget(u"splash"_s)->isVisible());
        m_view->setCountdownStepInterval(1h);
        m_view->startConnectSplash();
        QCOMPARE(m_view->connectCountdown(), 60);
        QCOMPARE(w->widget<QProgressBar>(u"splash.progress"_s)->value(), 0);
    }

    void withoutPortTheModelConnectsAtOnceAndComplains() {
        QVERIFY(w->choose(u"sidebar.port"_s, QString()));
        w->button(u"sidebar.connect"_s)->click();
        QVERIFY(!m_view->showConnectSplash());
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(!m_model->isConnected());
    }

    // While an operation runs, nothing may start a connect or an import that its end would undo.
    void whileBusyConnectReadsAndImportWait() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"backup.json"_s);
        QVERIFY(w->chooseFile(u"toolbar.export"_s, path));
        connectAndWait();
        // The import dialog was open before the read began.
        w->button(u"toolbar.import"_s)->click();
        w->radio.setLineSpeed(4800); // a long read, which the disconnect ends soon
        w->button(u"toolbar.readAll"_s)->click();
        for (const char *name :
             {"sidebar.connect", "toolbar.readAll", "toolbar.readSelected", "toolbar.import"})
            QVERIFY2(!w->button(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(w->button(u"sidebar.disconnect"_s)->isEnabled());
        QVERIFY(w->widget(u"log.busy"_s)->isVisible());
        m_view->startConnectSplash();
        QVERIFY(!m_view->showConnectSplash());
        emit m_view->findChild<QFileDialog *>(u"backup.importDialog"_s)->fileSelected(path);
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(!m_model->logLines().first().contains(u"importiert"_s));

        w->button(u"sidebar.disconnect"_s)->click();
        QTRY_VERIFY(!m_model->isBusy());
        QVERIFY(!w->widget(u"log.busy"_s)->isVisible());
        QVERIFY(w->button(u"toolbar.import"_s)->isEnabled());
        QCOMPARE(w->text(u"sidebar.badge.state"_s), u"Getrennt"_s);
    }

    void readAllFromTheToolbarFillsTheTable() {
        w->radio.setChannel(3, {.payload = u"145500000+000000400000"_s, .tag = u"CALL"_s});
        connectAndWait();
        w->button(u"toolbar.readAll"_s)->click();
        QVERIFY(m_model->isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!m_model->isBusy(), 20000);
        QCOMPARE(m_model->memories().at(2).frequency, u"145500000"_s);
        QTRY_VERIFY(w->logText().startsWith(m_model->logLines().first()));
        QVERIFY(w->button(u"toolbar.readSelected"_s)->isEnabled());
        // Without a selected channel only "Ausgewählten lesen" waits.
        m_model->setSelectedMemoryID(std::nullopt);
        QVERIFY(!w->button(u"toolbar.readSelected"_s)->isEnabled());
        QVERIFY(w->button(u"toolbar.readAll"_s)->isEnabled());
    }

    // The lines of one turn of the event loop show together, newest first.
    void logShowsNewestFirstCopiesAndClears() {
        for (const char *line : {"first", "second\nline", "third"})
            m_model->appendLog(QString::fromUtf8(line));
        QTRY_COMPARE(w->logText(), m_model->logLines().join(QLatin1Char('\n')));
        QVERIFY(w->logText().section(QLatin1Char('\n'), 0, 0).endsWith(u"third"_s));

        click(u"log.copy"_s);
        QCOMPARE(w->clipboard.size(), 1);
        QVERIFY(w->clipboard.first().endsWith(u"first"_s));
        QCOMPARE(w->clipboard.first().count(QLatin1Char('\n')), 3);

        click(u"log.clear"_s);
        QTRY_COMPARE(w->logText(), m_model->logLines().join(QLatin1Char('\n')));
        QVERIFY(w->logText().endsWith(u"Log gelöscht"_s));
    }

    // Dragging across a row of the log and copying with the keyboard copies that row only.
    void logCopiesOnlyTheSelection() {
        for (const char *line : {"first", "second", "third"})
            m_model->appendLog(QString::fromUtf8(line));
        auto *text = w->widget<LogTextView>(u"log.text"_s);
        QTRY_COMPARE(text->text(), m_model->logLines().join(QLatin1Char('\n')));
        QWidget *rows = text->viewport();
        const int secondRow = 4 + text->fontMetrics().lineSpacing() * 3 / 2;
        QTest::mousePress(rows, Qt::LeftButton, {}, QPoint(1, secondRow));
        QTest::mouseMove(rows, QPoint(rows->width() - 1, secondRow));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, QPoint(rows->width() - 1, secondRow));
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), m_model->logLines().at(1));
    }

    void logHeightMovesInStepsOfTwenty_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("height");
        QTest::addRow("one step up") << QList<int>{Qt::Key_Right} << 240;
        QTest::addRow("one step down") << QList<int>{Qt::Key_Left} << 200;
        QTest::addRow("not below 120") << QList<int>{Qt::Key_Home, Qt::Key_Left} << 120;
        QTest::addRow("not above 420") << QList<int>{Qt::Key_End, Qt::Key_Right} << 420;
    }
    void logHeightMovesInStepsOfTwenty() {
        QFETCH(QList<int>, keys);
        QFETCH(int, height);
        for (int key : keys)
            QTest::keyClick(w->widget<QSlider>(u"log.height"_s), Qt::Key(key));
        QCOMPARE(m_view->logPanelHeight(), height);
        QCOMPARE(w->text(u"log.heightValue"_s), QString::number(height));
        QCOMPARE(w->widget(u"log.text"_s)->height(), height);
    }

    // At the default and the smallest window size the whole table panel, its bottom edge and its
    // sideways scroll bar, stands above the log.
    void tablePanelFitsAboveTheLog_data() {
        QTest::addColumn<QSize>("size");
        QTest::addRow("default") << ContentView::defaultContentSize;
        QTest::addRow("smallest") << ContentView::minimumContentSize;
    }
    void tablePanelFitsAboveTheLog() {
        QFETCH(QSize, size);
        m_view->resize(size);
        QWidget *table = w->widget(u"detail.tableSlot"_s); // the log follows right below it
        auto *view = w->widget<QAbstractScrollArea>(u"memoryTable.view"_s);
        const auto bottom = [&](QWidget *widget) {
            return widget->mapTo(m_view, widget->rect().bottomLeft()).y();
        };
        QTRY_COMPARE(m_view->centralWidget()->size(), size);
        QVERIFY(view->horizontalScrollBar()->isVisible());
        QVERIFY(bottom(view->horizontalScrollBar()) < bottom(table));
    }

    void editorModeSwitchesTheDetailColumn() {
        click(u"toolbar.editorMode.Detail"_s);
        QCOMPARE(m_view->editorMode(), EditorMode::detail);
        QVERIFY(w->widget(u"detail.editorSlot"_s)->isVisible());
        QVERIFY(!w->widget(u"detail.tableSlot"_s)->isVisible());
        QVERIFY(w->widget(u"log"_s)->isVisible());

        m_view->setDraft(std::nullopt);
        QVERIFY(w->widget(u"detail.noDraft"_s)->isVisible());
        QCOMPARE(w->text(u"detail.noDraft.title"_s), u"Kein Speicher gewählt"_s);
        QVERIFY(!w->widget(u"log"_s)->isVisible());
        QVERIFY(!w->widget(u"detail.editorSlot"_s)->isVisible());
    }

    // A screen reader meets the pickers as radio buttons of a named group; its toggle and press
    // actions choose the model or the mode as a click does.
    void segmentedPickersFollowTheirAccessibleActions_data() {
        QTest::addColumn<QString>("segment");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("group");
        for (const QString &action :
             {QAccessibleActionInterface::toggleAction(), QAccessibleActionInterface::pressAction()}) {
            QTest::addRow("model, %s", qPrintable(action))
                << u"sidebar.model.FT-991A"_s << action << u"Funkgerät"_s;
            QTest::addRow("mode, %s", qPrintable(action))
                << u"toolbar.editorMode.Detail"_s << action << u"Bearbeitung"_s;
        }
    }
    void segmentedPickersFollowTheirAccessibleActions() {
        QFETCH(QString, segment);
        QFETCH(QString, action);
        QFETCH(QString, group);
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(w->widget(segment));
        QCOMPARE(button->role(), QAccessible::RadioButton);
        QCOMPARE(button->parent()->text(QAccessible::Name), group);
        button->actionInterface()->doAction(action);
        QTRY_VERIFY(segment.startsWith(u"sidebar"_s) ? m_model->selectedRadioModel() == RadioModel::ft991a
                                                     : m_view->editorMode() == EditorMode::detail);
        QVERIFY(button->state().checked);
    }

    // Only a change of the selection makes the draft anew; unapplied edits survive everything else.
    void draftFollowsTheSelectedChannel_data() {
        QTest::addColumn<std::optional<QString>>("selection");
        QTest::addColumn<QString>("draftSlot");
        QTest::addColumn<bool>("editsKept");
        QTest::addRow("another channel") << std::optional<QString>(u"005"_s) << "005" << false;
        QTest::addRow("the same channel again") << std::optional<QString>(u"001"_s) << "001" << true;
        QTest::addRow("cleared selection") << std::optional<QString>() << "001" << true;
        QTest::addRow("unknown channel") << std::optional<QString>(u"500"_s) << "001" << true;
    }
    void draftFollowsTheSelectedChannel() {
        QFETCH(std::optional<QString>, selection);
        QFETCH(QString, draftSlot);
        QFETCH(bool, editsKept);
        MemoryDraft edited = *m_view->draft();
        edited.tag = u"UNSAVED"_s;
        m_view->setDraft(edited);
        m_model->setSelectedMemoryID(selection);
        QCOMPARE(m_view->draft()->slot, draftSlot);
        QCOMPARE(m_view->draft()->tag == u"UNSAVED"_s, editsKept);
    }

    // The window follows the model; the file holds the table as it was when "Export" was pressed,
    // under the model's name, and importing it brings back its model and its channels.
    void exportAndImportRoundTrip() {
        QTemporaryDir folder;
        const QColor ft710Primary = m_view->themePrimary();
        click(u"sidebar.model.FT-991A"_s);
        QCOMPARE(w->text(u"sidebar.badge.model"_s), u"FT-991A"_s);
        QVERIFY(m_view->themePrimary() != ft710Primary);
        RadioMemory memory = m_model->memories().at(4);
        memory.frequency = u"7100000"_s;
        memory.isEmpty = false;
        m_model->replaceMemory(memory);
        click(u"toolbar.export"_s);
        auto *dialog = m_view->findChild<QFileDialog *>(u"backup.exportDialog"_s);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), u"Korvel_FT-991A_backup.json"_s);
        RadioMemory later = memory;
        later.tag = u"LATER"_s;
        m_model->replaceMemory(later);
        // A directory in the way: nothing can be written there, and it stays as it is.
        emit dialog->fileSelected(folder.path());
        QVERIFY(m_model->alertMessage()->startsWith(u"Backup konnte nicht gespeichert werden: "_s));
        QVERIFY(QFileInfo(folder.path()).isDir());
        m_model->setAlertMessage(std::nullopt);
        const QString path = folder.filePath(u"backup.json"_s);
        emit dialog->fileSelected(path);
        QVERIFY(!m_model->alertMessage());

        click(u"sidebar.model.FT-710"_s);
        QVERIFY(w->chooseFile(u"toolbar.import"_s, path));
        QVERIFY(!m_model->alertMessage());
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QCOMPARE(m_model->memories().size(), 117);
        QCOMPARE(m_model->memories().at(4), memory);
    }

    void brokenImportShowsTheAlertAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("contents");
        // What stands at the path instead of a file with those contents.
        QTest::addColumn<QString>("instead");
        QTest::addRow("not JSON") << QByteArray("{not json") << QString();
        QTest::addRow("too large") << QByteArray(17 * 1024 * 1024, ' ') + "{}" << QString();
        QTest::addRow("missing file") << QByteArray() << QString();
        QTest::addRow("directory") << QByteArray() << u"directory"_s;
        QTest::addRow("pipe") << QByteArray() << u"pipe"_s;
        QTest::addRow("device") << QByteArray() << u"/dev/zero"_s;
    }
    void brokenImportShowsTheAlertAndChangesNothing() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, instead);
        QTemporaryDir folder;
        QString path = folder.filePath(u"backup.json"_s);
        if (instead == u"directory"_s) {
            path = folder.path();
        } else if (instead == u"pipe"_s) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (!instead.isEmpty()) {
            path = instead;
        } else if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        }
        m_model->setSelectedMemoryID(u"007"_s);
        const QList<RadioMemory> before = m_model->memories();

        QVERIFY(w->chooseFile(u"toolbar.import"_s, path));
        QVERIFY(!m_model->alertMessage().value_or(QString()).isEmpty());
        QCOMPARE(m_model->memories(), before);
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(m_model->selectedMemoryID(), std::optional<QString>(u"007"_s));
        QCOMPARE(m_view->draft()->slot, u"007"_s);
        QVERIFY(m_model->logLines().isEmpty());
    }

    // A pipe swapped in for the file after a check, before the open, would keep the window waiting
    // for a writer: what is checked is the file that was opened.
    void importNeverWaitsOnAPipeSwappedInForTheFile() {
        QTemporaryDir folder;
        const auto name = [&](const char *file) {
            return QFile::encodeName(folder.filePath(QLatin1String(file)));
        };
        QFile file(QString::fromLocal8Bit(name("file")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_model->backupDocument().fileContents()) > 0);
        file.close();
        QCOMPARE(mkfifo(name("pipe").constData(), 0600), 0);
        QCOMPARE(link(name("pipe").constData(), name("backup.json").constData()), 0);
        std::atomic_bool reading = true;
        std::thread swapper([&] {
            while (reading) {
                for (const char *source : {"file", "pipe"}) {
                    (void)!link(name(source).constData(), name("next").constData());
                    (void)!rename(name("next").constData(), name("backup.json").constData());
                }
                // Frees a read that waits on the pipe; it then reads an empty file.
                if (const int writer = ::open(name("pipe").constData(), O_WRONLY | O_NONBLOCK); writer >= 0)
                    ::close(writer);
            }
        });
        QStringList failures;
        for (int attempt = 0; attempt < 500; ++attempt) {
            const auto error = BackupFile::read(QString::fromLocal8Bit(name("backup.json"))).error;
            if (error && !error->startsWith(u"Keine lesbare Datei: "_s))
                failures << *error;
        }
        reading = false;
        swapper.join();
        QCOMPARE(failures, QStringList());
    }

    // The width the user drags the sidebar to stays through a rebuild and a hide and show.
    void sidebarKeepsTheUsersWidth_data() {
        QTest::addColumn<bool>("languageChange");
        QTest::addRow("language change") << true;
        QTest::addRow("window shown again") << false;
    }
    void sidebarKeepsTheUsersWidth() {
        QFETCH(bool, languageChange);
        auto *splitter = w->widget<QSplitter>(u"splitter"_s);
        const int before = splitter->sizes().first();
        QSplitterHandle *handle = splitter->handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(40, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(40, 0));
        const int chosen = splitter->sizes().first();
        QVERIFY(chosen > before);
        if (languageChange) {
            LanguageSelection::shared()->select(AppLanguage::en);
        } else {
            m_view->hide();
            m_view->show();
        }
        QTRY_COMPARE(w->widget<QSplitter>(u"splitter"_s)->sizes().first(), chosen);
    }

    // The window and its open alert take the new language; the window's own state stays.
    void languageChoiceRetextsTheWindowAndKeepsItsState() {
        click(u"toolbar.editorMode.Detail"_s);
        QTest::keyClick(w->widget<QSlider>(u"log.height"_s), Qt::Key_End);
        m_model->setSelectedMemoryID(u"004"_s);
        MemoryDraft edited = *m_view->draft();
        edited.tag = u"UNSAVED"_s;
        m_view->setDraft(edited);
        m_view->setShowAdvanced(true);
        m_view->setCountdownStepInterval(1h);
        m_view->startConnectSplash();
        m_model->setAlertMessage(u"<b>Port</b> & mehr"_s);
        QTRY_VERIFY(shownAlert());
        QCOMPARE(shownAlert()->windowTitle(), u"Hinweis"_s);

        QVERIFY(w->choose(u"sidebar.language"_s, u"en"_s));
        QCOMPARE(UserDefaults::text(L::userDefaultsLanguageKey()), std::optional<QString>(u"en"_s));
        QTRY_COMPARE(w->text(u"sidebar.connect"_s), u"Connect"_s);
        // Texts without a translation stay German; the pickers' own titles stand beside them.
        for (auto [name, shown] :
             {std::pair(u"toolbar.readAll"_s, u"Read all"_s),
              {u"sidebar.badge.state"_s, u"Disconnected"_s},
              {u"log.clear"_s, u"Clear log"_s},
              {u"splash.cancel"_s, u"Cancel"_s},
              {u"splash.countdown"_s, u"The connection to the radio will be established in 60 seconds."_s},
              {u"toolbar.editorMode.Kanalliste"_s, u"Kanalliste"_s},
              {u"toolbar.editorMode.title"_s, u"Bearbeitung"_s},
              {u"sidebar.model.title"_s, u"Radio"_s},
              {u"sidebar.baud.title"_s, u"Baud"_s},
              {u"sidebar.language.title"_s, u"Language"_s}})
            QCOMPARE(w->text(name), shown);
        QCOMPARE(w->widget<QComboBox>(u"sidebar.language"_s)->currentData().toString(), u"en"_s);

        QCOMPARE(m_view->draft(), std::optional<MemoryDraft>(edited));
        QVERIFY(w->widget<QAbstractButton>(u"toolbar.editorMode.Detail"_s)->isChecked());
        QTRY_VERIFY(w->widget(u"detail.editorSlot"_s)->isVisible());
        QVERIFY(m_view->showAdvanced());
        QCOMPARE(w->widget<QSlider>(u"log.height"_s)->value() * 20, 420);
        QTRY_VERIFY(w->widget(u"splash"_s)->isVisible());

        // The alert's own texts follow the language; its message, made before, is shown as it is.
        QMessageBox *box = shownAlert();
        QCOMPARE(box->windowTitle(), u"Notice"_s);
        QVERIFY(box->informativeText().contains(u"&lt;b&gt;Port&lt;/b&gt; &amp; mehr"_s));
        QCOMPARE(box->buttons().size(), 1);
        box->findChild<QPushButton *>(u"alert.ok"_s)->click();
        QVERIFY(!m_model->alertMessage());
    }
};

QTEST_MAIN(ContentViewTest)
#include "tst_contentview.moc"
