#pragma once

#include <QDialog>

// Window "Константы блока обработки". Its controls arrive with the configuration work; until then it is an
// empty tool window so that the program creates its windows in their fixed order.
class TConstBOForm : public QDialog
{
    Q_OBJECT
public:
    explicit TConstBOForm(QWidget* parent = nullptr);
};
