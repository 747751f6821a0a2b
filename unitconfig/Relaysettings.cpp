#include "unitconfig/Relaysettings.h"

TRelaySettingsForm::TRelaySettingsForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Настройка РЕЛЕ"));
}
