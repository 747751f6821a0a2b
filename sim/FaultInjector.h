#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <vector>

namespace sim {

// How badly the line behaves; all zero is a clean line.
struct FaultRates
{
    double drop = 0;   // fraction of frames never sent
    double badLrc = 0; // fraction of frames sent with a wrong check byte
    double noise = 0;  // fraction of frames preceded by a few noise bytes
    bool chunked = false;
};

// A frame as it will actually go out.
struct ShapedFrame
{
    QByteArray bytes; // empty when dropped
    bool dropped = false;
    bool badLrc = false;
    int noiseBytes = 0;
};

// A part of the output and how long to wait before writing it.
struct Piece
{
    QByteArray bytes;
    int delayMs = 0;
};

// Spoils outgoing frames the way a poor line would, repeatably for a given seed.
class FaultInjector
{
public:
    explicit FaultInjector(FaultRates rates = {}, quint32 seed = 1) : m_rates(rates), m_random(seed) {}

    const FaultRates& rates() const { return m_rates; }

    ShapedFrame shape(const QByteArray& frameText);
    // The whole of `bytes` at once, or small pieces with short pauses when chunked.
    std::vector<Piece> split(const QByteArray& bytes);

private:
    bool happens(double rate);

    FaultRates m_rates;
    QRandomGenerator m_random;
};

} // namespace sim
