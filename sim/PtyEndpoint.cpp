#include "sim/PtyEndpoint.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {
// After EIO (no slave open) the master would report readable again at once; wait instead.
constexpr int kReadRetryMs = 200;
constexpr size_t kReadChunkBytes = 4096;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

PtyEndpoint::PtyEndpoint(QObject* parent) : LineEndpoint(parent)
{
    m_readRetry.setSingleShot(true);
    m_readRetry.setInterval(kReadRetryMs);
    connect(&m_readRetry, &QTimer::timeout, this, [this] {
        if (m_readNotifier)
            m_readNotifier->setEnabled(true);
    });
}

PtyEndpoint::~PtyEndpoint()
{
    close();
}

bool PtyEndpoint::open(const QString& linkPath, QString* errorText)
{
    close();
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        if (errorText)
            *errorText = QStringLiteral("cannot create a pseudo-terminal: ") + systemError();
        m_master = m_slave = -1;
        return false;
    }
    // Raw before anyone opens the slave: no echo of requests back to the PC and no CR/LF
    // translation of the frames.
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    // The slave stays open here as well, so the PC program closing its end is no hang-up.
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);

    if (!linkPath.isEmpty() && !makeLink(linkPath, errorText)) {
        close();
        return false;
    }

    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &PtyEndpoint::readAvailable);
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &PtyEndpoint::flushPending);
    return true;
}

bool PtyEndpoint::makeLink(const QString& linkPath, QString* errorText)
{
    const QFileInfo existing(linkPath);
    if (existing.exists() && !existing.isSymLink()) {
        if (errorText)
            *errorText =
                QStringLiteral("%1 exists and is not a symbolic link; not replacing it").arg(linkPath);
        return false;
    }
    // Made under a temporary name and renamed over the old link, so the path never points
    // at nothing while a program is looking for it.
    const QByteArray target = QFile::encodeName(m_slavePath);
    const QByteArray path = QFile::encodeName(linkPath);
    const QByteArray temporary = path + ".tmp" + QByteArray::number(::getpid());
    ::unlink(temporary.constData());
    if (::symlink(target.constData(), temporary.constData()) != 0 ||
        ::rename(temporary.constData(), path.constData()) != 0) {
        if (errorText)
            *errorText = QStringLiteral("cannot create the link %1: %2").arg(linkPath, systemError());
        ::unlink(temporary.constData());
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

void PtyEndpoint::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    // Only our own link: another simulator may have taken the path over meanwhile.
    const QByteArray path = QFile::encodeName(m_linkPath);
    char target[256] = {};
    const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
    if (n > 0 && QFile::decodeName(QByteArray(target, int(n))) == m_slavePath)
        ::unlink(path.constData());
    m_linkPath.clear();
}

void PtyEndpoint::close()
{
    removeLink();
    m_readRetry.stop();
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    m_pending.clear();
    m_slavePath.clear();
}

QString PtyEndpoint::description() const
{
    if (m_linkPath.isEmpty())
        return m_slavePath;
    return QStringLiteral("%1 -> %2").arg(m_linkPath, m_slavePath);
}

void PtyEndpoint::readAvailable()
{
    char buffer[kReadChunkBytes];
    QByteArray bytes;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO && m_readNotifier) {
            // Every slave descriptor closed: nothing to read until one is opened again.
            m_readNotifier->setEnabled(false);
            m_readRetry.start();
        }
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PtyEndpoint::write(const QByteArray& bytes)
{
    if (m_master < 0)
        return;
    m_pending.append(bytes);
    flushPending();
}

void PtyEndpoint::flushPending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, n);
            m_writtenSinceCheck += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full (nobody reads) or hung up: try again when the master takes more
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

void PtyEndpoint::discardUnreadOutput()
{
    if (m_slave < 0)
        return;
    int unread = 0;
    if (::ioctl(m_slave, FIONREAD, &unread) != 0)
        unread = 0;
    // More unread than was written during this round: some of it is a round old, so no
    // program is reading the line.
    if (unread > m_writtenSinceCheck) {
        ::tcflush(m_slave, TCIFLUSH);
        m_pending.clear();
        if (m_writeNotifier)
            m_writeNotifier->setEnabled(false);
        if (!m_discarding)
            emit notice(QStringLiteral("nobody reads %1: unread output is thrown away").arg(description()));
        m_discarding = true;
    } else if (m_discarding && unread < m_writtenSinceCheck) {
        emit notice(QStringLiteral("%1 is being read again").arg(description()));
        m_discarding = false;
    }
    m_writtenSinceCheck = 0;
}

} // namespace sim
