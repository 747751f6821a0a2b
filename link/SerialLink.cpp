#include "link/SerialLink.h"

#include "link/PortNames.h"

SerialLink::SerialLink(QObject* parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::readAvailable);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

bool SerialLink::open(const QString& name, QString* errorText)
{
    close();
    m_port.setPortName(portDevicePath(name));
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    m_opening = true;
    const bool opened = !name.isEmpty() && m_port.open(QIODevice::ReadWrite);
    m_opening = false;
    if (!opened) {
        if (errorText)
            *errorText = name.isEmpty() ? QStringLiteral("no port name") : m_port.errorString();
        m_port.clearError();
        return false;
    }
    m_port.setReadBufferSize(0);
    m_openName = name;
    // Bytes may already wait from before the open.
    if (m_port.bytesAvailable() > 0)
        readAvailable();
    return true;
}

void SerialLink::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_openName.clear();
}

void SerialLink::write(const QByteArray& bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

void SerialLink::setReaderRunning(bool running)
{
    m_readerRunning = running;
    if (running && m_port.isOpen() && m_port.bytesAvailable() > 0)
        readAvailable();
}

void SerialLink::readAvailable()
{
    if (!m_readerRunning || !m_port.isOpen())
        return;
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty())
        emit bytesRead(bytes);
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_opening)
        return;
    if (!m_port.isOpen())
        return;
    // A hung-up port reports read errors in an endless loop while it stays open: close it.
    const QString name = m_openName;
    const QString text = m_port.errorString();
    close();
    m_port.clearError();
    emit portFailed(name, text);
}
