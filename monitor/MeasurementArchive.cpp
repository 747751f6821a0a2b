#include "monitor/MeasurementArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {
const QString kArchiveFolder = QStringLiteral("Данные");

QByteArray lineFromCells(QByteArrayView cells)
{
    QByteArray line;
    line.reserve(cells.size() + MeasurementArchive::kFieldsPerLine + 2);
    line.append(cells);
    // The nine cells carry eight TABs between them; the ninth field's TAB and fourteen empty
    // fields follow.
    line.append(MeasurementArchive::kFieldsPerLine - (kMeasurementColumnCount - 1), '\t');
    line.append("\r\n");
    return line;
}

// Position of the next CR that a LF follows, or -1.
qsizetype findCrLf(const char* data, qsizetype size, qsizetype from)
{
    while (from < size) {
        const void* cr = memchr(data + from, '\r', size_t(size - from));
        if (!cr)
            return -1;
        const qsizetype at = static_cast<const char*>(cr) - data;
        if (at + 1 < size && data[at + 1] == '\n')
            return at;
        from = at + 1;
    }
    return -1;
}

// Calls `visit` with the nine cells (joined by TAB) of every row line of archive content.
template <typename Visit> void forEachRow(QByteArrayView content, Visit visit)
{
    const char* const data = content.data();
    const qsizetype size = content.size();
    qsizetype lineStart = 0;
    bool headerLine = true;
    for (qsizetype crlf = findCrLf(data, size, 0); crlf >= 0; crlf = findCrLf(data, size, lineStart)) {
        if (headerLine) {
            headerLine = false;
        } else if (crlf - lineStart <= MeasurementArchive::kMaxLineBytes) {
            // The first nine fields, each ended by a TAB; the rest of the line is not needed.
            int fields = 0;
            qsizetype at = lineStart;
            for (; at < crlf; ++at) {
                if (data[at] == '\t' && ++fields == kMeasurementColumnCount)
                    break;
            }
            if (fields == kMeasurementColumnCount)
                visit(QByteArrayView(data + lineStart, at - lineStart));
        }
        lineStart = crlf + 2;
    }
}

bool writeAll(QFile& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}
} // namespace

QString MeasurementArchive::monthName(int month)
{
    static const QString names[] = {
        QStringLiteral("Январь"),  QStringLiteral("Февраль"), QStringLiteral("Март"),
        QStringLiteral("Апрель"),  QStringLiteral("Май"),     QStringLiteral("Июнь"),
        QStringLiteral("Июль"),    QStringLiteral("Август"),  QStringLiteral("Сентябрь"),
        QStringLiteral("Октябрь"), QStringLiteral("Ноябрь"),  QStringLiteral("Декабрь"),
    };
    return month >= 1 && month <= 12 ? names[month - 1] : QString();
}

QString MeasurementArchive::dayFolderPath(const QDate& date) const
{
    return QDir(m_workingFolder)
        .filePath(kArchiveFolder + QLatin1Char('/') + QString::number(date.year()) + QLatin1Char('/') +
                  monthName(date.month()) + QLatin1Char('/') + QString::number(date.day()));
}

QString MeasurementArchive::filePath(const QDate& date, int channelIndex) const
{
    return dayFolderPath(date) + QStringLiteral("/Измерения по каналу ") + QString::number(channelIndex + 1) +
           QStringLiteral(".mes");
}

QByteArray MeasurementArchive::headerLine()
{
    QString cells;
    for (const QString& text : measurementHeaderTexts()) {
        if (!cells.isEmpty())
            cells.append(QLatin1Char('\t'));
        cells.append(text);
    }
    return lineFromCells(toWindows1251(cells));
}

QByteArray MeasurementArchive::rowLine(QByteArrayView rowCells)
{
    return lineFromCells(rowCells);
}

bool MeasurementArchive::appendRow(const QDate& date, int channelIndex, QByteArrayView rowCells) const
{
    // mkpath also fails where a plain file stands in place of a folder.
    if (!QDir().mkpath(dayFolderPath(date)))
        return false;
    QFile file(filePath(date, channelIndex));
    if (QFileInfo::exists(file.fileName())) {
        // An existing file that cannot be opened is never recreated: that would lose its rows.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
    } else {
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        if (!writeAll(file, headerLine()))
            return false;
    }
    const bool written = writeAll(file, rowLine(rowCells));
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

ChannelRowStore MeasurementArchive::loadDay(const QDate& date, int channelIndex) const
{
    QDir(m_workingFolder).mkdir(kArchiveFolder);
    QFile file(filePath(date, channelIndex));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size <= 0)
        return {};
    // Mapping spares a copy of a file that may hold a whole day at the line's full rate.
    if (uchar* mapped = file.map(0, size))
        return parseContent(QByteArrayView(reinterpret_cast<const char*>(mapped), qsizetype(size)));
    return parseContent(file.readAll());
}

ChannelRowStore MeasurementArchive::parseContent(QByteArrayView content)
{
    // Two passes over the same rows: the first sizes the store exactly, so the second copies
    // each row once and no capacity is left unused.
    qsizetype rowCount = 0;
    qsizetype rowBytes = 0;
    forEachRow(content, [&](QByteArrayView cells) {
        ++rowCount;
        rowBytes += cells.size();
    });
    ChannelRowStore rows;
    rows.reserve(rowCount, rowBytes);
    forEachRow(content, [&](QByteArrayView cells) { rows.appendRow(cells, AlarmColour::Normal); });
    return rows;
}
