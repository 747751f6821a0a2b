#include "link/LineLink.h"

#include "link/FrameCodec.h"
#include "link/IntegerText.h"

LineLink::LineLink(QObject* parent) : QObject(parent)
{
    connect(&m_port, &SerialLink::bytesRead, this, [this](const QByteArray& bytes) {
        if (m_monitorReceiving)
            emit monitoredBytes(bytes);
        m_receive.appendReceived(bytes);
    });
    connect(&m_receive, &ReceivePath::frameCompleted, this, [this](const QByteArray& frameText) {
        if (m_monitorReceiving)
            emit monitoredFrame(frameText);
        m_rx.light();
    });
    connect(&m_receive, &ReceivePath::lrcFailed, &m_lrcFailed, &LineIndicator::light);
}

bool LineLink::sendRequest(quint8 code, const QByteArray& data)
{
    const QString addressText = m_addressText ? m_addressText() : QString();
    const std::optional<int> address = parseInteger(addressText);
    if (!address) {
        if (m_reportError)
            m_reportError(notAnIntegerMessage(addressText));
        return false;
    }
    m_tx.light();
    m_port.write(encodeFrame(quint8(*address & 0xFF), code, data));
    return true;
}

LineLink::ReceptionState LineLink::pauseReception()
{
    const ReceptionState previous{m_port.readerRunning(), m_receive.assemblerRunning()};
    m_receive.setAssemblerRunning(false);
    m_port.setReaderRunning(false);
    return previous;
}

void LineLink::resumeReception(const ReceptionState& state)
{
    m_port.setReaderRunning(state.readerRunning);
    m_receive.setAssemblerRunning(state.assemblerRunning);
}
