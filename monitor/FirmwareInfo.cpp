#include "monitor/FirmwareInfo.h"

#include "monitor/MeasurementTexts.h"

namespace {
constexpr int kDayByte = 0;
constexpr int kVersionByte = 3;
constexpr int kIdentifierFirstByte = 4;
constexpr int kIdentifierBytes = 19;

QString twoDigitAtLeast(quint8 value)
{
    return value <= 9 ? QLatin1Char('0') + QString::number(value) : QString::number(value);
}

// Characters of the given data bytes, up to the first zero byte.
QString charactersUntilZero(const ResponseFrame& frame, const QList<int>& positions)
{
    QByteArray bytes;
    for (int position : positions) {
        const quint8 byte = frame.data(position);
        if (byte == 0)
            break;
        bytes.append(char(byte));
    }
    return fromWindows1251(bytes.constData(), bytes.size());
}
} // namespace

QString FormatFirmwareInfo(const ResponseFrame& frame)
{
    QList<int> identifier;
    QList<int> fileName;
    for (int i = 0; i < kIdentifierBytes; ++i) {
        identifier.append(kIdentifierFirstByte + i);
        // The file name takes the first three characters of each group of four.
        if (i % 4 != 3)
            fileName.append(kIdentifierFirstByte + i);
    }
    return QStringLiteral("Дата прошивки: ") + twoDigitAtLeast(frame.data(kDayByte)) + QLatin1Char('.') +
           twoDigitAtLeast(frame.data(kDayByte + 1)) + QLatin1Char('.') +
           twoDigitAtLeast(frame.data(kDayByte + 2)) + QStringLiteral("  | Версия ПО: ") +
           QString::number(frame.data(kVersionByte)) + QStringLiteral("  | ID прошивки: ") +
           charactersUntilZero(frame, identifier) + QStringLiteral("  | Файл прошивки: ") +
           charactersUntilZero(frame, fileName) + QStringLiteral(".a90");
}
