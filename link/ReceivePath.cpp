#include "link/ReceivePath.h"

#include "link/FrameCodec.h"

namespace {
// Dropping consumed bytes costs a move of the rest; do it only when it pays.
constexpr qsizetype kCompactThreshold = 4096;
} // namespace

ReceivePath::ReceivePath(QObject* parent) : QObject(parent)
{
    m_drainTimer.setSingleShot(true);
    m_drainTimer.setInterval(0);
    connect(&m_drainTimer, &QTimer::timeout, this, &ReceivePath::drain);
}

void ReceivePath::appendReceived(const QByteArray& bytes)
{
    m_queue.append(bytes);
    scheduleDrain();
}

void ReceivePath::setAssemblerRunning(bool running)
{
    m_assemblerRunning = running;
    if (running)
        scheduleDrain();
    else
        m_drainTimer.stop();
}

void ReceivePath::scheduleDrain()
{
    if (m_assemblerRunning && queuedBytes() > 0 && !m_drainTimer.isActive())
        m_drainTimer.start();
}

bool ReceivePath::takeByte(char& byte)
{
    if (m_head >= m_queue.size()) {
        m_queue.clear();
        m_head = 0;
        return false;
    }
    byte = m_queue.at(m_head++);
    if (m_head >= kCompactThreshold && m_head * 2 >= m_queue.size()) {
        m_queue.remove(0, m_head);
        m_head = 0;
    }
    return true;
}

void ReceivePath::drain()
{
    if (!m_assemblerRunning)
        return;
    // Stopped while we work, so that a handler waiting in a dialog never re-enters the drain.
    m_assemblerRunning = false;
    m_drainTimer.stop();

    char byte = 0;
    while (takeByte(byte)) {
        if (byte == 0)
            break; // a 0 byte ends this pass; the bytes behind it wait for the next one
        if (m_assembler.feed(byte)) {
            const QByteArray frameText = m_assembler.frame();
            m_assembler.reset();
            emit frameCompleted(frameText);
            processResponse(frameText);
        }
    }

    m_assemblerRunning = true;
    scheduleDrain();
}

void ReceivePath::processResponse(const QByteArray& frameText)
{
    const std::optional<ResponseFrame> frame = DecodeFrame(frameText);
    if (!frame) {
        emit lrcFailed();
        return;
    }
    emit frameAccepted(frame->address(), frame->code());
    m_dispatcher.dispatch(*frame);
}
