#pragma once

#include "Model/MemoryBackup.h"

#include <QString>
#include <optional>

class JSONBackupDocument;

// Backup files on disk: written whole or not at all, read only when they are plain files of a
// sane size.
namespace BackupFile {

// Larger files are refused unread; a backup of every channel is a few tens of kilobytes.
constexpr qint64 maximumSize = 16 * 1024 * 1024;

// Replaces the file at `path` atomically; an existing file stays whole when writing fails.
// Returns the text for the alert on failure.
std::optional<QString> write(const QString &path, const JSONBackupDocument &document);

struct ReadResult {
    std::optional<MemoryBackup> backup;
    // The text for the alert when the file could not be read or decoded.
    std::optional<QString> error;
};
ReadResult read(const QString &path);

} // namespace BackupFile
