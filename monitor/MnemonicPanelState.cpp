#include "monitor/MnemonicPanelState.h"

#include <algorithm>
#include <cmath>

QString connectedStateText(int sensorAddress)
{
    return QStringLiteral("Подключен (") + QString::number(sensorAddress) + QLatin1Char(')');
}

void applyMnemonicUpdate(MnemonicPanelState& panel, float humidity, float temperature, bool temperatureValid,
                         const QString& alarmText, const QString& stateText, const QString& connectedText)
{
    panel.alarmText = alarmText;
    alarmColourForText(alarmText, panel.alarmColour);

    panel.stateText = stateText;
    panel.stateConnected = !connectedText.isEmpty() && stateText == connectedText;

    panel.temperatureText = temperatureValid ? formatPanelNumber(temperature) + QStringLiteral(" град.С")
                                             : QStringLiteral("--- град.С");
    panel.humidityText = formatPanelNumber(humidity) + QLatin1Char('%');

    // Truncated, then kept within the bar's 0 .. 100 (a NaN reads as empty).
    const float whole = std::trunc(humidity);
    panel.barPosition = whole >= 100.0f ? 100 : whole > 0.0f ? int(whole) : 0;
}

void applyNotConnected(MnemonicPanelState& panel)
{
    applyMnemonicUpdate(panel, 0, 0, false, kNoAlarmSystemText, kNotConnectedPanelText, QString());
}
