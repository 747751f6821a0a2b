#include "sim/FaultInjector.h"

#include "link/FrameCodec.h"

namespace sim {

namespace {
constexpr int kMaxNoiseBytes = 8;
constexpr int kMaxPieceBytes = 8;
constexpr int kMaxPieceDelayMs = 15;
constexpr char kHexDigits[] = "0123456789ABCDEF";
// ':' followed by CR LF: the LRC digits are the two characters before them.
constexpr int kLrcDigitsFromEnd = 4;
} // namespace

bool FaultInjector::happens(double rate)
{
    return rate > 0 && m_random.generateDouble() < rate;
}

ShapedFrame FaultInjector::shape(const QByteArray& frameText)
{
    ShapedFrame shaped;
    if (happens(m_rates.drop)) {
        shaped.dropped = true;
        return shaped;
    }
    shaped.bytes = frameText;
    if (frameText.size() >= kLrcDigitsFromEnd + 1 && happens(m_rates.badLrc)) {
        const qsizetype at = frameText.size() - kLrcDigitsFromEnd;
        const int lrc = hexPairValue(frameText.at(at), frameText.at(at + 1));
        const int wrong = (lrc + m_random.bounded(1, 256)) & 0xFF;
        shaped.bytes[at] = kHexDigits[wrong >> 4];
        shaped.bytes[at + 1] = kHexDigits[wrong & 0x0F];
        shaped.badLrc = true;
    }
    if (happens(m_rates.noise)) {
        QByteArray noise;
        shaped.noiseBytes = m_random.bounded(1, kMaxNoiseBytes + 1);
        while (noise.size() < shaped.noiseBytes) {
            // Never a ':': noise that opened a frame could pass the PC a unit address.
            const char c = char(m_random.bounded(256));
            if (c != ':')
                noise.append(c);
        }
        shaped.bytes.prepend(noise);
    }
    return shaped;
}

std::vector<Piece> FaultInjector::split(const QByteArray& bytes)
{
    if (!m_rates.chunked)
        return {Piece{bytes, 0}};
    std::vector<Piece> pieces;
    for (qsizetype at = 0; at < bytes.size();) {
        const int size = m_random.bounded(1, kMaxPieceBytes + 1);
        pieces.push_back(Piece{bytes.mid(at, size), m_random.bounded(kMaxPieceDelayMs + 1)});
        at += size;
    }
    return pieces;
}

} // namespace sim
