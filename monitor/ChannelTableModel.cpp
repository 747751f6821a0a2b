#include "monitor/ChannelTableModel.h"

#include "monitor/MeasurementRoles.h"

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.rowCount();
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kMeasurementColumnCount;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ForegroundRole:
        if (index.column() == kAlarmColumn) {
            const QColor colour = alarmQColor(m_rows.alarmColour(index.row()));
            if (colour.isValid())
                return colour;
        }
        return {};
    case MeasurementRole::FixedCell:
        return index.column() == 0;
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kMeasurementColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return measurementHeaderTexts()[size_t(section)];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void ChannelTableModel::appendRow(const std::array<QString, kMeasurementColumnCount>& cells,
                                  AlarmColour alarmColour)
{
    QString joined;
    for (int c = 0; c < kMeasurementColumnCount; ++c) {
        if (c > 0)
            joined.append(QLatin1Char('\t'));
        joined.append(cells[size_t(c)]);
    }
    const QByteArray bytes = toWindows1251(joined);
    const int row = m_rows.rowCount();
    beginInsertRows({}, row, row);
    m_rows.appendRow(bytes, alarmColour);
    endInsertRows();
}

void ChannelTableModel::appendRows(ChannelRowStore&& rows)
{
    if (rows.isEmpty())
        return;
    const int first = m_rows.rowCount();
    beginInsertRows({}, first, first + rows.rowCount() - 1);
    m_rows.appendRows(std::move(rows));
    endInsertRows();
}

QString ChannelTableModel::cellText(int row, int column) const
{
    const QByteArrayView bytes = m_rows.cellBytes(row, column);
    return fromWindows1251(bytes.data(), bytes.size());
}
