#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <array>

namespace sim {

// Data bytes of a code-52 record: the PC reads positions up to D46.
constexpr int kRecordSize = 47;

// Alarm bits of a record: below minimum, above maximum, above emergency maximum.
constexpr quint8 kAlarmBelowMinimum = 0x01;
constexpr quint8 kAlarmAboveMaximum = 0x02;
constexpr quint8 kAlarmAboveEmergency = 0x04;

// One channel's readings as the record carries them.
struct Reading
{
    int humidityTenths = 0;  // tenths of a percent
    double temperature1 = 0; // °C
    double temperature2 = 0; // °C
    int period = 0;          // raw count of the sensor's oscillator
    int cs1Tenths = 0;
    int cs2Tenths = 0;
};

// Alarm bits of a humidity against a channel block: words 0, 1 and 2 are the minimum, the
// maximum and the emergency maximum in whole percent.
quint8 alarmBits(int humidityTenths, const QByteArray& channelBlock);

QByteArray measurementRecord(quint8 sensorAddress, int channelIndex, const Reading& reading, quint8 alarms);
// A sensor that does not answer: only the address and the channel mean anything.
QByteArray noSignalRecord(quint8 sensorAddress, int channelIndex);

// Readings that wander slowly around a resting value per channel, so that a session shows
// live-looking numbers and, with the default set-points, every alarm state somewhere.
class MeasurementDrift
{
public:
    explicit MeasurementDrift(quint32 seed);

    // The next reading of a channel; the sensor block supplies the period and CS1 base.
    Reading next(int channelIndex, const QByteArray& sensorBlock);

private:
    struct Channel
    {
        double humidity = 0;
        double temperature1 = 0;
        double temperature2 = 0;
        double cs2 = 0;
    };

    double step(double value, double rest, double stride, double low, double high);

    QRandomGenerator m_random;
    std::array<Channel, 8> m_channels{};
    std::array<Channel, 8> m_rest{};
};

} // namespace sim
