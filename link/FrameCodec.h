#pragma once

#include "link/ResponseFrame.h"

#include <QByteArray>
#include <optional>

// Wire format of every frame, both directions:
//   ':' + two upper-case hex digits per byte (address, function code, data, LRC) + CR LF.

// The check byte: two's complement of the 8-bit sum of address, function code and data.
quint8 frameLrc(const QByteArray& bytes);

// Hex-encodes address, code and data, appends the LRC, and frames it with ':' and CR LF.
QByteArray encodeFrame(quint8 address, quint8 code, const QByteArray& data);

// Turns the text of one assembled frame (':' .. CR LF) back into bytes and tests the LRC.
// Digits are converted the unit's way: a character below ':' counts as c - '0', any other
// as c - 55, so lower-case or stray characters yield wrong bytes and, in practice, a failed
// LRC. Returns nothing when the frame fails: wrong LRC, an odd number of digits, or fewer
// than the three bytes (address, function code, LRC) that every frame carries.
std::optional<ResponseFrame> DecodeFrame(const QByteArray& frameText);

// Value of two characters read as one hex byte, the way DecodeFrame reads them.
quint8 hexPairValue(char high, char low);

// CRC-16/ARC: reflected polynomial 0xA001, initial value 0, no final XOR. The unit signs
// each configuration block with it.
quint16 CalcCRC16(const quint8* bytes, size_t count);
inline quint16 CalcCRC16(const QByteArray& bytes)
{
    return CalcCRC16(reinterpret_cast<const quint8*>(bytes.constData()), size_t(bytes.size()));
}
