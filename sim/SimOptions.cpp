#include "sim/SimOptions.h"

#include <QCommandLineParser>
#include <cmath>

namespace sim {

namespace {
constexpr double kMinPeriodSeconds = 0.05;
constexpr double kMaxPeriodSeconds = 3600;

const char* const kDescription =
    R"(Plays one ВТ-2М processing unit on a serial line, for working on the PC program without
hardware. It answers the PC's requests the way the unit does (configuration blocks, signatures,
clock, firmware information, address change, measurement requests) and, while in active mode
and measuring, sends one measurement record per connected channel every period.

The line is either a new pseudo-terminal (the default) or a real serial port, 9600 baud 8N1
without flow control, for a null-modem cable to the PC. The program prints the device in use
when it is ready; with --link the symbolic link exists from that moment on and is removed
again on exit (also on Ctrl+C or SIGTERM).

The unit starts with the PC's default blocks: sensor p on channel p, unit constants 256, 5000,
0, 0, 0, 45, 45, 45, 0, 0, all relays 0x80, set-points 5/20/30 % and the default sensor
constants for every sensor address, its clock on the host's local time, active and measuring.

Example:
  vt2m-sim --link /tmp/bo-unit --verbose
  then open /tmp/bo-unit as the COM port in the PC program.)";

struct Names
{
    QString link = QStringLiteral("link");
    QString port = QStringLiteral("port");
    QString address = QStringLiteral("address");
    QString period = QStringLiteral("period");
    QString noSignal = QStringLiteral("no-signal");
    QString dropRate = QStringLiteral("drop-rate");
    QString badLrcRate = QStringLiteral("bad-lrc-rate");
    QString noiseRate = QStringLiteral("noise-rate");
    QString chunked = QStringLiteral("chunked");
    QString seed = QStringLiteral("seed");
    QString verbose = QStringLiteral("verbose");
    QString passive = QStringLiteral("passive");
};

void describe(QCommandLineParser& parser, const Names& n)
{
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addHelpOption();
    parser.addOptions({
        {n.link,
         QStringLiteral("Create a pseudo-terminal and keep a symbolic link to it at <path> (an old link "
                        "there is replaced). Without --link and --port the pseudo-terminal's own name is "
                        "printed."),
         QStringLiteral("path")},
        {n.port, QStringLiteral("Use the real serial port <device> instead of a pseudo-terminal."),
         QStringLiteral("device")},
        {n.address,
         QStringLiteral("The unit's address, 0..255 (default 225). Requests to other "
                        "addresses are ignored."),
         QStringLiteral("n"), QStringLiteral("225")},
        {n.period,
         QStringLiteral("Seconds between two rounds of unasked measurement records "
                        "(default 2; fractions allowed)."),
         QStringLiteral("seconds"), QStringLiteral("2")},
        {n.noSignal,
         QStringLiteral("Channel 1..8 whose sensor gives no signal; repeat the option or "
                        "give a comma list (3,5)."),
         QStringLiteral("channels")},
        {n.dropRate, QStringLiteral("Fraction 0..1 of frames (answers and records) never sent."),
         QStringLiteral("fraction"), QStringLiteral("0")},
        {n.badLrcRate, QStringLiteral("Fraction 0..1 of frames sent with a wrong LRC."),
         QStringLiteral("fraction"), QStringLiteral("0")},
        {n.noiseRate, QStringLiteral("Fraction 0..1 of frames preceded by 1..8 noise bytes (never ':')."),
         QStringLiteral("fraction"), QStringLiteral("0")},
        {n.chunked, QStringLiteral("Write frames in small random pieces with pauses of up to 15 ms.")},
        {n.seed,
         QStringLiteral("Seed of the readings and the faults, for repeatable runs "
                        "(default: random, shown with --verbose)."),
         QStringLiteral("n")},
        {n.verbose, QStringLiteral("Print every request and answer in readable form to stderr.")},
        {n.passive, QStringLiteral("Start with active mode off: records only on request (code 52) "
                                   "until the PC switches it on.")},
    });
}

std::optional<double> fraction(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !(value >= 0.0 && value <= 1.0))
        return std::nullopt;
    return value;
}
} // namespace

QString helpText()
{
    QCommandLineParser parser;
    describe(parser, Names{});
    return parser.helpText();
}

OptionsResult parseOptions(const QStringList& arguments)
{
    const Names n;
    QCommandLineParser parser;
    describe(parser, n);
    OptionsResult result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        result.helpRequested = true;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return result;
    }

    SimOptions& o = result.options;
    o.linkPath = parser.value(n.link);
    o.portName = parser.value(n.port);
    if (!o.linkPath.isEmpty() && !o.portName.isEmpty()) {
        result.error = QStringLiteral("give either --link or --port, not both");
        return result;
    }
    if (parser.isSet(n.link) && o.linkPath.isEmpty()) {
        result.error = QStringLiteral("--link needs a path");
        return result;
    }
    if (parser.isSet(n.port) && o.portName.isEmpty()) {
        result.error = QStringLiteral("--port needs a device");
        return result;
    }

    bool ok = false;
    const int address = parser.value(n.address).toInt(&ok);
    if (!ok || address < 0 || address > 255) {
        result.error = QStringLiteral("--address must be 0..255, not '%1'").arg(parser.value(n.address));
        return result;
    }
    o.address = quint8(address);

    const double period = parser.value(n.period).toDouble(&ok);
    if (!ok || !(period >= kMinPeriodSeconds && period <= kMaxPeriodSeconds)) {
        result.error = QStringLiteral("--period must be %1..%2 seconds, not '%3'")
                           .arg(kMinPeriodSeconds)
                           .arg(kMaxPeriodSeconds)
                           .arg(parser.value(n.period));
        return result;
    }
    o.periodMs = int(std::lround(period * 1000));

    for (const QString& list : parser.values(n.noSignal)) {
        for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int channel = item.trimmed().toInt(&ok);
            if (!ok || channel < 1 || channel > 8) {
                result.error = QStringLiteral("--no-signal takes channels 1..8, not '%1'").arg(item);
                return result;
            }
            o.noSignalChannels.push_back(channel - 1);
        }
    }

    const struct
    {
        const QString& name;
        double& target;
    } rates[] = {{n.dropRate, o.faults.drop}, {n.badLrcRate, o.faults.badLrc}, {n.noiseRate, o.faults.noise}};
    for (const auto& rate : rates) {
        const std::optional<double> value = fraction(parser.value(rate.name));
        if (!value) {
            result.error = QStringLiteral("--%1 must be a fraction 0..1, not '%2'")
                               .arg(rate.name, parser.value(rate.name));
            return result;
        }
        rate.target = *value;
    }
    o.faults.chunked = parser.isSet(n.chunked);

    if (parser.isSet(n.seed)) {
        const uint seed = parser.value(n.seed).toUInt(&ok);
        if (!ok) {
            result.error = QStringLiteral("--seed must be a whole number 0..4294967295");
            return result;
        }
        o.seed = seed;
    }
    o.verbose = parser.isSet(n.verbose);
    o.passive = parser.isSet(n.passive);
    return result;
}

} // namespace sim
