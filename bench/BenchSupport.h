#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Peak and current resident memory of this process in MiB, from /proc where there is one;
// -1 elsewhere.
inline double residentMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}
inline double peakResidentMiB()
{
    return residentMiB("VmHWM:");
}
inline double currentResidentMiB()
{
    return residentMiB("VmRSS:");
}
