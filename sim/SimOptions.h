#pragma once

#include "sim/FaultInjector.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sim {

struct SimOptions
{
    QString linkPath; // pseudo-terminal mode: symbolic link to its slave (may be empty)
    QString portName; // serial mode: the port to open instead of a pseudo-terminal
    quint8 address = 225;
    int periodMs = 2000;               // between two rounds of unasked records
    std::vector<int> noSignalChannels; // channel indexes 0..7
    FaultRates faults;
    std::optional<quint32> seed;
    bool verbose = false;
    bool passive = false; // start with active mode off
};

struct OptionsResult
{
    SimOptions options;
    bool helpRequested = false;
    QString error; // set when the command line cannot be used
};

// `arguments` includes the program name, as QCoreApplication::arguments() gives it.
OptionsResult parseOptions(const QStringList& arguments);
QString helpText();

} // namespace sim
