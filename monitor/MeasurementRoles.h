#pragma once

#include <Qt>

// Item roles the measurement tables answer beyond Qt's own: how a cell is to be drawn.
namespace MeasurementRole {
constexpr int Flag = Qt::UserRole + 1;      // bool: the flag icon stands in this cell
constexpr int FixedCell = Qt::UserRole + 2; // bool: a fixed (heading) cell, drawn shaded
} // namespace MeasurementRole
