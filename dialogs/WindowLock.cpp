#include "dialogs/WindowLock.h"

#include <QHash>

namespace {
QHash<const QWidget*, int>& lockCounts()
{
    static QHash<const QWidget*, int> counts;
    return counts;
}
} // namespace

WindowLock::WindowLock(QWidget* window) : m_window(window), m_key(window)
{
    if (!window)
        return;
    if (lockCounts()[window]++ == 0)
        window->setEnabled(false);
}

WindowLock::~WindowLock()
{
    if (!m_key)
        return;
    auto& counts = lockCounts();
    auto it = counts.find(m_key);
    if (it == counts.end())
        return;
    if (--it.value() == 0) {
        counts.erase(it);
        if (m_window)
            m_window->setEnabled(true);
    }
}

int WindowLock::lockCount(const QWidget* window)
{
    return lockCounts().value(window, 0);
}
