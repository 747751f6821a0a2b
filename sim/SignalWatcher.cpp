#include "sim/SignalWatcher.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sim {

namespace {
// A handler may only write to a pipe; the event loop reads the other end.
int g_pipe[2] = {-1, -1};
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}
} // namespace

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kStopSignals)
        ::sigaction(number, &action, nullptr);
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalWatcher::onReadable);
}

SignalWatcher::~SignalWatcher()
{
    if (!m_notifier)
        return;
    m_notifier.reset();
    for (int number : kStopSignals)
        ::signal(number, SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SignalWatcher::onReadable()
{
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        emit stopRequested(byte);
}

} // namespace sim
