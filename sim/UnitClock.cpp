#include "sim/UnitClock.h"

namespace sim {

UnitClock::UnitClock(TimeSource hostNow) : m_hostNow(std::move(hostNow)) {}

QDateTime UnitClock::wallClock(const QDateTime& moment)
{
    // Held as UTC so that adding elapsed time never jumps over a daylight-saving change.
    return QDateTime(moment.date(), moment.time(), Qt::UTC);
}

QDateTime UnitClock::now() const
{
    const QDateTime host = m_hostNow();
    if (!m_setAt.isValid())
        return wallClock(host);
    return m_setTo.addMSecs(m_setAt.msecsTo(host));
}

void UnitClock::set(const QDate& date, const QTime& time)
{
    m_setTo = QDateTime(date, time, Qt::UTC);
    m_setAt = m_hostNow();
}

} // namespace sim
