#pragma once

#include "sim/LineEndpoint.h"

#include <QSerialPort>

namespace sim {

// A real serial port, for a null-modem cable to the PC: 9600 baud, 8N1, no flow control.
class SerialEndpoint : public LineEndpoint
{
    Q_OBJECT
public:
    explicit SerialEndpoint(QObject* parent = nullptr);

    bool open(const QString& portName, QString* errorText = nullptr);

    void write(const QByteArray& bytes) override;
    QString description() const override { return m_name; }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_name; // as the user gave it, not shortened by the port
};

} // namespace sim
