#pragma once

#include "link/ResponseFrame.h"
#include "sim/MeasurementRecord.h"
#include "sim/UnitState.h"

#include <QString>
#include <bitset>
#include <vector>

namespace sim {

// One frame the unit sends.
struct Reply
{
    quint8 address = 0;
    quint8 code = 0;
    QByteArray data;

    // The frame as it goes on the line, ':' to CR LF.
    QByteArray frameText() const;
};

// What a request led to: the answers (none when it is ignored) and, for the log, why it was
// ignored or what it changed.
struct Outcome
{
    std::vector<Reply> replies;
    QString note;
};

// The processing unit's behaviour without any I/O: a request in, its answers out, and the
// records it sends by itself.
class SimulatedUnit
{
public:
    explicit SimulatedUnit(quint32 seed = 1, UnitClock::TimeSource hostNow = &QDateTime::currentDateTime);

    UnitState& state() { return m_state; }
    const UnitState& state() const { return m_state; }

    // Channel index 0..7 whose sensor gives no signal.
    void setNoSignal(int channelIndex, bool noSignal);
    bool noSignal(int channelIndex) const;

    Outcome answer(const ResponseFrame& request);

    // One record per connected channel, while the unit is active and measuring.
    std::vector<Reply> periodicRecords();
    // The next record of a channel.
    Reply record(int channelIndex);

private:
    Reply reply(quint8 code, const QByteArray& data = {}) const;
    Reply signature(quint8 code, const QByteArray& block) const;
    Outcome handle(const ResponseFrame& request);
    Outcome onMeasurementRequest(quint8 sensorAddress);
    Outcome onClockWrite(const ResponseFrame& request);
    Outcome onFirmwareInfo() const;
    Outcome onChannelSignature(quint8 code, int channelIndex, bool sensorBlock) const;

    UnitState m_state;
    MeasurementDrift m_drift;
    std::bitset<kChannelCount> m_noSignal;
};

} // namespace sim
