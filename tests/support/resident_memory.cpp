#include "resident_memory.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>

long long residentKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<long long>(counters.WorkingSetSize / 1024);
}

#else
#include <QFile>
#include <QRegularExpression>

// From the kernel's account of this process.
long long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(QStringLiteral("^VmRSS:\\s*(\\d+) kB"),
                                  QRegularExpression::MultilineOption);
    const auto match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}
#endif
