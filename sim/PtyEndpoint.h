#pragma once

#include "sim/LineEndpoint.h"

#include <QSocketNotifier>
#include <QTimer>
#include <memory>

namespace sim {

// A pseudo-terminal: the PC program opens its slave (directly or through a symbolic link),
// the unit reads and writes the master.
class PtyEndpoint : public LineEndpoint
{
    Q_OBJECT
public:
    explicit PtyEndpoint(QObject* parent = nullptr);
    ~PtyEndpoint() override;

    // Creates the pseudo-terminal and, if `linkPath` is not empty, the link to its slave.
    bool open(const QString& linkPath, QString* errorText = nullptr);
    void close();

    QString slavePath() const { return m_slavePath; }
    QString linkPath() const { return m_linkPath; }

    void write(const QByteArray& bytes) override;
    QString description() const override;
    void discardUnreadOutput() override;

private:
    bool makeLink(const QString& linkPath, QString* errorText);
    void removeLink();
    void readAvailable();
    void flushPending();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    QByteArray m_pending;           // written by the unit, not yet taken by the kernel
    qint64 m_writtenSinceCheck = 0; // bytes handed to the kernel since the last discard check
    bool m_discarding = false;
    QTimer m_readRetry;
};

} // namespace sim
