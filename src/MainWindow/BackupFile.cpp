#include "MainWindow/BackupFile.h"

#include "AppModel/JSONBackupDocument.h"
#include "Localization/L.h"
#include "Model/JSONDecodingError.h"

#include <QFile>
#include <QSaveFile>
#include <exception>
#include <filesystem>
#include <system_error>

namespace BackupFile {

std::optional<QString> write(const QString &path, const JSONBackupDocument &document) {
    const QString failed = L::text(QStringLiteral("Backup konnte nicht gespeichert werden: "),
                                   QStringLiteral("Could not save the backup: "));
    QByteArray contents;
    try {
        contents = document.fileContents();
    } catch (const std::exception &error) {
        return failed + QString::fromUtf8(error.what());
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit())
        return std::nullopt;
    return failed + file.errorString();
}

namespace {

ReadResult failure(const QString &message) {
    return {std::nullopt, message};
}

} // namespace

ReadResult read(const QString &path) {
    // A device or a pipe would be read forever: only plain files (also behind a link) are read.
    std::error_code error;
    const std::filesystem::path fsPath(path.toStdU16String());
    if (!std::filesystem::is_regular_file(fsPath, error))
        return failure(
            L::text(QStringLiteral("Keine lesbare Datei: "), QStringLiteral("Not a readable file: ")) + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(L::text(QStringLiteral("Datei konnte nicht gelesen werden: "),
                               QStringLiteral("Could not read the file: ")) +
                       file.errorString());
    // Read one byte more than allowed, so a file that grew after the check is caught as well.
    const QByteArray data = file.read(maximumSize + 1);
    if (data.size() > maximumSize)
        return failure(L::text(QStringLiteral("Die Datei ist zu groß für ein Backup (über 16 MiB): "),
                               QStringLiteral("The file is too large for a backup (over 16 MiB): ")) +
                       path);
    try {
        return {MemoryBackup::fromFileContents(data), std::nullopt};
    } catch (const JSONDecodingError &decodingError) {
        return failure(decodingError.description());
    }
}

} // namespace BackupFile
