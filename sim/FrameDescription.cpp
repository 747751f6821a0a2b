#include "sim/FrameDescription.h"

#include "link/FunctionCodes.h"
#include "sim/MeasurementRecord.h"
#include "sim/TemperatureCode.h"

#include <QStringList>

namespace sim {

namespace {
quint8 at(const QByteArray& data, int k)
{
    return k < data.size() ? quint8(data.at(k)) : 0;
}

int wordAt(const QByteArray& data, int highIndex)
{
    return at(data, highIndex) << 8 | at(data, highIndex + 1);
}

QString recordMeaning(const QByteArray& data)
{
    if (data.size() < kRecordSize)
        return QStringLiteral("short record");
    const QString channel = QStringLiteral("channel %1 sensor %2").arg(at(data, 2) + 1).arg(at(data, 0));
    if (at(data, 1) != 0)
        return channel + QStringLiteral(": no signal");
    QStringList alarms;
    if (at(data, 4) & kAlarmBelowMinimum)
        alarms << QStringLiteral("min");
    if (at(data, 4) & kAlarmAboveMaximum)
        alarms << QStringLiteral("max");
    if (at(data, 4) & kAlarmAboveEmergency)
        alarms << QStringLiteral("emergency");
    return QStringLiteral("%1: %2 %, T1 %3, T2 %4 °C, period %5, CS1 %6, CS2 %7, alarms %8")
        .arg(channel)
        .arg(wordAt(data, 19) / 10.0)
        .arg(decodeTemperature(at(data, 27), at(data, 28)))
        .arg(decodeTemperature(at(data, 29), at(data, 30)))
        .arg(wordAt(data, 37))
        .arg(wordAt(data, 43) / 10.0)
        .arg(wordAt(data, 45) / 10.0)
        .arg(alarms.isEmpty() ? QStringLiteral("-") : alarms.join(QLatin1Char('+')));
}

QString clockMeaning(const QByteArray& data)
{
    return QStringLiteral("%1.%2.%3 %4:%5:%6")
        .arg(at(data, 3), 2, 10, QLatin1Char('0'))
        .arg(at(data, 4), 2, 10, QLatin1Char('0'))
        .arg(2000 + at(data, 5))
        .arg(at(data, 2), 2, 10, QLatin1Char('0'))
        .arg(at(data, 1), 2, 10, QLatin1Char('0'))
        .arg(at(data, 0), 2, 10, QLatin1Char('0'));
}

// What the data of an answer means; requests and acknowledgements speak for themselves.
QString meaning(quint8 code, const QByteArray& data)
{
    namespace F = FunctionCode;
    switch (code) {
    case F::kMeasurementRecord:
        return data.size() > 1 ? recordMeaning(data) : QString();
    case F::kChannelConstSignature:
    case F::kSensorConstSignature:
    case F::kConnectionTableSignature:
    case F::kUnitConstSignature:
    case F::kRelaySignature:
        return data.size() == 2
                   ? QStringLiteral("signature 0x") +
                         QString::number(wordAt(data, 0), 16).toUpper().rightJustified(4, QLatin1Char('0'))
                   : QString();
    case F::kClockWrite:
    case F::kClockRead:
        return data.size() >= 6 ? clockMeaning(data) : QString();
    case F::kUnitInfo:
        return data.size() > 4 ? QStringLiteral("firmware %1.%2.%3 version %4 id %5")
                                     .arg(at(data, 0))
                                     .arg(at(data, 1))
                                     .arg(2000 + at(data, 2))
                                     .arg(at(data, 3))
                                     .arg(QString::fromLatin1(data.mid(4)))
                               : QString();
    default:
        return {};
    }
}
} // namespace

QString codeName(quint8 code)
{
    namespace F = FunctionCode;
    switch (code) {
    case F::kStartStopMeasurements:
        return QStringLiteral("start/stop measuring");
    case F::kMeasurementRecord:
        return QStringLiteral("measurement");
    case F::kChannelConstWrite:
        return QStringLiteral("write set-points");
    case F::kChannelConstRead:
        return QStringLiteral("read set-points");
    case F::kChannelConstSignature:
        return QStringLiteral("set-point signature");
    case F::kSensorConstWrite:
        return QStringLiteral("write sensor constants");
    case F::kSensorConstRead:
        return QStringLiteral("read sensor constants");
    case F::kSensorConstSignature:
        return QStringLiteral("sensor constant signature");
    case F::kConnectionTableWrite:
        return QStringLiteral("write connection table");
    case F::kConnectionTableRead:
        return QStringLiteral("read connection table");
    case F::kConnectionTableSignature:
        return QStringLiteral("connection table signature");
    case F::kUnitConstWrite:
        return QStringLiteral("write unit constants");
    case F::kUnitConstRead:
        return QStringLiteral("read unit constants");
    case F::kUnitConstSignature:
        return QStringLiteral("unit constant signature");
    case F::kRelayWrite:
        return QStringLiteral("write relay codes");
    case F::kRelayRead:
        return QStringLiteral("read relay codes");
    case F::kRelaySignature:
        return QStringLiteral("relay signature");
    case F::kSensorNotFound:
        return QStringLiteral("sensor not found");
    case F::kActiveMode:
        return QStringLiteral("active mode on/off");
    case F::kClockWrite:
        return QStringLiteral("set clock");
    case F::kClockRead:
        return QStringLiteral("read clock");
    case F::kUnitInfo:
        return QStringLiteral("unit information");
    case F::kChangeUnitAddress:
        return QStringLiteral("change unit address");
    case F::kLiquidValueFromArchive:
        return QStringLiteral("liquid value from archive");
    default:
        return QStringLiteral("unknown");
    }
}

QString describeFrame(quint8 address, quint8 code, const QByteArray& data)
{
    QString text = QStringLiteral("%1 #%2 %3").arg(address).arg(code).arg(codeName(code));
    if (!data.isEmpty())
        text +=
            QStringLiteral(" [%1] %2").arg(data.size()).arg(QString::fromLatin1(data.toHex(' ').toUpper()));
    const QString extra = meaning(code, data);
    if (!extra.isEmpty())
        text += QStringLiteral(" = ") + extra;
    return text;
}

} // namespace sim
