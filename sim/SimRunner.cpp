#include "sim/SimRunner.h"

#include "link/FunctionCodes.h"
#include "sim/FrameDescription.h"

#include <QTime>

namespace sim {

SimRunner::SimRunner(SimulatedUnit& unit, LineEndpoint& line, FaultInjector& faults, int periodMs,
                     QObject* parent)
    : QObject(parent), m_unit(unit), m_line(line), m_faults(faults)
{
    m_roundTimer.setInterval(periodMs);
    connect(&m_roundTimer, &QTimer::timeout, this, &SimRunner::sendRound);
    m_pieceTimer.setSingleShot(true);
    connect(&m_pieceTimer, &QTimer::timeout, this, &SimRunner::writeDue);
    connect(&m_line, &LineEndpoint::received, this, &SimRunner::onReceived);
    connect(&m_line, &LineEndpoint::notice, this, [this](const QString& text) {
        if (m_notices)
            m_notices(text);
    });
}

void SimRunner::setLogs(Log exchanges, Log notices)
{
    m_exchanges = std::move(exchanges);
    m_notices = std::move(notices);
}

void SimRunner::start()
{
    m_roundTimer.start();
}

void SimRunner::logExchange(const QString& text) const
{
    if (m_exchanges)
        m_exchanges(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + text);
}

void SimRunner::onReceived(const QByteArray& bytes)
{
    for (const LineEvent& event : m_unitLine.feed(bytes)) {
        if (!event.request) {
            logExchange(QStringLiteral("<- %1 (%2)")
                            .arg(QString::fromLatin1(event.frameText.trimmed()), event.outcome.note));
            continue;
        }
        const ResponseFrame& r = *event.request;
        QString text = QStringLiteral("<- ") + describeFrame(r.address(), r.code(), r.payload());
        if (!event.outcome.note.isEmpty())
            text += QStringLiteral("  (%1)").arg(event.outcome.note);
        logExchange(text);
        for (const Reply& reply : event.outcome.replies) {
            send(reply);
            if (reply.code == FunctionCode::kChangeUnitAddress && m_notices)
                m_notices(QStringLiteral("unit address is now %1").arg(reply.address));
        }
    }
}

void SimRunner::sendRound()
{
    m_line.discardUnreadOutput();
    // A unit cannot send faster than its line: while the last round is still going out in
    // pieces, this one is skipped rather than queued without end.
    if (!m_queue.empty()) {
        logExchange(QStringLiteral("-- round skipped, the line is still busy"));
        return;
    }
    for (const Reply& record : m_unit.periodicRecords())
        send(record);
}

void SimRunner::send(const Reply& reply)
{
    const ShapedFrame shaped = m_faults.shape(reply.frameText());
    QString text = QStringLiteral("-> ") + describeFrame(reply.address, reply.code, reply.data);
    if (shaped.dropped)
        text += QStringLiteral("  [dropped]");
    if (shaped.badLrc)
        text += QStringLiteral("  [bad LRC]");
    if (shaped.noiseBytes > 0)
        text += QStringLiteral("  [after %1 noise bytes]").arg(shaped.noiseBytes);
    logExchange(text);
    if (shaped.dropped)
        return;
    for (Piece& piece : m_faults.split(shaped.bytes))
        m_queue.push_back(std::move(piece));
    if (!m_pieceTimer.isActive())
        writeDue();
}

void SimRunner::writeDue()
{
    // Pieces go out strictly in order, so frames never interleave however they are cut.
    while (!m_queue.empty()) {
        Piece& head = m_queue.front();
        if (head.delayMs > 0) {
            m_pieceTimer.start(head.delayMs);
            head.delayMs = 0;
            return;
        }
        m_line.write(head.bytes);
        m_queue.pop_front();
    }
}

} // namespace sim
