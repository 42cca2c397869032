#pragma once

#include "Model/MemoryBackup.h"

#include <QByteArray>
#include <QString>

// A backup file of the memory table: the record and its file contents, pretty-printed UTF-8 JSON
// with sorted keys and the export time in ISO 8601 (UTC, whole seconds).
class JSONBackupDocument {
public:
    explicit JSONBackupDocument(MemoryBackup backup);

    // Reads a backup file's contents; throws JSONDecodingError when they are no backup record.
    static JSONBackupDocument fromFileContents(const QByteArray &contents);
    // The file-dialog filter of backup files.
    static const QString &nameFilter();

    // Throws std::invalid_argument when the export time is no valid point in time.
    QByteArray fileContents() const;

    MemoryBackup backup;
};
