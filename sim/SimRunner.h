#pragma once

#include "sim/FaultInjector.h"
#include "sim/LineEndpoint.h"
#include "sim/SimulatedUnit.h"
#include "sim/UnitLine.h"

#include <QTimer>
#include <deque>
#include <functional>

namespace sim {

// Runs a simulated unit on a line: answers what arrives, sends its records every period,
// and passes everything it sends through the fault injector.
class SimRunner : public QObject
{
    Q_OBJECT
public:
    using Log = std::function<void(const QString&)>;

    SimRunner(SimulatedUnit& unit, LineEndpoint& line, FaultInjector& faults, int periodMs,
              QObject* parent = nullptr);

    // `exchanges` gets every frame in and out (verbose mode); `notices` gets the few things
    // a user should always see.
    void setLogs(Log exchanges, Log notices);
    void start();

private:
    void onReceived(const QByteArray& bytes);
    void sendRound();
    void send(const Reply& reply);
    void writeDue();
    void logExchange(const QString& text) const;

    SimulatedUnit& m_unit;
    LineEndpoint& m_line;
    FaultInjector& m_faults;
    UnitLine m_unitLine{m_unit};
    QTimer m_roundTimer;
    QTimer m_pieceTimer;
    std::deque<Piece> m_queue;
    Log m_exchanges;
    Log m_notices;
};

} // namespace sim
