#include "AppModel/AppModel.h"
#include "MainWindow/ContentView.h"
#include "MainWindowFixture.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace std::chrono_literals;

// Connecting through the countdown and running reads from the toolbar, against the fake radio.
class ConnectFlowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowFixture> m_world;
    AppModel *m_model = nullptr;
    ContentView *m_view = nullptr;

    template <typename T = QWidget> T *widget(const QString &name) { return m_world->widget<T>(name); }
    QPushButton *button(const QString &name) { return m_world->button(name); }
    QString text(const QString &name) { return m_world->text(name); }
    QString logText() { return widget<QPlainTextEdit>(QStringLiteral("log.text"))->toPlainText(); }
    void connectAndWait() {
        button(QStringLiteral("sidebar.connect"))->click();
        QTRY_VERIFY(m_model->isConnected());
    }

private slots:
    void init() {
        m_world = std::make_unique<MainWindowFixture>();
        m_world->openWindow(2ms);
        m_model = m_world->model.get();
        m_view = m_world->view.get();
    }
    void cleanup() { m_world.reset(); }

    void connectCountsDownEverySecondThenConnects() {
        QList<int> shown;
        connect(m_view, &ContentView::connectSplashChanged, this, [&] {
            if (!m_view->showConnectSplash())
                return;
            shown.append(m_view->connectCountdown());
            QCOMPARE(widget<QProgressBar>(QStringLiteral("splash.progress"))->value(),
                     60 - m_view->connectCountdown());
        });
        m_view->setCountdownStepInterval(1h);
        button(QStringLiteral("sidebar.connect"))->click();
        QTRY_VERIFY(widget(QStringLiteral("splash"))->isVisible());
        QCOMPARE(text(QStringLiteral("splash.countdown")),
                 QStringLiteral("Die Verbindung zum Funkgerät wird in 60 Sekunden hergestellt."));
        QCOMPARE(widget<QProgressBar>(QStringLiteral("splash.progress"))->value(), 0);
        QVERIFY(!m_model->isConnected());

        m_view->setCountdownStepInterval(2ms);
        QTRY_VERIFY(m_model->isConnected());
        QVERIFY(!m_view->showConnectSplash());
        QList<int> expected;
        for (int second = 60; second >= 1; --second)
            expected.append(second);
        QCOMPARE(shown, expected);
        QCOMPARE(m_view->connectCountdown(), 1);
        QCOMPARE(text(QStringLiteral("sidebar.badge.state")), QStringLiteral("Verbunden"));
        QVERIFY(button(QStringLiteral("sidebar.disconnect"))->isEnabled());
        QVERIFY(button(QStringLiteral("toolbar.readAll"))->isEnabled());
        QTRY_VERIFY(!widget(QStringLiteral("splash"))->isVisible());
    }

    void whileBusyConnectIsDisabledAndDoesNothing() {
        connectAndWait();
        m_world->radio.setLineSpeed(4800); // a long run that a disconnect ends soon
        button(QStringLiteral("toolbar.readAll"))->click();
        QVERIFY(m_model->isBusy());
        QVERIFY(!button(QStringLiteral("sidebar.connect"))->isEnabled());
        QVERIFY(!button(QStringLiteral("toolbar.readAll"))->isEnabled());
        QVERIFY(!button(QStringLiteral("toolbar.readSelected"))->isEnabled());
        QVERIFY(!button(QStringLiteral("toolbar.import"))->isEnabled());
        QVERIFY(widget(QStringLiteral("log.busy"))->isVisible());
        m_view->startConnectSplash();
        QVERIFY(!m_view->showConnectSplash());

        button(QStringLiteral("sidebar.disconnect"))->click();
        QVERIFY(!m_model->isConnected());
        QTRY_VERIFY(!m_model->isBusy());
        QVERIFY(!widget(QStringLiteral("log.busy"))->isVisible());
        QVERIFY(button(QStringLiteral("toolbar.import"))->isEnabled());
        QCOMPARE(text(QStringLiteral("sidebar.badge.state")), QStringLiteral("Getrennt"));
    }

    // A read that ends would overwrite an imported table: no import while one runs.
    void importWhileAReadRunsIsRefused() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("backup.json"));
        m_view->exportBackup(path);
        connectAndWait();
        m_world->radio.setLineSpeed(4800); // a long run that a disconnect ends soon
        m_model->readAll();
        m_view->importBackup(path);
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(!m_model->logLines().first().contains(QStringLiteral("importiert")));
        m_model->disconnect();
        QTRY_VERIFY(!m_model->isBusy());
    }

    void readAllFromTheToolbarFillsTheTable() {
        m_world->radio.setChannel(
            3, {.payload = QStringLiteral("145500000+000000400000"), .tag = QStringLiteral("CALL")});
        connectAndWait();
        button(QStringLiteral("toolbar.readAll"))->click();
        QVERIFY(m_model->isBusy());
        QTRY_VERIFY_WITH_TIMEOUT(!m_model->isBusy(), 20000);
        QCOMPARE(m_model->memories().at(2).frequency, QStringLiteral("145500000"));
        QVERIFY(button(QStringLiteral("toolbar.readAll"))->isEnabled());
        QVERIFY(logText().startsWith(m_model->logLines().first()));
    }

    void readSelectedNeedsASelection() {
        connectAndWait();
        QVERIFY(button(QStringLiteral("toolbar.readSelected"))->isEnabled());
        m_model->setSelectedMemoryID(std::nullopt);
        QVERIFY(!button(QStringLiteral("toolbar.readSelected"))->isEnabled());
        QVERIFY(button(QStringLiteral("toolbar.readAll"))->isEnabled());
    }
};

QTEST_MAIN(ConnectFlowTest)
#include "tst_connectflow.moc"
