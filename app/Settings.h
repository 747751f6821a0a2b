#pragma once

#include <QString>

// The three per-user settings, kept as strings. On Windows they live in the registry key
// HKEY_CURRENT_USER\ConfigVT2M; elsewhere in ConfigVT2M.conf under [General] in the user's
// configuration folder. A missing value reads as an empty string. Every access opens the
// store, reads or writes one value and closes it: nothing is cached.
class Settings
{
public:
    static constexpr const char* kMainTableClearTimeOut = "MainTableClearTimeOut";
    static constexpr const char* kCurrCOMM = "CurrCOMM";
    static constexpr const char* kAdrBO = "AdrBO";

    // The per-user store of this platform.
    Settings() = default;
    // An INI file at the given path, for tests and tools.
    explicit Settings(const QString& iniPath) : m_iniPath(iniPath) {}

    QString read(const char* name) const;
    void write(const char* name, const QString& value) const;

    QString mainTableClearTimeOut() const { return read(kMainTableClearTimeOut); }
    void setMainTableClearTimeOut(const QString& value) const { write(kMainTableClearTimeOut, value); }
    QString currCOMM() const { return read(kCurrCOMM); }
    void setCurrCOMM(const QString& value) const { write(kCurrCOMM, value); }
    QString adrBO() const { return read(kAdrBO); }
    void setAdrBO(const QString& value) const { write(kAdrBO, value); }

private:
    QString m_iniPath;
};
