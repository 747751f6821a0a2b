#pragma once

#include <QDateTime>
#include <functional>

namespace sim {

// The unit's own clock: it runs on from the last time the PC set it, and until then shows
// the host's local time. It knows nothing of daylight saving, as a unit on a panel would not.
class UnitClock
{
public:
    using TimeSource = std::function<QDateTime()>;

    explicit UnitClock(TimeSource hostNow = &QDateTime::currentDateTime);

    // The unit's wall-clock reading; only date() and time() carry meaning.
    QDateTime now() const;
    void set(const QDate& date, const QTime& time);

private:
    static QDateTime wallClock(const QDateTime& moment);

    TimeSource m_hostNow;
    QDateTime m_setTo; // invalid until the PC sets the clock
    QDateTime m_setAt;
};

} // namespace sim
