#include "sim/SerialEndpoint.h"

namespace sim {

SerialEndpoint::SerialEndpoint(QObject* parent) : LineEndpoint(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port.readAll()); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialEndpoint::onError);
}

bool SerialEndpoint::open(const QString& portName, QString* errorText)
{
    m_name = portName;
    m_port.setPortName(portName);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (m_port.open(QIODevice::ReadWrite))
        return true;
    if (errorText)
        *errorText = QStringLiteral("cannot open %1: %2").arg(portName, m_port.errorString());
    return false;
}

void SerialEndpoint::write(const QByteArray& bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

void SerialEndpoint::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !m_port.isOpen())
        return;
    // A hang-up repeats its read error endlessly while the port stays open: close and say so once.
    const QString reason = QStringLiteral("%1 failed: %2").arg(m_name, m_port.errorString());
    m_port.close();
    emit failed(reason);
}

} // namespace sim
