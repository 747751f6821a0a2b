#include "link/Commportset.h"

#include "dialogs/Messageform.h"
#include "link/IntegerText.h"
#include "link/PortNames.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TCOMMPortForm::TCOMMPortForm(Actions actions, int currentTimeoutSeconds, QWidget* anchor)
    : ToolDialog(anchor), m_actions(std::move(actions))
{
    setWindowTitle(QStringLiteral("Терминал"));

    COMMText = new QComboBox(this);
    COMMText->setEditable(true);
    COMMText->addItems(standardPortNames());
    COMMText->setCurrentText(QStringLiteral("COM3"));
    TimeOutMesData = new QLineEdit(QString::number(currentTimeoutSeconds), this);
    BtnOk = new QPushButton(QStringLiteral("ОК"), this);
    BtnCancel = new QPushButton(QStringLiteral("Отмена"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Выберите СОМ порт"), this), 0, 0, 1, 2);
    grid->addWidget(COMMText, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Таймаут ожидания данных по каналам"), this), 2, 0, 1, 2);
    grid->addWidget(TimeOutMesData, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("сек"), this), 3, 1);
    grid->addWidget(BtnOk, 4, 0);
    grid->addWidget(BtnCancel, 4, 1);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(BtnOk, &QPushButton::clicked, this, &TCOMMPortForm::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TCOMMPortForm::BtnCancelClick);
}

void TCOMMPortForm::offerPresentPorts()
{
    // Ports plugged in since the last showing join the list; the user's text stays.
    const QString typed = COMMText->currentText();
    const QStringList present = availablePortNames();
    for (const QString& name : present) {
        if (COMMText->findText(name) < 0)
            COMMText->addItem(name);
    }
    COMMText->setCurrentText(typed);
}

void TCOMMPortForm::BtnOkClick()
{
    if (m_actions.openCommPort)
        m_actions.openCommPort(COMMText->currentText());
    const std::optional<int> seconds = parseInteger(TimeOutMesData->text());
    if (!seconds) {
        ShowErrorBox(notAnIntegerMessage(TimeOutMesData->text()));
        return;
    }
    if (m_actions.setDataTimeout)
        m_actions.setDataTimeout(*seconds);
    close();
}

void TCOMMPortForm::BtnCancelClick()
{
    close();
}
