#include "unitconfig/ConstantsTextFile.h"

#include <QFile>

#include <limits>

namespace {
bool isScanBlank(char c)
{
    // The blanks the C scanner skips before a number and matches for a space in the pattern.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void skipBlanks(const QByteArray& line, qsizetype& i)
{
    while (i < line.size() && isScanBlank(line.at(i)))
        ++i;
}

std::optional<int> scanInteger(const QByteArray& line, qsizetype& i)
{
    skipBlanks(line, i);
    qsizetype at = i;
    bool negative = false;
    if (at < line.size() && (line.at(at) == '-' || line.at(at) == '+')) {
        negative = line.at(at) == '-';
        ++at;
    }
    const qsizetype firstDigit = at;
    qint64 magnitude = 0;
    while (at < line.size() && line.at(at) >= '0' && line.at(at) <= '9') {
        magnitude = magnitude * 10 + (line.at(at) - '0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
        ++at;
    }
    if (at == firstDigit)
        return std::nullopt;
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    i = at;
    return int(value);
}
} // namespace

QList<QByteArray> splitConstantsLines(const QByteArray& content)
{
    QList<QByteArray> lines;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i + 1 < content.size(); ++i) {
        if (content.at(i) == '\r' && content.at(i + 1) == '\n') {
            lines.append(content.mid(lineStart, i - lineStart));
            lineStart = i + 2;
            ++i;
        }
    }
    return lines;
}

std::optional<QByteArray> readConstantsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

ConstantsLineValues scanConstantsLine(const QByteArray& line, int fieldCount)
{
    ConstantsLineValues result;
    qsizetype i = 0;
    for (int field = 0; field < fieldCount && field < int(result.values.size()); ++field) {
        if (field > 0) {
            // The pattern's "; " between two numbers: the ';' exactly, then any blanks.
            if (i >= line.size() || line.at(i) != ';')
                break;
            ++i;
        }
        const std::optional<int> value = scanInteger(line, i);
        if (!value)
            break;
        result.values[size_t(field)] = *value;
        ++result.count;
    }
    return result;
}
