#pragma once

#include "monitor/MeasurementArchive.h"
#include "monitor/MeasurementRecord.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTextCodec>
#include <QTime>

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

// A day of plausible rows in every channel file, as a busy line leaves it.
inline void writeArchiveDay(const MeasurementArchive& archive, const QDate& day, int rowsPerChannel)
{
    QTextCodec* codec = QTextCodec::codecForName("windows-1251");
    const QByteArray alarms[] = {"-", codec->fromUnicode(QStringLiteral("Минимум")),
                                 codec->fromUnicode(QStringLiteral("Максимум")),
                                 codec->fromUnicode(QStringLiteral("Авар. максимум"))};
    QRandomGenerator random(52);
    for (int k = 0; k < kChannelCount; ++k) {
        QDir().mkpath(archive.dayFolderPath(day));
        QFile file(archive.filePath(day, k));
        file.open(QIODevice::WriteOnly);
        QByteArray chunk = MeasurementArchive::headerLine();
        for (int row = 0; row < rowsPerChannel; ++row) {
            const int second = int(qint64(row) * 86400 / rowsPerChannel);
            QByteArray cells = QTime(0, 0).addSecs(second).toString("hh:mm:ss").toLatin1();
            cells += '\t' + QByteArray::number(random.bounded(1000) / 10.0) + '\t' +
                     QByteArray::number(random.bounded(-300, 600) / 10.0) + '\t' +
                     QByteArray::number(random.bounded(-300, 600) / 10.0) + '\t' +
                     QByteArray::number(random.bounded(5000)) + '\t' +
                     QByteArray::number(random.bounded(1000) / 10.0) + '\t' +
                     QByteArray::number(random.bounded(1000) / 10.0) + '\t' + alarms[random.bounded(4)] +
                     '\t' + QByteArray::number(k + 1);
            chunk += MeasurementArchive::rowLine(cells.replace('.', ','));
            if (chunk.size() > (1 << 20)) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
    }
}
