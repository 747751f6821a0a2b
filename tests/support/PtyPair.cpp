#include "support/PtyPair.h"

#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    // Raw from the start: no echo and no CR/LF translation before the program opens its end.
    termios tio{};
    tcgetattr(m_slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slave, TCSANOW, &tio);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_slavePath = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair()
{
    closeMaster();
    closeSlave();
}

void PtyPair::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    QElapsedTimer clock;
    clock.start();
    while (m_master >= 0 && done < bytes.size() && clock.elapsed() < 5000) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else
            QTest::qWait(1);
    }
}

QByteArray PtyPair::read(int timeoutMs)
{
    QByteArray out = m_pending;
    m_pending.clear();
    QElapsedTimer clock;
    clock.start();
    char buffer[4096];
    do {
        QTest::qWait(5);
        ssize_t n;
        while (m_master >= 0 && (n = ::read(m_master, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
    } while (out.isEmpty() && clock.elapsed() < timeoutMs);
    return out;
}

QByteArray PtyPair::readFrames(int count, int timeoutMs)
{
    QByteArray out = m_pending;
    m_pending.clear();
    QElapsedTimer clock;
    clock.start();
    char buffer[4096];
    while (out.count("\r\n") < count && clock.elapsed() < timeoutMs) {
        QTest::qWait(5);
        ssize_t n;
        while (m_master >= 0 && (n = ::read(m_master, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
    }
    return out;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void PtyPair::closeSlave()
{
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
}
