#include "monitor/MeasurementLayout.h"

#include <algorithm>
#include <cmath>

namespace MeasurementLayout {

namespace {
constexpr double kNarrowColumnShare = 0.1;
constexpr double kWideColumnShare = 0.15;
constexpr double kRowShare = 0.1111;
constexpr int kNarrowColumns = 7;

ColumnWidths shareColumns(int width)
{
    ColumnWidths widths{};
    for (int c = 0; c < kMeasurementColumnCount; ++c) {
        const double share = c < kNarrowColumns ? kNarrowColumnShare : kWideColumnShare;
        widths[size_t(c)] = int(std::trunc(width * share));
    }
    return widths;
}

template <size_t N> int sum(const std::array<int, N>& values)
{
    int total = 0;
    for (int v : values)
        total += v;
    return total;
}
} // namespace

QSize anchoredSize(const QRect& startRect, const QSize& windowSize)
{
    const QSize grown = startRect.size() + (windowSize - kStartWindowSize);
    return grown.expandedTo(QSize(0, 0));
}

ColumnWidths channelTableColumnWidths(int tableWidth)
{
    return shareColumns(std::max(0, tableWidth - kChannelTableScrollBarRoomPx));
}

ColumnWidths systemTableColumnWidths(int tableWidth)
{
    const int width = std::max(0, tableWidth - kSystemTableMarginPx);
    ColumnWidths widths = shareColumns(width);
    const int total = sum(widths);
    if (total < width)
        widths[kMeasurementColumnCount - 1] += width - total - 1;
    return widths;
}

RowHeights systemTableRowHeights(int tableHeight)
{
    const int height = std::max(0, tableHeight - kSystemTableMarginPx);
    RowHeights heights{};
    heights.fill(int(std::trunc(height * kRowShare)));
    const int total = sum(heights);
    if (total < height)
        heights[0] += height - total - 1;
    return heights;
}

int fitFontPointSize(const TableTexts& texts, const ColumnWidths& widths, const TextWidth& textWidth)
{
    int pointSize = kSystemTableLargestFontPt;
    for (int column = 0; column < kMeasurementColumnCount; ++column) {
        const auto fits = [&] {
            for (const auto& row : texts) {
                if (widths[size_t(column)] < textWidth(pointSize, row[size_t(column)]) + kFontFitPaddingPx)
                    return false;
            }
            return true;
        };
        while (pointSize > kSystemTableSmallestFontPt && !fits())
            --pointSize;
    }
    return pointSize;
}

std::array<QRect, kPanelCount> startPanelRects()
{
    constexpr int kLefts[kPanelsPerRow] = {8, 218, 428, 638};
    constexpr int kTops[kPanelRows] = {8, 288};
    constexpr QSize kPanelSize{200, 270};
    std::array<QRect, kPanelCount> rects;
    for (int i = 0; i < kPanelCount; ++i)
        rects[size_t(i)] = QRect(QPoint(kLefts[i % kPanelsPerRow], kTops[i / kPanelsPerRow]), kPanelSize);
    return rects;
}

std::array<QRect, kPanelCount> spreadPanels(const std::array<QRect, kPanelCount>& panels,
                                            const QSize& rememberedWindow, const QSize& window)
{
    // Integer division truncating towards zero: a remainder is not carried to the next resize.
    const int dW = (window.width() - rememberedWindow.width()) / kPanelsPerRow;
    const int dH = (window.height() - rememberedWindow.height()) / kPanelRows;
    std::array<QRect, kPanelCount> spread = panels;
    for (int i = 0; i < kPanelCount; ++i) {
        QRect& rect = spread[size_t(i)];
        const int column = i % kPanelsPerRow;
        const int row = i / kPanelsPerRow;
        rect.moveTo(rect.x() + column * dW, rect.y() + row * dH);
        rect.setSize(QSize(rect.width() + dW, rect.height() + dH));
    }
    return spread;
}

} // namespace MeasurementLayout
