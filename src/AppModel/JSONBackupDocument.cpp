#include "AppModel/JSONBackupDocument.h"

#include "Model/JSONDecodingError.h"

#include <QJsonDocument>
#include <QJsonParseError>

JSONBackupDocument::JSONBackupDocument(MemoryBackup backup)
    : backup(std::move(backup)) {}

JSONBackupDocument JSONBackupDocument::fromFileContents(const QByteArray &contents) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(contents, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw JSONDecodingError(JSONDecodingError::Kind::dataCorrupted, QString(), parseError.errorString());
    return JSONBackupDocument(MemoryBackup::fromJson(document.object()));
}

const QString &JSONBackupDocument::nameFilter() {
    static const QString filter = QStringLiteral("JSON (*.json)");
    return filter;
}

QByteArray JSONBackupDocument::fileContents() const {
    // QJsonObject keeps its keys sorted, so the file has the same key order on every export.
    return QJsonDocument(backup.toJson()).toJson(QJsonDocument::Indented);
}
