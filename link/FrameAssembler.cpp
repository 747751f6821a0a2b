#include "link/FrameAssembler.h"

bool FrameAssembler::feed(char byte)
{
    if (m_complete)
        reset();
    if (byte == ':') {
        m_frame.clear();
        m_started = true;
    }
    if (!m_started)
        return false;
    if (m_frame.size() >= kFrameAreaSize) {
        // Runaway frame: nothing on the line is this long, so it is noise.
        reset();
        return false;
    }
    m_frame.append(byte);
    const qsizetype n = m_frame.size();
    m_complete = n >= 3 && byte == '\n' && m_frame.at(n - 2) == '\r';
    return m_complete;
}

void FrameAssembler::reset()
{
    m_frame.clear();
    m_started = false;
    m_complete = false;
}
