#pragma once

#include "dialogs/MessageKinds.h"
#include "link/LineLink.h"
#include "monitor/MeasurementMonitor.h"
#include "sensorconfig/SensorAddressTable.h"

#include <QDateTime>
#include <QList>

// The readings of a test record; by default humidity 66.6, T1 -10, T2 25, period 1234.
struct RecordFields
{
    quint8 channel = 0;
    quint8 address = 5;
    quint8 validity = 0;
    quint8 alarms = 0;
    quint16 humidityTenths = 666;
    quint8 t1Low = 0x5E, t1High = 0xFF; // -10
    quint8 t2Low = 0x91, t2High = 0x01; // 25
    quint16 cs1Tenths = 0;
    quint16 cs2Tenths = 0;
};

// The data bytes of a record with readings, and the record as an intact frame from unit 1.
QByteArray recordData(const RecordFields& fields);
ResponseFrame record(const RecordFields& fields);
// A record saying the sensor gives no signal.
ResponseFrame noSignal(quint8 channel, quint8 address);

// A measurement monitor with no windows: the PC clock fixed by the test and every message
// recorded (and acknowledged).
struct MonitorHarness
{
    struct Message
    {
        QString text;
        QString caption;
        int kind;
    };

    MonitorHarness(const QString& workingFolder, const QDateTime& now);
    // The rest of the main window's start: start state, today's archive, flags, time-out 60 s.
    void startLikeTheMainWindow();
    void receive(const ResponseFrame& frame) { link.dispatcher().dispatch(frame); }

    QDateTime clock;
    LineLink link;
    SensorAddressTable sensors;
    MeasurementMonitor monitor;
    QList<Message> messages;
};
