// Cost of one measurement record through the whole path: frame text into the receive path,
// assembly, LRC, dispatch, decoding, system table, channel table, panel state, archive append.
#include "BenchSupport.h"

#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"
#include "link/LineLink.h"
#include "monitor/MeasurementMonitor.h"
#include "monitor/MeasurementViews.h"
#include "sensorconfig/SensorAddressTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {
constexpr int kRecords = 20000;

QByteArray recordText(int n)
{
    QByteArray d(kRecordWithReadingsBytes, '\0');
    d[0] = char(n % 8 + 1);
    d[2] = char(n % 8);
    d[4] = char(n % 5);
    d[19] = char((n % 1000) >> 8);
    d[20] = char(n % 1000);
    d[27] = char(0x91);
    d[28] = 0x01;
    d[29] = 0x5E;
    d[30] = char(0xFF);
    d[37] = 0x04;
    d[38] = char(0xD2);
    d[44] = char(n % 200);
    return encodeFrame(1, FunctionCode::kMeasurementRecord, d);
}

double run(bool withViews)
{
    QTemporaryDir work;
    LineLink link;
    SensorAddressTable sensors;
    MeasurementMonitor monitor(link, sensors, work.path());
    monitor.registerHandlers(link.dispatcher());
    monitor.setNoDataTimeoutSeconds(60);
    std::unique_ptr<MeasurementViews> views;
    if (withViews) {
        views = std::make_unique<MeasurementViews>(monitor);
        views->FormResize(MeasurementLayout::kStartWindowSize);
    }
    QList<QByteArray> frames;
    for (int n = 0; n < kRecords; ++n)
        frames.append(recordText(n));

    QElapsedTimer clock;
    clock.start();
    for (const QByteArray& frame : frames) {
        link.receive().appendReceived(frame);
        link.receive().drain();
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    int rows = 0;
    for (int k = 0; k < kChannelCount; ++k)
        rows += monitor.channelTable(k).rowCount();
    if (rows != kRecords)
        std::printf("unexpected: %d rows for %d records\n", rows, kRecords);
    return kRecords / seconds;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    std::printf("%d records, each appended to its day's archive file\n", kRecords);
    std::printf("monitor only: %.0f records per second\n", run(false));
    std::printf("with the measurement views attached (hidden): %.0f records per second\n", run(true));
    std::printf("peak resident memory: %.0f MiB\n", peakResidentMiB());
    return 0;
}
