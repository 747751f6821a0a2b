#include "monitor/MeasurementRecord.h"

#include <cmath>

namespace {
// Data byte positions of a record.
constexpr int kAddressByte = 0;
constexpr int kNoSignalByte = 1;
constexpr int kChannelByte = 2;
constexpr int kValidityByte = 3;
constexpr int kAlarmByte = 4;
constexpr int kHumidityHighByte = 19;
constexpr int kT1LowByte = 27;
constexpr int kT2LowByte = 29;
constexpr int kPeriodHighByte = 37;
constexpr int kCs1HighByte = 43;
constexpr int kCs2HighByte = 45;

const QString kInvalidTemperatureText = QStringLiteral("---");
} // namespace

double DecodeTemperature(quint8 low, quint8 high)
{
    // Negative values carry the complement of their magnitude.
    const bool negative = (high & 0x80) != 0;
    if (negative) {
        low ^= 0xFF;
        high ^= 0xFF;
    }
    const int integerPart = ((high * 16) & 0x7F) | (low / 16);
    double value = integerPart + (low & 0x0F) * 0.0625;
    if (negative)
        value = -value;
    // Through an integer count of tenths, so that a small negative value reads 0, not -0.
    const int tenths = int(std::trunc(value * 10));
    return tenths * 0.1;
}

std::optional<MeasurementRecord> decodeMeasurementRecord(const ResponseFrame& frame)
{
    if (!frame.hasData(kNoSignalRecordBytes))
        return std::nullopt;
    MeasurementRecord record;
    record.sensorAddress = frame.data(kAddressByte);
    record.noSignal = frame.data(kNoSignalByte) != 0;
    record.channelIndex = frame.data(kChannelByte);
    if (record.channelIndex >= kChannelCount)
        return std::nullopt;
    if (record.noSignal)
        return record;
    if (!frame.hasData(kRecordWithReadingsBytes))
        return std::nullopt;

    const quint8 validity = frame.data(kValidityByte);
    record.t1Valid = (validity & 0x01) == 0;
    record.t2Valid = (validity & 0x02) == 0;
    record.alarmBits = frame.data(kAlarmByte);
    record.humidityTenths = frame.word(kHumidityHighByte);
    // The unit sends temperatures low byte first, unlike every other word.
    record.t1 = DecodeTemperature(frame.data(kT1LowByte), frame.data(kT1LowByte + 1));
    record.t2 = DecodeTemperature(frame.data(kT2LowByte), frame.data(kT2LowByte + 1));
    record.period = frame.word(kPeriodHighByte);
    record.cs1Tenths = frame.word(kCs1HighByte);
    record.cs2Tenths = frame.word(kCs2HighByte);
    return record;
}

MeasurementRow measurementRow(const MeasurementRecord& record, const QString& time,
                              const QString& noAlarmText)
{
    MeasurementRow row;
    const AlarmState alarm = alarmStateFromBits(record.alarmBits, noAlarmText);
    row.cells = {
        time,
        formatTableNumber(record.humidity()),
        record.t1Valid ? formatTableNumber(record.t1) : kInvalidTemperatureText,
        record.t2Valid ? formatTableNumber(record.t2) : kInvalidTemperatureText,
        formatTableNumber(record.period),
        formatTableNumber(record.cs1()),
        formatTableNumber(record.cs2()),
        alarm.text,
        QString::number(record.sensorAddress),
    };
    row.alarmColour = alarm.colour;
    return row;
}
