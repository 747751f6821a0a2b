#include "link/LineIndicator.h"

LineIndicator::LineIndicator(int periodMs, QObject* parent) : QObject(parent)
{
    m_timer.setInterval(periodMs);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_lit = false;
        emit litChanged(false);
    });
}

void LineIndicator::light()
{
    if (!m_lit) {
        m_lit = true;
        emit litChanged(true);
    }
    if (!m_timer.isActive())
        m_timer.start();
}
