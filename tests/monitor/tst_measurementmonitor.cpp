// Measurement records into the system table, the channel tables and the panels; polling in
// query mode; the no-data supervision; the measurement commands and their answers.
#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"
#include "link/LineLink.h"
#include "monitor/MeasurementMonitor.h"
#include "sensorconfig/SensorAddressTable.h"
#include "support/MonitorHarness.h"
#include "support/PtyPair.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The folder comes first, so that it exists before the monitor is built on it.
struct WorkFolder
{
    QTemporaryDir work;
};

struct Program : WorkFolder, MonitorHarness
{
    Program() : MonitorHarness(work.path(), QDateTime(QDate(2010, 3, 5), QTime(9, 30, 0)))
    {
        startLikeTheMainWindow();
    }
    QStringList systemRow(int row) const
    {
        QStringList cells;
        for (int c = 0; c < kMeasurementColumnCount; ++c)
            cells << monitor.systemTable().cell(row, c);
        return cells;
    }
};

const QColor kWindowText = QGuiApplication::palette().color(QPalette::WindowText);
} // namespace

class MeasurementMonitorTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void recordFillsSystemRowAndChannelTable()
    {
        Program p;
        QSignalSpy captions(&p.monitor, &MeasurementMonitor::tabCaptionChanged);
        // Through the whole receive path: frame text, assembler, LRC, dispatch.
        RecordFields f;
        f.channel = 3;
        f.address = 42;
        f.alarms = 0x05;
        f.validity = 0x01;
        p.link.receive().appendReceived("junk" + encodeFrame(1, 52, recordData(f)));
        p.link.receive().drain();

        QCOMPARE(p.systemRow(4),
                 (QStringList{"09:30:00", "66,6", "---", "25", "1234", "0", "0", "Авар. максимум", "42"}));
        const QModelIndex alarmCell = p.monitor.systemTable().index(4, kAlarmColumn);
        QCOMPARE(alarmCell.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 6));
        QVERIFY(p.monitor.dataSeen(3));
        QVERIFY(!p.monitor.dataSeen(2));

        const ChannelTableModel& table = p.monitor.channelTable(3);
        QCOMPARE(table.rowCount(), 1);
        QCOMPARE(table.cellText(0, 7), QStringLiteral("Авар. максимум"));
        QCOMPARE(table.cellText(0, 2), QStringLiteral("---"));
        QCOMPARE(table.index(0, 7).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 6));
        QCOMPARE(p.monitor.tabCaption(3), QStringLiteral("Адрес 42"));
        QCOMPARE(captions.size(), 1);
    }

    void noAlarmTexts()
    {
        Program p;
        RecordFields f;
        f.channel = 0;
        p.receive(record(f));
        QCOMPARE(p.monitor.systemTable().cell(1, kAlarmColumn), QStringLiteral("---"));
        QCOMPARE(p.monitor.systemTable().index(1, kAlarmColumn).data(Qt::ForegroundRole).value<QColor>(),
                 kWindowText);
        QCOMPARE(p.monitor.channelTable(0).cellText(0, kAlarmColumn), QStringLiteral("-"));
        QVERIFY(!p.monitor.channelTable(0).index(0, kAlarmColumn).data(Qt::ForegroundRole).isValid());
    }

    void twoRecordsOfOneChannel()
    {
        Program p;
        RecordFields f;
        f.channel = 6;
        f.address = 11;
        p.receive(record(f));
        p.clock = p.clock.addSecs(2);
        f.address = 12;
        p.receive(record(f));
        const ChannelTableModel& table = p.monitor.channelTable(6);
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(table.cellText(0, 0), QStringLiteral("09:30:00"));
        QCOMPARE(table.cellText(1, 0), QStringLiteral("09:30:02"));
        QCOMPARE(p.monitor.tabCaption(6), QStringLiteral("Адрес 12"));
    }

    void flagFollowsTheLastRow()
    {
        Program p;
        SystemTableModel& table = p.monitor.systemTable();
        QCOMPARE(table.flagRow(), -1);
        RecordFields f;
        f.channel = 1;
        p.receive(record(f));
        f.channel = 4;
        p.receive(record(f));
        for (int row = 0; row < SystemTableModel::kRowCount; ++row) {
            for (int column = 0; column < kMeasurementColumnCount; ++column)
                QCOMPARE(table.index(row, column).data(MeasurementRole::Flag).toBool(),
                         row == 5 && column == 0);
        }
        p.receive(noSignal(7, 3));
        QCOMPARE(table.flagRow(), 8);
    }

    void noSignalRecord()
    {
        Program p;
        RecordFields f;
        f.channel = 3;
        f.alarms = 0x02;
        p.receive(record(f));
        p.monitor.NoDataChannelTimerTimer(3);
        QVERIFY(!p.monitor.dataSeen(3));
        p.clock = p.clock.addSecs(1);
        p.receive(noSignal(3, 77));

        QCOMPARE(p.systemRow(4),
                 (QStringList{"09:30:01", "-", "-", "-", "-", "-", "-", "-", "Нет сигнала (77)"}));
        // The alarm cell keeps the colour it had.
        QCOMPARE(p.monitor.systemTable().index(4, kAlarmColumn).data(Qt::ForegroundRole).value<QColor>(),
                 QColor(175, 62, 200));
        QCOMPARE(p.monitor.channelTable(3).rowCount(), 1);
        QCOMPARE(p.monitor.tabCaption(3), QStringLiteral("Адрес 5"));
        QVERIFY(p.monitor.dataSeen(3));
        QVERIFY(p.monitor.noDataTimer(3).isActive());

        const MnemonicPanelState& panel = p.monitor.panelState(3);
        QCOMPARE(panel.stateText, QStringLiteral("Нет сигнала (77)"));
        QVERIFY(!panel.stateConnected);
        QCOMPARE(panel.humidityText, QStringLiteral("0%"));
        QCOMPARE(panel.temperatureText, QStringLiteral("--- град.С"));
        QCOMPARE(panel.alarmText, QStringLiteral("---"));
        QCOMPARE(panel.alarmColour, AlarmColour::Normal);
    }

    void droppedRecordsTouchNothing_data()
    {
        QTest::addColumn<QByteArray>("data");
        RecordFields f;
        f.channel = 8;
        QByteArray shortRecord = recordData(RecordFields{});
        shortRecord.truncate(kRecordWithReadingsBytes - 1);
        QTest::newRow("46 data bytes") << shortRecord;
        QTest::newRow("channel index 8") << recordData(f);
        QTest::newRow("no signal, 2 data bytes") << QByteArray("\x05\x01", 2);
        QTest::newRow("no signal, channel index 8") << QByteArray("\x05\x01\x08", 3);
    }
    void droppedRecordsTouchNothing()
    {
        QFETCH(QByteArray, data);
        Program p;
        QSignalSpy panels(&p.monitor, &MeasurementMonitor::panelChanged);
        QSignalSpy systemChanges(&p.monitor.systemTable(), &QAbstractItemModel::dataChanged);
        QTest::qWait(50); // so that a restarted no-data timer would show more time left
        std::array<int, kChannelCount> remaining{};
        for (int k = 0; k < kChannelCount; ++k)
            remaining[size_t(k)] = p.monitor.noDataTimer(k).remainingTime();
        p.receive(ResponseFrame(1, FunctionCode::kMeasurementRecord, data));
        QCOMPARE(panels.size(), 0);
        QCOMPARE(systemChanges.size(), 0);
        for (int k = 0; k < kChannelCount; ++k) {
            QVERIFY(!p.monitor.dataSeen(k));
            QCOMPARE(p.monitor.channelTable(k).rowCount(), 0);
            QVERIFY(p.monitor.noDataTimer(k).remainingTime() <= remaining[size_t(k)]);
        }
        QVERIFY(!QDir(p.work.filePath(QStringLiteral("Данные/2010"))).exists());
    }

    void panels_data()
    {
        QTest::addColumn<int>("humidityTenths");
        QTest::addColumn<int>("validity");
        QTest::addColumn<int>("alarms");
        QTest::addColumn<QString>("humidity");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<int>("alarmColour");
        QTest::newRow("66.6") << 666 << 0 << 0 << "66,6%" << 66 << "25 град.С"
                              << "---" << int(AlarmColour::Normal);
        QTest::newRow("123.4 fills the bar") << 1234 << 0 << 0x02 << "123%" << 100 << "25 град.С"
                                             << "Максимум" << int(AlarmColour::Maximum);
        QTest::newRow("0, T1 invalid only") << 0 << 1 << 0x01 << "0%" << 0 << "25 град.С"
                                            << "Минимум" << int(AlarmColour::Minimum);
        QTest::newRow("T2 invalid") << 55 << 2 << 0 << "5,5%" << 5 << "--- град.С"
                                    << "---" << int(AlarmColour::Normal);
    }
    void panels()
    {
        QFETCH(int, humidityTenths);
        QFETCH(int, validity);
        QFETCH(int, alarms);
        Program p;
        RecordFields f;
        f.channel = 2;
        f.address = 9;
        f.humidityTenths = quint16(humidityTenths);
        f.validity = quint8(validity);
        f.alarms = quint8(alarms);
        p.receive(record(f));
        const MnemonicPanelState& panel = p.monitor.panelState(2);
        QTEST(panel.humidityText, "humidity");
        QTEST(panel.barPosition, "bar");
        QTEST(panel.temperatureText, "temperature");
        QTEST(panel.alarmText, "alarm");
        QTEST(int(panel.alarmColour), "alarmColour");
        QCOMPARE(panel.stateText, QStringLiteral("Подключен (9)"));
        QVERIFY(panel.stateConnected);
    }

    void panelShowsT2WithThreeDigits()
    {
        Program p;
        RecordFields f;
        f.t2Low = 0x90;
        f.t2High = 0xFC; // -54.9
        p.receive(record(f));
        QCOMPARE(p.monitor.panelState(0).temperatureText, QStringLiteral("-54,9 град.С"));
        QCOMPARE(p.monitor.systemTable().cell(1, 3), QStringLiteral("-54,9"));
    }

    void startStateOfPanels()
    {
        Program p;
        for (int k = 0; k < kChannelCount; ++k) {
            const MnemonicPanelState& panel = p.monitor.panelState(k);
            QCOMPARE(panel.stateText, QStringLiteral("Не подключен"));
            QVERIFY(!panel.stateConnected);
            QCOMPARE(panel.humidityText, QStringLiteral("0%"));
            QCOMPARE(panel.barPosition, 0);
            QCOMPARE(panel.temperatureText, QStringLiteral("--- град.С"));
            QCOMPARE(panel.alarmText, QStringLiteral("---"));
            QCOMPARE(p.monitor.tabCaption(k), QStringLiteral("Не определен"));
        }
        QCOMPARE(p.systemRow(0), (QStringList{"Время", "Влажность, %", "Т1,град С", "Т2,град С", "Период, уе",
                                              "CS1", "CS2", "Сигнализация", "Адрес датчика"}));
    }

    void sweepBlanksSilentChannels()
    {
        Program p;
        RecordFields f;
        f.channel = 1;
        f.alarms = 0x04;
        p.receive(record(f));
        f.channel = 5;
        p.receive(record(f));
        p.monitor.MainTableClearTimerTimer();
        // Channels with data are left alone, the others read "не подключен".
        QCOMPARE(p.systemRow(2)[8], QStringLiteral("5"));
        QCOMPARE(p.systemRow(1), (QStringList{"", "", "", "", "", "", "", "", "не подключен"}));

        // Channel 2's time-out passes: the next sweep blanks it, flag icon and colour untouched.
        p.monitor.NoDataChannelTimerTimer(1);
        p.monitor.MainTableClearTimerTimer();
        QCOMPARE(p.systemRow(2), (QStringList{"", "", "", "", "", "", "", "", "не подключен"}));
        QCOMPARE(p.monitor.systemTable().alarmColour(2), AlarmColour::Emergency);
        QCOMPARE(p.monitor.systemTable().flagRow(), 6);
        const MnemonicPanelState& panel = p.monitor.panelState(1);
        QCOMPARE(panel.stateText, QStringLiteral("Не подключен"));
        QVERIFY(!panel.stateConnected);
        QCOMPARE(panel.alarmText, QStringLiteral("---"));
        QCOMPARE(panel.alarmColour, AlarmColour::Normal);
        QCOMPARE(panel.barPosition, 0);
        QCOMPARE(p.systemRow(6)[8], QStringLiteral("5"));

        // A record between the time-out and the sweep keeps the row.
        p.monitor.NoDataChannelTimerTimer(5);
        p.receive(record(f));
        p.monitor.MainTableClearTimerTimer();
        QCOMPARE(p.systemRow(6)[1], QStringLiteral("66,6"));
    }

    void noDataTimers()
    {
        Program p;
        QCOMPARE(p.monitor.noDataTimeoutMs(), 60000);
        QCOMPARE(p.monitor.sweepTimer().interval(), 3000);
        QVERIFY(p.monitor.sweepTimer().isActive());
        for (int k = 0; k < kChannelCount; ++k) {
            QVERIFY(p.monitor.noDataTimer(k).isActive());
            QCOMPARE(p.monitor.noDataTimer(k).interval(), 60000);
        }
        p.monitor.setNoDataTimeoutSeconds(0);
        RecordFields f;
        p.receive(record(f));
        for (int k = 0; k < kChannelCount; ++k)
            QVERIFY(!p.monitor.noDataTimer(k).isActive());
    }

    void silentChannelShownAfterRealTimeout()
    {
        Program p;
        p.monitor.setNoDataTimeoutSeconds(2);
        RecordFields f;
        f.channel = 0;
        p.receive(record(f));
        QTest::qWait(1000);
        p.receive(record(f)); // restarts the full time-out
        QTest::qWait(1300);
        QVERIFY(p.monitor.dataSeen(0));
        QTRY_VERIFY_WITH_TIMEOUT(!p.monitor.dataSeen(0), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(p.systemRow(1)[8], QStringLiteral("не подключен"), 4000);
        QCOMPARE(p.monitor.panelState(0).stateText, QStringLiteral("Не подключен"));
    }

    void queryModeWalksTheSensors()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        Program p;
        p.link.setAddressSource([] { return QStringLiteral("225"); });
        QVERIFY(p.link.port().open(pty.slavePath()));
        p.sensors.setEntry(0, 5);
        p.sensors.setEntry(1, 9);

        QVERIFY(!p.monitor.queryMode());
        QVERIFY(!p.monitor.queryTimer().isActive());
        p.monitor.MMQerryRegClick();
        QVERIFY(p.monitor.queryTimer().isActive());
        QCOMPARE(p.monitor.queryTimer().interval(), 4500);
        p.monitor.QerryTimerTimer();
        p.monitor.QerryTimerTimer();
        p.monitor.QerryTimerTimer();
        // Back to unit-active mode and on again: polling resumes after the last sensor asked.
        p.monitor.MMBOActiveClick();
        QVERIFY(!p.monitor.queryTimer().isActive());
        QCOMPARE(p.monitor.pollPosition(), 1);
        p.monitor.MMQerryRegClick();
        p.monitor.MMQerryRegClick(); // already on: nothing changes
        p.monitor.QerryTimerTimer();
        p.monitor.QerryTimerTimer();

        const auto ask = [](char address) { return encodeFrame(225, 52, QByteArray(1, address)); };
        QCOMPARE(pty.readFrames(5), ask(5) + ask(9) + ask(5) + ask(9) + ask(5));
    }

    void queryCyclesAllEightAndSkipsEmptyTable()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        Program p;
        p.link.setAddressSource([] { return QStringLiteral("1"); });
        QVERIFY(p.link.port().open(pty.slavePath()));
        p.monitor.QerryTimerTimer(); // empty table: nothing sent
        QCOMPARE(p.monitor.pollPosition(), 0);
        QByteArray expected;
        for (int k = 0; k < kChannelCount; ++k)
            p.sensors.setEntry(k, 300 + k); // only the low byte goes out
        for (int tick = 0; tick < 10; ++tick) {
            p.monitor.QerryTimerTimer();
            expected += encodeFrame(1, 52, QByteArray(1, char((300 + tick % 8) & 0xFF)));
        }
        QCOMPARE(pty.readFrames(10), expected);
    }

    void commandsAndAnswers()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        Program p;
        p.link.setAddressSource([] { return QStringLiteral("225"); });
        QVERIFY(p.link.port().open(pty.slavePath()));
        p.monitor.sendMeasurementsCommand(true);
        p.monitor.sendMeasurementsCommand(false);
        p.monitor.sendActiveModeCommand(true);
        p.monitor.sendActiveModeCommand(false);
        p.monitor.sendUnitInfoRequest();
        QCOMPARE(pty.readFrames(5), QByteArray(":E133FFED\r\n") + encodeFrame(225, 51, QByteArray(1, '\0')) +
                                        encodeFrame(225, 76, "\xFF") +
                                        encodeFrame(225, 76, QByteArray(1, '\0')) + encodeFrame(225, 81, {}));

        p.receive(ResponseFrame(7, FunctionCode::kStartStopMeasurements, QByteArray(1, '\0')));
        p.receive(ResponseFrame(7, FunctionCode::kActiveMode, {}));
        p.receive(ResponseFrame(7, FunctionCode::kUnitInfo,
                                QByteArray("\x03\x0C\x09\x02", 4) + QByteArray("ABC-DEF-GHI-JKL-MNO")));
        QCOMPARE(p.messages.size(), 3);
        for (const MonitorHarness::Message& m : p.messages) {
            QCOMPARE(m.caption, QStringLiteral("Сообщение системы"));
            QCOMPARE(m.kind, int(kMessageInformation));
        }
        QCOMPARE(p.messages[0].text, QStringLiteral("Команда выполнена"));
        QCOMPARE(p.messages[1].text, QStringLiteral("Команда выполнена"));
        QVERIFY(p.messages[2].text.startsWith(QStringLiteral("Дата прошивки: 03.12.09")));
    }

    void startReadsTheConnectionTable()
    {
        Program p;
        QVERIFY(QDir(p.work.path()).mkpath(QStringLiteral("Служебные/Константы БО")));
        QFile file(connectionTableFilePath(p.work.path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("5; 1;\r\n9; 2;\r\n0; 3;\r\n");
        file.close();
        p.monitor.prepareStartState();
        QCOMPARE(p.sensors.entry(0), 5);
        QCOMPARE(p.sensors.entry(1), 9);
        QCOMPARE(p.sensors.entry(2), 0);
    }
};

QTEST_MAIN(MeasurementMonitorTest)
#include "tst_measurementmonitor.moc"
