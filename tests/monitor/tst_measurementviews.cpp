// Layout of the measurement pages (column shares, row heights, font fitting, panel spreading)
// and the widgets that show the monitor's state.
#include "link/LineLink.h"
#include "monitor/MeasurementMonitor.h"
#include "monitor/MeasurementViews.h"
#include "monitor/MnemonicPanel.h"
#include "sensorconfig/SensorAddressTable.h"

#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace MeasurementLayout;

namespace {
ColumnWidths columns(std::initializer_list<int> values)
{
    ColumnWidths widths{};
    std::copy(values.begin(), values.end(), widths.begin());
    return widths;
}

ColumnWidths viewColumns(const QTableView* view)
{
    ColumnWidths widths{};
    for (int c = 0; c < kMeasurementColumnCount; ++c)
        widths[size_t(c)] = view->columnWidth(c);
    return widths;
}

ResponseFrame record(quint8 channel, quint8 address, quint16 humidityTenths, quint8 alarms)
{
    QByteArray d(kRecordWithReadingsBytes, '\0');
    d[0] = char(address);
    d[2] = char(channel);
    d[4] = char(alarms);
    d[19] = char(humidityTenths >> 8);
    d[20] = char(humidityTenths & 0xFF);
    d[29] = char(0x91);
    d[30] = 0x01;
    return ResponseFrame(1, 52, d);
}

struct Window
{
    Window() : monitor(link, sensors, work.path()), views(monitor)
    {
        monitor.setClock([] { return QDateTime(QDate(2010, 3, 5), QTime(12, 0, 0)); });
        monitor.registerHandlers(link.dispatcher());
        monitor.loadArchiveDay();
        views.FormResize(kStartWindowSize);
    }
    QTemporaryDir work;
    LineLink link;
    SensorAddressTable sensors;
    MeasurementMonitor monitor;
    MeasurementViews views;
};
} // namespace

class MeasurementViewsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void columnShares()
    {
        QCOMPARE(systemTableColumnWidths(829), columns({82, 82, 82, 82, 82, 82, 82, 123, 128}));
        QCOMPARE(channelTableColumnWidths(826), columns({80, 80, 80, 80, 80, 80, 80, 120, 120}));
        // A width whose shares add up exactly needs no correction.
        QCOMPARE(systemTableColumnWidths(203), columns({20, 20, 20, 20, 20, 20, 20, 30, 30}));
    }

    void rowShares()
    {
        // 544 high: nine rows of 60, the rest but one pixel to row 0.
        QCOMPARE(systemTableRowHeights(547), (RowHeights{63, 60, 60, 60, 60, 60, 60, 60, 60}));
    }

    void fontFitting()
    {
        TableTexts texts;
        texts[0][0] = QStringLiteral("wide"); // 4 characters
        texts[0][5] = QStringLiteral("wider text");
        // Width = point size x characters.
        const TextWidth width = [](int pt, const QString& text) { return pt * int(text.size()); };
        ColumnWidths roomy{};
        roomy.fill(1000);
        QCOMPARE(fitFontPointSize(texts, roomy, width), 15);

        ColumnWidths narrow = roomy;
        narrow[0] = 4 * 12 + 5; // fits at 12 point
        narrow[5] = 10 * 9 + 4; // needs 8 point
        QCOMPARE(fitFontPointSize(texts, narrow, width), 8);

        narrow[5] = 10; // fits at no size: the fitting stops at the smallest
        QCOMPARE(fitFontPointSize(texts, narrow, width), kSystemTableSmallestFontPt);
    }

    void panelSteps_data()
    {
        QTest::addColumn<QSize>("growth");
        QTest::addColumn<int>("dW");
        QTest::addColumn<int>("dH");
        QTest::newRow("80 wider") << QSize(80, 0) << 20 << 0;
        QTest::newRow("3 wider") << QSize(3, 0) << 0 << 0;
        QTest::newRow("41 taller") << QSize(0, 41) << 0 << 20;
        QTest::newRow("5 narrower truncates towards zero") << QSize(-5, -3) << -1 << -1;
    }
    void panelSteps()
    {
        QFETCH(QSize, growth);
        QFETCH(int, dW);
        QFETCH(int, dH);
        const auto start = startPanelRects();
        const auto spread = spreadPanels(start, kStartWindowSize, kStartWindowSize + growth);
        for (int i = 0; i < kPanelCount; ++i) {
            const QRect& before = start[size_t(i)];
            const QRect& after = spread[size_t(i)];
            QCOMPARE(after.size(), before.size() + QSize(dW, dH));
            QCOMPARE(after.x(), before.x() + (i % 4) * dW);
            QCOMPARE(after.y(), before.y() + (i / 4) * dH);
        }
    }

    void startLayout()
    {
        Window w;
        QCOMPARE(w.views.size(), QSize(853, 594));
        QCOMPARE(w.views.pageControl()->currentIndex(), 2);
        QCOMPARE(w.views.pageControl()->tabText(2), QStringLiteral("Мнемонически"));
        QCOMPARE(w.views.systemTable()->geometry(), QRect(7, 11, 829, 547));
        QCOMPARE(viewColumns(w.views.systemTable()), columns({82, 82, 82, 82, 82, 82, 82, 123, 128}));
        QCOMPARE(w.views.systemTable()->rowHeight(0), 63);
        QCOMPARE(w.views.systemTable()->rowHeight(8), 60);
        for (int k = 0; k < kPanelCount; ++k) {
            QTableView* table = w.views.channelTable(k);
            QCOMPARE(table->width(), 826);
            QCOMPARE(viewColumns(table), columns({80, 80, 80, 80, 80, 80, 80, 120, 120}));
            QCOMPARE(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(table->horizontalHeader()->height(), 22);
            QCOMPARE(table->model()->headerData(8, Qt::Horizontal).toString(),
                     QStringLiteral("Адрес датчика"));
            QCOMPARE(w.views.channelPageControl()->tabText(k), QStringLiteral("Не определен"));
            QCOMPARE(w.views.panel(k)->geometry(), startPanelRects()[size_t(k)]);
            QCOMPARE(w.views.panel(k)->title(), QStringLiteral("Канал №%1").arg(k + 1));
        }
    }

    void resizeSpreadsPanelsStepByStep()
    {
        Window w;
        w.views.FormResize(kStartWindowSize + QSize(80, 41));
        QCOMPARE(w.views.panel(1)->geometry(), QRect(218 + 20, 8, 220, 290));
        QCOMPARE(w.views.panel(7)->geometry(), QRect(638 + 60, 288 + 20, 220, 290));
        QCOMPARE(w.views.systemTable()->size(), QSize(829 + 80, 547 + 41));
        // Each resize spreads only its own change; 3 pixels move nothing and are not carried.
        w.views.FormResize(kStartWindowSize + QSize(83, 41));
        w.views.FormResize(kStartWindowSize + QSize(86, 41));
        QCOMPARE(w.views.panel(1)->geometry(), QRect(238, 8, 220, 290));
        QCOMPARE(w.views.rememberedWindowSize(), kStartWindowSize + QSize(86, 41));
    }

    void systemFontFitsItsColumns()
    {
        Window w;
        const auto fitsAll = [&w] {
            QTableView* table = w.views.systemTable();
            const QFontMetrics metrics(table->font());
            for (int c = 0; c < kMeasurementColumnCount; ++c) {
                for (int r = 0; r < SystemTableModel::kRowCount; ++r) {
                    const QString text = w.monitor.systemTable().cell(r, c);
                    if (table->columnWidth(c) < metrics.horizontalAdvance(text) + kFontFitPaddingPx)
                        return false;
                }
            }
            return true;
        };
        const int atStart = w.views.systemTableFontPointSize();
        QVERIFY(atStart <= kSystemTableLargestFontPt);
        QVERIFY(fitsAll() || atStart == kSystemTableSmallestFontPt);
        // A larger font would no longer fit (or the largest is reached).
        if (atStart < kSystemTableLargestFontPt) {
            QFont larger = w.views.systemTable()->font();
            larger.setPointSize(atStart + 1);
            w.views.systemTable()->setFont(larger);
            QVERIFY(!fitsAll());
        }
        w.views.FormResize(QSize(3000, 1200));
        QCOMPARE(w.views.systemTableFontPointSize(), kSystemTableLargestFontPt);
        w.views.FormResize(kStartWindowSize);
        QCOMPARE(w.views.systemTableFontPointSize(), atStart);
    }

    void panelWidgetsShowTheState()
    {
        Window w;
        MnemonicPanel* panel = w.views.panel(2);
        QCOMPARE(panel->stateLabel()->text(), QStringLiteral("Не подключен"));
        QCOMPARE(panel->stateLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 6));
        QCOMPARE(panel->humidityLabel()->text(), QStringLiteral("0%"));

        w.link.dispatcher().dispatch(record(2, 31, 666, 0x02));
        QCOMPARE(panel->humidityLabel()->text(), QStringLiteral("66,6%"));
        QCOMPARE(panel->levelBar()->position(), 66);
        QCOMPARE(panel->temperatureLabel()->text(), QStringLiteral("25 град.С"));
        QCOMPARE(panel->stateLabel()->text(), QStringLiteral("Подключен (31)"));
        QCOMPARE(panel->stateLabel()->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(panel->alarmLabel()->text(), QStringLiteral("Максимум"));
        QCOMPARE(panel->alarmLabel()->palette().color(QPalette::WindowText), QColor(175, 62, 200));
        QCOMPARE(w.views.channelPageControl()->tabText(2), QStringLiteral("Адрес 31"));

        w.monitor.NoDataChannelTimerTimer(2);
        w.monitor.MainTableClearTimerTimer();
        QCOMPARE(panel->stateLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 6));
        QCOMPARE(panel->alarmLabel()->text(), QStringLiteral("---"));
        QCOMPARE(panel->alarmLabel()->palette().color(QPalette::WindowText),
                 panel->palette().color(QPalette::WindowText));
        QCOMPARE(panel->levelBar()->position(), 0);
    }

    void levelBarBands_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QList<int>>("limits"); // from, to of each band
        QTest::newRow("empty") << 0 << QList<int>{};
        QTest::newRow("low band only") << 15 << QList<int>{0, 15};
        QTest::newRow("66") << 66 << QList<int>{0, 15, 15, 66};
        QTest::newRow("full") << 100 << QList<int>{0, 15, 15, 80, 80, 100};
    }
    void levelBarBands()
    {
        QFETCH(int, position);
        QFETCH(QList<int>, limits);
        QList<int> got;
        for (const LevelBar::Band& band : LevelBar::filledBands(position))
            got << band.fromPercent << band.toPercent;
        QCOMPARE(got, limits);
        if (position == 100)
            QCOMPARE(LevelBar::filledBands(position).back().first, QColor(255, 0, 0));
    }

    void flagIconStandsAtTheCellsBottomRight()
    {
        Window w;
        w.views.pageControl()->setCurrentIndex(0);
        w.views.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.views));
        w.link.dispatcher().dispatch(record(4, 1, 100, 0));

        QTableView* table = w.views.systemTable();
        const QImage shot = table->viewport()->grab().toImage();
        const QImage flag = MeasurementViews::flagIcon().toImage();
        const auto flagAt = [&](int row) {
            const QRect cell = table->visualRect(table->model()->index(row, 0));
            const QPoint corner = cell.bottomRight() - QPoint(flag.width() - 1, flag.height() - 1);
            for (int y = 0; y < flag.height(); ++y) {
                for (int x = 0; x < flag.width(); ++x) {
                    const QColor want = flag.pixelColor(x, y);
                    if (want.alpha() == 255 && shot.pixelColor(corner + QPoint(x, y)) != want)
                        return false;
                }
            }
            return true;
        };
        QVERIFY(flagAt(5));
        QVERIFY(!flagAt(4));
        QVERIFY(!flagAt(6));
    }

    void channelTableFollowsOnlyAtTheBottom()
    {
        Window w;
        w.views.pageControl()->setCurrentIndex(1);
        w.views.channelPageControl()->setCurrentIndex(0);
        w.views.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.views));
        QTableView* table = w.views.channelTable(0);
        QScrollBar* bar = table->verticalScrollBar();
        for (int i = 0; i < 60; ++i)
            w.link.dispatcher().dispatch(record(0, 1, 100, 0));
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());

        bar->setValue(3);
        w.link.dispatcher().dispatch(record(0, 1, 100, 0));
        QCOMPARE(bar->value(), 3);
        bar->setValue(bar->maximum());
        w.link.dispatcher().dispatch(record(0, 1, 100, 0));
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(table->model()->rowCount(), 62);
    }
};

QTEST_MAIN(MeasurementViewsTest)
#include "tst_measurementviews.moc"
