#pragma once

#include <QByteArray>
#include <QString>

// Faults put into write(2) on one device, as a device that has gone or that stops taking output
// would give them, while the device itself stays as it is. From the first write to the device whose
// bytes begin with `from`, writes to it fail with `error`; with stallBeforeLastByte() they find the
// device full (EAGAIN), but for try number `stallingTry` (0: that first write), which hands over
// all of its bytes but the last. The test program's own write(2) stands in front of the C
// library's, which works on Linux only.
namespace WriteFault {

#ifdef __linux__
inline constexpr bool available = true;
#else
inline constexpr bool available = false;
#endif

void refuse(const QString &devicePath, const QByteArray &from, int error);
void stallBeforeLastByte(const QString &devicePath, const QByteArray &from, int stallingTry = 0);
// Lets the device take this many more bytes, over one write or more, then refuse again.
void letThrough(qsizetype bytes);
// Ends the fault; every write goes through again.
void clear();
// How many writes the fault has failed so far.
int refusedWrites();

} // namespace WriteFault
