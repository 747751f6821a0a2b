#include "link/FrameCodec.h"
#include "link/LineLink.h"
#include "link/ReceivePath.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
QByteArray frame(quint8 address, quint8 code, const QByteArray& data = {})
{
    return encodeFrame(address, code, data);
}
} // namespace

class ReceivePathTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void assemblesFramesWhateverTheChunks_data();
    void assemblesFramesWhateverTheChunks();
    void zeroByteEndsThePassButLosesNothing();
    void damagedFrameLightsLrcFailureOnly();
    void runawayFrameIsDiscarded();
    void handlerWaitingInADialogHoldsLaterFrames();
    void pauseKeepsBytesAndRestoresState();

private:
    // Every dispatched frame as "address/code/data-hex".
    QStringList m_dispatched;
    std::unique_ptr<ReceivePath> m_path;
};

void ReceivePathTest::init()
{
    m_dispatched.clear();
    m_path = std::make_unique<ReceivePath>();
    for (quint8 code : {quint8(52), quint8(82)}) {
        m_path->dispatcher().registerHandler(code, [this](const ResponseFrame& f) {
            m_dispatched << QStringLiteral("%1/%2/%3")
                                .arg(f.address())
                                .arg(f.code())
                                .arg(QString::fromLatin1(f.payload().toHex()));
        });
    }
}

void ReceivePathTest::assemblesFramesWhateverTheChunks_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<QStringList>("expected");

    const QByteArray a = frame(0xE1, 52, QByteArray::fromHex("0102"));
    const QByteArray b = frame(0x10, 82);
    const QStringList both{QStringLiteral("225/52/0102"), QStringLiteral("16/82/")};
    QTest::newRow("two frames in one read") << a + b << 1000 << both;
    QTest::newRow("one byte at a time") << a + b << 1 << both;
    QTest::newRow("three bytes at a time") << a + b << 3 << both;
    QTest::newRow("garbage before and between") << "xx\r\n" + a + "junk" + b << 5 << both;
    QTest::newRow("second colon restarts the frame") << QByteArray(":E134") + a + b << 1000 << both;
    QTest::newRow("CR not followed by LF is a character")
        << QByteArray(":E1\r34\r\n") + a << 1000 << QStringList{QStringLiteral("225/52/0102")};
    QTest::newRow("unlisted code ignored")
        << frame(1, 74) + a << 1000 << QStringList{QStringLiteral("225/52/0102")};
}

void ReceivePathTest::assemblesFramesWhateverTheChunks()
{
    QFETCH(QByteArray, line);
    QFETCH(int, chunk);
    QFETCH(QStringList, expected);
    for (qsizetype i = 0; i < line.size(); i += chunk) {
        m_path->appendReceived(line.mid(i, chunk));
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(m_dispatched, expected);
}

void ReceivePathTest::zeroByteEndsThePassButLosesNothing()
{
    const QByteArray a = frame(1, 52);
    m_path->appendReceived(a + QByteArray(1, '\0') + frame(2, 52));
    m_path->drain();
    QCOMPARE(m_dispatched, QStringList{QStringLiteral("1/52/")});
    QTRY_COMPARE(m_dispatched.size(), 2);
}

void ReceivePathTest::damagedFrameLightsLrcFailureOnly()
{
    QSignalSpy completed(m_path.get(), &ReceivePath::frameCompleted);
    QSignalSpy failed(m_path.get(), &ReceivePath::lrcFailed);
    m_path->appendReceived(":E13401EB\r\n"); // correct LRC would be E9... off by a little
    m_path->drain();
    QCOMPARE(completed.size(), 1);
    QCOMPARE(failed.size(), 1);
    QVERIFY(m_dispatched.isEmpty());
}

void ReceivePathTest::runawayFrameIsDiscarded()
{
    QSignalSpy completed(m_path.get(), &ReceivePath::frameCompleted);
    m_path->appendReceived(':' + QByteArray(FrameAssembler::kFrameAreaSize + 10, 'A') + "\r\n");
    m_path->drain();
    QCOMPARE(completed.size(), 0);
    m_path->appendReceived(frame(3, 52));
    m_path->drain();
    QCOMPARE(m_dispatched, QStringList{QStringLiteral("3/52/")});
}

void ReceivePathTest::handlerWaitingInADialogHoldsLaterFrames()
{
    // The first frame's handler waits in a nested loop, as a message dialog does; frames
    // arriving meanwhile must wait and then follow in order, never nest.
    int depth = 0;
    int deepest = 0;
    m_path->dispatcher().registerHandler(52, [&](const ResponseFrame& f) {
        ++depth;
        deepest = std::max(deepest, depth);
        m_dispatched << QString::number(f.address());
        if (f.address() == 1) {
            QTimer::singleShot(10, this, [this] { m_path->appendReceived(frame(2, 52) + frame(3, 52)); });
            QEventLoop wait;
            QTimer::singleShot(100, &wait, &QEventLoop::quit);
            wait.exec();
            QCOMPARE(m_dispatched.size(), 1);
            QVERIFY(!m_path->assemblerRunning());
        }
        --depth;
    });
    m_path->appendReceived(frame(1, 52));
    QTRY_COMPARE(m_dispatched, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(deepest, 1);
    QVERIFY(m_path->assemblerRunning());
}

void ReceivePathTest::pauseKeepsBytesAndRestoresState()
{
    LineLink link;
    QStringList seen;
    link.dispatcher().registerHandler(52,
                                      [&](const ResponseFrame& f) { seen << QString::number(f.address()); });

    LineLink::ReceptionState outer = link.pauseReception();
    link.receive().appendReceived(frame(7, 52));
    QTest::qWait(20);
    QVERIFY(seen.isEmpty());
    // A pause nested inside another restores "stopped", not "running".
    LineLink::ReceptionState inner = link.pauseReception();
    link.resumeReception(inner);
    QVERIFY(!link.receive().assemblerRunning());
    QVERIFY(!link.port().readerRunning());
    link.resumeReception(outer);
    QTRY_COMPARE(seen, QStringList{QStringLiteral("7")});
}

QTEST_GUILESS_MAIN(ReceivePathTest)
#include "tst_receivepath.moc"
