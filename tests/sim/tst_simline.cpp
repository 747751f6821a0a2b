// The simulator on a real pseudo-terminal, seen from the PC's side of the line.
#include "link/FrameAssembler.h"
#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"
#include "sim/FaultInjector.h"
#include "sim/PtyEndpoint.h"
#include "sim/SimRunner.h"
#include "sim/SimulatedUnit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <unistd.h>

using namespace sim;

namespace {
constexpr int kAnswerTimeoutMs = 5000;
constexpr int kQuietPeriodMs = 3600 * 1000; // no unasked records in the way

QByteArray signatureOf(const QByteArray& block)
{
    const quint16 crc = CalcCRC16(block);
    QByteArray out;
    out.append(char(crc >> 8));
    out.append(char(crc & 0xFF));
    return out;
}

// The PC's end: opens the link the way the program opens its COM port and collects frames.
class PcPort
{
public:
    bool open(const QString& path)
    {
        m_port.setPortName(path);
        m_port.setBaudRate(QSerialPort::Baud9600);
        return m_port.open(QIODevice::ReadWrite);
    }
    void close() { m_port.close(); }

    void send(quint8 address, quint8 code, const QByteArray& data = {})
    {
        m_port.write(encodeFrame(address, code, data));
    }

    // Keeps the event loop (and so the simulator) running until `count` frames are in.
    bool waitForFrames(size_t count, int timeoutMs = kAnswerTimeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (m_frames.size() < count && clock.elapsed() < timeoutMs) {
            QTest::qWait(5);
            for (char c : m_port.readAll()) {
                if (m_assembler.feed(c))
                    m_frames.push_back(m_assembler.frame());
            }
        }
        return m_frames.size() >= count;
    }

    std::optional<ResponseFrame> nextAnswer()
    {
        if (!waitForFrames(1))
            return std::nullopt;
        const QByteArray text = m_frames.front();
        m_frames.pop_front();
        return DecodeFrame(text);
    }

    QByteArray takeFrame()
    {
        const QByteArray text = m_frames.front();
        m_frames.pop_front();
        return text;
    }

    size_t framesIn() const { return m_frames.size(); }

private:
    QSerialPort m_port;
    FrameAssembler m_assembler;
    std::deque<QByteArray> m_frames;
};

// One simulator on a pseudo-terminal with a link in a temporary folder.
struct SimOnPty
{
    explicit SimOnPty(FaultRates rates = {}, int periodMs = kQuietPeriodMs)
        : faults(rates, 5), runner(unit, endpoint, faults, periodMs)
    {
        linkPath = dir.filePath(QStringLiteral("bo-unit"));
        opened = endpoint.open(linkPath, &error);
        runner.start();
    }

    QTemporaryDir dir;
    QString linkPath;
    SimulatedUnit unit;
    PtyEndpoint endpoint;
    FaultInjector faults;
    SimRunner runner;
    QString error;
    bool opened = false;
};

QString simBinary()
{
    return qEnvironmentVariable("VT2M_BINARY_DIR") + QStringLiteral("/sim/vt2m-sim");
}
} // namespace

class TestSimLine : public QObject
{
    Q_OBJECT

private slots:
    void configurationRoundTrip_data();
    void configurationRoundTrip();
    void reopenedPortStillAnswers();
    void roughLineKeepsFramesWhole();
    void badLrcFramesReachThePcAsBad();
    void unreadOutputIsThrownAway();
    void linkReplacesAnOldLinkOnly();
    void programRemovesItsLinkWhenStopped_data();
    void programRemovesItsLinkWhenStopped();
};

void TestSimLine::configurationRoundTrip_data()
{
    QTest::addColumn<quint8>("writeCode");
    QTest::addColumn<QByteArray>("writeData");
    QTest::addColumn<quint8>("readCode");
    QTest::addColumn<QByteArray>("readData");
    QTest::addColumn<quint8>("signatureCode");
    QTest::addColumn<QByteArray>("signatureData");
    QTest::addColumn<int>("signedFrom"); // first written byte the signature covers
    QTest::addColumn<int>("signedCount");

    namespace F = FunctionCode;
    const QByteArray table = QByteArray::fromHex("0501000200030004000500060007"
                                                 "0C08");
    QTest::newRow("connection table")
        << F::kConnectionTableWrite << table << F::kConnectionTableRead << QByteArray()
        << F::kConnectionTableSignature << QByteArray() << 0 << 16;
    const QByteArray constants = QByteArray::fromHex("00000BB800000000000000300030003000000001");
    QTest::newRow("unit constants") << F::kUnitConstWrite << constants << F::kUnitConstRead << QByteArray()
                                    << F::kUnitConstSignature << QByteArray() << 0 << 20;
    const QByteArray relays = QByteArray::fromHex("1192008048230000");
    QTest::newRow("relay codes") << F::kRelayWrite << relays << F::kRelayRead << QByteArray()
                                 << F::kRelaySignature << QByteArray() << 0 << 8;
    // Sensor 4 is polled on channel index 3.
    const QByteArray setPoints = QByteArray::fromHex("04"
                                                     "000700190023"
                                                     "00000000000000000000000000");
    QTest::newRow("set-points") << F::kChannelConstWrite << setPoints << F::kChannelConstRead
                                << QByteArray(1, 4) << F::kChannelConstSignature << QByteArray(1, 3) << 1
                                << 19;
    QByteArray sensor = QByteArray::fromHex("04"
                                            "410004130519000000000000"
                                            "07D4");
    sensor.append(QByteArray(59 - sensor.size(), '\0'));
    QTest::newRow("sensor constants")
        << F::kSensorConstWrite << sensor << F::kSensorConstRead << QByteArray(1, 4)
        << F::kSensorConstSignature << QByteArray(1, 3) << 1 << 56;
}

void TestSimLine::configurationRoundTrip()
{
    QFETCH(quint8, writeCode);
    QFETCH(QByteArray, writeData);
    QFETCH(quint8, readCode);
    QFETCH(QByteArray, readData);
    QFETCH(quint8, signatureCode);
    QFETCH(QByteArray, signatureData);
    QFETCH(int, signedFrom);
    QFETCH(int, signedCount);

    SimOnPty sim;
    QVERIFY2(sim.opened, qPrintable(sim.error));
    PcPort pc;
    QVERIFY(pc.open(sim.linkPath));

    pc.send(225, writeCode, writeData);
    const auto ack = pc.nextAnswer();
    QVERIFY(ack);
    QCOMPARE(ack->address(), quint8(225));
    QCOMPARE(ack->code(), writeCode);

    pc.send(225, readCode, readData);
    const auto read = pc.nextAnswer();
    QVERIFY(read);
    QCOMPARE(read->code(), readCode);
    QCOMPARE(read->payload(), writeData);

    pc.send(225, signatureCode, signatureData);
    const auto signature = pc.nextAnswer();
    QVERIFY(signature);
    QCOMPARE(signature->payload(), signatureOf(writeData.mid(signedFrom, signedCount)));
}

void TestSimLine::reopenedPortStillAnswers()
{
    SimOnPty sim;
    QVERIFY2(sim.opened, qPrintable(sim.error));
    for (int session = 0; session < 3; ++session) {
        PcPort pc;
        QVERIFY(pc.open(sim.linkPath));
        pc.send(225, FunctionCode::kConnectionTableSignature);
        const auto answer = pc.nextAnswer();
        QVERIFY2(answer, qPrintable(QStringLiteral("session %1").arg(session)));
        QCOMPARE(answer->payload(), QByteArray::fromHex("AFD7"));
        pc.close();
    }
}

void TestSimLine::roughLineKeepsFramesWhole()
{
    // Noise between frames and frames in pieces, but nothing dropped or spoiled.
    SimOnPty sim(FaultRates{0, 0, 1.0, true}, 100);
    QVERIFY2(sim.opened, qPrintable(sim.error));
    PcPort pc;
    QVERIFY(pc.open(sim.linkPath));
    pc.send(225, FunctionCode::kUnitInfo);
    QVERIFY(pc.waitForFrames(17, 20000));
    bool sawInfo = false;
    int records = 0;
    while (pc.framesIn() > 0) {
        const auto frame = DecodeFrame(pc.takeFrame());
        QVERIFY(frame);
        QCOMPARE(frame->address(), quint8(225));
        if (frame->code() == FunctionCode::kUnitInfo) {
            sawInfo = true;
            QCOMPARE(frame->payload().mid(4), QByteArray("VT2-M00-SIM-BO0-V03"));
        } else {
            QCOMPARE(frame->code(), FunctionCode::kMeasurementRecord);
            QVERIFY(frame->dataCount() >= 47);
            ++records;
        }
    }
    QVERIFY(sawInfo);
    QVERIFY(records >= 16);
}

void TestSimLine::badLrcFramesReachThePcAsBad()
{
    SimOnPty sim(FaultRates{0, 1.0, 0, false});
    QVERIFY2(sim.opened, qPrintable(sim.error));
    PcPort pc;
    QVERIFY(pc.open(sim.linkPath));
    pc.send(225, FunctionCode::kRelaySignature);
    QVERIFY(pc.waitForFrames(1));
    const QByteArray text = pc.takeFrame();
    QVERIFY(text.startsWith(":E146FEDF"));
    QVERIFY(!DecodeFrame(text));
}

void TestSimLine::unreadOutputIsThrownAway()
{
    SimOnPty sim;
    QVERIFY2(sim.opened, qPrintable(sim.error));
    // Nobody reads for two rounds: the first round's output is still kept, the second
    // check finds it a round old and drops it.
    sim.endpoint.write(encodeFrame(225, 52, QByteArray(47, '\x01')));
    QTest::qWait(50);
    sim.endpoint.discardUnreadOutput();
    QTest::qWait(50);
    sim.endpoint.discardUnreadOutput();

    PcPort pc;
    QVERIFY(pc.open(sim.linkPath));
    QVERIFY(!pc.waitForFrames(1, 300));
    sim.endpoint.write(encodeFrame(225, 70, QByteArray::fromHex("FEDF")));
    const auto fresh = pc.nextAnswer();
    QVERIFY(fresh);
    QCOMPARE(fresh->code(), FunctionCode::kRelaySignature);
}

void TestSimLine::linkReplacesAnOldLinkOnly()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("bo-unit"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), link)); // left by a crashed run

    {
        PtyEndpoint endpoint;
        QString error;
        QVERIFY2(endpoint.open(link, &error), qPrintable(error));
        QCOMPARE(QFileInfo(link).symLinkTarget(), endpoint.slavePath());
    }
    QVERIFY(!QFileInfo(link).exists() && !QFileInfo(link).isSymLink());

    QFile plain(link);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    PtyEndpoint endpoint;
    QString error;
    QVERIFY(!endpoint.open(link, &error));
    QVERIFY(error.contains(QStringLiteral("not a symbolic link")));
    QVERIFY(QFileInfo(link).isFile());
}

void TestSimLine::programRemovesItsLinkWhenStopped_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestSimLine::programRemovesItsLinkWhenStopped()
{
    QFETCH(int, signalNumber);
    if (!QFileInfo(simBinary()).isExecutable())
        QSKIP("vt2m-sim is not built");

    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("bo-unit"));
    QProcess program;
    program.start(simBinary(), {"--link", link, "--address", "17", "--passive"});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 10000);
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT(
        (output += program.readAllStandardOutput()).contains("ready on " + link.toLocal8Bit()), 10000);

    PcPort pc;
    QVERIFY(pc.open(link));
    pc.send(225, FunctionCode::kUnitInfo); // another unit's request: ignored
    pc.send(17, FunctionCode::kConnectionTableSignature);
    const auto answer = pc.nextAnswer();
    QVERIFY(answer);
    QCOMPARE(answer->address(), quint8(17));
    QCOMPARE(answer->code(), FunctionCode::kConnectionTableSignature);
    pc.close();

    ::kill(pid_t(program.processId()), signalNumber);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TestSimLine)
#include "tst_simline.moc"
