#include "sim/TemperatureCode.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr int kMagnitudeMask = 0x7FF;
constexpr int kTenthsLimit = 1279;
} // namespace

TemperatureBytes encodeTemperature(double celsius)
{
    // A tiny allowance keeps values such as 54.9, stored a hair below, on their own tenth.
    const int tenths = std::min(int(std::floor(std::fabs(celsius) * 10.0 + 1e-6)), kTenthsLimit);
    // Sixteenths that show as `tenths` run from 1.6 × tenths up to 1.6 more; take the middle.
    const int sixteenths = (16 * tenths + 13) / 10;
    // A value that shows as 0 goes out positive, or the PC would print "-0".
    const bool negative = celsius < 0 && tenths > 0;
    TemperatureBytes bytes{quint8(sixteenths & 0xFF), quint8((sixteenths >> 8) & 0x07)};
    if (negative) {
        bytes.low = quint8(~bytes.low);
        bytes.high = quint8(~bytes.high);
    }
    return bytes;
}

double decodeTemperature(quint8 low, quint8 high)
{
    const bool negative = (high & 0x80) != 0;
    if (negative) {
        low = quint8(~low);
        high = quint8(~high);
    }
    const int magnitude = ((high << 8) | low) & kMagnitudeMask;
    const double value = negative ? -magnitude / 16.0 : magnitude / 16.0;
    return std::trunc(value * 10.0) * 0.1;
}

} // namespace sim
