#pragma once

#include "link/LineIndicator.h"
#include "link/ReceivePath.h"
#include "link/SerialLink.h"

#include <functional>

// The line as the rest of the program sees it: the port, the receive path, the three line
// lights, the line monitor's tap, and the one request builder every sender uses.
class LineLink : public QObject
{
    Q_OBJECT
public:
    explicit LineLink(QObject* parent = nullptr);

    SerialLink& port() { return m_port; }
    ReceivePath& receive() { return m_receive; }
    ResponseDispatcher& dispatcher() { return m_receive.dispatcher(); }
    LineIndicator& txIndicator() { return m_tx; }
    LineIndicator& rxIndicator() { return m_rx; }
    LineIndicator& lrcFailedIndicator() { return m_lrcFailed; }

    // Where requests take their unit address from, and how a bad one is reported.
    void setAddressSource(std::function<QString()> currentAddressText)
    {
        m_addressText = std::move(currentAddressText);
    }
    void setConversionErrorReporter(std::function<void(const QString&)> report)
    {
        m_reportError = std::move(report);
    }

    // Builds a request to the current unit (its address cut to 8 bits), lights TX and writes
    // it. A current address that is not an integer is reported and nothing is sent.
    bool sendRequest(quint8 code, const QByteArray& data = {});

    // The line monitor records only while this is on.
    bool monitorReceiving() const { return m_monitorReceiving; }
    void setMonitorReceiving(bool on) { m_monitorReceiving = on; }

    // Stops the port reader and the assembler around work during which no frame may be
    // handled; resume puts both back the way they were, which inside a frame handler means
    // the assembler stays stopped.
    struct ReceptionState
    {
        bool readerRunning = true;
        bool assemblerRunning = true;
    };
    ReceptionState pauseReception();
    void resumeReception(const ReceptionState& state);

signals:
    void monitoredBytes(const QByteArray& bytes);
    void monitoredFrame(const QByteArray& frameText);

private:
    SerialLink m_port;
    ReceivePath m_receive;
    LineIndicator m_tx{100};
    LineIndicator m_rx{100};
    LineIndicator m_lrcFailed{500};
    bool m_monitorReceiving = false;
    std::function<QString()> m_addressText;
    std::function<void(const QString&)> m_reportError;
};
