#include "App/KorvelApp.h"
#include "App/PreferencesPanel.h"
#include "App/SettingsWindows.h"
#include "FakeRadio.h"
#include "Localization/L.h"
#include "Localization/LanguageSelection.h"
#include "Localization/UserDefaults.h"
#include "MainWindow/BackupFile.h"
#include "MainWindow/ConnectCountdownOverlay.h"
#include "MainWindow/ContentView.h"
#include "MainWindow/LogRowLines.h"
#include "MainWindow/LogTextView.h"
#include "MainWindow/MainViewState.h"
#include "TabRound.h"
#include "TestRows.h"
#include "TestSettings.h"
#include "Theme/ModelPalette.h"
#include "Theme/PanelSurface.h"
#include "WheelTurn.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSplitter>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The application as the user drives it, by object name, against a fake FT-710 on "ttyUSB0" of
// its own device folder, German as the system language and the clipboard caught in a list.
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_devices;
    std::unique_ptr<FakeRadio> m_radio;
    QStringList m_clipboard;
    std::unique_ptr<KorvelApp> m_app;
    AppModel *m_model = nullptr;
    ContentView *m_view = nullptr;

    AppModel::Options options() {
        return {.deviceFolder = m_devices->path(),
                .writeClipboard = [this](const QString &text) { m_clipboard.append(text); }};
    }
    template <typename T = QWidget> T *widget(const QString &name) const {
        T *found = m_view->findChild<T *>(name);
        if (!found)
            qFatal("no widget named %s", qPrintable(name));
        return found;
    }
    QPushButton *button(const QString &name) const { return widget<QPushButton>(name); }
    void click(const QString &name) const { widget<QAbstractButton>(name)->click(); }
    QString text(const QString &name) const { return widget(name)->property("text").toString(); }
    // Chooses the item with this data as the user does; false when there is none.
    bool choose(const QString &comboName, const QVariant &data) const {
        auto *combo = widget<QComboBox>(comboName);
        const int index = combo->findData(data);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return index >= 0;
    }
    // Presses "toolbar.export" or "toolbar.import" and picks `path` in its file dialog.
    bool chooseFile(const QString &buttonName, const QString &path) const {
        click(buttonName);
        auto *dialog = m_view->findChild<QFileDialog *>();
        if (!dialog || !dialog->isVisible())
            return false;
        emit dialog->fileSelected(path);
        dialog->close();
        return true;
    }
    // The log as a user copies it: all of it selected and copied with the keyboard.
    QString logText() const {
        auto *log = widget<LogTextView>(u"log.text"_s);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(log, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }
    QString allLogLines() const { return m_model->logLines().join(u'\n'); }
    // Whether the log holds every line of the model and is laid out for them: its scroll bar
    // comes or goes a turn after the lines ask for it, and the text then wraps to the new width.
    bool logLaidOut(LogTextView *text) const {
        const QScrollBar *bar = text->verticalScrollBar();
        return text->characterCount() == allLogLines().size() && bar->isVisible() == (bar->maximum() > 0);
    }
    // Paints now what the window owes a repaint, as its next frame would.
    void paintWhatIsDue() const {
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(m_view, &request);
    }
    // The space the log leaves around its text, and the middle of its screen line `line` from
    // the top of the view.
    static constexpr int logMargin = 4;
    static int lineY(LogTextView *text, int line) {
        const int top = text->verticalScrollBar()->value() == 0 ? logMargin : 0;
        return int(top + text->lineHeight() * (line + 0.5));
    }
    // What a drag with the mouse selects, copied with the keyboard.
    static QString dragCopy(LogTextView *text, QPoint from, QPoint to) {
        QGuiApplication::clipboard()->clear();
        QTest::mousePress(text->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(text->viewport(), to);
        QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, to);
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    }
    // The screen lines at the top of the log, up to `characters` characters, each selected from
    // its start to the next one's (the last to its end).
    static QStringList screenLines(LogTextView *text, qsizetype characters) {
        QStringList lines;
        for (qsizetype taken = 0; taken < characters && lines.size() < 50; taken += lines.last().size()) {
            const int y = lineY(text, int(lines.size()));
            QString line = dragCopy(text, QPoint(1, y), QPoint(1, lineY(text, int(lines.size()) + 1)));
            if (line.isEmpty() || line.contains(u'\n') || taken + line.size() >= characters)
                line = dragCopy(text, QPoint(1, y), QPoint(text->viewport()->width() - 1, y));
            if (line.isEmpty())
                break;
            lines << line;
        }
        return lines;
    }
    // How many screen lines from the top show text, in light pixels, before one that does not.
    static int linesWithText(LogTextView *text) {
        const QImage shown = text->viewport()->grab().toImage();
        const qreal height = text->lineHeight();
        const auto lit = [&](int line) {
            for (int y = int(logMargin + line * height); y < int(logMargin + (line + 1) * height); ++y) {
                for (int x = 0; x < shown.width() && y < shown.height(); ++x) {
                    if (qGray(shown.pixel(x, y)) > 150)
                        return true;
                }
            }
            return false;
        };
        int line = 0;
        while (lit(line))
            ++line;
        return line;
    }
    // Counts a widget's paints.
    struct PaintCount : QObject {
        int count = 0;
        explicit PaintCount(QWidget *widget) { widget->installEventFilter(this); }
        bool eventFilter(QObject *, QEvent *event) override {
            count += event->type() == QEvent::Paint;
            return false;
        }
    };
    // Whether `part` of `widget` lies whole inside `frame`.
    static bool shownWhole(QWidget *widget, const QRect &part, QWidget *frame) {
        return frame->rect().contains(QRect(widget->mapTo(frame, part.topLeft()), part.size()));
    }
    // Whether `part` of `widget` is seen whole in the window, once the scroll area around it, if
    // there is one, is scrolled up or down to it.
    bool seenWhole(QWidget *widget, const QRect &part) const {
        QWidget *window = m_view->centralWidget();
        QWidget *frame = window;
        for (QWidget *each = widget->parentWidget(); each && frame == window; each = each->parentWidget()) {
            auto *area = qobject_cast<QScrollArea *>(each);
            if (!area || !area->widget()->isAncestorOf(widget))
                continue;
            const QRect inArea(widget->mapTo(area->widget(), part.topLeft()), part.size());
            QScrollBar *bar = area->verticalScrollBar();
            bar->setValue(std::max(bar->value(), inArea.bottom() + 1 - area->viewport()->height()));
            bar->setValue(std::min(bar->value(), inArea.top()));
            frame = area->viewport();
        }
        return shownWhole(widget, part, frame) && shownWhole(frame, frame->rect(), window);
    }
    // Whether a label's lines, or a button's text beside its icon, fit its contents, in fractional
    // pixels; an elided label, or button where `buttonsMayElide`, carries its whole text as tool
    // tip, a button as its name.
    static bool textFits(QWidget *widget, bool buttonsMayElide) {
        const QFontMetricsF metrics(widget->font());
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            const QSizeF room = label->contentsRect().size();
            const QSizeF needed = metrics
                                      .boundingRect(QRectF(0, 0, room.width(), 1e6),
                                                    label->wordWrap() ? Qt::TextWordWrap : 0, label->text())
                                      .size();
            return label->toolTip() == label->text() ||
                   (needed.width() <= room.width() && needed.height() <= room.height());
        }
        auto *button = qobject_cast<QPushButton *>(widget);
        if (!button)
            return true;
        QStyleOptionButton option;
        option.initFrom(widget);
        const qreal icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name) == button->text() &&
               ((buttonsMayElide && button->toolTip() == button->text()) ||
                metrics.horizontalAdvance(button->text()) + icon <=
                    widget->style()->subElementRect(QStyle::SE_PushButtonContents, &option, widget).width());
    }
    static QWidgetList windowsNamed(const QString &name) {
        QWidgetList found = QApplication::topLevelWidgets();
        found.removeIf([&](QWidget *window) { return window->objectName() != name; });
        return found;
    }
    // The controls, switch cells and painted marks a screen reader finds no name for. A combo box
    // says its value as its name, so it needs a title: on Linux that comes, as for any control,
    // through the label relation of the label it is the buddy of.
    static QStringList namelessControls(QAccessibleInterface *element) {
        using A = QAccessible;
        static const QList<A::Role> controls{A::Button,   A::CheckBox,     A::RadioButton,
                                             A::ComboBox, A::EditableText, A::Slider,
                                             A::SpinBox,  A::ButtonMenu,   A::Table};
        const bool cell = element->role() == A::Cell; // one scrolled out of view is there all the same
        if (element->state().invisible && !cell)
            return {};
        QString name = element->text(A::Name);
        if (element->role() == A::ComboBox && name == element->text(A::Value))
            name.clear();
        for (const auto &[label, relation] : element->relations(A::Label))
            name += label->text(A::Name);
        const QObject *object = element->object();
        const bool paintedMark = element->role() == A::Client && element->childCount() == 0 &&
                                 !object->objectName().startsWith(u"qt_"_s);
        QStringList found;
        if (name.isEmpty() &&
            (controls.contains(element->role()) || paintedMark || (cell && element->state().checkable)))
            found << (object ? object->objectName() : u"a switch cell"_s);
        for (int child = 0; child < element->childCount(); ++child)
            found << namelessControls(element->child(child));
        return found;
    }

    // Shows the window by the name of its rows: "detail" (the main window with the FT-991A's
    // detail editor, the larger field set), "preferences" or a settings window's id; the main
    // window for any other name.
    QWidget *showWindow(const QString &window) {
        QWidget *shown = m_view;
        if (window == u"detail"_s) {
            m_model->setSelectedRadioModel(RadioModel::ft991a);
            m_view->setEditorMode(EditorMode::detail);
        } else if (window == u"preferences"_s) {
            m_app->openPreferences();
            shown = m_app->preferencesPanel();
        } else if (window.endsWith(u"-settings"_s)) {
            shown = m_app->openWindow(window);
        }
        QCoreApplication::processEvents(); // rows added to a shown window show on the next turn
        return shown;
    }

private slots:
    void init() {
        m_settings = std::make_unique<TestSettings>();
        L::setPreferredLanguagesSource([] { return QStringList{u"de-DE"_s}; });
        m_devices = std::make_unique<QTemporaryDir>();
        m_radio = std::make_unique<FakeRadio>(RadioModel::ft710);
        QFile::link(m_radio->devicePath(), m_devices->filePath(u"ttyUSB0"_s));
        m_app = std::make_unique<KorvelApp>(options());
        m_model = m_app->appModel();
        m_view = m_app->mainWindow();
        m_view->viewState()->setCountdownStepInterval(2ms);
        m_app->show();
    }
    void cleanup() {
        m_app.reset();
        m_radio.reset();
        m_clipboard.clear();
        L::setPreferredLanguagesSource({});
        m_settings.reset();
    }

    // Reads and "Trennen" wait for a link, "Ausgewählten lesen" for a channel. While an operation
    // runs only "Trennen", "Export" and "Einstellungen" stay, the busy mark shows, and nothing may
    // start a connect or an import that its end would undo, not from a dialog opened before either.
    void controlsFollowTheLinkState_data() {
        QTest::addColumn<QString>("state");
        // connect, disconnect, read all, read selected, import, export, settings
        QTest::addColumn<QString>("enabled");
        QTest::addRow("disconnected") << u"disconnected"_s << u"1000111"_s;
        QTest::addRow("connected") << u"connected"_s << u"1111111"_s;
        QTest::addRow("no channel selected") << u"no channel"_s << u"1110111"_s;
        QTest::addRow("busy") << u"busy"_s << u"0100011"_s;
    }
    void controlsFollowTheLinkState() {
        QFETCH(QString, state);
        QFETCH(QString, enabled);
        if (state != u"disconnected"_s) {
            click(u"sidebar.connect"_s);
            QTRY_VERIFY(m_model->isConnected());
        }
        if (state == u"no channel"_s)
            m_model->setSelectedMemoryID(std::nullopt);
        QTemporaryDir folder;
        const QString backup = folder.filePath(u"backup.json"_s);
        if (state == u"busy"_s) {
            QVERIFY(chooseFile(u"toolbar.export"_s, backup));
            click(u"toolbar.import"_s);
            m_radio->setLineSpeed(4800); // a read that lasts until the link is closed
            click(u"toolbar.readAll"_s);
        }
        QString shown;
        for (const char *name :
             {"sidebar.connect", "sidebar.disconnect", "toolbar.readAll", "toolbar.readSelected",
              "toolbar.import", "toolbar.export", "toolbar.settings"})
            shown += button(QString::fromLatin1(name))->isEnabled() ? u'1' : u'0';
        QCOMPARE(shown, enabled);
        QCOMPARE(widget(u"log.busy"_s)->isVisible(), state == u"busy"_s);
        QCOMPARE(text(u"sidebar.badge.state"_s) == loc(u"Verbunden"_s), state != u"disconnected"_s);
        if (state != u"busy"_s)
            return;
        m_view->startConnectSplash();
        QVERIFY(!m_view->showConnectSplash());
        emit m_view->findChild<QFileDialog *>(u"backup.importDialog"_s)->fileSelected(backup);
        QVERIFY(m_model->alertMessage().has_value());
        click(u"sidebar.disconnect"_s);
        QTRY_VERIFY(!m_model->isBusy());
    }

    // The sidebar's menus and the model follow each other; a value no item has is shown dimmed
    // in its menu, and no item is added for it. "Ports aktualisieren" lists the devices anew.
    void sidebarMenusFollowTheModel() {
        QVERIFY(choose(u"sidebar.baud"_s, 9600));
        QCOMPARE(m_model->baudRate(), 9600);
        QVERIFY(choose(u"sidebar.port"_s, QString()));
        QCOMPARE(m_model->selectedPort(), QString());
        const int ports = widget<QComboBox>(u"sidebar.port"_s)->count();
        const int rates = widget<QComboBox>(u"sidebar.baud"_s)->count();
        m_model->setSelectedPort(u"/nowhere/ttyUSB9"_s);
        m_model->setBaudRate(1200);
        for (auto [name, shown, items] : {std::tuple(u"sidebar.port"_s, u"/nowhere/ttyUSB9"_s, ports),
                                          {u"sidebar.baud"_s, u"1200"_s, rates}}) {
            auto *menu = widget<QComboBox>(name);
            QCOMPARE(menu->currentIndex(), -1);
            QCOMPARE(menu->placeholderText(), shown);
            QCOMPARE(menu->count(), items);
        }
        QFile::link(m_radio->devicePath(), m_devices->filePath(u"ttyUSB1"_s));
        click(u"sidebar.refreshPorts"_s);
        QCOMPARE(widget<QComboBox>(u"sidebar.port"_s)->count(), ports + 1);
    }

    // The card counts every second down to the connect, with the keyboard and a screen reader
    // kept on it until it goes. "Abbrechen" and closing the window end the count for good: no connect,
    // nothing logged or sent; a new count starts from the top. Without a port there is nothing to wait for:
    // the model says why at once.
    void connectCountdown_data() {
        QTest::addColumn<QString>("end");
        QTest::addRow("runs out") << u"runs out"_s;
        QTest::addRow("Abbrechen") << u"cancel"_s;
        QTest::addRow("window closed") << u"close"_s;
    }
    void connectCountdown() {
        QFETCH(QString, end);
        QList<int> shown;
        connect(m_view->viewState(), &MainViewState::connectSplashChanged, this, [&] {
            if (m_view->showConnectSplash())
                shown.append(m_view->connectCountdown());
        });
        m_view->viewState()->setCountdownStepInterval(1h);
        click(u"sidebar.connect"_s);
        QTRY_VERIFY(widget(u"splash"_s)->isVisible());
        // The card, built with the first count, shows every second of it.
        auto *progress = widget<QProgressBar>(u"splash.progress"_s);
        QCOMPARE(progress->value(), 0);
        connect(m_view->viewState(), &MainViewState::connectSplashChanged, this, [&] {
            if (m_view->showConnectSplash())
                QCOMPARE(progress->value(), MainViewState::countdownSeconds - m_view->connectCountdown());
        });
        QApplication::setActiveWindow(m_view);
        QTest::keyClick(button(u"splash.cancel"_s), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button(u"splash.cancel"_s));
        QVERIFY(QAccessible::queryAccessibleInterface(button(u"toolbar.export"_s))->state().disabled);
        m_view->viewState()->setCountdownStepInterval(2ms);
        if (end == u"runs out"_s) {
            QTRY_VERIFY(m_model->isConnected());
            QCOMPARE(shown.size(), MainViewState::countdownSeconds);
            for (int step = 0; step < shown.size(); ++step)
                QCOMPARE(shown[step], MainViewState::countdownSeconds - step);
            QTRY_VERIFY(!widget(u"splash"_s)->isVisible());
            QVERIFY(button(u"toolbar.export"_s)->isEnabled());
            QVERIFY(!widget(u"splash"_s)->isAncestorOf(QApplication::focusWidget()));
            click(u"sidebar.disconnect"_s);
            QVERIFY(choose(u"sidebar.port"_s, QString()));
            click(u"sidebar.connect"_s);
            QVERIFY(!m_view->showConnectSplash() && m_model->alertMessage().has_value());
            return;
        }
        QTRY_VERIFY(m_view->connectCountdown() < 55);
        QCloseEvent close;
        if (end == u"close"_s)
            QCoreApplication::sendEvent(m_view, &close);
        else
            click(u"splash.cancel"_s);
        const int left = m_view->connectCountdown();
        QVERIFY(!m_view->showConnectSplash() && !m_view->findChild<QTimer *>(u"splash.timer"_s)->isActive());
        QCoreApplication::processEvents();
        QVERIFY(!m_model->isConnected() && m_model->logLines().isEmpty() && m_radio->received().isEmpty());
        QCOMPARE(m_view->connectCountdown(), left);
        QTRY_VERIFY(!widget(u"splash"_s)->isVisible());
        QVERIFY(!widget(u"splash"_s)->isAncestorOf(QApplication::focusWidget()));
        m_view->viewState()->setCountdownStepInterval(1h);
        m_view->startConnectSplash();
        QCOMPARE(m_view->connectCountdown(), MainViewState::countdownSeconds);
        QCOMPARE(progress->value(), 0);
    }

    // Space or Enter where the keyboard lands after the countdown can neither switch the model nor
    // drop the link; a button that disables itself for its run hands the keyboard on to a control of
    // its row or panel that a person can name and use.
    void keyboardLandsWhereItDoesNoHarm_data() {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("lands"); // the control, or the panel the keyboard stays in
        QTest::addRow("countdown runs out") << u"sidebar.connect"_s << u"memoryTable.view"_s;
        QTest::addRow("countdown runs out in detail mode")
            << u"sidebar.connect detail"_s << u"toolbar.readAll"_s;
        QTest::addRow("countdown cancelled") << u"splash.cancel"_s << u"sidebar.connect"_s;
        QTest::addRow("Alle lesen") << u"toolbar.readAll"_s << u"toolbar"_s;
        QTest::addRow("Ausgewählten schreiben") << u"detailEditor.write"_s << u"detailEditor.frequency"_s;
    }
    void keyboardLandsWhereItDoesNoHarm() {
        QFETCH(QString, press);
        QFETCH(QString, lands);
        QApplication::setActiveWindow(m_view);
        if (press.endsWith(u" detail"_s) || press.startsWith(u"detailEditor"_s))
            click(u"toolbar.editorMode.Detail"_s);
        const bool countdown = press.startsWith(u"s"_s);
        if (countdown) {
            m_view->viewState()->setCountdownStepInterval(press == u"splash.cancel"_s ? 1h : 2ms);
            button(u"sidebar.connect"_s)->setFocus();
            QTest::keyClick(button(u"sidebar.connect"_s), Qt::Key_Space);
            QTRY_VERIFY(widget(u"splash"_s)->isVisible());
            if (press == u"splash.cancel"_s)
                QTest::keyClick(button(press), Qt::Key_Space);
            QTRY_VERIFY(!m_view->showConnectSplash());
            QCOMPARE(QApplication::focusWidget(), widget(lands));
            return;
        }
        click(u"sidebar.connect"_s);
        QTRY_VERIFY(m_model->isConnected());
        m_radio->setLineSpeed(4800); // a run that lasts until the link is closed
        if (press == u"detailEditor.write"_s) {
            MemoryDraft edited = *m_view->draft();
            edited.frequency = u"145500000"_s;
            edited.isEmpty = false;
            m_view->setDraft(edited);
        }
        button(press)->setFocus();
        QTest::keyClick(button(press), Qt::Key_Space);
        QVERIFY(m_model->isBusy() && !button(press)->isEnabled());
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus && focus->isEnabled() &&
                (focus == widget(lands) || widget(lands)->isAncestorOf(focus)));
        QVERIFY(!QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name).isEmpty());
    }

    // One notch of the wheel over a closed picker, focused or not, leaves it and what it edits
    // alone and scrolls the view around it, where that can scroll; an entry chosen from its opened
    // list still changes it.
    void wheelLeavesAClosedPickerAlone_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("picker");
        QTest::addRow("sidebar, port") << u"main"_s << u"sidebar.port"_s;
        QTest::addRow("sidebar, baud rate") << u"main"_s << u"sidebar.baud"_s;
        QTest::addRow("sidebar, language") << u"main"_s << u"sidebar.language"_s;
        QTest::addRow("detail editor, mode") << u"detail"_s << u"detailEditor.mode"_s;
        QTest::addRow("detail editor, tone") << u"detail"_s << u"detailEditor.toneSql"_s;
        QTest::addRow("FT-710 settings, MEM GROUP") << u"ft710-settings"_s << u"settingEditor:ft710.030114"_s;
        QTest::addRow("FT-991A settings, CAT RATE") << u"ft991a-settings"_s << u"settingEditor:ft991a.031"_s;
    }
    void wheelLeavesAClosedPickerAlone() {
        QFETCH(QString, window);
        QFETCH(QString, picker);
        const QPointer combo = showWindow(window)->findChild<QComboBox *>(picker);
        QVERIFY(combo);
        const auto state = [&] {
            return std::tuple(combo ? combo->currentIndex() : -1, m_model->selectedPort(),
                              m_model->baudRate(), LanguageSelection::shared()->value(), m_view->draft(),
                              m_model->settingsStates());
        };
        const auto before = state();
        QScrollBar *around = nullptr;
        for (QWidget *parent = combo->parentWidget(); parent && !around; parent = parent->parentWidget())
            if (auto *area = qobject_cast<QAbstractScrollArea *>(parent))
                around = area->verticalScrollBar();
        for (bool focused : {false, true}) {
            if (focused)
                combo->setFocus();
            for (int notches : {1, -1}) {
                const int scrolled = around ? around->value() : 0;
                turnWheel(combo, Qt::NoModifier, notches);
                QCOMPARE(state(), before);
                if (notches < 0 && around && scrolled < around->maximum())
                    QVERIFY(around->value() > scrolled);
            }
        }
        combo->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        const bool last = combo->currentIndex() + 1 == combo->count();
        QTest::keyClick(combo->view(), last ? Qt::Key_Up : Qt::Key_Down);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_VERIFY(state() != before);
    }

    // Every stop of the Tab round is a control a screen reader can name; the scrolling areas that
    // hold the panels and fields are none.
    void tabRoundStopsOnlyAtNamedControls_data() {
        QTest::addColumn<QString>("mode");
        QTest::addRow("table") << u"Kanalliste"_s;
        QTest::addRow("detail") << u"Detail"_s;
    }
    void tabRoundStopsOnlyAtNamedControls() {
        QFETCH(QString, mode);
        click(u"toolbar.editorMode."_s + mode);
        QCOMPARE(strayTabStops(button(u"sidebar.connect"_s)), QStringList());
    }

    // The card casts a black shadow that falls below it, its icon one in the model's primary colour
    // on the card; neither reaches far above or beside what casts it.
    void connectCountdownCardAndIconCastShadows_data() { addRowPerRadioModel(); }
    void connectCountdownCardAndIconCastShadows() {
        QFETCH(RadioModel, model);
        m_model->setSelectedRadioModel(model);
        m_view->viewState()->setCountdownStepInterval(1h);
        click(u"sidebar.connect"_s);
        QWidget *overlay = widget(u"splash"_s);
        auto *fade = overlay->findChild<QPropertyAnimation *>();
        QTRY_VERIFY(fade->state() == QAbstractAnimation::Stopped && fade->currentValue() == fade->endValue());
        // Drawn alone, the overlay's backdrop is translucent black: a shadow makes it more opaque. Not
        // grabbed: a grab puts the window's background under it unless the fade happened to keep a
        // picture of a frame on its way in.
        QImage backdrop(overlay->size(), QImage::Format_ARGB32_Premultiplied);
        backdrop.fill(Qt::transparent);
        overlay->render(&backdrop, QPoint(), QRegion(), QWidget::DrawChildren);
        const QRect card = widget(u"splash.card"_s)->geometry();
        const auto opacity = [&](int x, int y) { return qAlpha(backdrop.pixel(x, y)); };
        const int plain = opacity(card.center().x(), card.top() - 20);
        const int belowCard = opacity(card.center().x(), card.bottom() + 10);
        QCOMPARE(opacity(card.left() - 40, card.center().y()), plain);
        QVERIFY2(belowCard > plain + 8,
                 qPrintable(u"%1 below the card, %2 elsewhere"_s.arg(belowCard).arg(plain)));

        const QImage face = widget(u"splash.card"_s)->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QRect icon = widget(u"splash.icon"_s)->geometry();
        const QColor primary = ModelPalette::forModel(model).primary;
        const auto distanceToPrimary = [&](const QPoint &point) {
            const QColor shown = face.pixelColor(point);
            return std::abs(shown.red() - primary.red()) + std::abs(shown.green() - primary.green()) +
                   std::abs(shown.blue() - primary.blue());
        };
        const QPoint belowIcon(icon.center().x(), icon.bottom() + 6);
        const QPoint aboveIcon(icon.center().x(), icon.top() - 15);
        QCOMPARE(face.pixelColor(icon.left() - 40, belowIcon.y()), face.pixelColor(aboveIcon));
        QVERIFY2(distanceToPrimary(belowIcon) < distanceToPrimary(aboveIcon) - 20,
                 qPrintable(face.pixelColor(belowIcon).name() + u" below the icon, "_s +
                            face.pixelColor(aboveIcon).name() + u" elsewhere"_s));
    }

    // A column card casts a glow in the model's primary colour that spreads 20 pixels and falls 10
    // down: it shows 10 pixels beside the card and 14 below it, and none 12 above it.
    void columnCardsCastTheirGlow_data() {
        addRows(
            {"sidebar|beside|1", "sidebar|below|1", "sidebar|above|0", "detail|below|1", "detail|above|0"});
    }
    void columnCardsCastTheirGlow() {
        QFETCH(QStringList, row);
        const auto [column, where, glows] = fields<3>(row);
        QWidget *background = m_view->centralWidget();
        const QRect card = QRect(widget(column)->mapTo(background, QPoint()), widget(column)->size()) -
                           QMargins(12, 12, 12, 12);
        const QPoint point = where == u"beside"_s  ? QPoint(card.left() - 10, card.center().y())
                             : where == u"below"_s ? QPoint(card.center().x(), card.bottom() + 14)
                                                   : QPoint(card.center().x(), card.top() - 12);
        QImage plain(background->size(), QImage::Format_RGB32);
        QPainter painter(&plain);
        m_view->viewState()->modelPalette().paintWindowBackground(painter, plain.rect());
        const QColor shown = background->grab().toImage().pixelColor(point);
        const QColor bare = plain.pixelColor(point);
        const int glow = std::abs(shown.red() - bare.red()) + std::abs(shown.green() - bare.green()) +
                         std::abs(shown.blue() - bare.blue());
        QVERIFY2(glows == u"1"_s ? glow >= 6 : glow == 0, qPrintable(u"%1 off the background"_s.arg(glow)));
    }

    // The card's credits end with the version as the branding has it.
    void connectCountdownCardShowsTheVersion() {
        QCOMPARE(ConnectCountdownOverlay::appVersionString(), u"V1.12.0 10e - Release 26.03.2026"_s);
        m_view->viewState()->setCountdownStepInterval(1h);
        click(u"sidebar.connect"_s);
        QTRY_VERIFY(widget(u"splash"_s)->isVisible());
        QVERIFY(text(u"splash.credits"_s)
                    .endsWith(loc(u"Version"_s) + u' ' + ConnectCountdownOverlay::appVersionString()));
    }

    // The lines of one turn of the event loop show together, newest first; "Alles kopieren"
    // copies all of them, "Log löschen" clears them. Dragging across a row and copying with the keyboard
    // copies that row only; Home and End go to the newest and the oldest line.
    void logShowsNewestFirstCopiesAndClears() {
        for (const char *line : {"first", "second", "third"})
            m_model->appendLog(QString::fromUtf8(line));
        QTRY_COMPARE(logText(), allLogLines());
        auto *text = widget<LogTextView>(u"log.text"_s);
        QWidget *rows = text->viewport();
        const int secondRow = lineY(text, 1);
        QTest::mousePress(rows, Qt::LeftButton, {}, QPoint(1, secondRow));
        QTest::mouseMove(rows, QPoint(rows->width() - 1, secondRow));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, QPoint(rows->width() - 1, secondRow));
        QTest::mouseClick(rows, Qt::RightButton, {}, QPoint(1, 4)); // keeps the selection
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), m_model->logLines().at(1));

        for (int line = 0; line < 60; ++line)
            m_model->appendLog(u"more"_s);
        QTRY_VERIFY(text->verticalScrollBar()->maximum() > 0);
        QScrollBar *scroll = text->verticalScrollBar();
        for (const auto &[key, end] : {std::pair{Qt::Key_End, scroll->maximum()}, {Qt::Key_Home, 0}}) {
            QTest::keyClick(text, key);
            QCOMPARE(scroll->value(), end);
        }

        const QString all = allLogLines();
        click(u"log.copy"_s);
        QCOMPARE(m_clipboard, QStringList{all});
        click(u"log.clear"_s);
        QCOMPARE(m_model->logLines().size(), 1);
        QTRY_COMPARE(logText(), allLogLines());
    }

    // A screen reader reads the log as the view shows it, read-only, and any part of it.
    void screenReaderReadsTheShownLog() {
        for (const QString &line : {u"first"_s, u"x\r\ny"_s, u"third"_s})
            m_model->appendLog(line);
        QTRY_VERIFY(logText().contains(u"third"_s));
        const QString shown = logText();
        QAccessibleInterface *log = QAccessible::queryAccessibleInterface(widget(u"log.text"_s));
        QVERIFY(log->state().readOnly && log->state().multiLine);
        QAccessibleTextInterface *text = log->textInterface();
        QCOMPARE(text->characterCount(), shown.size());
        QCOMPARE(text->text(0, -1), shown);
        for (int start = 0; start <= shown.size(); ++start) {
            for (int end = start; end <= shown.size(); ++end)
                QCOMPARE(text->text(start, end), shown.mid(start, end - start));
        }
    }

    // A line breaks into rows where a plain-text editor breaks it; "\r\n" is one break.
    void logLineBreaksIntoRows_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("rows");
        QTest::addRow("\\n") << u"a\nb"_s << u"a\nb"_s;
        QTest::addRow("\\r") << u"a\rb"_s << u"a\nb"_s;
        QTest::addRow("\\r\\n") << u"a\r\nb"_s << u"a\nb"_s;
        QTest::addRow("\\r at the end") << u"a\r"_s << u"a\n"_s;
        QTest::addRow("paragraph separator") << u"a\u2029b"_s << u"a\nb"_s;
        QTest::addRow("line separator") << u"a\u2028b"_s << u"a\nb"_s;
        QTest::addRow("no break") << u"a\tb"_s << u"a\tb"_s;
    }
    void logLineBreaksIntoRows() {
        QFETCH(QString, line);
        QFETCH(QString, rows);
        m_model->appendLog(line);
        const QString newest = m_model->logLines().first();
        QTRY_COMPARE(logText(), newest.chopped(line.size()) + rows);
    }

    // A line wider than the log wraps onto further screen lines, at the end of a word, or anywhere
    // in a word wider than the log; it wraps anew when the log narrows. Each screen line, selected
    // from its start to the next one's and copied, holds as much as fits, and all of them
    // together the whole line; each shows its text, and nothing is scrolled sideways.
    void longLogLineWrapsToTheLog_data() {
        QTest::addColumn<QString>("line");
        QStringList words;
        for (int word = 0; word < 60; ++word)
            words << QString(1 + word * 7 % 9, QLatin1Char('a' + word % 26));
        QTest::addRow("words") << words.join(u' ');
        QTest::addRow("one long word") << QString(400, u'x');
    }
    void longLogLineWrapsToTheLog() {
        QFETCH(QString, line);
        m_model->appendLog(line);
        auto *text = widget<LogTextView>(u"log.text"_s);
        QTRY_VERIFY(text->characterCount() > 0);
        const QString shown = m_model->logLines().first();
        for (const QSize &size : {ContentView::defaultContentSize, ContentView::minimumContentSize}) {
            m_view->resize(size + QSize(0, m_view->menuWidget()->sizeHint().height()));
            QTRY_COMPARE(m_view->centralWidget()->size(), size);
            QVERIFY(!text->horizontalScrollBar()->isVisible());
            const int width = text->viewport()->width() - 2 * logMargin;
            const QStringList lines = screenLines(text, shown.size());
            QCOMPARE(lines.join(QString()), shown);
            QVERIFY(lines.size() > 2);
            qsizetype atBlanks = 0;
            const QFontMetricsF metrics(text->font()); // a glyph's advance may be a fraction of a pixel
            for (qsizetype at = 0; at + 1 < lines.size(); ++at) {
                const QString &each = lines.at(at);
                QVERIFY(metrics.horizontalAdvance(each.trimmed()) <= width);
                if (each.endsWith(u' ')) // after a word, with its blank
                    atBlanks += !lines.at(at + 1).startsWith(u' ');
                else // inside a word wider than the log: as much of it as fits
                    QVERIFY(metrics.horizontalAdvance(each + lines.at(at + 1).front()) > width);
            }
            // A line of words breaks only after words; a long word after the time before it, and in itself.
            QCOMPARE(atBlanks, line.contains(u' ') ? lines.size() - 1 : 1);
            QCOMPARE(linesWithText(text), lines.size());
        }
    }

    // Every screen line of a log is found in its row, the rows estimated from their lengths or
    // counted from their layouts, as rows come and as the width changes.
    void logRowLinesFindTheRowOfEveryScreenLine() {
        LogRowLines rows;
        int lineLength = 10;
        rows.setLineLength(lineLength);
        const auto estimate = [&](int row) {
            return std::max(1, (row * 7 % 45 + lineLength - 1) / lineLength);
        };
        QList<int> lines; // a plain count to check against, oldest row first
        for (int row = 0; row < 300; ++row) {
            rows.append(row * 7 % 45);
            lines << estimate(row);
            if (row % 3 == 0) {
                rows.setLines(row / 2, 1 + row % 4);
                lines[row / 2] = 1 + row % 4;
            }
            if (row == 150) {
                rows.setLineLength(lineLength = 20);
                for (int each = 0; each <= row; ++each)
                    lines[each] = estimate(each);
            }
        }
        QCOMPARE(rows.total(), std::accumulate(lines.cbegin(), lines.cend(), 0));
        int line = 0;
        for (qsizetype row = lines.size() - 1; row >= 0; --row) {
            QCOMPARE(rows.firstLine(row), line);
            for (int inRow = 0; inRow < lines.at(row); ++inRow, ++line) {
                const LogRowLines::Place place = rows.at(line);
                QCOMPARE(std::pair(place.row, place.line), std::pair(row, inRow));
            }
        }
    }

    // Screen lines scroll one by one, a page at a time and to either end, and a selection runs
    // across them and across rows; a screen reader still reads the log's own lines.
    void wrappedLogScrollsAndSelectsByScreenLine() {
        for (int line = 0; line < 30; ++line)
            m_model->appendLog(QString(150, u'w'));
        auto *text = widget<LogTextView>(u"log.text"_s);
        QTRY_VERIFY(logLaidOut(text));
        const QStringList newest = screenLines(text, m_model->logLines().first().size());
        QVERIFY(newest.size() > 1);
        const int rowLines = int(newest.size());
        const QString across =
            dragCopy(text, QPoint(1, lineY(text, 1)), QPoint(1, lineY(text, rowLines + 1)));
        QCOMPARE(across, newest.mid(1).join(QString()) + u'\n' +
                             m_model->logLines().at(1).left(newest.first().size()));
        QScrollBar *scroll = text->verticalScrollBar();
        QTest::keyClick(text, Qt::Key_PageDown); // the screen line below the page comes to the top
        const int top = scroll->pageStep() % rowLines;
        const auto topLine = [&] {
            return dragCopy(text, QPoint(1, lineY(text, 0)), QPoint(1, lineY(text, 1))).section(u'\n', 0, 0);
        };
        const QString read = topLine();
        QCOMPARE(read, m_model->logLines()
                           .at(scroll->pageStep() / rowLines)
                           .mid(newest.first(top).join(QString()).size(), newest.at(top).size()));
        m_model->appendLog(QString(400, u'n')); // above the reader, who keeps the line read
        QTRY_VERIFY(logLaidOut(text));
        QCOMPARE(topLine(), read);
        QTest::keyClick(text, Qt::Key_End);
        QCOMPARE(scroll->value(), scroll->maximum());
        const int bottom = lineY(text, scroll->pageStep() - 1);
        QCOMPARE(dragCopy(text, QPoint(1, bottom), QPoint(text->viewport()->width() - 1, bottom)),
                 newest.last());
        QTest::keyClick(text, Qt::Key_Home);
        QCOMPARE(scroll->value(), 0);

        QAccessibleTextInterface *reader = QAccessible::queryAccessibleInterface(text)->textInterface();
        QCOMPARE(reader->text(0, -1), allLogLines());
    }

    // A new line shrinks the handle of the log's scroll bar while the log is a few pages long; past
    // that it neither moves nor shrinks it, and the bar no longer repaints with the text.
    void logScrollBarRepaintsWhenItsHandleChanges_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("handleChanges");
        QTest::addRow("two pages") << 30 << true;
        QTest::addRow("many pages") << 500 << false;
    }
    void logScrollBarRepaintsWhenItsHandleChanges() {
        QFETCH(int, lines);
        QFETCH(bool, handleChanges);
        auto *text = widget<LogTextView>(u"log.text"_s);
        for (int line = 1; line < lines; ++line)
            m_model->appendLog(u"line"_s);
        QTRY_VERIFY(logLaidOut(text));
        PaintCount textPaints(text->viewport()), barPaints(text->verticalScrollBar());
        constexpr int frames = 5;
        for (int frame = 0; frame <= frames; ++frame) {
            m_model->appendLog(u"more"_s);
            QTRY_VERIFY(logLaidOut(text));
            paintWhatIsDue(); // each frame's paints on their own, none joined with the next one's
            // Frame 0 is not counted: it may repaint the bar for the lines before, and the bar's first
            // change after it took its size does.
            if (frame == 0)
                textPaints.count = barPaints.count = 0;
            QVERIFY(textPaints.count >= frame);
        }
        QVERIFY2(handleChanges ? barPaints.count >= frames : barPaints.count == 0,
                 qPrintable(QString::number(barPaints.count)));
    }

    // The log's height moves in steps between its least and greatest height, by the slider and
    // when set to any value.
    void logHeightMovesInSteps_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("set"); // 0: nothing set
        QTest::addColumn<int>("height");
        const int step = MainViewState::logPanelHeightStep, least = MainViewState::minimumLogPanelHeight;
        const int most = MainViewState::maximumLogPanelHeight;
        QTest::addRow("one step up") << QList<int>{Qt::Key_Right} << 0
                                     << MainViewState::defaultLogPanelHeight + step;
        QTest::addRow("not above the most") << QList<int>{Qt::Key_End, Qt::Key_Right} << 0 << most;
        QTest::addRow("not below the least") << QList<int>{Qt::Key_Home, Qt::Key_Left} << 0 << least;
        QTest::addRow("set at half a step") << QList<int>() << least + step / 2 << least + step;
    }
    void logHeightMovesInSteps() {
        QFETCH(QList<int>, keys);
        QFETCH(int, set);
        QFETCH(int, height);
        for (int key : keys)
            QTest::keyClick(widget<QSlider>(u"log.height"_s), Qt::Key(key));
        if (set)
            m_view->setLogPanelHeight(set);
        QCOMPARE(m_view->logPanelHeight(), height);
        QCOMPARE(text(u"log.heightValue"_s), QString::number(height));
        QCOMPARE(widget(u"log.text"_s)->height(), height);
    }

    // The log panel is a group box: its caption, drawn in the text's light colour across the
    // title's width, stands above the control row, which starts with "Alles kopieren".
    void logTitleIsTheCaptionAboveItsControls() {
        auto *box = qobject_cast<QGroupBox *>(widget(u"log"_s));
        QVERIFY(box);
        QCOMPARE(box->title(), loc(u"Aktivitätsprotokoll"_s));
        const QImage shot = m_view->grab().toImage();
        const auto light = [&](int x, int y) { return qGray(shot.pixel(x, y)) > 150; };
        const QRect panel(box->mapTo(m_view, QPoint()), box->size());
        const QRect copy(widget(u"log.copy"_s)->mapTo(m_view, QPoint()), widget(u"log.copy"_s)->size());
        QRect caption;
        for (int y = panel.top(); y < copy.top(); ++y) {
            for (int x = panel.left(); x <= panel.right(); ++x)
                caption |= light(x, y) ? QRect(x, y, 1, 1) : QRect();
        }
        QVERIFY(caption.width() >= box->fontMetrics().horizontalAdvance(box->title()) * 3 / 4);
        for (int y = copy.top(); y <= copy.bottom(); ++y) {
            for (int x = panel.left(); x < copy.left(); ++x)
                QVERIFY2(!light(x, y), "nothing is drawn before the first button of the row");
        }
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
        m_view->resize(size + QSize(0, m_view->menuWidget()->sizeHint().height()));
        QWidget *table = widget(u"detail.tableSlot"_s); // the log follows right below it
        auto *view = widget<QAbstractScrollArea>(u"memoryTable.view"_s);
        const auto bottom = [&](QWidget *widget) {
            return widget->mapTo(m_view, widget->rect().bottomLeft()).y();
        };
        QTRY_COMPARE(m_view->centralWidget()->size(), size);
        QVERIFY(view->horizontalScrollBar()->isVisible());
        QVERIFY(bottom(view->horizontalScrollBar()) < bottom(table));
    }

    // At every height of the log, in both modes, in the default and the smallest window: the log's
    // text and its scroll bar stand whole inside the log panel, and the panel is in view whole, or
    // is once the window is scrolled there; so are three whole rows of the table, or the first row
    // of the detail editor's fields (below the FT-991A's summary chips).
    void logPanelStaysWholeAtEveryHeight_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("editor"); // "table", or the detail editor's radio model
        QTest::addColumn<int>("height");
        for (const auto &[window, size] : {std::pair{"default", ContentView::defaultContentSize},
                                           {"smallest", ContentView::minimumContentSize}}) {
            for (const char *editor : {"table", "FT-710", "FT-991A"}) {
                for (int height = MainViewState::minimumLogPanelHeight;
                     height <= MainViewState::maximumLogPanelHeight;
                     height += MainViewState::logPanelHeightStep)
                    QTest::addRow("%s, %s, %d", window, editor, height)
                        << size << QString::fromLatin1(editor) << height;
            }
        }
    }
    void logPanelStaysWholeAtEveryHeight() {
        QFETCH(QSize, size);
        QFETCH(QString, editor);
        QFETCH(int, height);
        for (int line = 0; line < 40; ++line)
            m_model->appendLog(u"line"_s);
        if (const auto model = radioModelFromRawValue(editor)) {
            m_model->setSelectedRadioModel(*model);
            m_view->setEditorMode(EditorMode::detail);
        }
        m_view->setLogPanelHeight(height);
        m_view->resize(size + QSize(0, m_view->menuWidget()->sizeHint().height()));
        QTRY_COMPARE(m_view->centralWidget()->size(), size);
        auto *text = widget<LogTextView>(u"log.text"_s);
        QTRY_VERIFY(text->verticalScrollBar()->isVisible());

        QWidget *panel = widget(u"log"_s);
        QTRY_VERIFY(shownWhole(text, text->rect(), panel)); // once laid out
        QVERIFY(shownWhole(text->verticalScrollBar(), text->verticalScrollBar()->rect(), panel));
        QVERIFY(seenWhole(panel, panel->rect()));

        QWidget *shown = nullptr; // the editor's viewport, with what must show of it
        QRect part;
        if (editor == u"table"_s) {
            auto *table = widget<QTableView>(u"memoryTable.view"_s);
            shown = table->viewport();
            part = QRect(QPoint(), QPoint(shown->width() - 1, table->rowViewportPosition(3) - 1));
            QCOMPARE(table->rowViewportPosition(0), 0);
        } else {
            auto *fields = widget<QScrollArea>(u"detailEditor.scroll"_s);
            shown = fields->viewport();
            QCOMPARE(fields->verticalScrollBar()->value(), 0);
            const QString beside =
                editor == u"FT-710"_s ? u"detailEditor.shiftDirection"_s : u"detailEditor.toneSql"_s;
            for (const QString &field : {u"detailEditor.frequency"_s, beside}) {
                QWidget *titled = widget(field)->parentWidget(); // the field with its title
                part |= QRect(titled->mapTo(shown, QPoint()), titled->size());
            }
        }
        QVERIFY(shownWhole(shown, part, shown));
        QVERIFY(seenWhole(shown, part));
    }

    // In German and English, in the default and the smallest window, with the sidebar as it starts
    // or as narrow as it goes, also with the wider badge of a link, every text of the sidebar and
    // the toolbar shows whole. In longer languages, every control shows whole too, and a text that
    // does not fit ends in "…". In shorter ones the sidebar's card is still 240 wide at the least.
    void sidebarAndToolbarTextsShowWhole_data() {
        addRows({"de|default|", "de|smallest|", "de|smallest|narrow", "de|smallest|narrow, connected",
                 "en|default|", "en|smallest|", "en|smallest|narrow", "en|smallest|narrow, connected",
                 "bg|smallest|", "el|smallest|narrow, connected", "lt|smallest|", "da|smallest|narrow",
                 "fi|smallest|narrow"});
    }
    void sidebarAndToolbarTextsShowWhole() {
        QFETCH(QStringList, row);
        const auto [language, window, sidebar] = fields<3>(row);
        const QPointer<QWidget> before = widget(u"sidebar"_s);
        LanguageSelection::shared()->select(*appLanguageFromRawValue(language));
        QTRY_VERIFY(!before && widget(u"sidebar"_s)->isVisible()); // rebuilt in the language, and shown
        if (sidebar.endsWith(u"connected"_s)) {
            click(u"sidebar.connect"_s);
            QTRY_VERIFY(m_model->isConnected());
        }
        const QSize size =
            window == u"default"_s ? ContentView::defaultContentSize : ContentView::minimumContentSize;
        m_view->resize(size + QSize(0, m_view->menuWidget()->sizeHint().height()));
        QTRY_COMPARE(m_view->centralWidget()->size(), size);
        if (!sidebar.isEmpty())
            widget<QSplitter>(u"splitter"_s)->setSizes({0, size.width()});
        const bool mayElide = language != u"de"_s && language != u"en"_s;
        const auto clipped = [&] {
            QStringList found;
            for (QWidget *each : widget(u"sidebar"_s)->findChildren<QWidget *>() +
                                     widget(u"toolbar"_s)->findChildren<QWidget *>()) {
                if (each->isVisible() && !(textFits(each, mayElide) && seenWhole(each, each->rect())))
                    found << each->property("text").toString();
            }
            return found;
        };
        QTRY_VERIFY2(clipped().isEmpty(), qPrintable(clipped().join(u" | "_s))); // once laid out
        const int card = widget(u"sidebar"_s)->width() - 2 * PanelSurface::glowMargin;
        QVERIFY2(card >= 240, qPrintable(QString::number(card)));
    }

    // The toolbar's captions are their catalogue texts; the picker's title and "Kanalliste" have
    // no English entry. Language | "Alle lesen", "Ausgewählten lesen", "Export", "Import",
    // "Einstellungen", the picker's title and its segments.
    void toolbarCaptionsAreTheirCatalogueTexts_data() {
        addRows({"de|Alle lesen|Ausgewählten lesen|Export|Import|Einstellungen|Bearbeitung|Kanalliste|Detail",
                 "en|Read all|Read selected|Export|Import|Settings|Bearbeitung|Kanalliste|Detail"});
    }
    void toolbarCaptionsAreTheirCatalogueTexts() {
        QFETCH(QStringList, row);
        LanguageSelection::shared()->select(*appLanguageFromRawValue(row.takeFirst()));
        const auto shown = [&] {
            QStringList found;
            for (const char *name : {"readAll", "readSelected", "export", "import", "settings",
                                     "editorMode.title", "editorMode.Kanalliste", "editorMode.Detail"})
                found << text(u"toolbar."_s + QLatin1String(name));
            return found;
        };
        QTRY_COMPARE(shown(), row); // once rebuilt in the language
    }

    // A screen reader meets the pickers as radio buttons of a group named by the picker's title;
    // its toggle and press actions choose the model or the mode as a click does. "Detail" swaps
    // the table for the detail editor above the log; without a channel a placeholder stands in
    // for both.
    void segmentedPickersFollowTheirAccessibleActions_data() {
        QTest::addColumn<QString>("segment");
        QTest::addColumn<QString>("action");
        for (const QString &action :
             {QAccessibleActionInterface::toggleAction(), QAccessibleActionInterface::pressAction()}) {
            QTest::addRow("model, %s", qPrintable(action)) << u"sidebar.model.FT-991A"_s << action;
            QTest::addRow("mode, %s", qPrintable(action)) << u"toolbar.editorMode.Detail"_s << action;
        }
    }
    void segmentedPickersFollowTheirAccessibleActions() {
        QFETCH(QString, segment);
        QFETCH(QString, action);
        const QString picker = segment.section(u'.', 0, 1);
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(widget(segment));
        QCOMPARE(button->role(), QAccessible::RadioButton);
        QCOMPARE(button->parent()->text(QAccessible::Name), text(picker + u".title"_s));
        button->actionInterface()->doAction(action);
        QTRY_VERIFY(picker == u"sidebar.model"_s ? m_model->selectedRadioModel() == RadioModel::ft991a
                                                 : m_view->editorMode() == EditorMode::detail);
        QVERIFY(button->state().checked);
        if (picker == u"sidebar.model"_s)
            return;
        QVERIFY(widget(u"detail.editorSlot"_s)->isVisible() && widget(u"log"_s)->isVisible() &&
                !widget(u"detail.tableSlot"_s)->isVisible());
        m_view->setDraft(std::nullopt);
        QVERIFY(widget(u"detail.noDraft"_s)->isVisible() && !widget(u"log"_s)->isVisible() &&
                !widget(u"detail.editorSlot"_s)->isVisible());
    }

    // A mode comes back from its raw value, matched exactly; its id is that raw value.
    // Raw value | mode.
    void editorModeFromItsRawValue_data() {
        addRows({"Kanalliste|Kanalliste", "Detail|Detail", "detail|none", "Detail |none", "|none"});
    }
    void editorModeFromItsRawValue() {
        QFETCH(QStringList, row);
        const auto [raw, mode] = fields<2>(row);
        const std::optional<EditorMode> found = editorModeFromRawValue(raw);
        QCOMPARE(found ? id(*found) : u"none"_s, mode);
    }

    // The window follows the model; the file holds the table as it was when "Export" was pressed,
    // under the model's name, and importing it brings back its model and its channels.
    void exportAndImportRoundTrip() {
        QTemporaryDir folder;
        const QColor ft710Primary = m_view->themePrimary();
        click(u"sidebar.model.FT-991A"_s);
        QCOMPARE(text(u"sidebar.badge.model"_s), rawValue(RadioModel::ft991a));
        QVERIFY(m_view->themePrimary() != ft710Primary);
        RadioMemory memory = m_model->memories().at(4);
        memory.frequency = u"7100000"_s;
        memory.isEmpty = false;
        m_model->replaceMemory(memory);
        const QList<RadioMemory> exported = m_model->memories();
        click(u"toolbar.export"_s);
        auto *dialog = m_view->findChild<QFileDialog *>(u"backup.exportDialog"_s);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                 MemoryBackup::defaultFileName(RadioModel::ft991a));
        memory.tag = u"LATER"_s;
        m_model->replaceMemory(memory);
        // A directory in the way: nothing can be written there, and it stays as it is.
        emit dialog->fileSelected(folder.path());
        QVERIFY(m_model->alertMessage().has_value());
        QVERIFY(QFileInfo(folder.path()).isDir());
        m_model->setAlertMessage(std::nullopt);
        const QString path = folder.filePath(u"backup.json"_s);
        emit dialog->fileSelected(path);
        QVERIFY(!m_model->alertMessage());

        click(u"sidebar.model.FT-710"_s);
        QVERIFY(chooseFile(u"toolbar.import"_s, path));
        QVERIFY(!m_model->alertMessage());
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft991a);
        QCOMPARE(m_model->memories(), exported);
    }

    // A file that is no backup, or no plain file (named in the alert), is refused with an alert;
    // the table, the model, the selection, the draft and the log stay as they were. A backup of
    // the size cap is read; one byte more is refused with a message that names the cap and the file.
    void importTakesOnlyABackupFile_data() {
        QTest::addColumn<QString>("instead"); // what stands at the path
        QTest::addColumn<qint64>("size");     // of a backup led by blanks; 0: as written
        QTest::addRow("not JSON") << u"{not json"_s << 0LL;
        QTest::addRow("missing file") << QString() << 0LL;
        QTest::addRow("pipe") << u"pipe"_s << 0LL;
        QTest::addRow("device") << u"/dev/zero"_s << 0LL;
        QTest::addRow("backup at the size cap") << u"backup"_s << BackupFile::maximumSize;
        QTest::addRow("one byte over the cap") << u"backup"_s << BackupFile::maximumSize + 1;
    }
    void importTakesOnlyABackupFile() {
        QFETCH(QString, instead);
        QFETCH(qint64, size);
        QTemporaryDir folder;
        QString path = folder.filePath(u"backup.json"_s);
        if (instead == u"pipe"_s) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (instead.startsWith(u'/')) {
            path = instead;
        } else if (!instead.isEmpty()) {
            const QByteArray contents =
                size ? m_model->backupDocument().fileContents().trimmed().rightJustified(size, ' ')
                     : instead.toUtf8();
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        }
        m_model->setSelectedMemoryID(u"007"_s);
        const QList<RadioMemory> before = m_model->memories();
        QVERIFY(chooseFile(u"toolbar.import"_s, path));
        const QString alert = m_model->alertMessage().value_or(QString());
        const bool imports = size == BackupFile::maximumSize;
        QCOMPARE(alert.isEmpty(), imports);
        QCOMPARE(m_model->logLines().isEmpty(), !imports);
        const bool namesTheFile =
            instead == u"pipe"_s || instead.startsWith(u'/') || size > BackupFile::maximumSize;
        QCOMPARE(alert.endsWith(u": "_s + path), namesTheFile);
        if (size > BackupFile::maximumSize)
            QVERIFY(alert.contains(QString::number(size >> 20) + u" MiB"_s));
        if (imports)
            return;
        QCOMPARE(m_model->memories(), before);
        QCOMPARE(m_model->selectedRadioModel(), RadioModel::ft710);
        QCOMPARE(m_view->draft()->slot, u"007"_s);
    }

    // A pipe swapped in for the file after a check, before the open, would keep the window waiting
    // for a writer: what is checked is the file that was opened.
    void importNeverWaitsOnAPipeSwappedInForTheFile() {
        QTemporaryDir folder;
        const auto name = [&](const char *file) {
            return QFile::encodeName(folder.filePath(QLatin1String(file)));
        };
        QFile file(QString::fromLocal8Bit(name("file")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_model->backupDocument().fileContents()) > 0 &&
                file.flush());
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
        // What a read of no plain file says, up to the path.
        const QString notAFile = BackupFile::read(folder.path()).error.value_or(u"?"_s).section(u':', 0, 0);
        QStringList failures;
        for (int attempt = 0; attempt < 500; ++attempt) {
            const auto error = BackupFile::read(QString::fromLocal8Bit(name("backup.json"))).error;
            if (error && !error->startsWith(notAFile))
                failures << *error;
        }
        reading = false;
        swapper.join();
        QCOMPARE(failures, QStringList());
    }

    // Of its 25 rows the panel shows a few: it opens with the chosen language in view and the
    // keyboard on it, also when opened again after its list was scrolled away.
    void preferencesPanelOpensAtTheChosenLanguage_data() {
        QTest::addColumn<QString>("choice");
        for (const char *choice : {"sv", "sk", "pt"})
            QTest::addRow("%s", choice) << QString::fromLatin1(choice);
    }
    void preferencesPanelOpensAtTheChosenLanguage() {
        QFETCH(QString, choice);
        LanguageSelection::shared()->select(*appLanguageFromRawValue(choice));
        for (int opening = 1; opening <= 2; ++opening) {
            m_app->openPreferences();
            PreferencesPanel *panel = m_app->preferencesPanel();
            auto *chosen = panel->findChild<QRadioButton *>(u"preferences.language."_s + choice);
            auto *list = panel->findChild<QScrollArea *>(u"preferences.languages"_s);
            QVERIFY(panel->isVisible());
            const QRect row(chosen->mapTo(list->viewport(), QPoint()), chosen->size());
            QVERIFY2(list->viewport()->rect().contains(row),
                     qPrintable(u"opening %1: row at %2, %3 tall, in a list %4 tall"_s.arg(opening)
                                    .arg(row.y())
                                    .arg(row.height())
                                    .arg(list->viewport()->height())));
            QTRY_COMPARE(QApplication::focusWidget(), chosen);
            list->verticalScrollBar()->setValue(0);
            panel->close();
        }
    }

    // A choice of language in the sidebar, the menu or the preferences panel is stored and marked
    // in all three; a stored value that names no language marks none. Qt's own dialogs and
    // buttons take the chosen language where Qt has it, English elsewhere.
    void languageChoiceIsStoredAndMarkedEverywhere_data() {
        QTest::addColumn<QString>("where"); // empty: a fresh start
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("cancel");
        QTest::addRow("fresh start, German system") << QString() << u"system"_s << u"Abbrechen"_s;
        QTest::addRow("sidebar") << u"sidebar"_s << u"fr"_s << u"Annuler"_s;
        QTest::addRow("menu, a language Qt lacks") << u"menu"_s << u"sv"_s << u"Cancel"_s;
        QTest::addRow("preferences panel") << u"panel"_s << u"de"_s << u"Abbrechen"_s;
        QTest::addRow("unknown stored value") << u"stored"_s << u"tlh"_s << u"Abbrechen"_s;
    }
    void languageChoiceIsStoredAndMarkedEverywhere() {
        QFETCH(QString, where);
        QFETCH(QString, choice);
        QFETCH(QString, cancel);
        if (where == u"sidebar"_s) {
            QVERIFY(choose(u"sidebar.language"_s, choice));
        } else if (where == u"menu"_s) {
            widget<QAction>(u"menu.language."_s + choice)->trigger();
        } else if (where == u"panel"_s) {
            widget<QAction>(u"action.preferences"_s)->trigger();
            QTRY_VERIFY(m_app->preferencesPanel()->isVisible());
            m_app->preferencesPanel()
                ->findChild<QRadioButton *>(u"preferences.language."_s + choice)
                ->click();
        } else if (where == u"stored"_s) {
            UserDefaults::setValue(L::userDefaultsLanguageKey(), choice);
            m_app = std::make_unique<KorvelApp>(options());
            m_model = m_app->appModel();
            m_view = m_app->mainWindow();
        }
        QCOMPARE(UserDefaults::text(L::userDefaultsLanguageKey()),
                 where.isEmpty() ? std::nullopt : std::optional(choice));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(), cancel);
        const QList<QAction *> menu = widget<QMenu>(u"menu.language"_s)->actions();
        QCOMPARE(menu.size(), allAppLanguages().size());
        for (QAction *language : menu)
            QCOMPARE(language->isChecked(), language->objectName() == u"menu.language."_s + choice);
        for (auto *language : m_app->preferencesPanel()->findChildren<QRadioButton *>())
            QCOMPARE(language->isChecked(), language->objectName() == u"preferences.language."_s + choice);
        QTRY_COMPARE(widget<QMenu>(u"menu.language"_s)->title(), loc(u"Sprache"_s));
        QTRY_COMPARE(widget<QComboBox>(u"sidebar.language"_s)->currentData().toString(),
                     where == u"stored"_s ? QString() : choice);
    }

    // The window and its open alert take the new language; the window's own state stays, the
    // sidebar's width the user chose among it, and the alert's message, made before, is shown as
    // it is, never read as markup.
    void languageChangeRetextsTheWindowAndKeepsItsState() {
        auto *splitter = widget<QSplitter>(u"splitter"_s);
        const int before = splitter->sizes().first();
        QSplitterHandle *handle = splitter->handle(1);
        const QPoint grip = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        QTest::mouseMove(handle, grip + QPoint(40, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(40, 0));
        const int chosen = splitter->sizes().first();
        QVERIFY(chosen > before);
        m_view->hide();
        m_view->show();
        QTRY_COMPARE(splitter->sizes().first(), chosen);
        click(u"toolbar.editorMode.Detail"_s);
        QTest::keyClick(widget<QSlider>(u"log.height"_s), Qt::Key_End);
        m_model->setSelectedMemoryID(u"004"_s);
        MemoryDraft edited = *m_view->draft();
        edited.tag = u"UNSAVED"_s;
        m_view->setDraft(edited);
        m_view->setShowAdvanced(true);
        m_view->viewState()->setCountdownStepInterval(1h);
        m_view->startConnectSplash();
        m_model->setAlertMessage(u"<b>Port</b> & mehr"_s);
        auto *box = m_view->findChild<QMessageBox *>(u"alert"_s);
        QTRY_VERIFY(box && box->isVisible());
        const QString germanTitle = box->windowTitle();

        LanguageSelection::shared()->select(AppLanguage::en);
        QTRY_COMPARE(text(u"sidebar.connect"_s), loc(u"Verbinden"_s));
        QVERIFY(text(u"sidebar.connect"_s) != u"Verbinden"_s);
        QCOMPARE(widget(u"sidebar.refreshPorts"_s)->accessibleName(), u"Refresh ports"_s);
        QCOMPARE(m_view->draft(), std::optional<MemoryDraft>(edited));
        QVERIFY(widget<QAbstractButton>(u"toolbar.editorMode.Detail"_s)->isChecked());
        QTRY_VERIFY(widget(u"detail.editorSlot"_s)->isVisible());
        QVERIFY(m_view->showAdvanced());
        QCOMPARE(m_view->logPanelHeight(), MainViewState::maximumLogPanelHeight);
        QTRY_VERIFY(widget(u"splash"_s)->isVisible());
        QTRY_COMPARE(widget<QSplitter>(u"splitter"_s)->sizes().first(), chosen);

        QVERIFY(box->windowTitle() != germanTitle);
        QVERIFY(box->informativeText().contains(u"&lt;b&gt;Port&lt;/b&gt; &amp; mehr"_s));
        QCOMPARE(box->buttons().size(), 1);
        box->findChild<QPushButton *>(u"alert.ok"_s)->click();
        QVERIFY(!m_model->alertMessage());
    }

    // "Einstellungen" opens the selected model's window, named by it; asked again, the same one comes back
    // and nothing is called again: an edit of a setting stays. An alert of a run in that window shows over
    // it, not hidden behind it.
    void settingsWindowOpenedTwiceStaysOne_data() { addRowPerRadioModel(); }
    void settingsWindowOpenedTwiceStaysOne() {
        QFETCH(RadioModel, model);
        const QString id = SettingsWindows::windowId(model);
        m_model->setSelectedRadioModel(model);
        click(u"toolbar.settings"_s);
        QCOMPARE(windowsNamed(id).size(), 1);
        QWidget *settings = windowsNamed(id).first();
        QVERIFY(settings->isVisible() && settings->windowTitle().startsWith(rawValue(model)));
        m_model->setSettingValue(m_model->settingsStates().first().id(), u"12"_s);
        QSignalSpy publications(m_model, &AppModel::settingsStatesChanged);
        settings->close();
        click(u"toolbar.settings"_s);
        QCOMPARE(windowsNamed(id), QList<QWidget *>{settings});
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->findChildren<QWidget *>(u"settings.root"_s).size(), 1);
        QCOMPARE(publications.size(), 0);
        QCOMPARE(m_model->settingsStates().first().value, u"12"_s);
        QVERIFY(!m_app->openWindow(u"no-such-window"_s));

        QApplication::setActiveWindow(m_view);
        m_model->setAlertMessage(u"first"_s);
        QTRY_VERIFY(m_view->findChild<QMessageBox *>(u"alert"_s));
        QApplication::setActiveWindow(settings);
        m_model->setAlertMessage(u"second"_s);
        auto *box = settings->findChild<QMessageBox *>(u"alert"_s);
        QVERIFY(box && box->informativeText().contains(u"second"_s));
        QTRY_VERIFY(!m_view->findChild<QMessageBox *>(u"alert"_s));
        box->findChild<QPushButton *>(u"alert.ok"_s)->click();
        QVERIFY(!m_model->alertMessage());
    }

    void everyControlHasAnAccessibleName_data() {
        QTest::addColumn<QString>("window");
        for (const char *window : {"table", "detail", "preferences", "ft710-settings", "ft991a-settings"})
            QTest::addRow("%s", window) << QString::fromLatin1(window);
    }
    void everyControlHasAnAccessibleName() {
        QFETCH(QString, window);
        const QStringList nameless =
            namelessControls(QAccessible::queryAccessibleInterface(showWindow(window)));
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u", "_s)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
