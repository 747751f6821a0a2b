#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The unit simulator as a separate process on a pseudo-terminal, for tests that run the real
// program against it.
class SimProcess
{
public:
    // Starts vt2m-sim with --link in a temporary folder and waits until it says it is ready.
    explicit SimProcess(const QStringList& extraArguments = {});
    ~SimProcess();

    bool isReady() const { return m_ready; }
    QString linkPath() const { return m_linkPath; }
    QString log() const { return m_log; }
    static QString binary();

private:
    QTemporaryDir m_folder;
    QString m_linkPath;
    QProcess m_process;
    QString m_log;
    bool m_ready = false;
};
