// The simulated unit without any line: requests in, answer bytes out.
#include "link/FrameAssembler.h"
#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"
#include "sim/FaultInjector.h"
#include "sim/MeasurementRecord.h"
#include "sim/SimOptions.h"
#include "sim/SimulatedUnit.h"
#include "sim/TemperatureCode.h"
#include "sim/UnitLine.h"

#include <QTest>
#include <cmath>

using namespace sim;

namespace {
// The frames the unit sends back for one request line, CR LF dropped, joined by spaces.
QByteArray exchange(SimulatedUnit& unit, const QByteArray& requestLine)
{
    UnitLine line(unit);
    QByteArrayList answers;
    for (const LineEvent& event : line.feed(requestLine + "\r\n")) {
        for (const Reply& reply : event.outcome.replies)
            answers << reply.frameText().chopped(2);
    }
    return answers.join(' ');
}

QByteArray request(quint8 address, quint8 code, const QByteArray& data = {})
{
    return encodeFrame(address, code, data).chopped(2);
}

ResponseFrame decodeAnswer(const QByteArray& line)
{
    const auto frame = DecodeFrame(line + "\r\n");
    return frame ? *frame : ResponseFrame();
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray signatureOf(const QByteArray& block)
{
    const quint16 crc = CalcCRC16(block);
    return bytes({crc >> 8, crc & 0xFF});
}

// A host clock the test moves by hand.
struct FakeHostClock
{
    QDateTime now = QDateTime(QDate(2024, 3, 1), QTime(10, 0, 0));
    UnitClock::TimeSource source()
    {
        return [this] { return now; };
    }
};
} // namespace

class TestSimUnit : public QObject
{
    Q_OBJECT

private slots:
    void temperatureBytes_data();
    void temperatureBytes();
    void everyTenthSurvivesTheRoundTrip();

    void answers_data();
    void answers();
    void writtenBlocksReadBackAndSign_data();
    void writtenBlocksReadBackAndSign();
    void blockSignaturesFollowTheConnectionTable();
    void addressChangeMovesTheUnit();

    void measurementRequest_data();
    void measurementRequest();
    void unaskedRecords_data();
    void unaskedRecords();
    void alarmBits_data();
    void alarmBits();
    void recordsAreConsistentAndDriftSlowly();
    void noSignalChannelSendsFlaggedRecords();

    void clockRunsFromTheTimeSet();
    void impossibleDateIsNotAcknowledged();

    void cleanLineLeavesFramesAlone();
    void faultsSpoilFramesAsAsked();
    void faultsRepeatForTheSameSeed();

    void options_data();
    void options();
};

void TestSimUnit::temperatureBytes_data()
{
    QTest::addColumn<double>("celsius");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("shownTenths");

    QTest::newRow("25.0625") << 25.0625 << 0x91 << 0x01 << 250;
    QTest::newRow("-10.0") << -10.0 << 0x5E << 0xFF << -100;
    QTest::newRow("-0.4") << -0.4 << 0xF8 << 0xFF << -4;
    QTest::newRow("-54.9") << -54.9 << 0x90 << 0xFC << -549;
    QTest::newRow("zero") << 0.0 << 0x01 << 0x00 << 0;
    QTest::newRow("small negative shows as zero, not -0") << -0.05 << 0x01 << 0x00 << 0;
    QTest::newRow("hot end of the range") << 127.9 << 0xFF << 0x07 << 1279;
    QTest::newRow("beyond the range is held at the limit") << 300.0 << 0xFF << 0x07 << 1279;
    QTest::newRow("cold end of the range") << -127.9 << 0x00 << 0xF8 << -1279;
}

void TestSimUnit::temperatureBytes()
{
    QFETCH(double, celsius);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, shownTenths);

    const TemperatureBytes encoded = encodeTemperature(celsius);
    QCOMPARE(int(encoded.low), low);
    QCOMPARE(int(encoded.high), high);
    const double decoded = decodeTemperature(quint8(low), quint8(high));
    QCOMPARE(std::lround(decoded * 10), long(shownTenths));
    QVERIFY(!std::signbit(decoded) || shownTenths < 0);
}

void TestSimUnit::everyTenthSurvivesTheRoundTrip()
{
    for (int tenths = -1279; tenths <= 1279; ++tenths) {
        const TemperatureBytes b = encodeTemperature(tenths / 10.0);
        const double shown = decodeTemperature(b.low, b.high);
        if (std::lround(shown * 10) != tenths)
            QFAIL(qPrintable(QStringLiteral("%1 came back as %2").arg(tenths / 10.0).arg(shown)));
    }
}

void TestSimUnit::answers_data()
{
    // Request and expected answer lines between ':' and CR LF; "" means no answer. A fresh
    // unit at `unit` with the default blocks answers each row.
    QTest::addColumn<int>("unit");
    QTest::addColumn<QByteArray>("requestLine");
    QTest::addColumn<QByteArray>("answerLine");

    QTest::newRow("62 default connection table written")
        << 1 << QByteArray(":013E0101020203030404050506060707080879") << QByteArray(":013EC1");
    QTest::newRow("63 default connection table")
        << 1 << QByteArray(":013FC0") << QByteArray(":013F0101020203030404050506060707080878");
    QTest::newRow("64 connection table signature AFD7")
        << 1 << QByteArray(":0140BF") << QByteArray(":0140AFD739");
    QTest::newRow("65 default unit constants written")
        << 1 << QByteArray(":014101001388000000000000002D002D002D000000009B") << QByteArray(":0141BE");
    QTest::newRow("66 default unit constants")
        << 1 << QByteArray(":0142BD") << QByteArray(":014201001388000000000000002D002D002D000000009A");
    QTest::newRow("67 unit constants signature 2FBF")
        << 1 << QByteArray(":0143BC") << QByteArray(":01432FBFCE");
    QTest::newRow("68 default relays written")
        << 1 << QByteArray(":01448080808080808080BB") << QByteArray(":0144BB");
    QTest::newRow("69 default relays") << 1 << QByteArray(":0145BA") << QByteArray(":01458080808080808080BA");
    QTest::newRow("70 relay signature FEDF") << 1 << QByteArray(":0146B9") << QByteArray(":0146FEDFDC");
    QTest::newRow("77 clock set 03.09.2011 09:07:05")
        << 1 << QByteArray(":014D05070903090B000086") << QByteArray(":014DB2");
    QTest::newRow("53 set-points 5 20 30 of sensor 12 written")
        << 1 << QByteArray(":01350C00050014001E0000000000000000000000000087") << QByteArray(":01350CBE");
    QTest::newRow("54 default set-points of sensor 1")
        << 1 << QByteArray(":013601C8") << QByteArray(":01360100050014001E0000000000000000000000000091");
    QTest::newRow("55 set-point signature of channel 1 DC01")
        << 1 << QByteArray(":013700C8") << QByteArray(":0137DC01EB");
    QTest::newRow("56 default sensor constants of sensor 5 written")
        << 1
        << QByteArray(
               ":01380541000412051900000000000007D3000000000E7500000000093600000000000000000000000000000000"
               "00000000000000000000000000000000B1")
        << QByteArray(":013805C2");
    QTest::newRow("57 default sensor constants of sensor 5")
        << 1 << QByteArray(":013905C1")
        << QByteArray(
               ":01390541000412051900000000000007D3000000000E7500000000093600000000000000000000000000000000"
               "00000000000000000000000000000000B0");
    QTest::newRow("58 sensor constant signature of channel 8 3A6C")
        << 1 << QByteArray(":013A07BE") << QByteArray(":013A3A6C1F");
    QTest::newRow("51 start measuring at 225 echoes D0")
        << 225 << QByteArray(":E133FFED") << QByteArray(":E133FFED");
    QTest::newRow("76 active mode off echoes D0") << 1 << QByteArray(":014C00B3") << QByteArray(":014C00B3");
    QTest::newRow("81 firmware information")
        << 1 << QByteArray(":0151AE") << QByteArray(":01510E0518035654322D4D30302D53494D2D424F302D563033E0");
    QTest::newRow("52 for a sensor no channel polls gives 75")
        << 1 << QByteArray(":013409C2") << QByteArray(":014B09AB");
    QTest::newRow("52 for sensor address 0 gives 75")
        << 1 << QByteArray(":013400CB") << QByteArray(":014B00B4");
    QTest::newRow("82 answers from the new address")
        << 1 << QByteArray(":015202AB") << QByteArray(":025202AA");

    QTest::newRow("request to another unit") << 1 << QByteArray(":023FBF") << QByteArray();
    QTest::newRow("request with a wrong LRC") << 1 << QByteArray(":0140BE") << QByteArray();
    QTest::newRow("write shorter than its block") << 1 << QByteArray(":013E010102BD") << QByteArray();
    QTest::newRow("code the PC never sends") << 1 << QByteArray(":01639C") << QByteArray();
    QTest::newRow("signature of channel index 8") << 1 << QByteArray(":013708C0") << QByteArray();
}

void TestSimUnit::answers()
{
    QFETCH(int, unit);
    QFETCH(QByteArray, requestLine);
    QFETCH(QByteArray, answerLine);

    SimulatedUnit sim;
    sim.state().setAddress(quint8(unit));
    QCOMPARE(exchange(sim, requestLine), answerLine);
}

void TestSimUnit::writtenBlocksReadBackAndSign_data()
{
    // Write a block that is not the default, read it back, ask for its signature.
    QTest::addColumn<quint8>("writeCode");
    QTest::addColumn<QByteArray>("writeData");
    QTest::addColumn<quint8>("readCode");
    QTest::addColumn<QByteArray>("readData");
    QTest::addColumn<QByteArray>("readAnswer");
    QTest::addColumn<quint8>("signatureCode");
    QTest::addColumn<QByteArray>("signatureData");
    QTest::addColumn<QByteArray>("signedBytes");

    namespace F = FunctionCode;
    const QByteArray table = bytes({5, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 12, 8});
    QTest::newRow("connection table")
        << F::kConnectionTableWrite << table << F::kConnectionTableRead << QByteArray() << table
        << F::kConnectionTableSignature << QByteArray() << table;

    QByteArray constants = bytes({0, 0, 0x0B, 0xB8, 0xFF, 0xFF});
    constants.append(QByteArray(14, '\x07'));
    QTest::newRow("unit constants") << F::kUnitConstWrite << constants << F::kUnitConstRead << QByteArray()
                                    << constants << F::kUnitConstSignature << QByteArray() << constants;

    const QByteArray relays = bytes({0x11, 0x92, 0x00, 0x80, 0x48, 0x23, 0x00, 0x00});
    QTest::newRow("relay codes") << F::kRelayWrite << relays << F::kRelayRead << QByteArray() << relays
                                 << F::kRelaySignature << QByteArray() << relays;

    // Sensor 3 sits on channel index 2 in the default connection table.
    QByteArray setPoints = bytes({0, 10, 0, 40, 0, 50});
    setPoints.append(QByteArray(13, '\0'));
    QTest::newRow("set-points") << F::kChannelConstWrite << QByteArray(1, 3) + setPoints
                                << F::kChannelConstRead << QByteArray(1, 3) << QByteArray(1, 3) + setPoints
                                << F::kChannelConstSignature << QByteArray(1, 2) << setPoints;

    QByteArray sensor = defaultSensorBlock();
    sensor[3] = char(0x13);  // CD1 104.3
    sensor[19] = char(0x80); // T01 3712
    QTest::newRow("sensor constants")
        << F::kSensorConstWrite << QByteArray(1, 3) + sensor + QByteArray(2, '\0') << F::kSensorConstRead
        << QByteArray(1, 3) << QByteArray(1, 3) + sensor + QByteArray(2, '\0') << F::kSensorConstSignature
        << QByteArray(1, 2) << sensor;
}

void TestSimUnit::writtenBlocksReadBackAndSign()
{
    QFETCH(quint8, writeCode);
    QFETCH(QByteArray, writeData);
    QFETCH(quint8, readCode);
    QFETCH(QByteArray, readData);
    QFETCH(QByteArray, readAnswer);
    QFETCH(quint8, signatureCode);
    QFETCH(QByteArray, signatureData);
    QFETCH(QByteArray, signedBytes);

    SimulatedUnit sim;
    const quint8 unit = sim.state().address();
    const ResponseFrame ack = decodeAnswer(exchange(sim, request(unit, writeCode, writeData)));
    QCOMPARE(ack.code(), writeCode);
    QCOMPARE(decodeAnswer(exchange(sim, request(unit, readCode, readData))).payload(), readAnswer);
    QCOMPARE(decodeAnswer(exchange(sim, request(unit, signatureCode, signatureData))).payload(),
             signatureOf(signedBytes));
}

void TestSimUnit::blockSignaturesFollowTheConnectionTable()
{
    // The PC asks for signatures by channel; the unit keeps blocks by sensor address.
    SimulatedUnit sim;
    const quint8 unit = sim.state().address();
    QByteArray setPoints = bytes({0, 1, 0, 2, 0, 3});
    setPoints.append(QByteArray(13, '\0'));
    exchange(sim, request(unit, FunctionCode::kChannelConstWrite, QByteArray(1, 40) + setPoints));

    QCOMPARE(
        decodeAnswer(exchange(sim, request(unit, FunctionCode::kChannelConstSignature, QByteArray(1, 0))))
            .payload(),
        signatureOf(defaultChannelBlock()));
    QByteArray table = defaultConnectionTable();
    table[0] = 40;
    exchange(sim, request(unit, FunctionCode::kConnectionTableWrite, table));
    QCOMPARE(
        decodeAnswer(exchange(sim, request(unit, FunctionCode::kChannelConstSignature, QByteArray(1, 0))))
            .payload(),
        signatureOf(setPoints));
}

void TestSimUnit::addressChangeMovesTheUnit()
{
    SimulatedUnit sim;
    QCOMPARE(exchange(sim, request(225, FunctionCode::kChangeUnitAddress, QByteArray(1, char(226)))),
             request(226, FunctionCode::kChangeUnitAddress, QByteArray(1, char(226))));
    QVERIFY(exchange(sim, request(225, FunctionCode::kConnectionTableSignature)).isEmpty());
    QCOMPARE(decodeAnswer(exchange(sim, request(226, FunctionCode::kConnectionTableSignature))).address(),
             quint8(226));
}

void TestSimUnit::measurementRequest_data()
{
    QTest::addColumn<QByteArray>("connectionTable");
    QTest::addColumn<int>("sensor");
    QTest::addColumn<int>("answerCode");
    QTest::addColumn<int>("channelIndex");

    const QByteArray table = bytes({5, 1, 0, 2, 0, 3, 9, 4, 9, 5, 0, 6, 0, 7, 12, 8});
    QTest::newRow("sensor on channel 1") << table << 5 << 52 << 0;
    QTest::newRow("sensor on channel 8") << table << 12 << 52 << 7;
    QTest::newRow("sensor on two channels answers for the first") << table << 9 << 52 << 3;
    QTest::newRow("sensor on no channel") << table << 6 << 75 << -1;
    QTest::newRow("address 0 is no sensor") << table << 0 << 75 << -1;
}

void TestSimUnit::measurementRequest()
{
    QFETCH(QByteArray, connectionTable);
    QFETCH(int, sensor);
    QFETCH(int, answerCode);
    QFETCH(int, channelIndex);

    SimulatedUnit sim;
    sim.state().setConnectionTable(connectionTable);
    const ResponseFrame answer = decodeAnswer(
        exchange(sim, request(225, FunctionCode::kMeasurementRecord, QByteArray(1, char(sensor)))));
    QCOMPARE(int(answer.code()), answerCode);
    QCOMPARE(int(answer.data(0)), sensor);
    if (answerCode == FunctionCode::kMeasurementRecord) {
        QVERIFY(answer.dataCount() >= 47);
        QCOMPARE(int(answer.data(1)), 0);
        QCOMPARE(int(answer.data(2)), channelIndex);
    }
}

void TestSimUnit::unaskedRecords_data()
{
    // Requests applied to a fresh unit (at 225, default blocks), then one round of records.
    QTest::addColumn<QByteArrayList>("requests");
    QTest::addColumn<QList<int>>("channels");

    const QList<int> all{0, 1, 2, 3, 4, 5, 6, 7};
    const QByteArray stop = request(225, FunctionCode::kStartStopMeasurements, QByteArray(1, 0));
    const QByteArray start = request(225, FunctionCode::kStartStopMeasurements, QByteArray(1, char(0xFF)));
    const QByteArray passive = request(225, FunctionCode::kActiveMode, QByteArray(1, 0));
    const QByteArray active = request(225, FunctionCode::kActiveMode, QByteArray(1, char(0xFF)));
    QByteArray constants = defaultUnitConstants();
    constants[0] = 0;
    const QByteArray modeZero = request(225, FunctionCode::kUnitConstWrite, constants);
    QByteArray table = defaultConnectionTable();
    table[2] = 0;
    table[12] = 0;

    QTest::newRow("defaults: all eight channels") << QByteArrayList() << all;
    QTest::newRow("channels without a sensor stay silent")
        << QByteArrayList{request(225, FunctionCode::kConnectionTableWrite, table)}
        << QList<int>{0, 2, 3, 4, 5, 7};
    QTest::newRow("measuring stopped") << QByteArrayList{stop} << QList<int>();
    QTest::newRow("measuring started again") << QByteArrayList{stop, start} << all;
    QTest::newRow("active mode off") << QByteArrayList{passive} << QList<int>();
    QTest::newRow("active mode on again") << QByteArrayList{passive, active} << all;
    QTest::newRow("unit constants with mode 0") << QByteArrayList{modeZero} << QList<int>();
    QTest::newRow("unit constants with mode 256")
        << QByteArrayList{passive, request(225, FunctionCode::kUnitConstWrite, defaultUnitConstants())}
        << all;
}

void TestSimUnit::unaskedRecords()
{
    QFETCH(QByteArrayList, requests);
    QFETCH(QList<int>, channels);

    SimulatedUnit sim;
    for (const QByteArray& line : requests)
        QVERIFY(!exchange(sim, line).isEmpty());
    QList<int> sent;
    for (const Reply& record : sim.periodicRecords()) {
        QCOMPARE(record.code, FunctionCode::kMeasurementRecord);
        QVERIFY(record.data.size() >= 47);
        QCOMPARE(quint8(record.data.at(0)), sim.state().sensorAddressOf(record.data.at(2)));
        sent << record.data.at(2);
    }
    QCOMPARE(sent, channels);
}

void TestSimUnit::alarmBits_data()
{
    QTest::addColumn<int>("humidityTenths");
    QTest::addColumn<QByteArray>("channelBlock");
    QTest::addColumn<int>("bits");

    const QByteArray defaults = defaultChannelBlock();
    QTest::newRow("4.9 % below minimum 5") << 49 << defaults << 0x01;
    QTest::newRow("5.0 % on the minimum") << 50 << defaults << 0x00;
    QTest::newRow("20.0 % on the maximum") << 200 << defaults << 0x00;
    QTest::newRow("20.1 % above maximum 20") << 201 << defaults << 0x02;
    QTest::newRow("30.0 % on the emergency maximum") << 300 << defaults << 0x02;
    QTest::newRow("30.1 % above emergency maximum 30") << 301 << defaults << 0x06;
    QByteArray wide = bytes({0, 0, 0x01, 0x2C, 0x01, 0xF4});
    wide.append(QByteArray(13, '\0'));
    QTest::newRow("written set-points 0 300 500") << 0 << wide << 0x00;
}

void TestSimUnit::alarmBits()
{
    QFETCH(int, humidityTenths);
    QFETCH(QByteArray, channelBlock);
    QFETCH(int, bits);
    QCOMPARE(int(sim::alarmBits(humidityTenths, channelBlock)), bits);
}

void TestSimUnit::recordsAreConsistentAndDriftSlowly()
{
    SimulatedUnit sim(42);
    QByteArray setPoints = bytes({0, 10, 0, 14, 0, 16});
    setPoints.append(QByteArray(13, '\0'));
    sim.state().setChannelBlock(3, setPoints); // channel index 2, humidity resting near 11 %

    std::array<int, kChannelCount> lastHumidity{};
    for (int round = 0; round < 500; ++round) {
        for (const Reply& r : sim.periodicRecords()) {
            const ResponseFrame record(r.address, r.code, r.data);
            const int channel = record.data(2);
            const int humidity = record.word(19);
            QCOMPARE(int(record.data(3)), 0);
            QCOMPARE(int(record.data(4)),
                     int(sim::alarmBits(humidity, sim.state().channelBlock(record.data(0)))));
            QVERIFY2(humidity <= 1000, qPrintable(QString::number(humidity)));
            if (round > 0)
                QVERIFY(std::abs(humidity - lastHumidity[size_t(channel)]) <= 2);
            lastHumidity[size_t(channel)] = humidity;
            for (int at : {27, 29}) {
                const double t = decodeTemperature(record.data(at), record.data(at + 1));
                QVERIFY2(t > -30 && t < 50, qPrintable(QString::number(t)));
            }
            QVERIFY(record.word(37) > 3000 && record.word(37) < 6000);
            QVERIFY(record.word(43) > 2000 && record.word(43) < 2500);
            QVERIFY(record.word(45) > 0);
        }
    }
}

void TestSimUnit::noSignalChannelSendsFlaggedRecords()
{
    SimulatedUnit sim;
    sim.setNoSignal(2, true);
    const std::vector<Reply> records = sim.periodicRecords();
    QCOMPARE(records.size(), size_t(8));
    const Reply& silent = records[2];
    QVERIFY(silent.data.size() >= 47);
    QCOMPARE(silent.data.left(3), bytes({3, 1, 2}));
    QCOMPARE(int(records[1].data.at(1)), 0);
    // Asked for directly, the sensor gives no signal either.
    QCOMPARE(
        decodeAnswer(exchange(sim, request(225, FunctionCode::kMeasurementRecord, QByteArray(1, 3)))).data(1),
        quint8(1));
}

void TestSimUnit::clockRunsFromTheTimeSet()
{
    FakeHostClock host;
    SimulatedUnit sim(1, host.source());
    const QByteArray readClock = request(225, FunctionCode::kClockRead);
    QCOMPARE(decodeAnswer(exchange(sim, readClock)).payload(), bytes({0, 0, 10, 1, 3, 24}));

    QCOMPARE(
        decodeAnswer(exchange(sim, request(225, FunctionCode::kClockWrite, bytes({5, 7, 9, 3, 9, 11, 0, 0}))))
            .code(),
        FunctionCode::kClockWrite);
    QCOMPARE(decodeAnswer(exchange(sim, readClock)).payload(), bytes({5, 7, 9, 3, 9, 11}));
    host.now = host.now.addSecs(24 * 3600 + 65);
    QCOMPARE(decodeAnswer(exchange(sim, readClock)).payload(), bytes({10, 8, 9, 4, 9, 11}));
}

void TestSimUnit::impossibleDateIsNotAcknowledged()
{
    FakeHostClock host;
    SimulatedUnit sim(1, host.source());
    QVERIFY(exchange(sim, request(225, FunctionCode::kClockWrite, bytes({0, 0, 12, 31, 13, 24, 0, 0})))
                .isEmpty());
    QCOMPARE(decodeAnswer(exchange(sim, request(225, FunctionCode::kClockRead))).payload(),
             bytes({0, 0, 10, 1, 3, 24}));
}

void TestSimUnit::cleanLineLeavesFramesAlone()
{
    FaultInjector clean(FaultRates{}, 9);
    const QByteArray frame = encodeFrame(225, 64, bytes({0xAF, 0xD7}));
    for (int i = 0; i < 100; ++i) {
        const ShapedFrame shaped = clean.shape(frame);
        QCOMPARE(shaped.bytes, frame);
        QVERIFY(!shaped.dropped && !shaped.badLrc && shaped.noiseBytes == 0);
        const std::vector<Piece> pieces = clean.split(frame);
        QCOMPARE(pieces.size(), size_t(1));
        QCOMPARE(pieces.front().bytes, frame);
        QCOMPARE(pieces.front().delayMs, 0);
    }
}

void TestSimUnit::faultsSpoilFramesAsAsked()
{
    const QByteArray frame = encodeFrame(225, 52, QByteArray(47, '\x21'));

    FaultInjector dropAll(FaultRates{1.0, 0, 0, false}, 3);
    QVERIFY(dropAll.shape(frame).dropped);
    QVERIFY(dropAll.shape(frame).bytes.isEmpty());

    FaultInjector badLrc(FaultRates{0, 1.0, 0, false}, 3);
    for (int i = 0; i < 50; ++i) {
        const ShapedFrame shaped = badLrc.shape(frame);
        QVERIFY(shaped.badLrc);
        QCOMPARE(shaped.bytes.size(), frame.size());
        QCOMPARE(shaped.bytes.left(frame.size() - 4), frame.left(frame.size() - 4));
        QVERIFY(!DecodeFrame(shaped.bytes));
    }

    // Noise and small pieces: the PC's assembler still finds every frame, whole.
    FaultInjector rough(FaultRates{0, 0, 1.0, true}, 3);
    QByteArray line;
    for (int i = 0; i < 50; ++i) {
        const ShapedFrame shaped = rough.shape(frame);
        QVERIFY(shaped.noiseBytes >= 1);
        QVERIFY(!shaped.bytes.left(shaped.noiseBytes).contains(':'));
        for (const Piece& piece : rough.split(shaped.bytes)) {
            QVERIFY(!piece.bytes.isEmpty() && piece.bytes.size() <= 8);
            line += piece.bytes;
        }
    }
    FrameAssembler assembler;
    int frames = 0;
    for (char c : line) {
        if (assembler.feed(c)) {
            QCOMPARE(assembler.frame(), frame);
            ++frames;
        }
    }
    QCOMPARE(frames, 50);

    // A partial rate spoils some frames and leaves the others intact.
    FaultInjector someBad(FaultRates{0, 0.5, 0, false}, 3);
    int bad = 0;
    for (int i = 0; i < 200; ++i)
        bad += DecodeFrame(someBad.shape(frame).bytes) ? 0 : 1;
    QVERIFY2(bad > 0 && bad < 200, qPrintable(QString::number(bad)));
}

void TestSimUnit::faultsRepeatForTheSameSeed()
{
    const FaultRates rates{0.2, 0.2, 0.2, true};
    FaultInjector first(rates, 77);
    FaultInjector second(rates, 77);
    const QByteArray frame = encodeFrame(1, 63, defaultConnectionTable());
    for (int i = 0; i < 50; ++i) {
        const ShapedFrame a = first.shape(frame);
        const ShapedFrame b = second.shape(frame);
        QCOMPARE(a.bytes, b.bytes);
        const std::vector<Piece> pa = first.split(a.bytes);
        const std::vector<Piece> pb = second.split(b.bytes);
        QCOMPARE(pa.size(), pb.size());
        for (size_t k = 0; k < pa.size(); ++k)
            QCOMPARE(pa[k].delayMs, pb[k].delayMs);
    }
}

void TestSimUnit::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("errorPart"); // empty: accepted
    QTest::addColumn<QList<int>>("noSignal");

    QTest::newRow("no options") << QStringList() << QString() << QList<int>();
    QTest::newRow("channels repeated and listed")
        << QStringList{"--no-signal", "3", "--no-signal", "5,8"} << QString() << QList<int>{2, 4, 7};
    QTest::newRow("channel 9") << QStringList{"--no-signal", "2,9"} << QString("--no-signal") << QList<int>();
    QTest::newRow("link and port") << QStringList{"--link", "/tmp/a", "--port", "/dev/ttyS0"}
                                   << QString("both") << QList<int>();
    QTest::newRow("address 256") << QStringList{"--address", "256"} << QString("--address") << QList<int>();
    QTest::newRow("rate above 1") << QStringList{"--drop-rate", "1.5"} << QString("--drop-rate")
                                  << QList<int>();
    QTest::newRow("period of nothing") << QStringList{"--period", "0"} << QString("--period") << QList<int>();
    QTest::newRow("stray argument") << QStringList{"/tmp/a"} << QString("unexpected") << QList<int>();
}

void TestSimUnit::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, errorPart);
    QFETCH(QList<int>, noSignal);

    const OptionsResult result = parseOptions(QStringList{"vt2m-sim"} + arguments);
    if (!errorPart.isEmpty()) {
        QVERIFY2(result.error.contains(errorPart), qPrintable(result.error));
        return;
    }
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(QList<int>(result.options.noSignalChannels.begin(), result.options.noSignalChannels.end()),
             noSignal);
}

QTEST_GUILESS_MAIN(TestSimUnit)
#include "tst_simunit.moc"
