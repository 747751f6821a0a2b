#include "link/FrameCodec.h"

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

int nibbleValue(char c)
{
    const int code = static_cast<unsigned char>(c);
    return code < ':' ? code - 48 : code - 55;
}
} // namespace

quint8 frameLrc(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (char b : bytes)
        sum = quint8(sum + quint8(b));
    return quint8(-sum);
}

QByteArray encodeFrame(quint8 address, quint8 code, const QByteArray& data)
{
    QByteArray body;
    body.reserve(data.size() + 3);
    body.append(char(address));
    body.append(char(code));
    body.append(data);
    body.append(char(frameLrc(body)));

    QByteArray text;
    text.reserve(2 * body.size() + 3);
    text.append(':');
    for (char b : body) {
        const auto v = quint8(b);
        text.append(kHexDigits[v >> 4]);
        text.append(kHexDigits[v & 0x0F]);
    }
    text.append("\r\n");
    return text;
}

quint8 hexPairValue(char high, char low)
{
    return quint8((nibbleValue(high) * 16) | nibbleValue(low));
}

std::optional<ResponseFrame> DecodeFrame(const QByteArray& frameText)
{
    if (frameText.size() < 3 || frameText.front() != ':' || !frameText.endsWith("\r\n"))
        return std::nullopt;
    const qsizetype digits = frameText.size() - 3;
    if (digits % 2 != 0 || digits < 6)
        return std::nullopt;

    QByteArray bytes;
    bytes.reserve(digits / 2);
    quint8 sum = 0;
    const qsizetype lastDigit = frameText.size() - 3;
    for (qsizetype i = 1; i < lastDigit; i += 2) {
        const quint8 b = hexPairValue(frameText.at(i), frameText.at(i + 1));
        bytes.append(char(b));
        sum = quint8(sum + b);
    }
    if (sum != 0)
        return std::nullopt;
    return ResponseFrame(quint8(bytes.at(0)), quint8(bytes.at(1)), bytes.mid(2, bytes.size() - 3));
}

quint16 CalcCRC16(const quint8* bytes, size_t count)
{
    quint16 crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}
