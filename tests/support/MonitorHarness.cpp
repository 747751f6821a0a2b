#include "support/MonitorHarness.h"

#include "link/FunctionCodes.h"

QByteArray recordData(const RecordFields& f)
{
    QByteArray d(kRecordWithReadingsBytes, '\0');
    d[0] = char(f.address);
    d[2] = char(f.channel);
    d[3] = char(f.validity);
    d[4] = char(f.alarms);
    d[19] = char(f.humidityTenths >> 8);
    d[20] = char(f.humidityTenths & 0xFF);
    d[27] = char(f.t1Low);
    d[28] = char(f.t1High);
    d[29] = char(f.t2Low);
    d[30] = char(f.t2High);
    d[37] = 0x04; // period 1234
    d[38] = char(0xD2);
    d[43] = char(f.cs1Tenths >> 8);
    d[44] = char(f.cs1Tenths & 0xFF);
    d[45] = char(f.cs2Tenths >> 8);
    d[46] = char(f.cs2Tenths & 0xFF);
    return d;
}

ResponseFrame record(const RecordFields& fields)
{
    return ResponseFrame(1, FunctionCode::kMeasurementRecord, recordData(fields));
}

ResponseFrame noSignal(quint8 channel, quint8 address)
{
    QByteArray d(kNoSignalRecordBytes, '\0');
    d[0] = char(address);
    d[1] = 1;
    d[2] = char(channel);
    return ResponseFrame(1, FunctionCode::kMeasurementRecord, d);
}

MonitorHarness::MonitorHarness(const QString& workingFolder, const QDateTime& now)
    : clock(now), monitor(link, sensors, workingFolder)
{
    monitor.setClock([this] { return clock; });
    monitor.setMessagePresenter([this](const QString& text, const QString& caption, int kind) {
        messages.append({text, caption, kind});
        return int(kAnswerOk);
    });
    monitor.registerHandlers(link.dispatcher());
}

void MonitorHarness::startLikeTheMainWindow()
{
    monitor.prepareStartState();
    monitor.loadArchiveDay();
    monitor.clearDataSeenFlags();
    monitor.setNoDataTimeoutSeconds(60);
}
