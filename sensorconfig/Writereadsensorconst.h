#pragma once

#include <QDialog>

// Window "Константы датчиков". Its controls arrive with the configuration work; until then it is an empty
// tool window so that the program creates its windows in their fixed order.
class TSensorConstForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSensorConstForm(QWidget* parent = nullptr);
};
