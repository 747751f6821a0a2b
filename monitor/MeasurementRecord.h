#pragma once

#include "link/ResponseFrame.h"
#include "monitor/MeasurementTexts.h"

#include <QString>

#include <array>
#include <optional>

// A measurement record (function code 52): the readings of one sensor on one channel.
constexpr int kChannelCount = 8;
// Data bytes a record must carry: up to CS2 (D46) with readings, up to the channel index (D2)
// when the sensor gives no signal.
constexpr int kRecordWithReadingsBytes = 47;
constexpr int kNoSignalRecordBytes = 3;

struct MeasurementRecord
{
    quint8 sensorAddress = 0; // D0
    bool noSignal = false;    // D1 != 0: only the address and the channel are meaningful
    int channelIndex = 0;     // D2, 0 .. 7
    bool t1Valid = true;      // D3 bit 0 clear
    bool t2Valid = true;      // D3 bit 1 clear
    quint8 alarmBits = 0;     // D4
    quint16 humidityTenths = 0;
    double t1 = 0;
    double t2 = 0;
    quint16 period = 0;
    quint16 cs1Tenths = 0;
    quint16 cs2Tenths = 0;

    // Scaled values are the integer times 0.1, as the unit's own display computes them.
    double humidity() const { return humidityTenths * 0.1; }
    double cs1() const { return cs1Tenths * 0.1; }
    double cs2() const { return cs2Tenths * 0.1; }
};

// Temperature from the unit's sign-and-magnitude sixteenths of a degree (low byte first),
// truncated towards zero to a tenth of a degree.
double DecodeTemperature(quint8 low, quint8 high);

// The record a frame carries, or nothing when it is too short for the bytes it needs or names a
// channel that does not exist: such a frame must not touch any channel.
std::optional<MeasurementRecord> decodeMeasurementRecord(const ResponseFrame& frame);

// The nine cell texts of a record row (time, humidity, T1, T2, period, CS1, CS2, alarm,
// address), the alarm cell showing `noAlarmText` when no alarm bit is set.
struct MeasurementRow
{
    std::array<QString, kMeasurementColumnCount> cells;
    AlarmColour alarmColour = AlarmColour::Normal;
};
MeasurementRow measurementRow(const MeasurementRecord& record, const QString& time,
                              const QString& noAlarmText);
