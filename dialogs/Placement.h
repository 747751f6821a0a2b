#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Tool windows are top-level windows of their own (a child window would be disabled along with
// the main window whenever a message dialog holds it), so they centre themselves on it.
inline void centreOver(QWidget* window, const QWidget* anchor)
{
    QRect area;
    if (anchor && anchor->isVisible())
        area = anchor->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}
