#pragma once

#include "monitor/MeasurementTexts.h"

#include <QString>

// What one channel's panel on the page "Мнемонически" shows: it holds only what was last
// written.
struct MnemonicPanelState
{
    QString humidityText = QStringLiteral("15%");
    int barPosition = 0; // 0 .. 100
    QString temperatureText = QStringLiteral("--- град.С");
    QString stateText = QStringLiteral("Не подключен");
    bool stateConnected = false; // green when connected, red otherwise
    QString alarmText = kNoAlarmSystemText;
    AlarmColour alarmColour = AlarmColour::Normal;
};

inline const QString kNotConnectedPanelText = QStringLiteral("Не подключен");

// "Подключен (" + sensor address + ")": the state a record with readings gives its panel.
QString connectedStateText(int sensorAddress);

// Writes a panel. The state text shows green only when it is `connectedText`, the state that a
// record from the sensor just received gives; an alarm text the panel does not know keeps the
// colour it had.
void applyMnemonicUpdate(MnemonicPanelState& panel, float humidity, float temperature, bool temperatureValid,
                         const QString& alarmText, const QString& stateText, const QString& connectedText);

// The state every panel takes at start and after its channel's time-out.
void applyNotConnected(MnemonicPanelState& panel);

// Level bar colour green to pale green below this share of the range, blue to aqua up to the
// next, red to pale red above.
constexpr int kLevelBarLowBandPercent = 15;
constexpr int kLevelBarHighBandPercent = 80;
