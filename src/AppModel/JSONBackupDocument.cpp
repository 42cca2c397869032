#include "AppModel/JSONBackupDocument.h"

JSONBackupDocument::JSONBackupDocument(MemoryBackup backup)
    : backup(std::move(backup)) {
}

JSONBackupDocument JSONBackupDocument::fromFileContents(const QByteArray &contents) {
    return JSONBackupDocument(MemoryBackup::fromFileContents(contents));
}

const QString &JSONBackupDocument::nameFilter() {
    static const QString filter = QStringLiteral("JSON (*.json)");
    return filter;
}

QByteArray JSONBackupDocument::fileContents() const {
    return backup.toFileContents();
}
