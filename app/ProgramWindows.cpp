#include "app/ProgramWindows.h"

#include "app/Maindebugmega.h"
#include "dialogs/Messageform.h"
#include "dialogs/Rsmonitor.h"
#include "link/Adrbo.h"
#include "link/Changeadrbo.h"
#include "link/Commportset.h"
#include "sensorconfig/Writereadsensorconst.h"
#include "unitconfig/Constbo.h"
#include "unitconfig/Relaysettings.h"
#include "unitconfig/Setdatetime.h"
#include "unitconfig/Setregimebo.h"

ProgramWindows::ProgramWindows(const Settings& settings)
{
    m_main = std::make_unique<TMainForm>(settings);
    TMainForm* mainForm = m_main.get();
    m_setDateTime = std::make_unique<TSetDateTimeForm>();
    m_sensorConst = std::make_unique<TSensorConstForm>();
    m_constBO = std::make_unique<TConstBOForm>();
    m_setAdrBO = std::make_unique<TSetAdrBOForm>(
        mainForm->currentUnitAddress(), [mainForm](const QString& text) { mainForm->setUnitAddress(text); },
        mainForm);
    // Created after the main window has applied the stored time-out, so it shows that one.
    m_commPort = std::make_unique<TCOMMPortForm>(
        TCOMMPortForm::Actions{[mainForm](const QString& name) { mainForm->OpenCommPort(name); },
                               [mainForm](int seconds) { mainForm->SetDataTimeout(seconds); }},
        mainForm->noDataTimeoutMs() / 1000, mainForm);
    m_dataRS = std::make_unique<TDataRSForm>(mainForm->link(), mainForm);
    m_messages = std::make_unique<TMessagesForm>();
    m_setRegimeBO = std::make_unique<TFormSetRegimeBO>();
    m_changeAdrBO = std::make_unique<TChangeAdrBOForm>(
        mainForm->link(), [mainForm] { return mainForm->currentUnitAddress(); }, mainForm);
    m_relaySettings = std::make_unique<TRelaySettingsForm>();

    m_main->attachToolWindows(
        TMainForm::ToolWindows{m_setDateTime.get(), m_sensorConst.get(), m_constBO.get(), m_setAdrBO.get(),
                               m_commPort.get(), m_dataRS.get(), m_changeAdrBO.get(), m_relaySettings.get()});
}

ProgramWindows::~ProgramWindows()
{
    // Tool windows go before the main window whose line they use.
    m_relaySettings.reset();
    m_changeAdrBO.reset();
    m_setRegimeBO.reset();
    m_messages.reset();
    m_dataRS.reset();
    m_commPort.reset();
    m_setAdrBO.reset();
    m_constBO.reset();
    m_sensorConst.reset();
    m_setDateTime.reset();
    m_main.reset();
}
