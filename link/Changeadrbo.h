#pragma once

#include "dialogs/ToolDialog.h"
#include <functional>

class LineLink;
class QLineEdit;
class QPushButton;

// Window "Смена адреса БО": tells the unit to answer under a new address (code 82).
class TChangeAdrBOForm : public ToolDialog
{
    Q_OBJECT
public:
    TChangeAdrBOForm(LineLink& link, std::function<QString()> currentAddressText, QWidget* anchor = nullptr);

    void btnWriteBOAdrClick();
    void btnCancelClick();

    QLineEdit* txtNewAdr = nullptr;
    QPushButton* btnWriteBOAdr = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    LineLink& m_link;
    std::function<QString()> m_currentAddressText;
};
