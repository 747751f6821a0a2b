#include "sensorconfig/SensorAddressTable.h"

#include "unitconfig/ConstantsTextFile.h"

#include <QDir>

namespace {
constexpr int kConnectionTableFields = 2;
}

int SensorAddressTable::entry(int channelIndex) const
{
    if (channelIndex < 0 || channelIndex >= kChannelCount)
        return 0;
    return m_entries[size_t(channelIndex)];
}

void SensorAddressTable::setEntry(int channelIndex, int sensorAddress)
{
    if (channelIndex >= 0 && channelIndex < kChannelCount)
        m_entries[size_t(channelIndex)] = sensorAddress;
}

void SensorAddressTable::applyConnectionTableLines(const QList<QByteArray>& lines)
{
    for (int k = 0; k < kChannelCount && k < lines.size(); ++k) {
        const QByteArray& line = lines.at(k);
        if (line.size() > kConstantsLineMaxChars)
            continue;
        const ConstantsLineValues scanned = scanConstantsLine(line, kConnectionTableFields);
        if (scanned.count >= 1)
            m_entries[size_t(k)] = scanned.values[0];
    }
}

QString connectionTableFilePath(const QString& workingFolder)
{
    return QDir(workingFolder).filePath(QStringLiteral("Служебные/Константы БО/ConnectionTable.txt"));
}

bool LoadConnectionTableQuiet(SensorAddressTable& table, const QString& workingFolder)
{
    const std::optional<QByteArray> content = readConstantsFile(connectionTableFilePath(workingFolder));
    if (!content)
        return false;
    table.applyConnectionTableLines(splitConstantsLines(*content));
    return true;
}
