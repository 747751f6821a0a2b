// Loading a full day's archive: 100,000 rows in each of the eight channel files, read into the
// channel tables at start, against simply reading and splitting the same files. Also the memory
// a table row takes and the cost of scrolling a loaded table.
#include "BenchSupport.h"

#include "link/LineLink.h"
#include "monitor/MeasurementMonitor.h"
#include "monitor/MeasurementViews.h"
#include "sensorconfig/SensorAddressTable.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int kRowsPerChannel = 100000;
constexpr int kScrollSteps = 200;
const QDateTime kDay(QDate(2010, 3, 5), QTime(23, 59, 0));

// The plain work every loader has to do at least: read each file and cut it into fields.
qint64 readAndSplit(const MeasurementArchive& archive)
{
    qint64 fields = 0;
    for (int k = 0; k < kChannelCount; ++k) {
        QFile file(archive.filePath(kDay.date(), k));
        file.open(QIODevice::ReadOnly);
        const QByteArray content = file.readAll();
        for (const QByteArray& line : content.split('\n'))
            fields += line.split('\t').size();
    }
    return fields;
}

// The floor: read each file and find its line and field separators, allocating nothing per field.
qint64 readAndCountSeparators(const MeasurementArchive& archive)
{
    qint64 separators = 0;
    for (int k = 0; k < kChannelCount; ++k) {
        QFile file(archive.filePath(kDay.date(), k));
        file.open(QIODevice::ReadOnly);
        const QByteArray content = file.readAll();
        for (const char *at = content.constData(), *end = at + content.size(); at < end; ++at)
            separators += (*at == '\t') + (*at == '\n');
    }
    return separators;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTemporaryDir work;
    const MeasurementArchive archive(work.path());
    writeArchiveDay(archive, kDay.date(), kRowsPerChannel);
    qint64 fileBytes = 0;
    for (int k = 0; k < kChannelCount; ++k)
        fileBytes += QFileInfo(archive.filePath(kDay.date(), k)).size();
    std::printf("archive: %d files x %d rows, %.1f MiB\n", kChannelCount, kRowsPerChannel,
                fileBytes / 1048576.0);

    QElapsedTimer clock;
    const double rssBefore = currentResidentMiB();
    LineLink link;
    SensorAddressTable sensors;
    MeasurementMonitor monitor(link, sensors, work.path());
    monitor.setClock([] { return kDay; });
    MeasurementViews views(monitor);
    views.FormResize(MeasurementLayout::kStartWindowSize);
    clock.start();
    monitor.loadArchiveDay();
    const double loadMs = clock.nsecsElapsed() / 1e6;
    std::printf("loadArchiveDay into the channel tables (views attached): %.0f ms\n", loadMs);

    qint64 rows = 0;
    qint64 storeBytes = 0;
    for (int k = 0; k < kChannelCount; ++k) {
        rows += monitor.channelTable(k).rowCount();
        storeBytes += monitor.channelTable(k).rows().memoryBytes();
    }
    std::printf("rows loaded: %lld; table storage %.1f MiB, %.1f bytes per row\n", rows,
                storeBytes / 1048576.0, double(storeBytes) / double(rows));
    std::printf("resident memory: %.0f MiB before the load, peak of the process %.0f MiB, now %.0f MiB\n",
                rssBefore, peakResidentMiB(), currentResidentMiB());

    // Baselines after the load, so that the peak above belongs to the load alone.
    clock.restart();
    const qint64 fields = readAndSplit(archive);
    const double splitMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    const qint64 separators = readAndCountSeparators(archive);
    const double floorMs = clock.nsecsElapsed() / 1e6;
    std::printf("baseline read + QByteArray::split into fields: %.0f ms (%lld fields); load = %.2f x\n",
                splitMs, fields, loadMs / splitMs);
    std::printf("floor read + count separators: %.0f ms (%lld separators); load = %.2f x\n", floorMs,
                separators, loadMs / floorMs);

    // Scrolling a loaded table: jump to random places and paint the viewport each time.
    views.resize(853, 594);
    views.pageControl()->setCurrentIndex(1);
    views.show();
    app.processEvents();
    QTableView* table = views.channelTable(0);
    QScrollBar* bar = table->verticalScrollBar();
    QRandomGenerator random(7);
    clock.restart();
    for (int step = 0; step < kScrollSteps; ++step) {
        bar->setValue(random.bounded(bar->maximum() + 1));
        table->viewport()->repaint();
    }
    std::printf("scrolling %d rows: %.2f ms per jump and repaint\n", table->model()->rowCount(),
                clock.nsecsElapsed() / 1e6 / kScrollSteps);
    return 0;
}
