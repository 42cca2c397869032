#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationName(QStringLiteral("Korvel"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Korvel"));
    window.resize(1100, 720);
    window.show();
    return QApplication::exec();
}
