// Idle CPU: the real program with its port open on a quiet simulated unit (no records), its
// processor time sampled from /proc over 10 s.
//   bench_idle_cpu BUILD_DIR
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kSettleMs = 3000;
constexpr int kSampleMs = 10000;

// User plus system time of a process, in clock ticks.
qint64 cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: bench_idle_cpu BUILD_DIR\n");
        return 2;
    }
    const QString build = QDir(app.arguments().at(1)).absolutePath();
    QTemporaryDir work;
    const QString link = work.filePath(QStringLiteral("bo-unit"));

    QProcess sim;
    sim.start(build + QStringLiteral("/sim/vt2m-sim"),
              {QStringLiteral("--link"), link, QStringLiteral("--passive")});
    while (!QFile::exists(link) && sim.state() != QProcess::NotRunning)
        QThread::msleep(20);

    QFile settings(work.filePath(QStringLiteral("ConfigVT2M.conf")));
    settings.open(QIODevice::WriteOnly);
    settings.write("[General]\nMainTableClearTimeOut=60\nAdrBO=225\nCurrCOMM=" + link.toUtf8() + "\n");
    settings.close();

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(work.path());
    program.start(build + QStringLiteral("/app/vt2m"), {});
    program.waitForStarted();
    QThread::msleep(kSettleMs);

    const qint64 before = cpuTicks(program.processId());
    QThread::msleep(kSampleMs);
    const qint64 after = cpuTicks(program.processId());
    const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    const double percent = (after - before) / ticksPerSecond / (kSampleMs / 1000.0) * 100.0;
    std::printf("idle CPU of the program with its port open and no traffic: %.2f %% of one core over %d s\n",
                percent, kSampleMs / 1000);

    program.kill();
    program.waitForFinished();
    sim.terminate();
    sim.waitForFinished();
    return before < 0 || after < 0 ? 1 : 0;
}
