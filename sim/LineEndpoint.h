#pragma once

#include <QObject>

namespace sim {

// The unit's end of the serial line, whatever carries it.
class LineEndpoint : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void write(const QByteArray& bytes) = 0;
    // What the user connects the PC program to.
    virtual QString description() const = 0;
    // Called once per round of records: output that nobody has read for a whole round is
    // thrown away, so a program that opens the line later does not start with old records.
    virtual void discardUnreadOutput() {}

signals:
    void received(const QByteArray& bytes);
    // The line is gone for good (adapter unplugged); the text says why.
    void failed(const QString& reason);
    // Something the user should know, such as output being thrown away.
    void notice(const QString& text);
};

} // namespace sim
