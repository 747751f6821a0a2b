#include "link/Adrbo.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSetAdrBOForm::TSetAdrBOForm(const QString& currentAddressText,
                             std::function<void(const QString&)> setAddress, QWidget* anchor)
    : ToolDialog(anchor), m_setAddress(std::move(setAddress))
{
    setWindowTitle(QStringLiteral("Адрес БО"));
    AdrBOText = new QLineEdit(currentAddressText, this);
    BtnOk = new QPushButton(QStringLiteral("ОК"), this);
    BtnCancel = new QPushButton(QStringLiteral("Отмена"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Введите  адрес БО"), this), 0, 0, 1, 2);
    grid->addWidget(AdrBOText, 1, 0, 1, 2);
    grid->addWidget(BtnOk, 2, 0);
    grid->addWidget(BtnCancel, 2, 1);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(BtnOk, &QPushButton::clicked, this, &TSetAdrBOForm::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TSetAdrBOForm::BtnCancelClick);
}

void TSetAdrBOForm::BtnOKClick()
{
    // Any text is taken; one that is no integer stops each later request with an error.
    if (m_setAddress)
        m_setAddress(AdrBOText->text());
    close();
}

void TSetAdrBOForm::BtnCancelClick()
{
    close();
}
