#include "link/PortNames.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

QStringList standardPortNames()
{
    QStringList names;
    for (int n = 1; n <= 15; ++n)
        names << QStringLiteral("COM%1").arg(n);
    return names;
}

QString portDevicePath(const QString& name)
{
#ifdef Q_OS_WIN
    return name;
#else
    static const QRegularExpression comName(QStringLiteral("^COM([1-9][0-9]{0,2})$"));
    const QRegularExpressionMatch match = comName.match(name);
    if (match.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    return name;
#endif
}

QStringList availablePortNames()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
#ifdef Q_OS_WIN
        names << info.portName();
#else
        names << info.systemLocation();
#endif
    }
    return names;
}
