#include "MainWindow/BackupFile.h"

#include "AppModel/JSONBackupDocument.h"
#include "Localization/L.h"
#include "Model/JSONDecodingError.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>

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
    // A device or a pipe would be read forever, and opening a pipe waits for a writer: the open
    // never waits, and only a plain file (also behind a link) is read, the one that was opened.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const QString reason = qt_error_string(errno);
        return failure(L::text(QStringLiteral("Datei konnte nicht gelesen werden: "),
                               QStringLiteral("Could not read the file: ")) +
                       reason);
    }
    QFile file;
    file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return failure(
            L::text(QStringLiteral("Keine lesbare Datei: "), QStringLiteral("Not a readable file: ")) + path);
    // Read one byte more than allowed, so a file that grew after the check is caught as well.
    const QByteArray data = status.st_size > maximumSize ? QByteArray() : file.read(maximumSize + 1);
    if (status.st_size > maximumSize || data.size() > maximumSize)
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
