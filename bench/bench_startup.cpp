// Start-up with a full day's archive: the real program's windows built over a working folder
// holding today's 8 x 100,000 archive rows, until the main window is on screen with its tables
// filled. Meant to be timed as a whole process against the baseline of simply reading and
// splitting the same files:
//   bench_startup prepare DIR     write today's archive into DIR
//   bench_startup start DIR       start the program's windows in DIR, show them, exit
//   bench_startup split DIR       read and split today's files in DIR, exit
#include "BenchSupport.h"

#include "app/Maindebugmega.h"
#include "app/ProgramWindows.h"
#include "monitor/MeasurementMonitor.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {
constexpr int kRowsPerChannel = 100000;

int prepare(const QString& folder)
{
    const MeasurementArchive archive(folder);
    writeArchiveDay(archive, QDate::currentDate(), kRowsPerChannel);
    std::printf("wrote %d x %d rows below %s\n", kChannelCount, kRowsPerChannel, qPrintable(folder));
    return 0;
}

int start(const QString& folder, QElapsedTimer& sinceMain)
{
    QDir::setCurrent(folder);
    // Settings of its own, with no port, so the user's settings stay untouched.
    Settings settings(folder + QStringLiteral("/bench-settings.conf"));
    settings.setMainTableClearTimeOut(QStringLiteral("60"));
    ProgramWindows windows(settings);
    windows.main().show();
    QCoreApplication::processEvents();
    qint64 rows = 0;
    for (int k = 0; k < kChannelCount; ++k)
        rows += windows.main().monitor().channelTable(k).rowCount();
    std::printf("main window shown with %lld rows after %.0f ms in main(); peak resident %.0f MiB\n", rows,
                sinceMain.nsecsElapsed() / 1e6, peakResidentMiB());
    return rows == qint64(kChannelCount) * kRowsPerChannel ? 0 : 1;
}

int split(const QString& folder)
{
    const MeasurementArchive archive(folder);
    qint64 fields = 0;
    for (int k = 0; k < kChannelCount; ++k) {
        QFile file(archive.filePath(QDate::currentDate(), k));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        for (const QByteArray& line : file.readAll().split('\n'))
            fields += line.split('\t').size();
    }
    std::printf("%lld fields; peak resident %.0f MiB\n", fields, peakResidentMiB());
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: bench_startup prepare|start|split DIR\n");
        return 2;
    }
    const QString mode = args.at(1);
    const QString folder = QDir(args.at(2)).absolutePath();
    if (mode == QLatin1String("prepare"))
        return prepare(folder);
    if (mode == QLatin1String("start"))
        return start(folder, sinceMain);
    if (mode == QLatin1String("split"))
        return split(folder);
    std::fprintf(stderr, "unknown mode %s\n", qPrintable(mode));
    return 2;
}
