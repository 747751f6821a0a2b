// vt2m-sim: one processing unit on a pseudo-terminal or a serial port.
#include "sim/FaultInjector.h"
#include "sim/PtyEndpoint.h"
#include "sim/SerialEndpoint.h"
#include "sim/SignalWatcher.h"
#include "sim/SimOptions.h"
#include "sim/SimRunner.h"
#include "sim/SimulatedUnit.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>
#include <memory>

namespace {
void printLine(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stream);
    std::fflush(stream);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vt2m-sim"));

    const sim::OptionsResult parsed = sim::parseOptions(QCoreApplication::arguments());
    if (parsed.helpRequested) {
        printLine(stdout, sim::helpText());
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        printLine(stderr, QStringLiteral("vt2m-sim: %1 (see --help)").arg(parsed.error));
        return 2;
    }
    const sim::SimOptions& options = parsed.options;

    // Signals are caught before the link exists, so a stop during start-up still removes it.
    sim::SignalWatcher stopSignals;
    QObject::connect(&stopSignals, &sim::SignalWatcher::stopRequested, &app,
                     [](int) { QCoreApplication::quit(); });

    const quint32 seed = options.seed.value_or(QRandomGenerator::system()->generate());
    sim::SimulatedUnit unit(seed);
    unit.state().setAddress(options.address);
    unit.state().setActiveMode(!options.passive);
    for (int channel : options.noSignalChannels)
        unit.setNoSignal(channel, true);
    // The faults get their own sequence, so switching them on does not change the readings.
    sim::FaultInjector faults(options.faults, seed + 1);

    std::unique_ptr<sim::LineEndpoint> line;
    QString error;
    if (!options.portName.isEmpty()) {
        auto serial = std::make_unique<sim::SerialEndpoint>();
        if (!serial->open(options.portName, &error)) {
            printLine(stderr, QStringLiteral("vt2m-sim: ") + error);
            return 1;
        }
        line = std::move(serial);
    } else {
        auto pty = std::make_unique<sim::PtyEndpoint>();
        if (!pty->open(options.linkPath, &error)) {
            printLine(stderr, QStringLiteral("vt2m-sim: ") + error);
            return 1;
        }
        line = std::move(pty);
    }

    int exitCode = 0;
    QObject::connect(line.get(), &sim::LineEndpoint::failed, &app, [&exitCode](const QString& reason) {
        printLine(stderr, QStringLiteral("vt2m-sim: ") + reason);
        exitCode = 1;
        QCoreApplication::quit();
    });

    sim::SimRunner runner(unit, *line, faults, options.periodMs);
    runner.setLogs(options.verbose ? sim::SimRunner::Log([](const QString& text) { printLine(stderr, text); })
                                   : sim::SimRunner::Log(),
                   [](const QString& text) { printLine(stderr, QStringLiteral("vt2m-sim: ") + text); });
    runner.start();

    if (options.verbose)
        printLine(stderr, QStringLiteral("vt2m-sim: seed %1").arg(seed));
    printLine(stdout,
              QStringLiteral("vt2m-sim: unit %1 ready on %2").arg(options.address).arg(line->description()));

    const int loopCode = app.exec();
    line.reset(); // removes the link
    return exitCode != 0 ? exitCode : loopCode;
}
