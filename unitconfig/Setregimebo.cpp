#include "unitconfig/Setregimebo.h"

TFormSetRegimeBO::TFormSetRegimeBO(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Значение"));
}
