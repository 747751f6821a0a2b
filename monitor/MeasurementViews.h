#pragma once

#include "monitor/MeasurementLayout.h"

#include <QPixmap>
#include <QSize>
#include <QWidget>

#include <array>

class MeasurementMonitor;
class MnemonicPanel;
class QTabWidget;
class QTableView;

// The measurement pages of the main window (the page control "AdvPageControl1"): the system
// table, the eight channel tables on their own tabs, and the eight mnemonic panels, which are
// shown first. The main window places it at 8, 8 of its client area, outside any layout, and
// calls FormResize from its resize event; FormResize sizes this widget and everything in it
// from the window size.
class MeasurementViews : public QWidget
{
    Q_OBJECT
public:
    explicit MeasurementViews(MeasurementMonitor& monitor, QWidget* parent = nullptr);

    void FormResize(const QSize& windowSize);

    // The window size of the last panel spreading; the start size until the first resize.
    QSize rememberedWindowSize() const { return m_rememberedWindowSize; }
    int systemTableFontPointSize() const;

    QTabWidget* pageControl() const { return m_AdvPageControl1; }
    QTableView* systemTable() const { return m_SmallTableInfo; }
    QTableView* channelTable(int channelIndex) const { return m_ChannelFullGrids[size_t(channelIndex)]; }
    QTabWidget* channelPageControl() const { return m_AdvPageControl2; }
    MnemonicPanel* panel(int channelIndex) const { return m_panels[size_t(channelIndex)]; }

    // The 10 x 12 picture that marks the system-table row updated last.
    static QPixmap flagIcon();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetupMeasurementViews();
    QWidget* buildSystemPage();
    QWidget* buildChannelsPage();
    QWidget* buildMnemonicPage();
    void followNewRows(QTableView* view);

    void sizeSystemTable();
    void fitSystemTableFont();
    void sizeChannelTableColumns();
    void spreadPanels(const QSize& windowSize);

    MeasurementMonitor& m_monitor;
    QTabWidget* m_AdvPageControl1 = nullptr;
    QTableView* m_SmallTableInfo = nullptr;
    QTabWidget* m_AdvPageControl2 = nullptr;
    std::array<QTableView*, MeasurementLayout::kPanelCount> m_ChannelFullGrids{};
    std::array<MnemonicPanel*, MeasurementLayout::kPanelCount> m_panels{};
    // The panels stand at their start places, which belong to the start size.
    QSize m_rememberedWindowSize = MeasurementLayout::kStartWindowSize;
};
