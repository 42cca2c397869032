// Reading channels through the whole link: service, CAT connection, serial port and a fake radio
// on a pseudo-terminal that paces its replies at the line's speed, as a real serial line would.
//
//   build/bench/bench_radiolink
//
// Reads all 99 FT-710 channels at 38400 baud (8N1: 10 bit times per character) and 10 FT-991A
// channels at 38400 baud (8N2: 11 bit times). Prints the wall time, the process's CPU time and the
// floor: the characters of every query and its reply at the line's speed plus the fixed waits
// (the FT-991A's channel-select window and its two pauses). Goal: wall time within 5% of the
// floor, CPU time under 5% of the wall time.

#include "BenchFigures.h"
#include "FakeRadio.h"
#include "FakeRadioLink.h"

#include "RadioLink/FT710RadioService.h"
#include "RadioLink/FT991ARadioService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>

namespace {

constexpr int baudRate = 38400;
const QString payload = QStringLiteral("145500000+000000401000"); // FM, CTCSS encode and decode

struct Run {
    QString name;
    int channels;
    int bitsPerCharacter;
    // Characters of the query exchanges of one channel, commands and replies together.
    int charactersPerChannel;
    // Waits and pauses of one channel, in seconds.
    double fixedWaitPerChannel;
};

QCoro::Task<> readAll(RadioServiceProtocol &service, int channels, QEventLoop &loop) {
    try {
        for (int channel = 1; channel <= channels; ++channel)
            co_await service.readMemory(channel);
    } catch (const std::exception &error) {
        QTextStream(stderr) << "read failed: " << error.what() << "\n";
    }
    loop.quit();
}

void measure(const Run &run, RadioServiceProtocol &service, FakeRadio &radio) {
    radio.setLineSpeed(baudRate, run.bitsPerCharacter);
    QEventLoop loop;
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    readAll(service, run.channels, loop);
    loop.exec();
    const double wallSeconds = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const double floor = run.channels * (double(run.charactersPerChannel) * run.bitsPerCharacter / baudRate +
                                         run.fixedWaitPerChannel);
    QTextStream(stdout) << run.name << ": wall " << QString::number(wallSeconds, 'f', 3) << " s, floor "
                        << QString::number(floor, 'f', 3) << " s (wall "
                        << QString::number((wallSeconds / floor - 1) * 100, 'f', 1) << "% above), CPU "
                        << QString::number(cpu, 'f', 3) << " s ("
                        << QString::number(cpu / wallSeconds * 100, 'f', 1) << "% of wall), "
                        << radio.received().size() << " commands\n";
}

void fill(FakeRadio &radio, int channels) {
    for (int channel = 1; channel <= channels; ++channel)
        radio.setChannel(channel, {.payload = payload,
                                   .tag = QStringLiteral("Relais %1").arg(channel),
                                   .ctcssNumber = QStringLiteral("012")});
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);

    FakeRadioLink ft710(RadioModel::ft710);
    fill(ft710.radio, 99);
    FT710RadioService ft710Service(ft710.connection);
    // "MR001;" + "MR001" payload ";" and "MT001;" + "MT001" flag, tag ";".
    measure({"FT-710, 99 channels", 99, 10, (6 + 28) + (6 + 19), 0.0}, ft710Service, ft710.radio);

    FakeRadioLink ft991a(RadioModel::ft991a);
    fill(ft991a.radio, 10);
    FT991ARadioService ft991aService(ft991a.connection);
    // MR and its reply, the long MT and its reply, "CN00;" and "CN00012;"; the select window
    // and both pauses.
    measure({"FT-991A, 10 channels", 10, 11, (6 + 28) + (6 + 41) + (5 + 8), 0.8 + 0.15 + 0.06}, ft991aService,
            ft991a.radio);
    return 0;
}
