#pragma once

#include "dialogs/ToolDialog.h"
#include <functional>

class QLineEdit;
class QPushButton;

// Dialog "Адрес БО": the unit address the PC puts into every request.
class TSetAdrBOForm : public ToolDialog
{
    Q_OBJECT
public:
    TSetAdrBOForm(const QString& currentAddressText, std::function<void(const QString&)> setAddress,
                  QWidget* anchor = nullptr);

    void BtnOKClick();
    void BtnCancelClick();

    QLineEdit* AdrBOText = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    std::function<void(const QString&)> m_setAddress;
};
