#pragma once

#include <QByteArray>

// Collects received characters into one frame, from ':' to the LF that directly follows a
// CR. Every byte outside a frame is dropped; a ':' inside a frame restarts it.
class FrameAssembler
{
public:
    // The longest frame kept, colon and CR LF included. A longer one is discarded and the
    // assembler waits for the next ':'.
    static constexpr int kFrameAreaSize = 130000;

    // Takes one byte. Returns true when it completed a frame, which frame() then holds until
    // the next call.
    bool feed(char byte);
    const QByteArray& frame() const { return m_frame; }

    void reset();
    bool started() const { return m_started; }
    int count() const { return int(m_frame.size()); }

private:
    QByteArray m_frame;
    bool m_started = false;
    bool m_complete = false;
};
