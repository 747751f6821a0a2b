#pragma once

#include <QPointer>
#include <QWidget>

// Disables a window for as long as it lives. Locks on the same window nest: the window comes
// back only when the last lock is gone, so an inner dialog does not free a window that an
// outer dialog still holds.
class WindowLock
{
public:
    explicit WindowLock(QWidget* window);
    ~WindowLock();
    WindowLock(const WindowLock&) = delete;
    WindowLock& operator=(const WindowLock&) = delete;

    static int lockCount(const QWidget* window);

private:
    QPointer<QWidget> m_window;
    const QWidget* m_key = nullptr; // the count's key, valid even after the window is gone
};
