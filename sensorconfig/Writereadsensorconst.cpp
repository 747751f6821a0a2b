#include "sensorconfig/Writereadsensorconst.h"

TSensorConstForm::TSensorConstForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Константы датчиков"));
}
