#pragma once

#include "sim/UnitClock.h"

#include <QByteArray>
#include <QHash>
#include <optional>

namespace sim {

constexpr int kChannelCount = 8;
constexpr quint8 kDefaultUnitAddress = 225;

// Every block is kept as the exact bytes the PC wrote, in line order, so that a read gives
// back what was written and a signature covers the same bytes the PC signs.
constexpr int kConnectionTableSize = 16; // sensor address and poll number for each channel
constexpr int kUnitConstSize = 20;       // ten words, high byte first
constexpr int kRelayBlockSize = 8;       // one relay code per output
constexpr int kChannelBlockSize = 19;    // nine set-point words high byte first, one pad byte
constexpr int kSensorBlockSize = 56;     // 28 words; word 0 low byte first, the rest high first

QByteArray defaultConnectionTable();
QByteArray defaultUnitConstants();
QByteArray defaultRelayCodes();
QByteArray defaultChannelBlock();
QByteArray defaultSensorBlock();

// Word `index` of a block whose words travel high byte first.
quint16 blockWord(const QByteArray& block, int index);

// What the unit remembers: its address, its configuration blocks, its clock and whether it
// measures and reports by itself. Starts from the same contents as the PC's default files.
class UnitState
{
public:
    explicit UnitState(UnitClock::TimeSource hostNow = &QDateTime::currentDateTime);

    quint8 address() const { return m_address; }
    void setAddress(quint8 address) { m_address = address; }

    bool activeMode() const { return m_activeMode; }
    void setActiveMode(bool on) { m_activeMode = on; }
    bool measuring() const { return m_measuring; }
    void setMeasuring(bool on) { m_measuring = on; }

    const QByteArray& connectionTable() const { return m_connectionTable; }
    void setConnectionTable(const QByteArray& bytes) { m_connectionTable = bytes; }
    const QByteArray& unitConstants() const { return m_unitConstants; }
    void setUnitConstants(const QByteArray& bytes) { m_unitConstants = bytes; }
    const QByteArray& relayCodes() const { return m_relayCodes; }
    void setRelayCodes(const QByteArray& bytes) { m_relayCodes = bytes; }

    // Blocks per sensor address; an address never written holds the defaults.
    QByteArray channelBlock(quint8 sensorAddress) const;
    void setChannelBlock(quint8 sensorAddress, const QByteArray& bytes);
    QByteArray sensorBlock(quint8 sensorAddress) const;
    void setSensorBlock(quint8 sensorAddress, const QByteArray& bytes);

    // The connection table: channel index 0..7 to the sensor polled on it, 0 for none.
    quint8 sensorAddressOf(int channelIndex) const;
    // The first channel that polls `sensorAddress`; address 0 names no sensor.
    std::optional<int> channelOfSensor(quint8 sensorAddress) const;

    UnitClock& clock() { return m_clock; }
    const UnitClock& clock() const { return m_clock; }

private:
    quint8 m_address = kDefaultUnitAddress;
    bool m_activeMode = true;
    bool m_measuring = true;
    QByteArray m_connectionTable = defaultConnectionTable();
    QByteArray m_unitConstants = defaultUnitConstants();
    QByteArray m_relayCodes = defaultRelayCodes();
    QHash<quint8, QByteArray> m_channelBlocks;
    QHash<quint8, QByteArray> m_sensorBlocks;
    UnitClock m_clock;
};

} // namespace sim
