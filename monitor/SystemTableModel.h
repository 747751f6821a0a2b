#pragma once

#include "monitor/MeasurementRoles.h"
#include "monitor/MeasurementTexts.h"

#include <QAbstractTableModel>

// The system table: row 0 holds the header texts, row k + 1 the latest state of channel index
// k. Row 0 and column 0 are the fixed cells. Column 0 of the row updated last carries the flag
// icon, which the view draws where MeasurementRole::Flag is true.
class SystemTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kRowCount = 9;
    explicit SystemTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
    void setRow(int row, const std::array<QString, kMeasurementColumnCount>& cells);
    void writeHeaderRow();

    // The text colour of the row's alarm cell; left alone by everything but a record's alarm.
    AlarmColour alarmColour(int row) const { return m_alarmColours[size_t(row)]; }
    void setAlarmColour(int row, AlarmColour colour);

    // -1 while no row carries the flag.
    int flagRow() const { return m_flagRow; }
    void moveFlagTo(int row);

private:
    bool validCell(int row, int column) const;

    std::array<std::array<QString, kMeasurementColumnCount>, kRowCount> m_cells;
    std::array<AlarmColour, kRowCount> m_alarmColours{};
    int m_flagRow = -1;
};
