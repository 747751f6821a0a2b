#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

// Dialog "Адрес БО": the unit address the PC puts into every request.
class TSetAdrBOForm : public QDialog
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_anchor = nullptr;
    std::function<void(const QString&)> m_setAddress;
};
