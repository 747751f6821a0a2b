#include "sim/MeasurementRecord.h"

#include "sim/TemperatureCode.h"
#include "sim/UnitState.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
// Where the readings of each channel rest. With the default set-points 5, 20 and 30 %,
// channel 1 sits below the minimum, channel 7 above the maximum and channel 8 above the
// emergency maximum; channel 8 also stands in the cold, to show negative temperatures.
constexpr std::array<double, kChannelCount> kRestHumidity{4.2, 8.5, 11.0, 13.5, 16.0, 18.0, 24.0, 31.5};
constexpr std::array<double, kChannelCount> kRestTemperature{21.5, 22.0, 19.5, 18.0, 23.5, 12.0, 4.5, -6.5};
// The second thermometer sits further from the heat.
constexpr double kSecondThermometerOffset = -1.5;
constexpr double kRestCs2 = 120.0;

constexpr double kHumidityStride = 0.15;
constexpr double kTemperatureStride = 0.08;
constexpr double kCs2Stride = 0.3;
constexpr double kPullToRest = 0.05;
// The oscillator slows as the grain gets wetter.
constexpr int kPeriodPerPercent = 12;
constexpr int kCs1NoiseTenths = 5;

void putWord(QByteArray& record, int highIndex, int value)
{
    record[highIndex] = char((value >> 8) & 0xFF);
    record[highIndex + 1] = char(value & 0xFF);
}

void putTemperature(QByteArray& record, int lowIndex, double celsius)
{
    const TemperatureBytes bytes = encodeTemperature(celsius);
    record[lowIndex] = char(bytes.low);
    record[lowIndex + 1] = char(bytes.high);
}

int clampWord(long value)
{
    return int(std::clamp(value, 0L, 65535L));
}
} // namespace

quint8 alarmBits(int humidityTenths, const QByteArray& channelBlock)
{
    const int minimum = blockWord(channelBlock, 0) * 10;
    const int maximum = blockWord(channelBlock, 1) * 10;
    const int emergency = blockWord(channelBlock, 2) * 10;
    quint8 bits = 0;
    if (humidityTenths < minimum)
        bits |= kAlarmBelowMinimum;
    if (humidityTenths > maximum)
        bits |= kAlarmAboveMaximum;
    if (humidityTenths > emergency)
        bits |= kAlarmAboveEmergency;
    return bits;
}

QByteArray measurementRecord(quint8 sensorAddress, int channelIndex, const Reading& reading, quint8 alarms)
{
    QByteArray record(kRecordSize, '\0');
    record[0] = char(sensorAddress);
    record[1] = 0; // readings follow
    record[2] = char(channelIndex);
    record[3] = 0; // both thermometers valid
    record[4] = char(alarms);
    putWord(record, 19, clampWord(reading.humidityTenths));
    // The unit sends its temperatures low byte first, unlike every other word.
    putTemperature(record, 27, reading.temperature1);
    putTemperature(record, 29, reading.temperature2);
    putWord(record, 37, clampWord(reading.period));
    putWord(record, 43, clampWord(reading.cs1Tenths));
    putWord(record, 45, clampWord(reading.cs2Tenths));
    return record;
}

QByteArray noSignalRecord(quint8 sensorAddress, int channelIndex)
{
    QByteArray record(kRecordSize, '\0');
    record[0] = char(sensorAddress);
    record[1] = 1;
    record[2] = char(channelIndex);
    return record;
}

MeasurementDrift::MeasurementDrift(quint32 seed) : m_random(seed)
{
    for (int k = 0; k < kChannelCount; ++k) {
        const double t = kRestTemperature[size_t(k)];
        m_rest[size_t(k)] = {kRestHumidity[size_t(k)], t, t + kSecondThermometerOffset, kRestCs2};
        m_channels[size_t(k)] = m_rest[size_t(k)];
    }
}

double MeasurementDrift::step(double value, double rest, double stride, double low, double high)
{
    const double jitter = (m_random.generateDouble() * 2.0 - 1.0) * stride;
    return std::clamp(value + (rest - value) * kPullToRest + jitter, low, high);
}

Reading MeasurementDrift::next(int channelIndex, const QByteArray& sensorBlock)
{
    const auto k = size_t(std::clamp(channelIndex, 0, kChannelCount - 1));
    Channel& c = m_channels[k];
    const Channel& rest = m_rest[k];
    c.humidity = step(c.humidity, rest.humidity, kHumidityStride, 0.0, 100.0);
    c.temperature1 = step(c.temperature1, rest.temperature1, kTemperatureStride, -kTemperatureLimitCelsius,
                          kTemperatureLimitCelsius);
    c.temperature2 = step(c.temperature2, rest.temperature2, kTemperatureStride, -kTemperatureLimitCelsius,
                          kTemperatureLimitCelsius);
    c.cs2 = step(c.cs2, rest.cs2, kCs2Stride, 0.0, 6553.5);

    Reading r;
    r.humidityTenths = int(std::lround(c.humidity * 10.0));
    r.temperature1 = c.temperature1;
    r.temperature2 = c.temperature2;
    // T01 is the sensor's dry period, СК1 the base of CS1 (word 12, in tenths).
    r.period = blockWord(sensorBlock, 9) + int(std::lround(c.humidity * kPeriodPerPercent));
    r.cs1Tenths = blockWord(sensorBlock, 12) + m_random.bounded(-kCs1NoiseTenths, kCs1NoiseTenths + 1);
    r.cs2Tenths = int(std::lround(c.cs2 * 10.0));
    return r;
}

} // namespace sim
