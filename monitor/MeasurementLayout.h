#pragma once

#include "monitor/MeasurementTexts.h"

#include <QRect>
#include <QSize>

#include <array>
#include <functional>

// Geometry of the measurement pages, worked out from the window size alone. Every element that
// follows the window keeps its distances to the edges it had at the start size.
namespace MeasurementLayout {

constexpr QSize kStartWindowSize{875, 684};
constexpr QRect kPageControlRect{8, 8, 853, 594};
constexpr QRect kSystemTableRect{7, 11, 829, 547};
constexpr QRect kChannelPageControlRect{4, 8, 838, 546};
constexpr QRect kChannelTableRect{3, 8, 826, 498};

constexpr int kChannelTableScrollBarRoomPx = 20;
constexpr int kSystemTableMarginPx = 3;
constexpr int kChannelTableHeaderHeightPx = 22;
constexpr int kChannelTableFontPt = 8;
constexpr int kSystemTableLargestFontPt = 15;
// Below this the fitting stops: a column narrower than any text would shrink the font forever.
constexpr int kSystemTableSmallestFontPt = 6;
// Room the fitting leaves beside the widest text of a column.
constexpr int kFontFitPaddingPx = 5;

constexpr int kPanelCount = 8;
constexpr int kPanelsPerRow = 4;
constexpr int kPanelRows = 2;

// An element anchored to all four edges: its start size plus the window's growth.
QSize anchoredSize(const QRect& startRect, const QSize& windowSize);

using ColumnWidths = std::array<int, kMeasurementColumnCount>;
using RowHeights = std::array<int, 9>;

// Columns 0 .. 6 take a tenth, 7 and 8 three twentieths of the width less the scroll bar's room.
ColumnWidths channelTableColumnWidths(int tableWidth);
// The same shares of the width less the margin; column 8 takes the rest but one pixel.
ColumnWidths systemTableColumnWidths(int tableWidth);
// Nine equal rows of the height less the margin; row 0 takes the rest but one pixel.
RowHeights systemTableRowHeights(int tableHeight);

// The largest point size, from kSystemTableLargestFontPt down, at which each column's texts fit
// with kFontFitPaddingPx to spare. Columns are taken in turn and the size only ever shrinks, so
// a column already passed is not measured again. `textWidth(pointSize, text)` measures a text.
using TextWidth = std::function<int(int pointSize, const QString& text)>;
using TableTexts = std::array<std::array<QString, kMeasurementColumnCount>, 9>; // [row][column]
int fitFontPointSize(const TableTexts& texts, const ColumnWidths& widths, const TextWidth& textWidth);

// The panels at the start size: two rows of four, 200 x 270 pixels.
std::array<QRect, kPanelCount> startPanelRects();

// Spreads a change of the window size over the panels: a quarter of the width change to each
// panel's width and to each column's shift, half the height change to each panel's height and to
// the lower row's shift, the remainders dropped.
std::array<QRect, kPanelCount> spreadPanels(const std::array<QRect, kPanelCount>& panels,
                                            const QSize& rememberedWindow, const QSize& window);

} // namespace MeasurementLayout
