// Decoding of measurement records (code 52) and unit information (code 81) into their texts.
#include "monitor/FirmwareInfo.h"
#include "monitor/MeasurementRecord.h"

#include <QLocale>
#include <QTest>

namespace {
// A record with readings: every position the unit fills, the rest 0.
QByteArray recordData(quint8 address, quint8 channel)
{
    QByteArray d(kRecordWithReadingsBytes, '\0');
    d[0] = char(address);
    d[2] = char(channel);
    return d;
}
} // namespace

class MeasurementRecordTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void temperature_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("shown");
        QTest::newRow("25.0625 shows 25") << 0x91 << 0x01 << "25";
        QTest::newRow("-10.0625 shows -10") << 0x5E << 0xFF << "-10";
        QTest::newRow("-0.4375 shows -0.4") << 0xF8 << 0xFF << "-0,4";
        QTest::newRow("-54.9375 shows -54.9") << 0x90 << 0xFC << "-54,9";
        QTest::newRow("0.0625 shows 0") << 0x01 << 0x00 << "0";
        QTest::newRow("-0.0625 shows 0, not -0") << 0xFE << 0xFF << "0";
        QTest::newRow("largest magnitude 127.9") << 0xFF << 0x07 << "127,9";
    }
    void temperature()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, shown);
        QCOMPARE(formatTableNumber(DecodeTemperature(quint8(low), quint8(high))), shown);
    }

    void rowTexts()
    {
        QByteArray d = recordData(17, 2);
        d[3] = 0x01; // T1 invalid
        d[19] = 0x02;
        d[20] = char(0x9A); // 666 tenths
        d[27] = char(0x91);
        d[28] = 0x01;
        d[29] = 0x5E;
        d[30] = char(0xFF);
        d[37] = 0x04;
        d[38] = char(0xD2); // 1234
        d[43] = 0x00;
        d[44] = 0x07; // 0.7
        d[45] = 0x27;
        d[46] = 0x10; // 10000 tenths
        const auto record = decodeMeasurementRecord(ResponseFrame(1, 52, d));
        QVERIFY(record);
        QCOMPARE(record->channelIndex, 2);
        QVERIFY(!record->t1Valid);
        QVERIFY(record->t2Valid);

        const MeasurementRow row = measurementRow(*record, QStringLiteral("08:05:09"), kNoAlarmChannelText);
        const std::array<QString, kMeasurementColumnCount> expected = {
            "08:05:09", "66,6", "---", "-10", "1234", "0,7", "1000", "-", "17"};
        QCOMPARE(row.cells, expected);
        QCOMPARE(row.alarmColour, AlarmColour::Normal);
    }

    void alarms_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("none") << 0 << "---" << QColor();
        QTest::newRow("bit 0") << 0x01 << "Минимум" << QColor(0, 128, 0);
        QTest::newRow("bit 1") << 0x02 << "Максимум" << QColor(175, 62, 200);
        QTest::newRow("bits 0 and 2: the highest wins") << 0x05 << "Авар. максимум" << QColor(255, 0, 6);
        QTest::newRow("other bits ignored") << 0xF8 << "---" << QColor();
    }
    void alarms()
    {
        QFETCH(int, bits);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        const AlarmState state = alarmStateFromBits(quint8(bits), kNoAlarmSystemText);
        QCOMPARE(state.text, text);
        QCOMPARE(alarmQColor(state.colour), colour);
    }

    void rejectedRecords_data()
    {
        QTest::addColumn<QByteArray>("data");
        QByteArray shortReadings = recordData(5, 0);
        shortReadings.chop(1);
        QByteArray channel8 = recordData(5, 8);
        QTest::newRow("46 bytes with readings") << shortReadings;
        QTest::newRow("channel index 8") << channel8;
        QTest::newRow("no signal, 2 bytes") << QByteArray("\x05\x01", 2);
        QTest::newRow("no signal, channel index 200") << QByteArray("\x05\x01\xC8", 3);
    }
    void rejectedRecords()
    {
        QFETCH(QByteArray, data);
        QVERIFY(!decodeMeasurementRecord(ResponseFrame(1, 52, data)));
    }

    void noSignalRecordNeedsThreeBytes()
    {
        const auto record = decodeMeasurementRecord(ResponseFrame(1, 52, QByteArray("\x2A\x01\x03", 3)));
        QVERIFY(record);
        QVERIFY(record->noSignal);
        QCOMPARE(record->channelIndex, 3);
        QCOMPARE(record->sensorAddress, quint8(42));
    }

    void firmwareInfo_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        QTest::newRow("full answer")
            << (QByteArray("\x03\x0C\x09\x07", 4) + QByteArray("ABC-DEF-GHI-JKL-MNO"))
            << "Дата прошивки: 03.12.09  | Версия ПО: 7  | ID прошивки: ABC-DEF-GHI-JKL-MNO"
               "  | Файл прошивки: ABCDEFGHIJKLMNO.a90";
        QTest::newRow("three-digit date bytes, zero ends the identifier")
            << (QByteArray("\x1F\x0A\xFF\x0C", 4) + QByteArray("AB-C\0XYZ", 8) + QByteArray(11, 'Q'))
            << "Дата прошивки: 31.10.255  | Версия ПО: 12  | ID прошивки: AB-C  | Файл прошивки: AB-.a90";
        QTest::newRow("short answer reads nothing beyond it")
            << QByteArray("\x01\x02", 2)
            << "Дата прошивки: 01.02.00  | Версия ПО: 0  | ID прошивки:   | Файл прошивки: .a90";
    }
    void firmwareInfo()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        QCOMPARE(FormatFirmwareInfo(ResponseFrame(200, 81, data)), text);
    }
};

QTEST_GUILESS_MAIN(MeasurementRecordTest)
#include "tst_measurementrecord.moc"
