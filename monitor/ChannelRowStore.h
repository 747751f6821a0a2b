#pragma once

#include "monitor/MeasurementTexts.h"

#include <QByteArrayView>

#include <vector>

// The rows of one channel table, kept compact: a day at the line's full rate is hundreds of
// thousands of rows. Each row is its nine cell texts in Windows-1251, joined by TAB (no cell
// holds a TAB: the archive splits fields at TABs), stored end to end in one byte arena, plus one
// byte for the colour of its alarm cell. Row starts are 32-bit offsets from a 64-bit base kept
// every kRowsPerBlock rows, so the arena may outgrow 4 GB.
class ChannelRowStore
{
public:
    static constexpr int kRowsPerBlock = 1024;
    // Longer rows are cut; no row written by this program or accepted from an archive comes near.
    static constexpr qsizetype kMaxRowBytes = 64 * 1024;

    int rowCount() const { return int(m_rowOffsets.size()); }
    bool isEmpty() const { return m_rowOffsets.empty(); }

    // `joinedCells`: the cells' bytes with a TAB between each two.
    void appendRow(QByteArrayView joinedCells, AlarmColour alarmColour);
    void appendRows(ChannelRowStore&& other);
    void reserve(qsizetype rows, qsizetype bytes);

    QByteArrayView rowBytes(int row) const;
    // Empty for a cell the row does not have.
    QByteArrayView cellBytes(int row, int column) const;
    AlarmColour alarmColour(int row) const { return AlarmColour(m_alarmColours[size_t(row)]); }

    // Bytes held, counting reserved capacity: the figure that memory budgets care about.
    qsizetype memoryBytes() const;

private:
    qint64 rowStart(int row) const;

    std::vector<char> m_arena;
    std::vector<qint64> m_blockBases;
    std::vector<quint32> m_rowOffsets;
    std::vector<quint8> m_alarmColours;
};
