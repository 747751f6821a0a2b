#pragma once

#include "dialogs/ToolDialog.h"
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

// Dialog "Терминал": the port to use and the channels' no-data time-out.
class TCOMMPortForm : public ToolDialog
{
    Q_OBJECT
public:
    struct Actions
    {
        std::function<void(const QString&)> openCommPort;
        std::function<void(int)> setDataTimeout;
    };

    TCOMMPortForm(Actions actions, int currentTimeoutSeconds, QWidget* anchor = nullptr);

    void BtnOkClick();
    void BtnCancelClick();

    QComboBox* COMMText = nullptr;
    QLineEdit* TimeOutMesData = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void offerPresentPorts();

    Actions m_actions;
};
