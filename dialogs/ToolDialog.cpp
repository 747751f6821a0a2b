#include "dialogs/ToolDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

ToolDialog::ToolDialog(QWidget* anchor, Qt::WindowFlags flags)
    : QDialog(nullptr, flags | Qt::WindowStaysOnTopHint), m_anchor(anchor)
{
}

void ToolDialog::centreOverAnchor()
{
    QRect area;
    if (m_anchor && m_anchor->isVisible())
        area = m_anchor->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void ToolDialog::showEvent(QShowEvent* event)
{
    // A window restored from the task bar keeps its place.
    if (!event->spontaneous())
        centreOverAnchor();
    QDialog::showEvent(event);
}
