#pragma once

#include <QObject>
#include <QSerialPort>

// The one serial port to the processing unit: 9600 baud, 8 data bits, no parity, one stop
// bit, no flow control. Received bytes are handed on as they arrive while the reader runs;
// while it is paused they wait in the driver.
class SerialLink : public QObject
{
    Q_OBJECT
public:
    explicit SerialLink(QObject* parent = nullptr);

    // Closes any open port, then opens the named one exclusively. On failure the port stays
    // closed and errorText (if given) says why.
    bool open(const QString& name, QString* errorText = nullptr);
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    QString openName() const { return m_openName; }

    // Writes without waiting; with no port open the bytes go nowhere.
    void write(const QByteArray& bytes);

    bool readerRunning() const { return m_readerRunning; }
    void setReaderRunning(bool running);

signals:
    void bytesRead(const QByteArray& bytes);
    // The open port failed (adapter unplugged, other end hung up) and has been closed.
    void portFailed(const QString& name, const QString& errorText);

private:
    void readAvailable();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    QString m_openName;
    bool m_readerRunning = true;
    bool m_opening = false;
};
