#include "monitor/ChannelRowStore.h"

#include <algorithm>

void ChannelRowStore::appendRow(QByteArrayView joinedCells, AlarmColour alarmColour)
{
    const qsizetype size = std::min(joinedCells.size(), kMaxRowBytes);
    const qint64 start = qint64(m_arena.size());
    if (m_rowOffsets.size() % kRowsPerBlock == 0)
        m_blockBases.push_back(start);
    m_rowOffsets.push_back(quint32(start - m_blockBases.back()));
    m_alarmColours.push_back(quint8(alarmColour));
    m_arena.insert(m_arena.end(), joinedCells.data(), joinedCells.data() + size);
}

void ChannelRowStore::appendRows(ChannelRowStore&& other)
{
    if (isEmpty()) {
        *this = std::move(other);
        return;
    }
    reserve(rowCount() + other.rowCount(), qsizetype(m_arena.size() + other.m_arena.size()));
    for (int row = 0; row < other.rowCount(); ++row)
        appendRow(other.rowBytes(row), other.alarmColour(row));
}

void ChannelRowStore::reserve(qsizetype rows, qsizetype bytes)
{
    m_arena.reserve(size_t(bytes));
    m_rowOffsets.reserve(size_t(rows));
    m_alarmColours.reserve(size_t(rows));
    m_blockBases.reserve(size_t(rows / kRowsPerBlock + 1));
}

qint64 ChannelRowStore::rowStart(int row) const
{
    return m_blockBases[size_t(row / kRowsPerBlock)] + m_rowOffsets[size_t(row)];
}

QByteArrayView ChannelRowStore::rowBytes(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const qint64 start = rowStart(row);
    const qint64 end = row + 1 < rowCount() ? rowStart(row + 1) : qint64(m_arena.size());
    return QByteArrayView(m_arena.data() + start, qsizetype(end - start));
}

QByteArrayView ChannelRowStore::cellBytes(int row, int column) const
{
    const QByteArrayView bytes = rowBytes(row);
    qsizetype cellStart = 0;
    for (int c = 0; c < column; ++c) {
        const qsizetype tab = bytes.indexOf('\t', cellStart);
        if (tab < 0)
            return {};
        cellStart = tab + 1;
    }
    qsizetype cellEnd = bytes.indexOf('\t', cellStart);
    if (cellEnd < 0)
        cellEnd = bytes.size();
    return bytes.sliced(cellStart, cellEnd - cellStart);
}

qsizetype ChannelRowStore::memoryBytes() const
{
    return qsizetype(m_arena.capacity() + m_blockBases.capacity() * sizeof(qint64) +
                     m_rowOffsets.capacity() * sizeof(quint32) + m_alarmColours.capacity());
}
