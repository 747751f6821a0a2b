#pragma once

#include <QDialog>

// Window "Настройка даты и времени". Its controls arrive with the configuration work; until then it is an
// empty tool window so that the program creates its windows in their fixed order.
class TSetDateTimeForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSetDateTimeForm(QWidget* parent = nullptr);
};
