#pragma once

#include <QByteArray>
#include <QString>

namespace sim {

// Short English name of a function code, for the log.
QString codeName(quint8 code);

// One frame in readable form: address, code and name, the data bytes in hex and, where it
// helps, what they mean.
QString describeFrame(quint8 address, quint8 code, const QByteArray& data);

} // namespace sim
