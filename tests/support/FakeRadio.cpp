#include "FakeRadio.h"

#include "RadioLink/CutCommandRecord.h"

#include <QMap>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#ifdef __APPLE__
#include <util.h>
#else
#include <pty.h>
#endif

using Clock = std::chrono::steady_clock;

namespace {

const QString rejection = QStringLiteral("?;");

enum class Behaviour { reject, silence, delay, noise };

struct Override {
    QString prefix;
    Behaviour behaviour;
    int remaining;
    QByteArray noise = {};
    std::chrono::milliseconds delay = {};
};

struct Reply {
    Clock::time_point due;
    QByteArray bytes;
};

std::optional<int> channelNumber(const QString &slot) {
    const bool digits =
        slot.size() == 3 && std::all_of(slot.begin(), slot.end(), [](QChar c) { return c.isDigit(); });
    return digits ? std::optional(slot.toInt()) : std::nullopt;
}

// Waits for the descriptors or until `wait` has passed (for ever without one), to the
// nanosecond where the system allows it, so paced replies keep the line's timing.
int waitForInput(pollfd (&descriptors)[2], std::optional<Clock::duration> wait) {
#ifdef __linux__
    timespec timeout{};
    if (wait) {
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(*wait).count();
        timeout = {static_cast<time_t>(nanoseconds / 1'000'000'000),
                   static_cast<long>(nanoseconds % 1'000'000'000)};
    }
    return ppoll(descriptors, 2, wait ? &timeout : nullptr, nullptr);
#else
    const int milliseconds = wait ? int(std::chrono::ceil<std::chrono::milliseconds>(*wait).count()) : -1;
    return poll(descriptors, 2, milliseconds);
#endif
}

template <typename Map>
std::optional<typename Map::mapped_type> valueOf(const Map &map, const typename Map::key_type &key) {
    const auto found = map.constFind(key);
    return found == map.cend() ? std::nullopt : std::optional(*found);
}

QString tagField(const QString &tag) {
    return tag.leftJustified(12, u' ', true);
}

} // namespace

struct FakeRadio::State {
    RadioModel model;
    int master = -1;
    int slave = -1;
    QString path;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::thread thread;

    mutable std::mutex lock;
    bool stopping = false;
    QMap<int, Channel> channels;
    QMap<QString, QString> menus;
    std::optional<int> currentChannel;
    QStringList received;
    QList<Override> overrides;
    bool silent = false;
    bool reading = true;
    int baudRate = 0;
    int bitsPerCharacter = 10;
    Clock::time_point lineFreeAt;
    QList<Reply> replies;
    QByteArray input;
    QByteArray output;

    template <typename Call> auto locked(Call call) const {
        std::lock_guard guard(lock);
        return call();
    }
    Channel *channelOf(const QString &slot);

    void wake() const {
        const char byte = 0;
        (void)!::write(wakeWrite, &byte, 1);
    }
    void run() {
        for (;;) {
            std::optional<Clock::duration> wait;
            short events = POLLIN;
            {
                std::lock_guard guard(lock);
                if (stopping)
                    return;
                if (!reading)
                    events = 0;
                // A reply that is due waits for the line to take it; a later one for its time.
                if (!replies.isEmpty() && replies.first().due <= Clock::now())
                    events |= POLLOUT;
                else if (!replies.isEmpty())
                    wait = replies.first().due - Clock::now();
            }
            pollfd descriptors[] = {{master, events, 0}, {wakeRead, POLLIN, 0}};
            if (waitForInput(descriptors, wait) < 0 && errno != EINTR)
                return;
            if (descriptors[1].revents & POLLIN) {
                char drained[64];
                (void)!::read(wakeRead, drained, sizeof drained);
            }
            if (descriptors[0].revents & POLLIN)
                readCommands();
            writeDueReplies();
        }
    }
    void readCommands() {
        char bytes[1024];
        const ssize_t count = ::read(master, bytes, sizeof bytes);
        if (count <= 0)
            return;
        std::lock_guard guard(lock);
        input.append(bytes, count);
        for (qsizetype end = input.indexOf(';'); end >= 0; end = input.indexOf(';')) {
            respond(QString::fromLatin1(input.first(end + 1)));
            input.remove(0, end + 1);
        }
    }
    void writeDueReplies() {
        std::lock_guard guard(lock);
        const auto now = Clock::now();
        while (!replies.isEmpty() && replies.first().due <= now) {
            QByteArray &bytes = replies.first().bytes;
            const ssize_t written = ::write(master, bytes.constData(), bytes.size());
            output.append(bytes.first(std::max<ssize_t>(written, 0)));
            bytes.remove(0, std::max<ssize_t>(written, 0));
            // A full line takes the rest later, as a serial line would.
            if (!bytes.isEmpty())
                return;
            replies.removeFirst();
        }
    }
    void respond(const QString &command) {
        received.append(command);
        if (silent)
            return;
        const std::optional<Override> special = takeOverride(command);
        const auto is = [&special](Behaviour behaviour) {
            return special && special->behaviour == behaviour;
        };
        if (is(Behaviour::silence))
            return;
        const std::optional<QString> answer = is(Behaviour::reject) ? rejection : play(command);
        if (!answer && !is(Behaviour::noise))
            return;
        const QByteArray bytes =
            (is(Behaviour::noise) ? special->noise : QByteArray()) + answer.value_or(QString()).toLatin1();
        Clock::duration transmit{};
        if (baudRate > 0)
            transmit = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                double(command.size() + bytes.size()) * bitsPerCharacter / baudRate));
        schedule(bytes, transmit, special ? special->delay : std::chrono::milliseconds());
    }
    // A radio answers in the order it was asked: a late answer holds back the ones after it.
    void schedule(QByteArray bytes, Clock::duration transmit, std::chrono::milliseconds delay = {}) {
        lineFreeAt = std::max(Clock::now(), lineFreeAt) + transmit;
        const Clock::time_point due = lineFreeAt + delay;
        replies.append({replies.isEmpty() ? due : std::max(due, replies.last().due), std::move(bytes)});
    }
    std::optional<Override> takeOverride(const QString &command) {
        for (qsizetype index = 0; index < overrides.size(); ++index) {
            Override &candidate = overrides[index];
            if (!command.startsWith(candidate.prefix))
                continue;
            const Override taken = candidate;
            if (--candidate.remaining <= 0)
                overrides.removeAt(index);
            return taken;
        }
        return std::nullopt;
    }
    std::optional<QString> play(const QString &command) {
        const QString body = command.chopped(1); // every command ends in ";"
        const QString name = body.left(2);
        const QString slot = body.mid(2, 3);
        const QString rest = body.mid(5);
        const bool ft991a = model == RadioModel::ft991a;
        if (name == u"MR" && rest.isEmpty())
            return memoryRead(slot);
        if (name == u"MW")
            return memoryWrite(slot, rest);
        if (name == u"MT")
            return rest.isEmpty() ? tagRead(slot) : tagWrite(slot, rest);
        if (name == u"MC" && ft991a && rest.isEmpty())
            return channelSelect(slot);
        if (name == u"CN" && ft991a)
            return toneNumber(body.mid(2));
        if (name == u"EX")
            return menu(body.mid(2));
        if (body == u"ID")
            return ft991a ? QStringLiteral("ID0670;") : QStringLiteral("ID0800;");
        return rejection;
    }
    std::optional<QString> memoryRead(const QString &slot) {
        const Channel *channel = channelOf(slot);
        return channel ? QStringLiteral("MR") + slot + channel->payload + u';' : rejection;
    }
    std::optional<QString> memoryWrite(const QString &slot, const QString &payload) {
        const std::optional<int> number = channelNumber(slot);
        if (!number || !memoryRange(model).contains(*number) || payload.size() != 22)
            return rejection;
        channels[*number].payload = payload;
        return std::nullopt;
    }
    std::optional<QString> tagRead(const QString &slot) {
        const Channel *channel = channelOf(slot);
        if (!channel)
            return rejection;
        if (model == RadioModel::ft991a)
            return QStringLiteral("MT") + slot + channel->payload.left(22) + u'0' + tagField(channel->tag) +
                   u';';
        const QChar present = channel->tag.trimmed().isEmpty() ? u'0' : u'1';
        return QStringLiteral("MT") + slot + present + tagField(channel->tag) + u';';
    }
    // Short form: a presence digit and 12 tag characters; long: the memory payload, "0", the tag.
    std::optional<QString> tagWrite(const QString &slot, const QString &body) {
        Channel *channel = channelOf(slot);
        if (!channel || (body.size() != 13 && body.size() != 35))
            return rejection;
        if (body.size() == 35)
            channel->payload = body.left(22);
        channel->tag = body.right(12);
        return std::nullopt;
    }
    std::optional<QString> channelSelect(const QString &slot) {
        if (channelOf(slot))
            currentChannel = channelNumber(slot);
        return channelOf(slot) ? std::nullopt : std::optional(rejection);
    }
    // "CN0" + kind ("0" CTCSS, "1" DCS), then three digits when written.
    std::optional<QString> toneNumber(const QString &body) {
        const auto found = currentChannel ? channels.find(*currentChannel) : channels.end();
        const QString kind = body.left(2);
        if (found == channels.end() || (kind != u"00" && kind != u"01") ||
            (body.size() != 2 && body.size() != 5))
            return rejection;
        QString &number = kind == u"00" ? found->ctcssNumber : found->dcsNumber;
        if (body.size() == 2)
            return QStringLiteral("CN") + kind + number + u';';
        number = body.mid(2);
        return std::nullopt;
    }
    std::optional<QString> menu(const QString &body) {
        const int digits = model == RadioModel::ft710 ? 6 : 3;
        const QString key = QStringLiteral("EX") + body.left(digits);
        const auto found = menus.find(key);
        if (body.size() < digits || found == menus.end())
            return rejection;
        if (body.size() == digits)
            return key + *found + u';';
        *found = body.mid(digits);
        return std::nullopt;
    }
};

FakeRadio::FakeRadio(RadioModel model)
    : m_state(std::make_unique<State>()) {
    State &state = *m_state;
    state.model = model;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    int wake[2];
    if (openpty(&state.master, &state.slave, name, &raw, nullptr) != 0 || pipe(wake) != 0)
        throw std::runtime_error("FakeRadio: no pseudo-terminal");
    state.wakeRead = wake[0];
    state.wakeWrite = wake[1];
    fcntl(state.master, F_SETFL, O_NONBLOCK);
    state.path = QString::fromLocal8Bit(name);
    // A new pseudo-terminal is a new device: nothing cut off on an earlier one of its name is on its line.
    CutCommandRecord::shared().set(state.path, false);
    CutCommandRecord::shared().setIdentityUnanswered(state.path, false);
    state.thread = std::thread([&state] { state.run(); });
}

FakeRadio::~FakeRadio() {
    hangUp();
    for (int descriptor : {m_state->wakeRead, m_state->wakeWrite})
        ::close(descriptor);
}

RadioModel FakeRadio::model() const {
    return m_state->model;
}

QString FakeRadio::devicePath() const {
    return m_state->path;
}

termios FakeRadio::lineSettings() const {
    termios settings{};
    tcgetattr(m_state->slave, &settings);
    return settings;
}

int FakeRadio::unreadByProgram() const {
    // Asking whether the device is readable first hands it what the line has brought so far;
    // FIONREAD alone would miss bytes the terminal has not taken in yet.
    pollfd device{m_state->slave, POLLIN, 0};
    poll(&device, 1, 0);
    int waiting = -1;
    ioctl(m_state->slave, FIONREAD, &waiting);
    return waiting;
}

void FakeRadio::setChannel(int channel, const Channel &contents) {
    m_state->locked([&] { m_state->channels.insert(channel, contents); });
}

std::optional<FakeRadio::Channel> FakeRadio::channel(int channel) const {
    return m_state->locked([&] { return valueOf(m_state->channels, channel); });
}

void FakeRadio::setMenuValue(const QString &menu, const QString &value) {
    m_state->locked([&] { m_state->menus.insert(menu, value); });
}

QString FakeRadio::answerFor(const DeviceSettingDefinition &definition) {
    return definition.options.isEmpty() ? definition.normalizeForWrite(QStringLiteral("1"))
                                        : definition.options.last().code;
}

void FakeRadio::answerEveryMenuItem() {
    for (const DeviceSettingDefinition &definition : DeviceSettingDefinition::definitions(model()))
        setMenuValue(definition.writePrefix, answerFor(definition));
}

std::optional<QString> FakeRadio::menuValue(const QString &menu) const {
    return m_state->locked([&] { return valueOf(m_state->menus, menu); });
}

QStringList FakeRadio::received() const {
    return m_state->locked([&] { return m_state->received; });
}

QByteArray FakeRadio::sent() const {
    return m_state->locked([&] { return m_state->output; });
}

void FakeRadio::rejectNext(const QString &prefix, int times) {
    m_state->locked([&] { m_state->overrides.append({prefix, Behaviour::reject, times}); });
}

void FakeRadio::silenceNext(const QString &prefix, int times) {
    m_state->locked([&] { m_state->overrides.append({prefix, Behaviour::silence, times}); });
}

void FakeRadio::delayNext(const QString &prefix, std::chrono::milliseconds delay, int times) {
    m_state->locked([&] { m_state->overrides.append({prefix, Behaviour::delay, times, {}, delay}); });
}

void FakeRadio::noiseBeforeNext(const QString &prefix, const QByteArray &noise, int times) {
    m_state->locked([&] { m_state->overrides.append({prefix, Behaviour::noise, times, noise}); });
}

void FakeRadio::setSilent(bool silent) {
    m_state->locked([&] { m_state->silent = silent; });
}

void FakeRadio::setReading(bool reading) {
    m_state->locked([&] { m_state->reading = reading; });
    m_state->wake();
}

void FakeRadio::setLineSpeed(int baudRate, int bitsPerCharacter) {
    m_state->locked([&] {
        std::tie(m_state->baudRate, m_state->bitsPerCharacter) = std::pair(baudRate, bitsPerCharacter);
    });
}

void FakeRadio::send(const QByteArray &bytes) {
    m_state->locked([&] { m_state->schedule(bytes, {}); });
    m_state->wake();
}

void FakeRadio::hangUp() {
    m_state->locked([&] { m_state->stopping = true; });
    m_state->wake();
    if (m_state->thread.joinable())
        m_state->thread.join();
    for (int *descriptor : {&m_state->master, &m_state->slave}) {
        if (*descriptor >= 0)
            ::close(*descriptor);
        *descriptor = -1;
    }
}

FakeRadio::Channel *FakeRadio::State::channelOf(const QString &slot) {
    const auto found = channels.find(channelNumber(slot).value_or(-1));
    return found == channels.end() ? nullptr : &*found;
}
