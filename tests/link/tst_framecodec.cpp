#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

class FrameCodecTest : public QObject
{
    Q_OBJECT
private slots:
    void encodesRequests_data();
    void encodesRequests();
    void decodesWhatItEncodes();
    void rejectsDamagedFrames_data();
    void rejectsDamagedFrames();
    void crcCheckValues_data();
    void crcCheckValues();
    void lrcAgreesWithIndependentImplementation();
};

void FrameCodecTest::encodesRequests_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("wire");

    QTest::newRow("start measurements at 225")
        << 225 << 51 << QByteArray::fromHex("FF") << QByteArray(":E133FFED\r\n");
    QTest::newRow("change address 225 to 226")
        << 225 << 82 << QByteArray::fromHex("E2") << QByteArray(":E152E2EB\r\n");
    QTest::newRow("read connection table") << 1 << 63 << QByteArray() << QByteArray(":013FC0\r\n");
    QTest::newRow("connection table signature") << 1 << 64 << QByteArray() << QByteArray(":0140BF\r\n");
    QTest::newRow("read unit constants") << 1 << 66 << QByteArray() << QByteArray(":0142BD\r\n");
    QTest::newRow("unit constants signature") << 1 << 67 << QByteArray() << QByteArray(":0143BC\r\n");
    QTest::newRow("default connection table")
        << 1 << 62 << QByteArray::fromHex("01010202030304040505060607070808")
        << QByteArray(":013E0101020203030404050506060707080879\r\n");
    QTest::newRow("default unit constants")
        << 1 << 65 << QByteArray::fromHex("01001388000000000000002D002D002D00000000")
        << QByteArray(":014101001388000000000000002D002D002D000000009B\r\n");
    QTest::newRow("default relays") << 1 << 68 << QByteArray::fromHex("8080808080808080")
                                    << QByteArray(":01448080808080808080BB\r\n");
    QTest::newRow("clock 3 Sep 2011 09:07:05")
        << 1 << 77 << QByteArray::fromHex("05070903090B0000") << QByteArray(":014D05070903090B000086\r\n");
    QTest::newRow("address 255, LRC 0") << 255 << 1 << QByteArray() << QByteArray(":FF0100\r\n");
}

void FrameCodecTest::encodesRequests()
{
    QFETCH(int, address);
    QFETCH(int, code);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, wire);
    QCOMPARE(encodeFrame(quint8(address), quint8(code), data), wire);
    const int n = requestDataLength(quint8(code));
    if (n >= 0)
        QCOMPARE(data.size(), n);
}

void FrameCodecTest::decodesWhatItEncodes()
{
    const QByteArray data = QByteArray::fromHex("0001FF7F80");
    const std::optional<ResponseFrame> frame = DecodeFrame(encodeFrame(0xE1, 52, data));
    QVERIFY(frame);
    QCOMPARE(frame->address(), quint8(0xE1));
    QCOMPARE(frame->code(), quint8(52));
    QCOMPARE(frame->payload(), data);
    QCOMPARE(frame->data(4), quint8(0x80));
    QCOMPARE(frame->data(5), quint8(0)); // beyond the frame reads as 0, never past it
    QCOMPARE(frame->word(2), quint16(0xFF7F));
}

void FrameCodecTest::rejectsDamagedFrames_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("LRC off by one") << QByteArray(":E133FFEE\r\n");
    QTest::newRow("lower-case digits") << QByteArray(":0a33c3\r\n"); // ":0A33C3" is intact
    QTest::newRow("odd number of digits") << QByteArray(":E133FFE\r\n");
    QTest::newRow("no digits") << QByteArray(":\r\n");
    QTest::newRow("address and LRC only") << QByteArray(":0000\r\n");
    QTest::newRow("no CR LF") << QByteArray(":E133FFED");
}

void FrameCodecTest::rejectsDamagedFrames()
{
    QFETCH(QByteArray, text);
    QVERIFY(!DecodeFrame(text));
}

void FrameCodecTest::crcCheckValues_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("crc");
    QTest::newRow("check string") << QByteArray("123456789") << 0xBB3D;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("default connection table")
        << QByteArray::fromHex("01010202030304040505060607070808") << 0xAFD7;
    QTest::newRow("default unit constants")
        << QByteArray::fromHex("01001388000000000000002D002D002D00000000") << 0x2FBF;
    QTest::newRow("default relays") << QByteArray::fromHex("8080808080808080") << 0xFEDF;
    QTest::newRow("channel set-points 5, 20, 30")
        << (QByteArray::fromHex("00050014001E") + QByteArray(13, '\0')) << 0xDC01;
}

void FrameCodecTest::crcCheckValues()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, crc);
    QCOMPARE(int(CalcCRC16(bytes)), crc);
}

void FrameCodecTest::lrcAgreesWithIndependentImplementation()
{
    // pymodbus computes the Modbus-ASCII LRC of the same bytes; nobody here wrote it.
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFile::exists(python))
        QSKIP("Debian's python3 is not installed");
    QRandomGenerator random(20261211);
    QStringList hexLines;
    QList<quint8> ours;
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes(1 + int(random.bounded(60)), '\0');
        for (char& b : bytes)
            b = char(random.bounded(256));
        hexLines << QString::fromLatin1(bytes.toHex());
        ours << frameLrc(bytes);
    }
    QProcess process;
    process.start(python, {QStringLiteral("-c"),
                           QStringLiteral("import sys\n"
                                          "from pymodbus.utilities import computeLRC\n"
                                          "for line in sys.stdin:\n"
                                          "    print(computeLRC(bytes.fromhex(line.strip())))\n")});
    process.write(hexLines.join(QLatin1Char('\n')).toLatin1() + '\n');
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    if (process.exitCode() != 0)
        QSKIP(qPrintable(QStringLiteral("pymodbus is not usable here: ") + process.readAllStandardError()));
    const QList<QByteArray> theirs = process.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(theirs.size(), ours.size());
    for (int i = 0; i < ours.size(); ++i)
        QCOMPARE(theirs.at(i).trimmed().toInt(), int(ours.at(i)));
}

QTEST_GUILESS_MAIN(FrameCodecTest)
#include "tst_framecodec.moc"
