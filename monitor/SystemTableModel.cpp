#include "monitor/SystemTableModel.h"

#include <QGuiApplication>
#include <QPalette>

SystemTableModel::SystemTableModel(QObject* parent) : QAbstractTableModel(parent)
{
    m_cells[0] = measurementHeaderTexts();
}

int SystemTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kRowCount;
}

int SystemTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kMeasurementColumnCount;
}

bool SystemTableModel::validCell(int row, int column) const
{
    return row >= 0 && row < kRowCount && column >= 0 && column < kMeasurementColumnCount;
}

QVariant SystemTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !validCell(index.row(), index.column()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_cells[size_t(index.row())][size_t(index.column())];
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ForegroundRole:
        if (index.row() > 0 && index.column() == kAlarmColumn) {
            const QColor colour = alarmQColor(m_alarmColours[size_t(index.row())]);
            // No alarm shows in the window-text colour, as the panels do.
            return colour.isValid() ? colour : QGuiApplication::palette().color(QPalette::WindowText);
        }
        return {};
    case MeasurementRole::Flag:
        return index.column() == 0 && index.row() == m_flagRow;
    case MeasurementRole::FixedCell:
        return index.row() == 0 || index.column() == 0;
    default:
        return {};
    }
}

QString SystemTableModel::cell(int row, int column) const
{
    return validCell(row, column) ? m_cells[size_t(row)][size_t(column)] : QString();
}

void SystemTableModel::setCell(int row, int column, const QString& text)
{
    if (!validCell(row, column))
        return;
    m_cells[size_t(row)][size_t(column)] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void SystemTableModel::setRow(int row, const std::array<QString, kMeasurementColumnCount>& cells)
{
    if (!validCell(row, 0))
        return;
    m_cells[size_t(row)] = cells;
    emit dataChanged(index(row, 0), index(row, kMeasurementColumnCount - 1), {Qt::DisplayRole});
}

void SystemTableModel::writeHeaderRow()
{
    setRow(0, measurementHeaderTexts());
}

void SystemTableModel::setAlarmColour(int row, AlarmColour colour)
{
    if (!validCell(row, kAlarmColumn))
        return;
    m_alarmColours[size_t(row)] = colour;
    const QModelIndex changed = index(row, kAlarmColumn);
    emit dataChanged(changed, changed, {Qt::ForegroundRole});
}

void SystemTableModel::moveFlagTo(int row)
{
    const int previous = m_flagRow;
    m_flagRow = row;
    if (previous >= 0 && previous != row)
        emit dataChanged(index(previous, 0), index(previous, 0), {MeasurementRole::Flag});
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, 0), {MeasurementRole::Flag});
}
