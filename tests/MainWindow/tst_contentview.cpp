#include "App/LanguageSelection.h"
#include "AppModel/AppModel.h"
#include "AppModel/AppPreferences.h"
#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/ConnectionStateBadge.h"
#include "MainWindow/ContentView.h"
#include "MainWindowFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

using namespace std::chrono_literals;

// The main window driven by object name, against the fake radio through AppModel.
class ContentViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowFixture> m_world;
    AppModel *m_model = nullptr;
    ContentView *m_view = nullptr;

    template <typename T = QWidget> T *widget(const QString &name) { return m_world->widget<T>(name); }
    QPushButton *button(const QString &name) { return m_world->button(name); }
    QString text(const QString &name) { return m_world->text(name); }
    QString logText() { return widget<QPlainTextEdit>(QStringLiteral("log.text"))->toPlainText(); }
    void choose(const QString &comboName, const QVariant &data) { QVERIFY(m_world->choose(comboName, data)); }
    // The language switch rebuilds the window on a later turn of the event loop.
    void switchLanguage(AppLanguage language) {
        LanguageSelection::shared()->select(language);
        QCoreApplication::processEvents();
    }

private slots:
    void init() {
        m_world = std::make_unique<MainWindowFixture>();
        m_world->openWindow(2ms);
        m_model = m_world->model.get();
        m_view = m_world->view.get();
    }
    void cleanup() { m_world.reset(); }

    void startUpStateIsShown() {
        QCOMPARE(text(QStringLiteral("sidebar.badge.state")), QStringLiteral("Getrennt"));
        QCOMPARE(text(QStringLiteral("sidebar.badge.model")), QStringLiteral("FT-710"));
        QVERIFY(widget<QAbstractButton>(QStringLiteral("sidebar.model.FT-710"))->isChecked());
        auto *ports = widget<QComboBox>(QStringLiteral("sidebar.port"));
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->itemText(0), QStringLiteral("Bitte wählen"));
        QCOMPARE(ports->currentText(), m_world->portPath());
        QCOMPARE(widget<QComboBox>(QStringLiteral("sidebar.baud"))->currentText(), QStringLiteral("38400"));
        QVERIFY(button(QStringLiteral("sidebar.connect"))->isEnabled());
        QVERIFY(!button(QStringLiteral("sidebar.disconnect"))->isEnabled());
        QVERIFY(!button(QStringLiteral("toolbar.readAll"))->isEnabled());
        QVERIFY(!button(QStringLiteral("toolbar.readSelected"))->isEnabled());
        for (const char *name : {"toolbar.export", "toolbar.import", "toolbar.settings"})
            QVERIFY2(button(QString::fromLatin1(name))->isEnabled(), name);
        QCOMPARE(text(QStringLiteral("toolbar.title")), QStringLiteral("Korvel"));
        QVERIFY(widget<QAbstractButton>(QStringLiteral("toolbar.editorMode.Kanalliste"))->isChecked());
        QVERIFY(widget(QStringLiteral("detail.tableSlot"))->isVisible());
        QVERIFY(logText().isEmpty());
        QCOMPARE(text(QStringLiteral("log.heightValue")), QStringLiteral("220"));
        QVERIFY(!widget(QStringLiteral("splash"))->isVisible());
        QCOMPARE(m_view->draft()->slot, QStringLiteral("001"));
        QCOMPARE(m_view->themePrimary(), QColor::fromRgbF(0.16, 0.60, 1.00));
    }

    // Filling the menus at start and on refresh stores nothing; only the user's choices do.
    void listingPortsWritesNoPreferences() {
        widget<QAbstractButton>(QStringLiteral("sidebar.refreshPorts"))->click();
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    void choicesGoToTheModelAndThePreferences_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("choice");
        QTest::addColumn<QString>("storedPort");
        QTest::addColumn<int>("storedRate");
        QTest::addRow("no port") << "sidebar.port" << QVariant(QString()) << "" << 38400;
        QTest::addRow("baud rate") << "sidebar.baud" << QVariant(9600) << "port" << 9600;
    }
    void choicesGoToTheModelAndThePreferences() {
        QFETCH(QString, control);
        QFETCH(QVariant, choice);
        QFETCH(QString, storedPort);
        QFETCH(int, storedRate);
        choose(control, choice);
        if (control == QStringLiteral("sidebar.port"))
            QCOMPARE(m_model->selectedPort(), choice.toString());
        else
            QCOMPARE(m_model->baudRate(), choice.toInt());
        QCOMPARE(widget<QComboBox>(control)->currentData(), choice);
        const auto stored =
            AppPreferences::decode(UserDefaults::text(AppModel::preferencesKey()).value_or(QString()));
        QVERIFY(stored);
        const DeviceSettings expected{storedPort == QStringLiteral("port") ? m_world->portPath() : storedPort,
                                      storedRate};
        QCOMPARE(stored->savedSettingsByModel.value(QStringLiteral("FT-710")), expected);
    }

    // A value no item has is shown dimmed in the menu, and no item is added for it.
    void valueOutsideTheMenusIsShownAsPlaceholder() {
        m_model->setSelectedPort(QStringLiteral("/nowhere/ttyUSB9"));
        m_model->setBaudRate(1200);
        auto *ports = widget<QComboBox>(QStringLiteral("sidebar.port"));
        auto *rates = widget<QComboBox>(QStringLiteral("sidebar.baud"));
        QCOMPARE(ports->currentIndex(), -1);
        QCOMPARE(ports->placeholderText(), QStringLiteral("/nowhere/ttyUSB9"));
        QCOMPARE(ports->count(), 2);
        QCOMPARE(rates->currentIndex(), -1);
        QCOMPARE(rates->placeholderText(), QStringLiteral("1200"));
        QCOMPARE(rates->count(), 6);
    }

    void modelChoiceSwitchesModelColoursAndBadge() {
        widget<QAbstractButton>(QStringLiteral("sidebar.model.FT-991A"))->click();
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QCOMPARE(m_model->memories().size(), 117);
        const auto stored =
            AppPreferences::decode(UserDefaults::text(AppModel::preferencesKey()).value_or(QString()));
        QVERIFY(stored);
        QCOMPARE(stored->selectedRadioModel, RadioModel::ft991a);
        QCOMPARE(text(QStringLiteral("sidebar.badge.model")), QStringLiteral("FT-991A"));
        QCOMPARE(m_view->themePrimary(), QColor::fromRgbF(0.72, 0.34, 1.00));
        QCOMPARE(m_view->themeSecondary(), QColor::fromRgbF(1.00, 0.45, 0.30));
    }

    void cancelClosesTheCardWithoutConnecting() {
        m_view->setCountdownStepInterval(1h);
        button(QStringLiteral("sidebar.connect"))->click();
        QVERIFY(m_view->showConnectSplash());
        button(QStringLiteral("splash.cancel"))->click();
        QVERIFY(!m_view->showConnectSplash());
        QTRY_VERIFY(!widget(QStringLiteral("splash"))->isVisible());
        m_view->setCountdownStepInterval(1ms);
        QTest::qWait(20);
        QVERIFY(!m_model->isConnected());
        QVERIFY(m_model->logLines().isEmpty());
        QVERIFY(m_world->radio.received().isEmpty());
    }

    void startingAgainCountsFromSixty() {
        m_view->setCountdownStepInterval(1ms);
        button(QStringLiteral("sidebar.connect"))->click();
        QTRY_VERIFY(m_view->connectCountdown() < 50);
        m_view->setCountdownStepInterval(1h);
        button(QStringLiteral("splash.cancel"))->click();
        const int left = m_view->connectCountdown();
        QVERIFY(left < 50);
        m_view->startConnectSplash();
        QCOMPARE(m_view->connectCountdown(), 60);
        QVERIFY(m_view->showConnectSplash());
    }

    void closingTheWindowCancelsTheCount() {
        m_view->setCountdownStepInterval(1ms);
        button(QStringLiteral("sidebar.connect"))->click();
        m_view->close();
        QVERIFY(!m_view->showConnectSplash());
        QTest::qWait(150);
        QVERIFY(!m_model->isConnected());
    }

    void withoutPortTheModelConnectsAtOnceAndComplains() {
        choose(QStringLiteral("sidebar.port"), QString());
        button(QStringLiteral("sidebar.connect"))->click();
        QVERIFY(!m_view->showConnectSplash());
        QCOMPARE(m_view->connectCountdown(), 60);
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(!m_model->isConnected());
    }

    void logShowsNewestFirstAndFollowsClear() {
        m_model->appendLog(QStringLiteral("first"));
        m_model->appendLog(QStringLiteral("second"));
        m_model->appendLog(QStringLiteral("third"));
        QCOMPARE(logText(), m_model->logLines().join(QLatin1Char('\n')));
        QVERIFY(logText().split(QLatin1Char('\n')).first().endsWith(QStringLiteral("third")));

        button(QStringLiteral("log.copy"))->click();
        QCOMPARE(m_world->clipboard.size(), 1);
        QVERIFY(m_world->clipboard.first().endsWith(QStringLiteral("first")));
        QCOMPARE(m_world->clipboard.first().count(QLatin1Char('\n')), 2);

        button(QStringLiteral("log.clear"))->click();
        QCOMPARE(m_model->logLines().size(), 1);
        QCOMPARE(logText(), m_model->logLines().first());
        QVERIFY(logText().endsWith(QStringLiteral("Log gelöscht")));
    }

    void logKeepsMultiLineMessagesInPlace() {
        m_model->appendLog(QStringLiteral("one\ntwo"));
        m_model->appendLog(QStringLiteral("three"));
        QCOMPARE(logText(), m_model->logLines().join(QLatin1Char('\n')));
    }

    void logHeightMovesInStepsOfTwenty_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("height");
        QTest::addRow("one step up") << QList<int>{Qt::Key_Right} << 240;
        QTest::addRow("one step down") << QList<int>{Qt::Key_Left} << 200;
        QTest::addRow("lowest") << QList<int>{Qt::Key_Home} << 120;
        QTest::addRow("highest") << QList<int>{Qt::Key_End} << 420;
        QTest::addRow("not below the range") << QList<int>{Qt::Key_Home, Qt::Key_Left} << 120;
        QTest::addRow("not above the range") << QList<int>{Qt::Key_End, Qt::Key_Right} << 420;
    }
    void logHeightMovesInStepsOfTwenty() {
        QFETCH(QList<int>, keys);
        QFETCH(int, height);
        for (int key : keys)
            QTest::keyClick(widget<QSlider>(QStringLiteral("log.height")), Qt::Key(key));
        QCOMPARE(m_view->logPanelHeight(), height);
        QCOMPARE(text(QStringLiteral("log.heightValue")), QString::number(height));
        QCOMPARE(widget(QStringLiteral("log.text"))->height(), height);
        QVERIFY(!UserDefaults::value(AppModel::preferencesKey()).isValid());
    }

    void editorModeSwitchesTheDetailColumn() {
        widget<QAbstractButton>(QStringLiteral("toolbar.editorMode.Detail"))->click();
        QCOMPARE(m_view->editorMode(), EditorMode::detail);
        QVERIFY(widget(QStringLiteral("detail.editorSlot"))->isVisible());
        QVERIFY(!widget(QStringLiteral("detail.tableSlot"))->isVisible());
        QVERIFY(widget(QStringLiteral("log"))->isVisible());

        m_view->setDraft(std::nullopt);
        QVERIFY(widget(QStringLiteral("detail.noDraft"))->isVisible());
        QCOMPARE(text(QStringLiteral("detail.noDraft.title")), QStringLiteral("Kein Speicher gewählt"));
        QVERIFY(!widget(QStringLiteral("log"))->isVisible());
        QVERIFY(!widget(QStringLiteral("detail.editorSlot"))->isVisible());
    }

    // Only a change of the selection makes the draft anew; unapplied edits survive everything else.
    void draftFollowsTheSelectedChannel_data() {
        QTest::addColumn<std::optional<QString>>("selection");
        QTest::addColumn<QString>("draftSlot");
        QTest::addColumn<bool>("editsKept");
        QTest::addRow("another channel") << std::optional<QString>(QStringLiteral("005")) << "005" << false;
        QTest::addRow("the same channel again")
            << std::optional<QString>(QStringLiteral("001")) << "001" << true;
        QTest::addRow("cleared selection") << std::optional<QString>() << "001" << true;
        QTest::addRow("unknown channel") << std::optional<QString>(QStringLiteral("500")) << "001" << true;
    }
    void draftFollowsTheSelectedChannel() {
        QFETCH(std::optional<QString>, selection);
        QFETCH(QString, draftSlot);
        QFETCH(bool, editsKept);
        MemoryDraft edited = *m_view->draft();
        edited.tag = QStringLiteral("UNSAVED");
        m_view->setDraft(edited);
        m_model->setSelectedMemoryID(selection);
        QCOMPARE(m_view->draft()->slot, draftSlot);
        QCOMPARE(m_view->draft()->tag == QStringLiteral("UNSAVED"), editsKept);
    }

    void exportAndImportRoundTrip() {
        QTemporaryDir folder;
        RadioMemory memory = m_model->memories().at(4);
        memory.frequency = QStringLiteral("7100000");
        memory.isEmpty = false;
        memory.tag = QStringLiteral("40M");
        m_model->replaceMemory(memory);
        const QString path = folder.filePath(QStringLiteral("backup.json"));
        m_view->exportBackup(path);
        QVERIFY(!m_model->alertMessage());

        widget<QAbstractButton>(QStringLiteral("sidebar.model.FT-991A"))->click();
        QCOMPARE(m_model->memories().size(), 117);
        m_view->importBackup(path);
        QVERIFY(!m_model->alertMessage());
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(m_model->memories().size(), 99);
        QCOMPARE(m_model->memories().at(4), memory);
    }

    void exportDialogSavesTheTableAsItWasWhenPressed() {
        QTemporaryDir folder;
        button(QStringLiteral("toolbar.export"))->click();
        auto *dialog = m_view->findChild<QFileDialog *>(QStringLiteral("backup.exportDialog"));
        QVERIFY(dialog);
        RadioMemory later = m_model->memories().first();
        later.tag = QStringLiteral("LATER");
        m_model->replaceMemory(later);
        const QString path = folder.filePath(QStringLiteral("pressed.json"));
        emit dialog->fileSelected(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const MemoryBackup written = MemoryBackup::fromFileContents(file.readAll());
        QCOMPARE(written.memories.first().tag, QString());
        QCOMPARE(written.memories.size(), 99);
    }

    void exportDialogProposesTheModelsFileName() {
        widget<QAbstractButton>(QStringLiteral("sidebar.model.FT-991A"))->click();
        button(QStringLiteral("toolbar.export"))->click();
        auto *dialog = m_view->findChild<QFileDialog *>(QStringLiteral("backup.exportDialog"));
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->selectedFiles().value(0).endsWith(QStringLiteral("Korvel_FT-991A_backup.json")));
        dialog->reject();
    }

    void failedExportShowsTheAlertAndKeepsTheFile() {
        QTemporaryDir folder;
        // A directory in the way: nothing can be written there, and it stays as it is.
        const QString path = folder.filePath(QStringLiteral("taken"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("taken")));
        m_view->exportBackup(path);
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(
            m_model->alertMessage()->startsWith(QStringLiteral("Backup konnte nicht gespeichert werden: ")));
        QVERIFY(QFileInfo(path).isDir());
    }

    void brokenImportShowsTheAlertAndChangesNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addRow("not JSON") << "garbage";
        QTest::addRow("wrong model") << "model";
        QTest::addRow("missing file") << "missing";
        QTest::addRow("directory") << "directory";
        QTest::addRow("pipe") << "pipe";
        QTest::addRow("device") << "device";
        QTest::addRow("too large") << "large";
    }
    void brokenImportShowsTheAlertAndChangesNothing() {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("backup.json"));
        auto writeFile = [&](const QByteArray &contents) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        };
        if (kind == QStringLiteral("garbage"))
            writeFile("{not json");
        else if (kind == QStringLiteral("model"))
            writeFile(R"({"radioModel":"FT-1000","memories":[],"exportedAt":"2026-03-26T09:41:00Z"})");
        else if (kind == QStringLiteral("directory"))
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("backup.json")));
        else if (kind == QStringLiteral("pipe"))
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == QStringLiteral("device"))
            path = QStringLiteral("/dev/zero");
        else if (kind == QStringLiteral("large"))
            writeFile(QByteArray(17 * 1024 * 1024, ' ') + "{}");
        m_model->setSelectedMemoryID(QStringLiteral("007"));
        const QList<RadioMemory> before = m_model->memories();

        m_view->importBackup(path);
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(!m_model->alertMessage()->isEmpty());
        QCOMPARE(m_model->memories(), before);
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(m_model->selectedMemoryID(), std::optional<QString>(QStringLiteral("007")));
        QCOMPARE(m_view->draft()->slot, QStringLiteral("007"));
        QVERIFY(m_model->logLines().isEmpty());
    }

    void languageSwitchRetextsTheWindowAndKeepsItsState() {
        widget<QAbstractButton>(QStringLiteral("toolbar.editorMode.Detail"))->click();
        QTest::keyClick(widget<QSlider>(QStringLiteral("log.height")), Qt::Key_End);
        m_model->setSelectedMemoryID(QStringLiteral("004"));
        MemoryDraft edited = *m_view->draft();
        edited.tag = QStringLiteral("UNSAVED");
        m_view->setDraft(edited);
        m_view->setShowAdvanced(true);
        m_view->setCountdownStepInterval(1h);
        m_view->startConnectSplash();

        switchLanguage(AppLanguage::en);
        QCOMPARE(button(QStringLiteral("sidebar.connect"))->text(), QStringLiteral("Connect"));
        QCOMPARE(button(QStringLiteral("toolbar.readAll"))->text(), QStringLiteral("Read all"));
        QCOMPARE(text(QStringLiteral("sidebar.badge.state")), QStringLiteral("Disconnected"));
        QCOMPARE(button(QStringLiteral("log.clear"))->text(), QStringLiteral("Clear log"));
        QCOMPARE(button(QStringLiteral("splash.cancel"))->text(), QStringLiteral("Cancel"));
        QCOMPARE(text(QStringLiteral("splash.countdown")),
                 QStringLiteral("The connection to the radio will be established in 60 seconds."));
        QCOMPARE(widget<QAbstractButton>(QStringLiteral("toolbar.editorMode.Kanalliste"))->text(),
                 QStringLiteral("Kanalliste"));
        // The pickers' own titles stand beside them.
        QCOMPARE(text(QStringLiteral("sidebar.model.title")), QStringLiteral("Radio"));
        QCOMPARE(text(QStringLiteral("sidebar.baud.title")), QStringLiteral("Baud"));
        QCOMPARE(text(QStringLiteral("sidebar.language.title")), QStringLiteral("Language"));
        QCOMPARE(text(QStringLiteral("toolbar.editorMode.title")), QStringLiteral("Bearbeitung"));
        QCOMPARE(widget<QComboBox>(QStringLiteral("sidebar.language"))->currentData().toString(),
                 QStringLiteral("en"));
        QCOMPARE(UserDefaults::text(L::userDefaultsLanguageKey()),
                 std::optional<QString>(QStringLiteral("en")));

        QCOMPARE(m_view->draft(), std::optional<MemoryDraft>(edited));
        QCOMPARE(m_view->editorMode(), EditorMode::detail);
        QVERIFY(widget<QAbstractButton>(QStringLiteral("toolbar.editorMode.Detail"))->isChecked());
        QVERIFY(m_view->showAdvanced());
        QCOMPARE(m_view->logPanelHeight(), 420);
        QCOMPARE(widget<QSlider>(QStringLiteral("log.height"))->value(), 21);
        QVERIFY(m_view->showConnectSplash());
        QTRY_VERIFY(widget(QStringLiteral("splash"))->isVisible());
    }

    void sidebarLanguageMenuStoresTheChoice() {
        choose(QStringLiteral("sidebar.language"), QStringLiteral("fr"));
        QCOMPARE(UserDefaults::text(L::userDefaultsLanguageKey()),
                 std::optional<QString>(QStringLiteral("fr")));
        QTRY_COMPARE(button(QStringLiteral("sidebar.disconnect"))->text(), loc(QStringLiteral("Trennen")));
        QVERIFY(button(QStringLiteral("sidebar.disconnect"))->text() != QStringLiteral("Trennen"));
    }

    void settingsButtonAsksForTheSelectedModelsWindow() {
        QSignalSpy requests(m_view, &ContentView::openWindowRequested);
        button(QStringLiteral("toolbar.settings"))->click();
        widget<QAbstractButton>(QStringLiteral("sidebar.model.FT-991A"))->click();
        button(QStringLiteral("toolbar.settings"))->click();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0).at(0).toString(), QStringLiteral("ft710-settings"));
        QCOMPARE(requests.at(1).at(0).toString(), QStringLiteral("ft991a-settings"));
    }

    void alertShowsTheMessageAndOkClearsIt() {
        m_model->setAlertMessage(QStringLiteral("Etwas ging schief"));
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = m_view->findChild<QMessageBox *>(QStringLiteral("alert"))) && box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Hinweis"));
        QVERIFY(box->informativeText().contains(QStringLiteral("Etwas ging schief")));
        QCOMPARE(box->buttons().size(), 1);
        auto *ok = box->findChild<QPushButton *>(QStringLiteral("alert.ok"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        ok->click();
        QVERIFY(!m_model->alertMessage());
    }

    void alertFollowsTheLanguage() {
        m_model->setAlertMessage(QStringLiteral("Etwas ging schief"));
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = m_view->findChild<QMessageBox *>(QStringLiteral("alert"))));
        LanguageSelection::shared()->select(AppLanguage::en);
        QCOMPARE(box->windowTitle(), QStringLiteral("Notice"));
        QVERIFY(box->informativeText().contains(QStringLiteral("Etwas ging schief")));
    }

    void sidebarKeepsItsWidthAcrossALanguageChange() {
        auto *splitter = widget<QSplitter>(QStringLiteral("splitter"));
        splitter->setSizes({280, splitter->width() - 280});
        const int chosen = splitter->sizes().first();
        QCOMPARE(chosen, 280);
        switchLanguage(AppLanguage::en);
        QTRY_COMPARE(widget<QSplitter>(QStringLiteral("splitter"))->sizes().first(), chosen);
    }

    void alertShowsMarkupAsText() {
        m_model->setAlertMessage(QStringLiteral("<b>Port</b> & mehr"));
        QMessageBox *box = nullptr;
        QTRY_VERIFY((box = m_view->findChild<QMessageBox *>(QStringLiteral("alert"))));
        QVERIFY(box->informativeText().contains(QStringLiteral("&lt;b&gt;Port&lt;/b&gt; &amp; mehr")));
    }
};

QTEST_MAIN(ContentViewTest)
#include "tst_contentview.moc"
