#pragma once

#include "app/ProgramWindows.h"
#include "app/Settings.h"
#include "support/PtyPair.h"
#include "support/ScriptedAnswers.h"

#include <QTemporaryDir>
#include <memory>

class TMainForm;

// Runs the real program in this process: its own working folder and settings file, a
// pseudo-terminal playing the unit, and scripted answers to every dialog.
class ProgramFixture
{
public:
    ProgramFixture();
    ~ProgramFixture();

    Settings& settings() { return m_settings; }
    PtyPair& unit() { return *m_unit; }
    ScriptedAnswers& answers() { return m_answers; }
    QString workingFolder() const { return m_folder.path(); }

    // Stores the pty as the port, the unit address, then creates the windows and waits until
    // the start-up check has opened the port.
    void startOnPty(const QString& unitAddress = QStringLiteral("225"));
    // The same on another line, for example the simulator's link.
    void startOnPort(const QString& port, const QString& unitAddress = QStringLiteral("225"));
    // Creates the windows with whatever the settings hold.
    void start();

    ProgramWindows& windows() { return *m_windows; }
    TMainForm& mainForm();

    // Writes one frame as the unit would: address, code, data, LRC.
    void sendFromUnit(quint8 address, quint8 code, const QByteArray& data = {});

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
    Settings m_settings;
    std::unique_ptr<PtyPair> m_unit;
    ScriptedAnswers m_answers;
    std::unique_ptr<ProgramWindows> m_windows;
};
