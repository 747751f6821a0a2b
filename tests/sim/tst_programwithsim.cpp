#include "app/Maindebugmega.h"
#include "link/Changeadrbo.h"
#include "link/FunctionCodes.h"
#include "monitor/MeasurementArchive.h"
#include "monitor/MeasurementMonitor.h"
#include "support/ProgramFixture.h"
#include "support/SimProcess.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {
int archivedRows(const QString& workingFolder, int channelIndex)
{
    MeasurementArchive archive(workingFolder);
    QFile file(archive.filePath(QDate::currentDate(), channelIndex));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count("\r\n")) - 1; // the first line is the header
}

void writeConnectionTable(const QString& workingFolder, const QByteArray& content)
{
    QDir(workingFolder).mkpath(QStringLiteral("Служебные/Константы БО"));
    QFile file(workingFolder + QStringLiteral("/Служебные/Константы БО/ConnectionTable.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
} // namespace

// The real program against the unit simulator.
class ProgramWithSimTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void activeModeFillsTablesAndArchive();
    void queryModeAsksEachConnectedSensor();
    void measurementCommands();
    void unitAddressChange();
    void faultyLineLosesNoIntactRecord();
};

void ProgramWithSimTest::initTestCase()
{
    if (!QFile::exists(SimProcess::binary()))
        QSKIP("vt2m-sim is not built next to the tests");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void ProgramWithSimTest::activeModeFillsTablesAndArchive()
{
    SimProcess sim({QStringLiteral("--period"), QStringLiteral("0.2"), QStringLiteral("--no-signal"),
                    QStringLiteral("8")});
    QVERIFY2(sim.isReady(), qPrintable(sim.log()));
    ProgramFixture program;
    program.startOnPort(sim.linkPath());
    MeasurementMonitor& monitor = program.mainForm().monitor();
    for (int k = 0; k < 7; ++k)
        QTRY_VERIFY_WITH_TIMEOUT(monitor.channelTable(k).rowCount() >= 2, 5000);
    QCOMPARE(monitor.tabCaption(0), QStringLiteral("Адрес 1"));
    QCOMPARE(monitor.channelTable(0).cellText(0, 8), QStringLiteral("1"));
    QCOMPARE(monitor.channelTable(6).cellText(0, 8), QStringLiteral("7"));
    // Channel 8 gives no signal: its system row says so and its table stays empty.
    QTRY_COMPARE(monitor.systemTable().data(monitor.systemTable().index(8, 8)).toString(),
                 QStringLiteral("Нет сигнала (8)"));
    QCOMPARE(monitor.channelTable(7).rowCount(), 0);
    for (int k = 0; k < 7; ++k)
        QVERIFY(archivedRows(program.workingFolder(), k) >= monitor.channelTable(k).rowCount() - 1);
    QVERIFY(program.answers().shown().isEmpty());
}

void ProgramWithSimTest::queryModeAsksEachConnectedSensor()
{
    SimProcess sim({QStringLiteral("--passive")});
    QVERIFY2(sim.isReady(), qPrintable(sim.log()));
    ProgramFixture program;
    writeConnectionTable(program.workingFolder(), "3; 1;\r\n5; 2;\r\n0; 3;\r\n");
    program.startOnPort(sim.linkPath());
    MeasurementMonitor& monitor = program.mainForm().monitor();
    program.mainForm().MMQerryReg->trigger();
    QVERIFY(monitor.queryMode());
    QVERIFY(monitor.queryTimer().isActive());
    // Tick by hand rather than every 4.5 s: sensors 3, 5, 3 are asked in turn.
    for (int tick = 0; tick < 3; ++tick) {
        monitor.QerryTimerTimer();
        QTest::qWait(150);
    }
    // The sim has sensor 3 on channel 3 and sensor 5 on channel 5.
    QTRY_COMPARE(monitor.channelTable(2).rowCount(), 2);
    QTRY_COMPARE(monitor.channelTable(4).rowCount(), 1);
    for (int k : {0, 1, 3, 5, 6, 7})
        QCOMPARE(monitor.channelTable(k).rowCount(), 0);
}

void ProgramWithSimTest::measurementCommands()
{
    SimProcess sim({QStringLiteral("--passive")});
    QVERIFY2(sim.isReady(), qPrintable(sim.log()));
    ProgramFixture program;
    program.startOnPort(sim.linkPath());
    TMainForm& main = program.mainForm();
    main.MMDebugReg->trigger();
    for (QAction* command : {main.MMStartMes, main.MMStopMes, main.MMActiveRegOn, main.MMActiveRegOff}) {
        const int before = program.answers().shown().size();
        command->trigger();
        QTRY_COMPARE(program.answers().shown().size(), before + 1);
        QCOMPARE(program.answers().shown().last().text, QStringLiteral("Команда выполнена"));
    }
    main.MMBOInfo->trigger();
    QTRY_VERIFY(program.answers().shown().last().text.startsWith(QStringLiteral("Дата прошивки: ")));
    const QString info = program.answers().shown().last().text;
    QVERIFY2(info.contains(QStringLiteral("  | Версия ПО: ")) &&
                 info.contains(QStringLiteral("  | ID прошивки: ")) && info.endsWith(QStringLiteral(".a90")),
             qPrintable(info));
}

void ProgramWithSimTest::unitAddressChange()
{
    SimProcess sim({QStringLiteral("--passive")});
    QVERIFY2(sim.isReady(), qPrintable(sim.log()));
    ProgramFixture program;
    program.startOnPort(sim.linkPath());
    TChangeAdrBOForm& window = *program.windows().m_changeAdrBO;
    window.show();
    window.txtNewAdr->setText(QStringLiteral("230"));
    window.btnWriteBOAdrClick();
    QTRY_VERIFY(program.answers().wasShown(QStringLiteral("Адрес БО изменен на 230")));
    QCOMPARE(program.mainForm().currentUnitAddress(), QStringLiteral("230"));
    // The unit now answers under its new address only, and the program follows it there.
    program.mainForm().monitor().sendUnitInfoRequest();
    QTRY_VERIFY(program.answers().shown().last().text.startsWith(QStringLiteral("Дата прошивки: ")));
}

void ProgramWithSimTest::faultyLineLosesNoIntactRecord()
{
    SimProcess sim({QStringLiteral("--period"), QStringLiteral("0.1"), QStringLiteral("--bad-lrc-rate"),
                    QStringLiteral("0.2"), QStringLiteral("--noise-rate"), QStringLiteral("0.5"),
                    QStringLiteral("--drop-rate"), QStringLiteral("0.1"), QStringLiteral("--chunked"),
                    QStringLiteral("--seed"), QStringLiteral("42")});
    QVERIFY2(sim.isReady(), qPrintable(sim.log()));
    ProgramFixture program;
    int intactRecords = 0;
    int failedFrames = 0;
    program.startOnPort(sim.linkPath());
    LineLink& link = program.mainForm().link();
    QObject::connect(&link.receive(), &ReceivePath::frameAccepted,
                     [&](quint8, quint8 code) { intactRecords += code == FunctionCode::kMeasurementRecord; });
    QObject::connect(&link.receive(), &ReceivePath::lrcFailed, [&] { ++failedFrames; });
    QTest::qWait(5000);
    // Stop listening before counting, so that nothing arrives in between.
    program.mainForm().link().pauseReception();
    MeasurementMonitor& monitor = program.mainForm().monitor();
    int tableRows = 0;
    int archived = 0;
    for (int k = 0; k < 8; ++k) {
        tableRows += monitor.channelTable(k).rowCount();
        archived += archivedRows(program.workingFolder(), k);
    }
    QVERIFY2(intactRecords >= 10, qPrintable(QStringLiteral("%1 records, %2 failed, %3 rows")
                                                 .arg(intactRecords)
                                                 .arg(failedFrames)
                                                 .arg(tableRows)));
    QVERIFY(failedFrames > 0);
    QCOMPARE(tableRows, intactRecords);
    QCOMPARE(archived, intactRecords);
    QVERIFY(link.port().isOpen());
}

QTEST_MAIN(ProgramWithSimTest)
#include "tst_programwithsim.moc"
