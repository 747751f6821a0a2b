#pragma once

#include <QObject>
#include <QTimer>

// One of the three small line lights (TX, RX, LRC failure). Lighting it starts its one-shot
// timer unless that already runs, so a burst keeps the light on only until the first period
// ends.
class LineIndicator : public QObject
{
    Q_OBJECT
public:
    LineIndicator(int periodMs, QObject* parent = nullptr);

    void light();
    bool isLit() const { return m_lit; }
    const QTimer& timer() const { return m_timer; }

signals:
    void litChanged(bool lit);

private:
    QTimer m_timer;
    bool m_lit = false;
};
