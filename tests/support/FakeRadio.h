#pragma once

#include "Model/DeviceSettingDefinition.h"
#include "Model/RadioModel.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>
#include <termios.h>

// A Yaesu radio on the other end of a real pseudo-terminal, for tests and benchmarks, answering on
// a thread of its own. It plays MR, MW, MT (FT-710: the short 13-character form, FT-991A: the long
// 35-character one; writes in either form), MC and CN00/CN01 (FT-991A: select, tone number of the
// current channel), EX (menu items set with setMenuValue) and ID (its identity). Reads of an empty channel,
// unknown menu items and commands get "?;", accepted writes no answer. Only MC makes a channel the current
// one, and only a channel that holds something: MW stores a channel without selecting it, and CN
// sets the tone of the current channel. Every command received is recorded, ";" included.
class FakeRadio {
public:
    struct Channel {
        // As MR returns it and MW stores it: frequency (9), shift (7), mode (1), flags (5).
        QString payload;
        QString tag = {};
        QString ctcssNumber = QStringLiteral("000");
        QString dcsNumber = QStringLiteral("000");

        bool operator==(const Channel &) const = default;
    };

    explicit FakeRadio(RadioModel model);
    ~FakeRadio();
    FakeRadio(const FakeRadio &) = delete;
    FakeRadio &operator=(const FakeRadio &) = delete;

    RadioModel model() const;
    QString devicePath() const;
    // The line settings the program gave the device, and the bytes sent it that it has not read.
    termios lineSettings() const;
    int unreadByProgram() const;

    void setChannel(int channel, const Channel &contents);
    std::optional<Channel> channel(int channel) const;
    void setMenuValue(const QString &menu, const QString &value);
    // A value the radio gives for an item of its menu table, other than what an unread item shows.
    static QString answerFor(const DeviceSettingDefinition &definition);
    // Gives every item of its model's menu table that value.
    void answerEveryMenuItem();
    std::optional<QString> menuValue(const QString &menu) const;

    QStringList received() const;
    // Every byte it has sent the program so far.
    QByteArray sent() const;

    // One-shot behaviours for the next command that begins with `prefix` ("" matches any), each
    // for `times` commands: "?;" instead of the answer, no answer, a late answer, bytes in front of
    // the answer (alone when there is none). A rejected or silenced command changes nothing.
    void rejectNext(const QString &prefix, int times = 1);
    void silenceNext(const QString &prefix, int times = 1);
    void delayNext(const QString &prefix, std::chrono::milliseconds delay, int times = 1);
    void noiseBeforeNext(const QString &prefix, const QByteArray &noise, int times = 1);

    // A silent radio records what it receives and neither answers nor changes anything.
    void setSilent(bool silent);
    // A radio that does not read leaves what the program sends in the line, which soon takes no more.
    void setReading(bool reading);
    // Paces every answer like a serial line of this speed: the command's and the reply's
    // characters take `bitsPerCharacter` bit times each. 0 answers at once (the default).
    void setLineSpeed(int baudRate, int bitsPerCharacter = 10);

    // Sends bytes to the program at once, as fast as the line takes them.
    void send(const QByteArray &bytes);
    // Closes the radio's end, as when the cable is pulled; the device stays hung up.
    void hangUp();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
