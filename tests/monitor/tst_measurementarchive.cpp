// The day's archive files: where they go, their bytes, reloading them at start, and failures.
#include "link/FunctionCodes.h"
#include "monitor/MeasurementMonitor.h"
#include "support/MonitorHarness.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

namespace {
const QDateTime kFifthOfMarch(QDate(2010, 3, 5), QTime(14, 7, 3));

QByteArray cp1251(const QString& text)
{
    return QTextCodec::codecForName("windows-1251")->fromUnicode(text);
}

// A record with readings for `channel`: humidity 66.6, T1 25, T2 -10, period 1234, CS1 0.7,
// CS2 1, address `address`, alarm bits `alarms`.
ResponseFrame archivedRecord(quint8 channel, quint8 address, quint8 alarms = 0)
{
    RecordFields f;
    f.channel = channel;
    f.address = address;
    f.alarms = alarms;
    f.t1Low = 0x91;
    f.t1High = 0x01;
    f.t2Low = 0x5E;
    f.t2High = 0xFF;
    f.cs1Tenths = 7;
    f.cs2Tenths = 10;
    return record(f);
}

// A monitor on a working folder with the PC clock fixed, today's archive loaded.
struct Program : MonitorHarness
{
    Program(const QString& folder, const QDateTime& now) : MonitorHarness(folder, now)
    {
        monitor.loadArchiveDay();
    }
};

QString filePath(const QString& folder, const QString& relative)
{
    return QDir(folder).filePath(relative);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class MeasurementArchiveTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void firstRecordCreatesFileWithHeader()
    {
        QTemporaryDir work;
        Program program(work.path(), kFifthOfMarch);
        program.receive(archivedRecord(2, 17));

        const QString path =
            filePath(work.path(), QStringLiteral("Данные/2010/Март/5/Измерения по каналу 3.mes"));
        const QByteArray tabs14(14, '\t');
        const QByteArray expected =
            cp1251(QStringLiteral("Время\tВлажность, %\tТ1,град С\tТ2,град С\tПериод, уе\tCS1\tCS2\t"
                                  "Сигнализация\tАдрес датчика\t")) +
            tabs14 + "\r\n" + QByteArray("14:07:03\t66,6\t25\t-10\t1234\t0,7\t1\t-\t17\t") + tabs14 + "\r\n";
        QCOMPARE(readAll(path), expected);
        QVERIFY(program.messages.isEmpty());

        // A second record of the same day adds one line and no second header.
        program.clock = program.clock.addSecs(1);
        program.receive(archivedRecord(2, 17, 0x04));
        const QByteArray second = readAll(path).mid(expected.size());
        QCOMPARE(second,
                 cp1251(QStringLiteral("14:07:04\t66,6\t25\t-10\t1234\t0,7\t1\tАвар. максимум\t17\t")) +
                     tabs14 + "\r\n");
        for (const QByteArray& line : readAll(path).split('\n').mid(0, 3))
            QCOMPARE(line.count('\t'), 23);
    }

    void afterMidnightGoesToNextDay()
    {
        QTemporaryDir work;
        Program program(work.path(), QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59)));
        program.receive(archivedRecord(0, 1));
        program.clock = QDateTime(QDate(2010, 1, 1), QTime(0, 0, 0));
        program.receive(archivedRecord(0, 1));
        QVERIFY(QFile::exists(
            filePath(work.path(), QStringLiteral("Данные/2009/Декабрь/31/Измерения по каналу 1.mes"))));
        QVERIFY(QFile::exists(
            filePath(work.path(), QStringLiteral("Данные/2010/Январь/1/Измерения по каналу 1.mes"))));
    }

    void restartShowsTheDaysRows()
    {
        QTemporaryDir work;
        {
            Program first(work.path(), kFifthOfMarch);
            first.receive(archivedRecord(4, 33, 0x01));
            first.clock = first.clock.addSecs(5);
            first.receive(archivedRecord(4, 34, 0x05));
            first.receive(archivedRecord(6, 8));
        }
        Program sameDay(work.path(), kFifthOfMarch.addSecs(3600));
        const ChannelTableModel& table = sameDay.monitor.channelTable(4);
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(table.cellText(0, 7), QStringLiteral("Минимум"));
        // The whole field comes back, not only its first word.
        QCOMPARE(table.cellText(1, 7), QStringLiteral("Авар. максимум"));
        QCOMPARE(table.cellText(1, 0), QStringLiteral("14:07:08"));
        QCOMPARE(table.cellText(1, 8), QStringLiteral("34"));
        QCOMPARE(sameDay.monitor.channelTable(6).rowCount(), 1);
        QCOMPARE(sameDay.monitor.channelTable(0).rowCount(), 0);

        // Live rows continue below the loaded ones and go to the same file once.
        sameDay.receive(archivedRecord(4, 35));
        QCOMPARE(table.rowCount(), 3);
        const QString path =
            filePath(work.path(), QStringLiteral("Данные/2010/Март/5/Измерения по каналу 5.mes"));
        QCOMPARE(readAll(path).count("\r\n"), 4);

        const QByteArray before = readAll(path);
        Program nextDay(work.path(), kFifthOfMarch.addDays(1));
        for (int k = 0; k < kChannelCount; ++k)
            QCOMPARE(nextDay.monitor.channelTable(k).rowCount(), 0);
        QCOMPARE(readAll(path), before);
    }

    void loadSkipsWhatIsNotARow()
    {
        const QByteArray tabs14(14, '\t');
        const QByteArray good = "10:00:00\t1\t2\t3\t4\t5\t6\t-\t7\t" + tabs14 + "\r\n";
        const QByteArray content = "header\r\n" + good + "short\tline\t\r\n" +        // too few fields
                                   QByteArray(2000, 'x') + "\t\t\t\t\t\t\t\t\t\r\n" + // far too long
                                   "\r\n" +                                           // empty
                                   "a\rb\t\t\t\t\t\t\t\tz\t\r\n" +                    // lone CR kept
                                   "11:00:00\t1\t2\t3\t4\t5\t6\t-\t7";                // no CR LF
        const ChannelRowStore rows = MeasurementArchive::parseContent(content);
        QCOMPARE(rows.rowCount(), 2);
        QCOMPARE(QByteArray(rows.rowBytes(0).data(), rows.rowBytes(0).size()),
                 QByteArray("10:00:00\t1\t2\t3\t4\t5\t6\t-\t7"));
        QCOMPARE(QByteArray(rows.cellBytes(1, 0).data(), rows.cellBytes(1, 0).size()), QByteArray("a\rb"));
        QCOMPARE(QByteArray(rows.cellBytes(1, 8).data(), rows.cellBytes(1, 8).size()), QByteArray("z"));

        QCOMPARE(MeasurementArchive::parseContent("only a header without its end").rowCount(), 0);
        QCOMPARE(MeasurementArchive::parseContent({}).rowCount(), 0);
    }

    // Tests may run as root, where permissions stop nothing: a plain file where a folder must be
    // makes the failure instead.
    void blockedFolderWarnsPerRecord_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::newRow("day folder") << QStringLiteral("Данные/2010/Март/5");
        QTest::newRow("archive root") << QStringLiteral("Данные");
    }
    void blockedFolderWarnsPerRecord()
    {
        QFETCH(QString, blocker);
        QTemporaryDir work;
        const QString blockerPath = filePath(work.path(), blocker);
        QVERIFY(QDir().mkpath(QFileInfo(blockerPath).path()));
        QFile plain(blockerPath);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();

        Program program(work.path(), kFifthOfMarch);
        program.receive(archivedRecord(1, 5));
        program.receive(archivedRecord(1, 5));
        QCOMPARE(program.messages.size(), 2);
        QCOMPARE(program.messages[0].text, QStringLiteral("Невозможно создать файл архива"));
        QCOMPARE(program.messages[0].caption, QStringLiteral("Сообщение системы"));
        QCOMPARE(program.messages[0].kind, int(kMessageWarning));
        // The tables keep updating.
        QCOMPARE(program.monitor.channelTable(1).rowCount(), 2);
        QCOMPARE(program.monitor.systemTable().cell(2, 8), QStringLiteral("5"));
    }

    void unopenableExistingFileIsNotRecreated()
    {
        QTemporaryDir work;
        // A folder with the file's name: it exists, but cannot be opened for appending.
        const QString path =
            filePath(work.path(), QStringLiteral("Данные/2010/Март/5/Измерения по каналу 1.mes"));
        QVERIFY(QDir().mkpath(path));
        Program program(work.path(), kFifthOfMarch);
        program.receive(archivedRecord(0, 5));
        QCOMPARE(program.messages.size(), 1);
        QVERIFY(QFileInfo(path).isDir());
    }
};

QTEST_MAIN(MeasurementArchiveTest)
#include "tst_measurementarchive.moc"
