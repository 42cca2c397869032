#include "WriteFault.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/syscall.h>
#endif

namespace {

struct Fault {
    dev_t device = 0;
    QByteArray from;
    int error = 0;
    int stallingTry = -1; // none
    // Bytes the device takes before it refuses again.
    qsizetype allowance = 0;
    bool started = false;
    int tries = 0;
    int refused = 0;
};

std::mutex lock;
Fault fault;
std::atomic<bool> armed = false;

void arm(const QString &devicePath, const QByteArray &from, int error, int stallingTry) {
    struct stat status {};
    stat(devicePath.toLocal8Bit().constData(), &status);
    std::lock_guard guard(lock);
    fault = {status.st_rdev, from, error, stallingTry};
    armed = true;
}

} // namespace

#ifdef __linux__

namespace {

ssize_t systemWrite(int fileDescriptor, const void *bytes, size_t count) {
    return syscall(SYS_write, fileDescriptor, bytes, count);
}

bool isFaultyDevice(int fileDescriptor) {
    struct stat status {};
    return fstat(fileDescriptor, &status) == 0 && S_ISCHR(status.st_mode) && status.st_rdev == fault.device;
}

} // namespace

extern "C" ssize_t write(int fileDescriptor, const void *bytes, size_t count) {
    if (!armed)
        return systemWrite(fileDescriptor, bytes, count);
    std::lock_guard guard(lock);
    if (!isFaultyDevice(fileDescriptor))
        return systemWrite(fileDescriptor, bytes, count);
    if (!fault.started) {
        const auto written = QByteArray::fromRawData(static_cast<const char *>(bytes), qsizetype(count));
        if (!written.startsWith(fault.from))
            return systemWrite(fileDescriptor, bytes, count);
        fault.started = true;
    }
    if (fault.allowance > 0) {
        const ssize_t written = systemWrite(fileDescriptor, bytes, std::min(count, size_t(fault.allowance)));
        fault.allowance -= std::max<ssize_t>(written, 0);
        return written;
    }
    if (fault.tries++ == fault.stallingTry && count > 1)
        return systemWrite(fileDescriptor, bytes, count - 1);
    ++fault.refused;
    errno = fault.error;
    return -1;
}

#endif

namespace WriteFault {

void refuse(const QString &devicePath, const QByteArray &from, int error) {
    arm(devicePath, from, error, -1);
}

void stallBeforeLastByte(const QString &devicePath, const QByteArray &from, int stallingTry) {
    arm(devicePath, from, EAGAIN, stallingTry);
}

void letThrough(qsizetype bytes) {
    std::lock_guard guard(lock);
    fault.allowance += bytes;
}

void clear() {
    armed = false;
}

int refusedWrites() {
    std::lock_guard guard(lock);
    return fault.refused;
}

} // namespace WriteFault
