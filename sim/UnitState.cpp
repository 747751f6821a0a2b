#include "sim/UnitState.h"

#include <array>

namespace sim {

namespace {
QByteArray wordsHighFirst(std::initializer_list<quint16> words)
{
    QByteArray bytes;
    for (quint16 w : words) {
        bytes.append(char(w >> 8));
        bytes.append(char(w & 0xFF));
    }
    return bytes;
}
} // namespace

QByteArray defaultConnectionTable()
{
    QByteArray bytes;
    for (int p = 1; p <= kChannelCount; ++p) {
        bytes.append(char(p)); // sensor address p on poll number p
        bytes.append(char(p));
    }
    return bytes;
}

QByteArray defaultUnitConstants()
{
    // Active mode, 5000 ms sensor time-out, three reserved words, three correction
    // coefficients, two reserved words.
    return wordsHighFirst({256, 5000, 0, 0, 0, 45, 45, 45, 0, 0});
}

QByteArray defaultRelayCodes()
{
    // Every output unused, active at logic 1.
    return QByteArray(kRelayBlockSize, char(0x80));
}

QByteArray defaultChannelBlock()
{
    QByteArray bytes = wordsHighFirst({5, 20, 30, 0, 0, 0, 0, 0, 0});
    bytes.append('\0');
    return bytes;
}

QByteArray defaultSensorBlock()
{
    // CD1 104.2, CD2 130.5, K 0.2003, T01 3701 and СК1 235.8 in their fixed-point scales.
    std::array<quint16, kSensorBlockSize / 2> words{};
    words[0] = 65;
    words[1] = 1042;
    words[2] = 1305;
    words[6] = 2003;
    words[9] = 3701;
    words[12] = 2358;
    QByteArray bytes;
    // Word 0 is the one word the unit keeps low byte first.
    bytes.append(char(words[0] & 0xFF));
    bytes.append(char(words[0] >> 8));
    for (size_t k = 1; k < words.size(); ++k) {
        bytes.append(char(words[k] >> 8));
        bytes.append(char(words[k] & 0xFF));
    }
    return bytes;
}

quint16 blockWord(const QByteArray& block, int index)
{
    const int at = 2 * index;
    if (at + 1 >= block.size())
        return 0;
    return quint16(quint8(block.at(at)) << 8 | quint8(block.at(at + 1)));
}

UnitState::UnitState(UnitClock::TimeSource hostNow) : m_clock(std::move(hostNow)) {}

QByteArray UnitState::channelBlock(quint8 sensorAddress) const
{
    return m_channelBlocks.value(sensorAddress, defaultChannelBlock());
}

void UnitState::setChannelBlock(quint8 sensorAddress, const QByteArray& bytes)
{
    m_channelBlocks.insert(sensorAddress, bytes);
}

QByteArray UnitState::sensorBlock(quint8 sensorAddress) const
{
    return m_sensorBlocks.value(sensorAddress, defaultSensorBlock());
}

void UnitState::setSensorBlock(quint8 sensorAddress, const QByteArray& bytes)
{
    m_sensorBlocks.insert(sensorAddress, bytes);
}

quint8 UnitState::sensorAddressOf(int channelIndex) const
{
    if (channelIndex < 0 || channelIndex >= kChannelCount)
        return 0;
    return quint8(m_connectionTable.at(2 * channelIndex));
}

std::optional<int> UnitState::channelOfSensor(quint8 sensorAddress) const
{
    if (sensorAddress == 0)
        return std::nullopt;
    for (int k = 0; k < kChannelCount; ++k) {
        if (sensorAddressOf(k) == sensorAddress)
            return k;
    }
    return std::nullopt;
}

} // namespace sim
