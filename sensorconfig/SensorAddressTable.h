#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// Which sensor address the unit polls on each channel: entry k belongs to channel k + 1, and 0
// means the channel has no sensor. One table serves the whole program; polling walks it in
// order and stops at the first 0.
class SensorAddressTable
{
public:
    static constexpr int kChannelCount = 8;

    // 0 for an index outside 0 .. 7.
    int entry(int channelIndex) const;
    void setEntry(int channelIndex, int sensorAddress);
    const std::array<int, kChannelCount>& entries() const { return m_entries; }

    // Entry k takes the first number of line k, read as "%d; %d;". A line that does not begin
    // with a number or is longer than a constants line may be leaves its entry as it was; lines
    // after the eighth are ignored.
    void applyConnectionTableLines(const QList<QByteArray>& lines);

private:
    std::array<int, kChannelCount> m_entries{};
};

// "Служебные/Константы БО/ConnectionTable.txt" under the working folder.
QString connectionTableFilePath(const QString& workingFolder);

// Reads the connection table into `table` without asking or creating anything. Returns false,
// leaving the table as it was, when a folder or the file is missing or cannot be read.
bool LoadConnectionTableQuiet(SensorAddressTable& table, const QString& workingFolder);
