#pragma once

#include <QDialog>

// Window "Настройка РЕЛЕ". Its controls arrive with the configuration work; until then it is an empty
// tool window so that the program creates its windows in their fixed order.
class TRelaySettingsForm : public QDialog
{
    Q_OBJECT
public:
    explicit TRelaySettingsForm(QWidget* parent = nullptr);
};
