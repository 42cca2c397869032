#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <exception>
#include <optional>

enum class MemoryField;

// The one error of radio work: serial port, CAT connection, memory services, memory validation
// and menu-settings reading all fail with it. Its text is built each time it is asked for, in
// the language then in force; the detail is inserted as it was given.
class RadioError : public std::exception {
public:
    enum class Kind {
        portOpenFailed,
        portWriteFailed,
        timeout,
        rejected,
        invalidResponse,
        invalidMemory,
        notConnected,
        busy,
        portInUse,
        connectionLost,
    };

    // The path of the serial device whose opening failed.
    static RadioError portOpenFailed(const QString &path);
    // The CAT command whose writing failed.
    static RadioError portWriteFailed(const QString &command);
    // The CAT command whose reply did not come in time.
    static RadioError timeout(const QString &command);
    // The CAT command the radio answered with "?;".
    static RadioError rejected(const QString &command);
    // The reply line that was not usable.
    static RadioError invalidResponse(const QString &reply);
    // What is wrong with a memory channel.
    static RadioError invalidMemory(const QString &message);
    static RadioError notConnected();
    static RadioError busy();
    // The path of the serial device another program holds.
    static RadioError portInUse(const QString &path);
    // The CAT command that was pending, or asked for, when the device went away.
    static RadioError connectionLost(const QString &command);

    // The same error ending a memory write after the radio took, or may have taken, some of the
    // channel: its text goes on to name the slot, the fields the radio now holds, those it may hold
    // and those it still lacks.
    RadioError writtenInPart(const QString &slot, const QList<MemoryField> &written,
                             const QList<MemoryField> &perhapsWritten,
                             const QList<MemoryField> &missing) const;
    bool hasPartialWrite() const { return m_partialWrite.has_value(); }

    // The same error ending a request once any of its command had gone out: the radio may have
    // taken it.
    RadioError afterCommandWentOut() const;
    bool commandWentOut() const { return m_commandReach == CommandReach::wentOut; }
    // The same error ending a request before any of its command went out: the radio has not got it.
    RadioError beforeCommandWentOut() const;
    bool commandUnsent() const { return m_commandReach == CommandReach::unsent; }

    Kind kind() const { return m_kind; }
    // The path, command, reply or message; empty for `notConnected` and `busy`.
    const QString &detail() const { return m_detail; }

    // German under a German UI, English otherwise.
    QString errorDescription() const;
    // The same as errorDescription(): the name every error type of the program offers.
    QString description() const { return errorDescription(); }
    // errorDescription() as UTF-8, valid until the next call on this object.
    const char *what() const noexcept override;

private:
    struct PartialWrite {
        QString slot;
        QList<MemoryField> written;
        QList<MemoryField> perhapsWritten;
        QList<MemoryField> missing;
    };

    RadioError(Kind kind, const QString &detail);

    // How far the command of the request this error ended had got, where the link knows it.
    enum class CommandReach { unknown, unsent, wentOut };

    RadioError withCommandReach(CommandReach reach) const;
    QString kindDescription() const;
    QString partialWriteDescription() const;

    Kind m_kind;
    QString m_detail;
    std::optional<PartialWrite> m_partialWrite;
    CommandReach m_commandReach = CommandReach::unknown;
    mutable QByteArray m_what;
};
