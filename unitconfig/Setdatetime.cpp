#include "unitconfig/Setdatetime.h"

TSetDateTimeForm::TSetDateTimeForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Настройка даты и времени"));
}
