#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace sim {

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal, so the program can leave its event loop
// and clean up (remove its link) instead of dying on the spot.
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    bool isValid() const { return m_notifier != nullptr; }

signals:
    void stopRequested(int signalNumber);

private:
    void onReadable();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace sim
