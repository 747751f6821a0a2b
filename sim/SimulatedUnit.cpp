#include "sim/SimulatedUnit.h"

#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"

namespace sim {

namespace {
// What code 81 reports about the firmware.
constexpr int kFirmwareDay = 14;
constexpr int kFirmwareMonth = 5;
constexpr int kFirmwareYear = 24; // since 2000
constexpr int kFirmwareVersion = 3;
constexpr char kFirmwareId[] = "VT2-M00-SIM-BO0-V03"; // 19 characters, groups of three
static_assert(sizeof kFirmwareId - 1 == 19, "the unit reports a 19-character identifier");

constexpr quint8 kSwitchOff = 0x00;

QByteArray signatureBytes(const QByteArray& block)
{
    const quint16 crc = CalcCRC16(block);
    QByteArray data;
    data.append(char(crc >> 8));
    data.append(char(crc & 0xFF));
    return data;
}

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}
} // namespace

QByteArray Reply::frameText() const
{
    return encodeFrame(address, code, data);
}

SimulatedUnit::SimulatedUnit(quint32 seed, UnitClock::TimeSource hostNow)
    : m_state(std::move(hostNow)), m_drift(seed)
{}

void SimulatedUnit::setNoSignal(int channelIndex, bool noSignal)
{
    if (channelIndex >= 0 && channelIndex < kChannelCount)
        m_noSignal.set(size_t(channelIndex), noSignal);
}

bool SimulatedUnit::noSignal(int channelIndex) const
{
    return channelIndex >= 0 && channelIndex < kChannelCount && m_noSignal.test(size_t(channelIndex));
}

Reply SimulatedUnit::reply(quint8 code, const QByteArray& data) const
{
    return Reply{m_state.address(), code, data};
}

Reply SimulatedUnit::signature(quint8 code, const QByteArray& block) const
{
    return reply(code, signatureBytes(block));
}

Outcome SimulatedUnit::answer(const ResponseFrame& request)
{
    if (request.address() != m_state.address())
        return {{}, QStringLiteral("for unit %1, not for this one").arg(request.address())};
    const int needed = requestDataLength(request.code());
    if (needed < 0)
        return {{}, QStringLiteral("no such request")};
    if (!request.hasData(needed))
        return {{}, QStringLiteral("too short: %1 of %2 data bytes").arg(request.dataCount()).arg(needed)};
    return handle(request);
}

Outcome SimulatedUnit::handle(const ResponseFrame& request)
{
    namespace F = FunctionCode;
    const quint8 code = request.code();
    const QByteArray& data = request.payload();
    const quint8 d0 = request.data(0);

    switch (code) {
    case F::kStartStopMeasurements:
        m_state.setMeasuring(d0 != kSwitchOff);
        return {{reply(code, data.left(1))}, QStringLiteral("measuring ") + onOff(m_state.measuring())};
    case F::kActiveMode:
        m_state.setActiveMode(d0 != kSwitchOff);
        return {{reply(code, data.left(1))}, QStringLiteral("active mode ") + onOff(m_state.activeMode())};
    case F::kMeasurementRecord:
        return onMeasurementRequest(d0);

    case F::kChannelConstWrite:
        m_state.setChannelBlock(d0, data.mid(1, kChannelBlockSize));
        return {{reply(code, data.left(1))}, QStringLiteral("set-points of sensor %1 stored").arg(d0)};
    case F::kChannelConstRead:
        return {{reply(code, data.left(1) + m_state.channelBlock(d0))}, {}};
    case F::kChannelConstSignature:
        return onChannelSignature(code, d0, false);

    case F::kSensorConstWrite:
        // D57 and D58 are padding the unit does not keep.
        m_state.setSensorBlock(d0, data.mid(1, kSensorBlockSize));
        return {{reply(code, data.left(1))}, QStringLiteral("constants of sensor %1 stored").arg(d0)};
    case F::kSensorConstRead:
        return {{reply(code, data.left(1) + m_state.sensorBlock(d0) + QByteArray(2, '\0'))}, {}};
    case F::kSensorConstSignature:
        return onChannelSignature(code, d0, true);

    case F::kConnectionTableWrite:
        m_state.setConnectionTable(data.left(kConnectionTableSize));
        return {{reply(code)}, QStringLiteral("connection table stored")};
    case F::kConnectionTableRead:
        return {{reply(code, m_state.connectionTable())}, {}};
    case F::kConnectionTableSignature:
        return {{signature(code, m_state.connectionTable())}, {}};

    case F::kUnitConstWrite: {
        m_state.setUnitConstants(data.left(kUnitConstSize));
        // Word 0 is the operating mode: 256 active, 0 not.
        m_state.setActiveMode(blockWord(m_state.unitConstants(), 0) != 0);
        return {{reply(code)},
                QStringLiteral("unit constants stored, active mode ") + onOff(m_state.activeMode())};
    }
    case F::kUnitConstRead:
        return {{reply(code, m_state.unitConstants())}, {}};
    case F::kUnitConstSignature:
        return {{signature(code, m_state.unitConstants())}, {}};

    case F::kRelayWrite:
        m_state.setRelayCodes(data.left(kRelayBlockSize));
        return {{reply(code)}, QStringLiteral("relay codes stored")};
    case F::kRelayRead:
        return {{reply(code, m_state.relayCodes())}, {}};
    case F::kRelaySignature:
        return {{signature(code, m_state.relayCodes())}, {}};

    case F::kClockWrite:
        return onClockWrite(request);
    case F::kClockRead: {
        const QDateTime now = m_state.clock().now();
        QByteArray clock;
        for (int field : {now.time().second(), now.time().minute(), now.time().hour(), now.date().day(),
                          now.date().month(), now.date().year() - 2000})
            clock.append(char(field));
        return {{reply(code, clock)}, {}};
    }

    case F::kUnitInfo:
        return onFirmwareInfo();
    case F::kChangeUnitAddress: {
        const quint8 previous = m_state.address();
        m_state.setAddress(d0);
        // The answer already comes from the new address.
        return {{reply(code, data.left(1))}, QStringLiteral("address %1 -> %2").arg(previous).arg(d0)};
    }
    default:
        return {{}, QStringLiteral("no such request")};
    }
}

Outcome SimulatedUnit::onMeasurementRequest(quint8 sensorAddress)
{
    const std::optional<int> channel = m_state.channelOfSensor(sensorAddress);
    if (!channel)
        return {{reply(FunctionCode::kSensorNotFound, QByteArray(1, char(sensorAddress)))},
                QStringLiteral("no channel polls sensor %1").arg(sensorAddress)};
    return {{record(*channel)}, {}};
}

Outcome SimulatedUnit::onChannelSignature(quint8 code, int channelIndex, bool sensorBlock) const
{
    // The PC asks by channel; the blocks are kept by the sensor polled on that channel.
    if (channelIndex >= kChannelCount)
        return {{}, QStringLiteral("no channel %1").arg(channelIndex)};
    const quint8 sensor = m_state.sensorAddressOf(channelIndex);
    const QByteArray block = sensorBlock ? m_state.sensorBlock(sensor) : m_state.channelBlock(sensor);
    return {{signature(code, block)}, QStringLiteral("channel %1 = sensor %2").arg(channelIndex).arg(sensor)};
}

Outcome SimulatedUnit::onClockWrite(const ResponseFrame& request)
{
    const QTime time(request.data(2), request.data(1), request.data(0));
    const QDate date(2000 + request.data(5), request.data(4), request.data(3));
    // A date the clock cannot hold is not acknowledged, so the PC does not report success.
    if (!time.isValid() || !date.isValid())
        return {{}, QStringLiteral("not a valid date and time")};
    m_state.clock().set(date, time);
    return {{reply(request.code())},
            QStringLiteral("clock set to %1 %2").arg(date.toString(Qt::ISODate), time.toString(Qt::ISODate))};
}

Outcome SimulatedUnit::onFirmwareInfo() const
{
    QByteArray info;
    info.append(char(kFirmwareDay));
    info.append(char(kFirmwareMonth));
    info.append(char(kFirmwareYear));
    info.append(char(kFirmwareVersion));
    info.append(kFirmwareId);
    return {{reply(FunctionCode::kUnitInfo, info)}, {}};
}

Reply SimulatedUnit::record(int channelIndex)
{
    const quint8 sensor = m_state.sensorAddressOf(channelIndex);
    if (noSignal(channelIndex))
        return reply(FunctionCode::kMeasurementRecord, noSignalRecord(sensor, channelIndex));
    const Reading reading = m_drift.next(channelIndex, m_state.sensorBlock(sensor));
    const quint8 alarms = alarmBits(reading.humidityTenths, m_state.channelBlock(sensor));
    return reply(FunctionCode::kMeasurementRecord, measurementRecord(sensor, channelIndex, reading, alarms));
}

std::vector<Reply> SimulatedUnit::periodicRecords()
{
    std::vector<Reply> records;
    if (!m_state.activeMode() || !m_state.measuring())
        return records;
    for (int k = 0; k < kChannelCount; ++k) {
        if (m_state.sensorAddressOf(k) != 0)
            records.push_back(record(k));
    }
    return records;
}

} // namespace sim
