#pragma once

#include "monitor/MnemonicPanelState.h"

#include <QColor>
#include <QGroupBox>
#include <QLabel>

#include <vector>

// A label on a horizontal gradient that fades to sky blue, as the panels' labels are drawn.
class GradientLabel : public QLabel
{
    Q_OBJECT
public:
    explicit GradientLabel(const QString& text, QWidget* parent = nullptr);
    void setTextColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The vertical humidity bar, 0 .. 100, filled from the bottom. The fill is drawn in three bands
// with the limits at 15 and 80 per cent of the range, each band a gradient of its own.
class LevelBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaximum = 100;

    struct Band
    {
        int fromPercent = 0;
        int toPercent = 0; // exclusive; no band is empty
        QColor first;
        QColor second;
    };
    // The bands the fill of `position` covers, lowest first.
    static std::vector<Band> filledBands(int position);

    explicit LevelBar(QWidget* parent = nullptr);
    int position() const { return m_position; }
    void setPosition(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_position = 0;
};

// One channel's group box on the page "Мнемонически": humidity as a number and a bar, the
// temperature, the connection state and the alarm state. It only shows what it is given.
class MnemonicPanel : public QGroupBox
{
    Q_OBJECT
public:
    MnemonicPanel(int channelNumber, QWidget* parent = nullptr);

    void showState(const MnemonicPanelState& state);

    QLabel* humidityLabel() const { return m_LabelPercent; }
    QLabel* temperatureLabel() const { return m_LabelVolume; }
    QLabel* stateLabel() const { return m_lblDeviceCondition; }
    QLabel* alarmLabel() const { return m_lblAlarmCh; }
    LevelBar* levelBar() const { return m_ProgressBar; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed
    {
        QWidget* widget;
        QRect startRect;
        enum Anchor
        {
            LeftColumn,
            RightColumn,
            AllEdges
        } anchor;
    };
    GradientLabel* addLabel(const QString& text, const QRect& startRect, Placed::Anchor anchor);

    std::vector<Placed> m_placed;
    GradientLabel* m_LabelPercent = nullptr;
    GradientLabel* m_LabelVolume = nullptr;
    GradientLabel* m_lblDeviceCondition = nullptr;
    GradientLabel* m_lblAlarmCh = nullptr;
    LevelBar* m_ProgressBar = nullptr;
};
