#pragma once

#include "monitor/ChannelRowStore.h"

#include <QAbstractTableModel>

// One channel's growing table: the header texts in the horizontal header, one row per record
// below. Cells are decoded from the compact store only when a view asks for them.
class ChannelTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A record row, appended at the end.
    void appendRow(const std::array<QString, kMeasurementColumnCount>& cells, AlarmColour alarmColour);
    // Rows read from the archive, appended at the end in one insertion.
    void appendRows(ChannelRowStore&& rows);

    QString cellText(int row, int column) const;
    const ChannelRowStore& rows() const { return m_rows; }

private:
    ChannelRowStore m_rows;
};
