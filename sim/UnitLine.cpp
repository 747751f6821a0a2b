#include "sim/UnitLine.h"

#include "link/FrameCodec.h"

namespace sim {

std::vector<LineEvent> UnitLine::feed(const QByteArray& bytes)
{
    std::vector<LineEvent> events;
    for (char byte : bytes) {
        if (!m_assembler.feed(byte))
            continue;
        LineEvent event;
        event.frameText = m_assembler.frame();
        event.request = DecodeFrame(event.frameText);
        if (event.request)
            event.outcome = m_unit.answer(*event.request);
        else
            event.outcome.note = QStringLiteral("bad LRC, ignored");
        events.push_back(std::move(event));
    }
    return events;
}

} // namespace sim
