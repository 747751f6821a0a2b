#pragma once

#include <QDialog>

// Window "Значение". Its controls arrive with the configuration work; until then it is an empty
// tool window so that the program creates its windows in their fixed order.
class TFormSetRegimeBO : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSetRegimeBO(QWidget* parent = nullptr);
};
