#include "unitconfig/Constbo.h"

TConstBOForm::TConstBOForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Константы блока обработки"));
}
