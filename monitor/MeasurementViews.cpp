#include "monitor/MeasurementViews.h"

#include "dialogs/SkyBlue.h"
#include "monitor/MeasurementMonitor.h"
#include "monitor/MeasurementRoles.h"
#include "monitor/MnemonicPanel.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <map>

using namespace MeasurementLayout;

namespace {
const QString kTableFontFamily = QStringLiteral("Tahoma");
constexpr int kChannelRowHeightPx = 18;
constexpr QSize kFlagIconSize{10, 12};

const QString kTabStyle =
    QStringLiteral("QTabBar::tab { background: lime; border: 1px solid gray; padding: 2px 8px; }"
                   "QTabBar::tab:selected { background: rgb(166, 202, 240); }");

void styleTabs(QTabWidget* tabs)
{
    tabs->tabBar()->setStyleSheet(kTabStyle);
}

// Shades the fixed cells and draws the flag icon at the right edge and bottom of its cell.
class MeasurementCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.data(MeasurementRole::Flag).toBool()) {
            static const QPixmap flag = MeasurementViews::flagIcon();
            const QPoint corner = option.rect.bottomRight() - QPoint(flag.width() - 1, flag.height() - 1);
            painter->drawPixmap(corner, flag);
        }
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(MeasurementRole::FixedCell).toBool())
            option->backgroundBrush = option->palette.button();
    }
};

QTableView* makeTable(QWidget* parent, const QString& name)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setItemDelegate(new MeasurementCellDelegate(view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setMinimumSectionSize(0);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return view;
}
} // namespace

QPixmap MeasurementViews::flagIcon()
{
    QPixmap pixmap(kFlagIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // A pole with a red pennant.
    painter.fillRect(QRect(1, 0, 1, 12), QColor(64, 64, 64));
    painter.fillRect(QRect(0, 11, 4, 1), QColor(64, 64, 64));
    painter.fillRect(QRect(2, 1, 7, 5), QColor(255, 0, 6));
    painter.fillRect(QRect(2, 1, 7, 1), QColor(255, 120, 120));
    return pixmap;
}

MeasurementViews::MeasurementViews(MeasurementMonitor& monitor, QWidget* parent)
    : QWidget(parent), m_monitor(monitor)
{
    setObjectName(QStringLiteral("MeasurementViews"));
    m_AdvPageControl1 = new QTabWidget(this);
    m_AdvPageControl1->setObjectName(QStringLiteral("AdvPageControl1"));
    styleTabs(m_AdvPageControl1);
    m_AdvPageControl1->addTab(buildSystemPage(), QStringLiteral("Измерения по системе"));
    m_AdvPageControl1->addTab(buildChannelsPage(), QStringLiteral("Измерения по каналам"));
    m_AdvPageControl1->addTab(buildMnemonicPage(), QStringLiteral("Мнемонически"));
    m_AdvPageControl1->setCurrentIndex(2);

    connect(&m_monitor, &MeasurementMonitor::panelChanged, this,
            [this](int k) { m_panels[size_t(k)]->showState(m_monitor.panelState(k)); });
    connect(&m_monitor, &MeasurementMonitor::tabCaptionChanged, this,
            [this](int k, const QString& caption) { m_AdvPageControl2->setTabText(k, caption); });

    resize(anchoredSize(kPageControlRect, kStartWindowSize));
    SetupMeasurementViews();
}

QWidget* MeasurementViews::buildSystemPage()
{
    auto* page = new QWidget;
    paintSkyBlue(page);
    m_SmallTableInfo = makeTable(page, QStringLiteral("SmallTableInfo"));
    m_SmallTableInfo->setModel(&m_monitor.systemTable());
    m_SmallTableInfo->horizontalHeader()->hide();
    m_SmallTableInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_SmallTableInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_SmallTableInfo->setSelectionMode(QAbstractItemView::NoSelection);
    m_SmallTableInfo->setFocusPolicy(Qt::NoFocus);
    m_SmallTableInfo->setGeometry(kSystemTableRect);
    m_SmallTableInfo->setFont(QFont(kTableFontFamily, kSystemTableLargestFontPt));
    return page;
}

QWidget* MeasurementViews::buildChannelsPage()
{
    auto* page = new QWidget;
    paintSkyBlue(page);
    m_AdvPageControl2 = new QTabWidget(page);
    m_AdvPageControl2->setObjectName(QStringLiteral("AdvPageControl2"));
    m_AdvPageControl2->setTabPosition(QTabWidget::South);
    styleTabs(m_AdvPageControl2);
    m_AdvPageControl2->setGeometry(kChannelPageControlRect);
    for (int k = 0; k < kPanelCount; ++k) {
        auto* tab = new QWidget;
        tab->setObjectName(QStringLiteral("DigitalDataChannel%1").arg(k + 1));
        paintSkyBlue(tab);
        QTableView* view = makeTable(tab, QStringLiteral("ChannelFullGrid%1").arg(k + 1));
        view->setModel(&m_monitor.channelTable(k));
        view->setFont(QFont(kTableFontFamily, kChannelTableFontPt));
        view->horizontalHeader()->setFixedHeight(kChannelTableHeaderHeightPx);
        view->verticalHeader()->setDefaultSectionSize(kChannelRowHeightPx);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        view->setGeometry(kChannelTableRect);
        followNewRows(view);
        m_ChannelFullGrids[size_t(k)] = view;
        m_AdvPageControl2->addTab(tab, m_monitor.tabCaption(k));
    }
    return page;
}

QWidget* MeasurementViews::buildMnemonicPage()
{
    auto* page = new QWidget;
    paintSkyBlue(page);
    const std::array<QRect, kPanelCount> rects = startPanelRects();
    for (int k = 0; k < kPanelCount; ++k) {
        auto* panel = new MnemonicPanel(k + 1, page);
        panel->setGeometry(rects[size_t(k)]);
        m_panels[size_t(k)] = panel;
    }
    return page;
}

void MeasurementViews::followNewRows(QTableView* view)
{
    // New rows pull the view down only when the user is already at the bottom, so a user reading
    // earlier rows is left where he is.
    auto atBottom = std::make_shared<bool>(true);
    QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, view, [view, atBottom] {
        const QScrollBar* bar = view->verticalScrollBar();
        *atBottom = bar->value() >= bar->maximum();
    });
    connect(model, &QAbstractItemModel::rowsInserted, view, [view, atBottom] {
        if (*atBottom)
            view->scrollToBottom();
    });
}

void MeasurementViews::SetupMeasurementViews()
{
    m_monitor.prepareStartState();
    sizeSystemTable();
}

void MeasurementViews::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_AdvPageControl1->setGeometry(rect());
}

void MeasurementViews::FormResize(const QSize& windowSize)
{
    // Everything anchored to all four edges grows with the window by the same amount.
    resize(anchoredSize(kPageControlRect, windowSize));
    m_SmallTableInfo->resize(anchoredSize(kSystemTableRect, windowSize));
    m_AdvPageControl2->resize(anchoredSize(kChannelPageControlRect, windowSize));
    for (QTableView* view : m_ChannelFullGrids) {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->resize(anchoredSize(kChannelTableRect, windowSize));
    }
    sizeChannelTableColumns();
    m_monitor.systemTable().writeHeaderRow();
    sizeSystemTable();
    fitSystemTableFont();
    spreadPanels(windowSize);
}

void MeasurementViews::sizeChannelTableColumns()
{
    for (QTableView* view : m_ChannelFullGrids) {
        const ColumnWidths widths = channelTableColumnWidths(view->width());
        for (int c = 0; c < kMeasurementColumnCount; ++c)
            view->horizontalHeader()->resizeSection(c, widths[size_t(c)]);
    }
}

void MeasurementViews::sizeSystemTable()
{
    const ColumnWidths widths = systemTableColumnWidths(m_SmallTableInfo->width());
    for (int c = 0; c < kMeasurementColumnCount; ++c)
        m_SmallTableInfo->horizontalHeader()->resizeSection(c, widths[size_t(c)]);
    const RowHeights heights = systemTableRowHeights(m_SmallTableInfo->height());
    for (int r = 0; r < int(heights.size()); ++r)
        m_SmallTableInfo->verticalHeader()->resizeSection(r, heights[size_t(r)]);
}

void MeasurementViews::fitSystemTableFont()
{
    const SystemTableModel& model = m_monitor.systemTable();
    TableTexts texts;
    for (int r = 0; r < int(texts.size()); ++r)
        for (int c = 0; c < kMeasurementColumnCount; ++c)
            texts[size_t(r)][size_t(c)] = model.cell(r, c);
    ColumnWidths widths{};
    for (int c = 0; c < kMeasurementColumnCount; ++c)
        widths[size_t(c)] = m_SmallTableInfo->columnWidth(c);

    std::map<int, QFontMetrics> metrics;
    const QFont base = m_SmallTableInfo->font();
    const TextWidth textWidth = [&](int pointSize, const QString& text) {
        auto it = metrics.find(pointSize);
        if (it == metrics.end()) {
            QFont font = base;
            font.setPointSize(pointSize);
            it = metrics.emplace(pointSize, QFontMetrics(font)).first;
        }
        return it->second.horizontalAdvance(text);
    };
    QFont fitted = base;
    fitted.setPointSize(fitFontPointSize(texts, widths, textWidth));
    m_SmallTableInfo->setFont(fitted);
}

int MeasurementViews::systemTableFontPointSize() const
{
    return m_SmallTableInfo->font().pointSize();
}

void MeasurementViews::spreadPanels(const QSize& windowSize)
{
    if (m_rememberedWindowSize.width() == 0) {
        m_rememberedWindowSize = windowSize;
        return;
    }
    std::array<QRect, kPanelCount> rects;
    for (int k = 0; k < kPanelCount; ++k)
        rects[size_t(k)] = m_panels[size_t(k)]->geometry();
    rects = MeasurementLayout::spreadPanels(rects, m_rememberedWindowSize, windowSize);
    for (int k = 0; k < kPanelCount; ++k)
        m_panels[size_t(k)]->setGeometry(rects[size_t(k)]);
    m_rememberedWindowSize = windowSize;
}
