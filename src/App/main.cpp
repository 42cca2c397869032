#include "App/KorvelApp.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Korvel"));
    QApplication::setApplicationName(QStringLiteral("Korvel"));

    KorvelApp korvel;
    korvel.show();
    return QApplication::exec();
}
