#include "support/SimProcess.h"

#include <QElapsedTimer>
#include <QTest>

#include <signal.h>

QString SimProcess::binary()
{
    return qEnvironmentVariable("VT2M_BINARY_DIR") + QStringLiteral("/sim/vt2m-sim");
}

SimProcess::SimProcess(const QStringList& extraArguments)
    : m_linkPath(m_folder.filePath(QStringLiteral("bo-unit")))
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&m_process, &QProcess::readyRead,
                     [this] { m_log += QString::fromUtf8(m_process.readAll()); });
    m_process.start(binary(), QStringList{QStringLiteral("--link"), m_linkPath} + extraArguments);
    if (!m_process.waitForStarted(5000))
        return;
    QElapsedTimer clock;
    clock.start();
    while (!m_log.contains(QStringLiteral("ready")) && clock.elapsed() < 10000 &&
           m_process.state() == QProcess::Running)
        QTest::qWait(10);
    m_ready = m_log.contains(QStringLiteral("ready"));
}

SimProcess::~SimProcess()
{
    if (m_process.state() == QProcess::Running) {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }
    m_process.waitForFinished(1000);
}
