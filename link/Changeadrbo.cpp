#include "link/Changeadrbo.h"

#include "dialogs/Messageform.h"
#include "link/FunctionCodes.h"
#include "link/IntegerText.h"
#include "link/LineLink.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TChangeAdrBOForm::TChangeAdrBOForm(LineLink& link, std::function<QString()> currentAddressText,
                                   QWidget* anchor)
    : ToolDialog(anchor), m_link(link), m_currentAddressText(std::move(currentAddressText))
{
    setWindowTitle(QStringLiteral("Смена адреса БО"));
    txtNewAdr = new QLineEdit(this);
    btnWriteBOAdr = new QPushButton(QStringLiteral("Записать"), this);
    btnCancel = new QPushButton(QStringLiteral("Отмена"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Новый адрес БО"), this), 0, 0, 1, 2);
    grid->addWidget(txtNewAdr, 1, 0, 1, 2);
    grid->addWidget(btnWriteBOAdr, 2, 0);
    grid->addWidget(btnCancel, 2, 1);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnWriteBOAdr, &QPushButton::clicked, this, &TChangeAdrBOForm::btnWriteBOAdrClick);
    connect(btnCancel, &QPushButton::clicked, this, &TChangeAdrBOForm::btnCancelClick);
}

void TChangeAdrBOForm::btnWriteBOAdrClick()
{
    const QString current = m_currentAddressText ? m_currentAddressText() : QString();
    if (!parseInteger(current)) {
        ShowErrorBox(notAnIntegerMessage(current));
        return;
    }
    const std::optional<int> newAddress = parseInteger(txtNewAdr->text());
    if (!newAddress) {
        ShowErrorBox(notAnIntegerMessage(txtNewAdr->text()));
        return;
    }
    m_link.sendRequest(FunctionCode::kChangeUnitAddress, QByteArray(1, char(*newAddress & 0xFF)));
    close();
}

void TChangeAdrBOForm::btnCancelClick()
{
    close();
}
