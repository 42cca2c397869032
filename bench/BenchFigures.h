#pragma once

// What the benchmarks measure with: the median of several runs, the process's CPU time and its
// resident memory.

#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

// Runs `loop` until it quits; a benchmark whose awaited event never comes ends after a minute.
inline void runLoopUntilQuit(QEventLoop &loop, const char *awaited) {
    QTimer::singleShot(60000, &loop, [awaited] { qFatal("%s did not come within a minute", awaited); });
    loop.exec();
}

// The median of `runs` results of `measureOnce`.
template <typename Measure> double medianOf(int runs, Measure measureOnce) {
    QList<double> results;
    for (int run = 0; run < runs; ++run)
        results.append(measureOnce());
    std::sort(results.begin(), results.end());
    return results.at(results.size() / 2);
}

// CPU seconds the whole process has used so far, all threads together.
inline double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// CPU seconds the calling thread has used so far.
inline double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The resident memory of the process now, in bytes; the peak where /proc is missing (macOS).
inline qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (statm.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = statm.readAll().split(' ');
        if (fields.size() > 1)
            return fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss);
}

inline QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}
