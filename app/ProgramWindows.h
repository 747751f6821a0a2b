#pragma once

#include "app/Settings.h"

#include <memory>

class TMainForm;
class TSetDateTimeForm;
class TSensorConstForm;
class TConstBOForm;
class TSetAdrBOForm;
class TCOMMPortForm;
class TDataRSForm;
class TMessagesForm;
class TFormSetRegimeBO;
class TChangeAdrBOForm;
class TRelaySettingsForm;

// All eleven windows of the program, created once in their fixed order and kept until the
// program ends. The main window comes first; the tool windows stay hidden until shown.
class ProgramWindows
{
public:
    explicit ProgramWindows(const Settings& settings = Settings());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TMainForm& main() { return *m_main; }

    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TSetDateTimeForm> m_setDateTime;
    std::unique_ptr<TSensorConstForm> m_sensorConst;
    std::unique_ptr<TConstBOForm> m_constBO;
    std::unique_ptr<TSetAdrBOForm> m_setAdrBO;
    std::unique_ptr<TCOMMPortForm> m_commPort;
    std::unique_ptr<TDataRSForm> m_dataRS;
    std::unique_ptr<TMessagesForm> m_messages;
    std::unique_ptr<TFormSetRegimeBO> m_setRegimeBO;
    std::unique_ptr<TChangeAdrBOForm> m_changeAdrBO;
    std::unique_ptr<TRelaySettingsForm> m_relaySettings;
};
