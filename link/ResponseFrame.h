#pragma once

#include <QByteArray>
#include <QtGlobal>

// A decoded, intact frame. Handlers read data bytes D0, D1, ... through it; a position the
// frame did not carry reads as 0, so no handler can read past the bytes that arrived.
class ResponseFrame
{
public:
    ResponseFrame() = default;
    ResponseFrame(quint8 address, quint8 code, QByteArray data)
        : m_address(address), m_code(code), m_data(std::move(data))
    {}

    quint8 address() const { return m_address; }
    quint8 code() const { return m_code; }
    int dataCount() const { return int(m_data.size()); }
    bool hasData(int count) const { return dataCount() >= count; }
    quint8 data(int k) const { return k >= 0 && k < dataCount() ? quint8(m_data.at(k)) : 0; }
    // High byte first, as the unit sends every word except where a payload says otherwise.
    quint16 word(int highIndex) const { return quint16(data(highIndex) << 8 | data(highIndex + 1)); }
    const QByteArray& payload() const { return m_data; }

private:
    quint8 m_address = 0;
    quint8 m_code = 0;
    QByteArray m_data;
};
