#pragma once

#include <QColor>
#include <QWidget>

// The background of every window of the program.
inline const QColor kSkyBlue(166, 202, 240);

inline void paintSkyBlue(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kSkyBlue);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}
