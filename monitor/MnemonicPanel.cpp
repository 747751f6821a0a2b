#include "monitor/MnemonicPanel.h"

#include "dialogs/SkyBlue.h"

#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace {
const QColor kConnectedColour(0, 128, 0);
const QColor kNotConnectedColour(255, 0, 6);
constexpr QSize kPanelStartSize{200, 270};
constexpr int kPanelFontPt = 8;

QColor windowTextColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}
} // namespace

// --- GradientLabel ---------------------------------------------------------------------------

GradientLabel::GradientLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
}

void GradientLabel::setTextColour(const QColor& colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void GradientLabel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().topRight());
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, kSkyBlue);
        painter.fillRect(rect(), gradient);
    }
    QLabel::paintEvent(event);
}

// --- LevelBar --------------------------------------------------------------------------------

std::vector<LevelBar::Band> LevelBar::filledBands(int position)
{
    static const Band kBands[] = {
        {0, kLevelBarLowBandPercent, QColor(0, 255, 0), QColor(225, 255, 225)},
        {kLevelBarLowBandPercent, kLevelBarHighBandPercent, QColor(0, 0, 255), QColor(0, 255, 255)},
        {kLevelBarHighBandPercent, kMaximum, QColor(255, 0, 0), QColor(255, 202, 202)},
    };
    std::vector<Band> filled;
    for (const Band& band : kBands) {
        if (position <= band.fromPercent)
            break;
        Band part = band;
        part.toPercent = std::min(position, band.toPercent);
        filled.push_back(part);
    }
    return filled;
}

LevelBar::LevelBar(QWidget* parent) : QWidget(parent) {}

void LevelBar::setPosition(int position)
{
    position = std::clamp(position, 0, kMaximum);
    if (position == m_position)
        return;
    m_position = position;
    update();
}

void LevelBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const auto yAt = [&](int percent) {
        return inner.bottom() + 1 - int(std::lround(double(inner.height()) * percent / kMaximum));
    };
    for (const Band& band : filledBands(m_position)) {
        const QRect area(QPoint(inner.left(), yAt(band.toPercent)),
                         QPoint(inner.right(), yAt(band.fromPercent) - 1));
        QLinearGradient gradient(area.topLeft(), area.topRight());
        gradient.setColorAt(0, band.first);
        gradient.setColorAt(1, band.second);
        painter.fillRect(area, gradient);
    }
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame);
}

// --- MnemonicPanel ---------------------------------------------------------------------------

MnemonicPanel::MnemonicPanel(int channelNumber, QWidget* parent)
    : QGroupBox(QStringLiteral("Канал №") + QString::number(channelNumber), parent)
{
    setObjectName(QStringLiteral("GroupBox%1").arg(channelNumber));
    QFont panelFont = font();
    panelFont.setPointSize(kPanelFontPt);
    panelFont.setBold(true);
    setFont(panelFont);
    resize(kPanelStartSize);

    const QString n = QString::number(channelNumber);
    addLabel(QStringLiteral("ВЛАЖНОСТЬ"), {8, 22, 81, 13}, Placed::LeftColumn);
    m_LabelPercent = addLabel(QStringLiteral("15%"), {8, 46, 81, 13}, Placed::LeftColumn);
    m_LabelPercent->setObjectName(QStringLiteral("LabelPercent") + n);

    m_ProgressBar = new LevelBar(this);
    m_ProgressBar->setObjectName(QStringLiteral("Channel") + n + QStringLiteral("ProgressBar"));
    m_ProgressBar->setGeometry(8, 72, 80, 190);
    m_placed.push_back({m_ProgressBar, m_ProgressBar->geometry(), Placed::AllEdges});

    addLabel(QStringLiteral("Температура"), {90, 74, 105, 13}, Placed::RightColumn);
    m_LabelVolume = addLabel(QStringLiteral("--- град.С"), {90, 95, 105, 13}, Placed::RightColumn);
    m_LabelVolume->setObjectName(QStringLiteral("LabelVolume") + n);
    addLabel(QStringLiteral("Состояние"), {93, 130, 101, 13}, Placed::RightColumn);
    m_lblDeviceCondition = addLabel(kNotConnectedPanelText, {91, 156, 101, 13}, Placed::RightColumn);
    m_lblDeviceCondition->setObjectName(QStringLiteral("lblDeviceCondition") + n);
    m_lblDeviceCondition->setTextColour(kNotConnectedColour);
    addLabel(QStringLiteral("Сигнализация"), {92, 186, 101, 13}, Placed::RightColumn);
    m_lblAlarmCh = addLabel(kNoAlarmSystemText, {91, 214, 102, 13}, Placed::RightColumn);
    m_lblAlarmCh->setObjectName(QStringLiteral("lblAlarmCh") + n);
}

GradientLabel* MnemonicPanel::addLabel(const QString& text, const QRect& startRect, Placed::Anchor anchor)
{
    auto* label = new GradientLabel(text, this);
    label->setGeometry(startRect);
    m_placed.push_back({label, startRect, anchor});
    return label;
}

void MnemonicPanel::showState(const MnemonicPanelState& state)
{
    m_lblAlarmCh->setText(state.alarmText);
    const QColor alarm = alarmQColor(state.alarmColour);
    m_lblAlarmCh->setTextColour(alarm.isValid() ? alarm : windowTextColour(this));
    m_lblDeviceCondition->setText(state.stateText);
    m_lblDeviceCondition->setTextColour(state.stateConnected ? kConnectedColour : kNotConnectedColour);
    m_LabelVolume->setText(state.temperatureText);
    m_LabelPercent->setText(state.humidityText);
    m_ProgressBar->setPosition(state.barPosition);
}

void MnemonicPanel::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    // The bar follows all four edges, the left labels stay at the top and take the width, the
    // right-hand labels keep their distance to the right edge and their relative height.
    const QSize grown = event->size() - kPanelStartSize;
    for (const Placed& placed : m_placed) {
        QRect rect = placed.startRect;
        switch (placed.anchor) {
        case Placed::AllEdges:
            rect.setSize((rect.size() + grown).expandedTo(QSize(0, 0)));
            break;
        case Placed::LeftColumn:
            rect.setWidth(std::max(0, rect.width() + grown.width()));
            break;
        case Placed::RightColumn: {
            const double centre = rect.center().y() + 0.5;
            const double scaled = centre * event->size().height() / kPanelStartSize.height();
            rect.moveTo(rect.x() + grown.width(), int(std::lround(scaled - rect.height() / 2.0)));
            break;
        }
        }
        placed.widget->setGeometry(rect);
    }
}
