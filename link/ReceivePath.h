#pragma once

#include "link/FrameAssembler.h"
#include "link/ResponseDispatcher.h"

#include <QObject>
#include <QTimer>

// The receive side of the line: the byte queue, the frame assembler and the dispatch of
// intact frames by function code.
//
// The assembler drains the queue whenever bytes arrive. While a handler runs, the assembler
// is stopped, so a handler that waits in a dialog sees no further frame until it returns;
// bytes keep queueing meanwhile and are handled in order afterwards.
class ReceivePath : public QObject
{
    Q_OBJECT
public:
    explicit ReceivePath(QObject* parent = nullptr);

    ResponseDispatcher& dispatcher() { return m_dispatcher; }

    // The byte queue: the port reader appends, the assembler takes from the front.
    void appendReceived(const QByteArray& bytes);
    qsizetype queuedBytes() const { return m_queue.size() - m_head; }

    bool assemblerRunning() const { return m_assemblerRunning; }
    void setAssemblerRunning(bool running);

    // Back to "no frame started"; used at start-up.
    void resetAssembler() { m_assembler.reset(); }
    const FrameAssembler& assembler() const { return m_assembler; }

    // Runs the assembler over everything queued, as its timer tick would.
    void drain();

signals:
    // A frame from ':' to CR LF has been assembled; emitted before it is decoded.
    void frameCompleted(const QByteArray& frameText);
    void lrcFailed();
    // The frame passed its LRC; emitted before its handler runs.
    void frameAccepted(quint8 address, quint8 code);

private:
    void scheduleDrain();
    bool takeByte(char& byte);
    void processResponse(const QByteArray& frameText);

    ResponseDispatcher m_dispatcher;
    FrameAssembler m_assembler;
    QByteArray m_queue;
    qsizetype m_head = 0;
    bool m_assemblerRunning = true;
    QTimer m_drainTimer;
};
