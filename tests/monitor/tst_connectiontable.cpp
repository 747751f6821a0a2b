// Reading the connection table quietly into the sensor address table, and the constants-file
// line rules it rests on.
#include "sensorconfig/SensorAddressTable.h"
#include "unitconfig/ConstantsTextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Entries = std::array<int, SensorAddressTable::kChannelCount>;
Q_DECLARE_METATYPE(Entries)

class ConnectionTableTest : public QObject
{
    Q_OBJECT
private slots:
    void splitLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("CR LF lines") << QByteArray("1; 1;\r\n2; 2;\r\n")
                                     << QList<QByteArray>{"1; 1;", "2; 2;"};
        QTest::newRow("last line without CR LF dropped") << QByteArray("1;\r\n2;") << QList<QByteArray>{"1;"};
        QTest::newRow("LF-only ends give no line") << QByteArray("1;\n2;\n") << QList<QByteArray>{};
        QTest::newRow("lone CR and LF stay in the line")
            << QByteArray("a\rb\nc\r\n\r\n") << QList<QByteArray>{"a\rb\nc", ""};
    }
    void splitLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(splitConstantsLines(content), lines);
    }

    void scanLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("fields");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("two fields") << QByteArray("12; 34;") << 2 << 2 << 12 << 34;
        QTest::newRow("blanks and signs") << QByteArray("  -7;\t+3;") << 2 << 2 << -7 << 3;
        QTest::newRow("letters after the number") << QByteArray("12abc") << 1 << 1 << 12 << 0;
        QTest::newRow("second missing") << QByteArray("5;") << 2 << 1 << 5 << 0;
        QTest::newRow("no ';' before the second") << QByteArray("5 6;") << 2 << 1 << 5 << 0;
        QTest::newRow("empty cell") << QByteArray(";") << 1 << 0 << 0 << 0;
        QTest::newRow("sign alone") << QByteArray("-;") << 1 << 0 << 0 << 0;
        QTest::newRow("beyond 32 bits") << QByteArray("2147483648;") << 1 << 0 << 0 << 0;
        QTest::newRow("smallest 32-bit") << QByteArray("-2147483648;") << 1 << 1 << int(-2147483648LL) << 0;
    }
    void scanLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, fields);
        QFETCH(int, count);
        QFETCH(int, first);
        QFETCH(int, second);
        const ConstantsLineValues values = scanConstantsLine(line, fields);
        QCOMPARE(values.count, count);
        if (count >= 1)
            QCOMPARE(values.values[0], first);
        if (count >= 2)
            QCOMPARE(values.values[1], second);
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Entries>("entries");
        QTest::newRow("default table")
            << QByteArray("1; 1;\r\n2; 2;\r\n3; 3;\r\n4; 4;\r\n5; 5;\r\n6; 6;\r\n7; 7;\r\n8; 8;\r\n")
            << Entries{1, 2, 3, 4, 5, 6, 7, 8};
        // Entries 2 .. 7 keep the 99 they had before the load.
        QTest::newRow("two sensors, a final line without CR LF")
            << QByteArray("5; 1;\r\n9; 2;\r\n0; 3;\r\n") << Entries{5, 9, 0, 99, 99, 99, 99, 99};
        QTest::newRow("non-number, overlong line and extra lines")
            << (QByteArray(";\r\n") + QByteArray(52, '7') +
                "\r\n3; 3;\r\n4;\r\n5;\r\n6;\r\n7;\r\n8;\r\n9;\r\n")
            << Entries{99, 99, 3, 4, 5, 6, 7, 8};
        QTest::newRow("51 characters still read")
            << (QByteArray("42;") + QByteArray(48, ' ') + "\r\n") << Entries{42, 99, 99, 99, 99, 99, 99, 99};
    }
    void load()
    {
        QFETCH(QByteArray, content);
        QFETCH(Entries, entries);
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkpath(QStringLiteral("Служебные/Константы БО")));
        QFile file(connectionTableFilePath(work.path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        SensorAddressTable table;
        for (int k = 0; k < SensorAddressTable::kChannelCount; ++k)
            table.setEntry(k, 99);
        QVERIFY(LoadConnectionTableQuiet(table, work.path()));
        QCOMPARE(table.entries(), entries);
    }

    void missingFileLeavesTable()
    {
        QTemporaryDir work;
        SensorAddressTable table;
        table.setEntry(0, 7);
        QVERIFY(!LoadConnectionTableQuiet(table, work.path()));
        QVERIFY(QDir(work.path()).mkpath(QStringLiteral("Служебные/Константы БО")));
        QVERIFY(!LoadConnectionTableQuiet(table, work.path()));
        QCOMPARE(table.entries(), (Entries{7, 0, 0, 0, 0, 0, 0, 0}));
        // Nothing was created by the quiet load.
        QVERIFY(!QFile::exists(connectionTableFilePath(work.path())));
    }
};

QTEST_GUILESS_MAIN(ConnectionTableTest)
#include "tst_connectiontable.moc"
