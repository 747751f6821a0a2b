#pragma once

#include <QtGlobal>

namespace sim {

// The two bytes of a temperature in a measurement record, in the order they travel: low
// byte first.
struct TemperatureBytes
{
    quint8 low = 0;
    quint8 high = 0;
};

// Largest magnitude the record can carry: eleven bits of sixteenths of a degree, shown to
// a tenth.
constexpr double kTemperatureLimitCelsius = 127.9;

// Sign and magnitude in sixteenths of a degree; a negative value travels as the bitwise
// complement of its magnitude. The PC truncates what it decodes to a tenth, so the value is
// first cut to the tenth it should show, and the magnitude is taken from the middle of the
// sixteenths that show as that tenth: a reading never lands on the edge of the next tenth.
TemperatureBytes encodeTemperature(double celsius);

// The PC's reading of the two bytes, truncated toward zero to a tenth of a degree.
double decodeTemperature(quint8 low, quint8 high);

} // namespace sim
