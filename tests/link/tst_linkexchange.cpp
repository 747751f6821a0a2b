#include "app/Maindebugmega.h"
#include "dialogs/LineMonitorModel.h"
#include "dialogs/Rsmonitor.h"
#include "link/Adrbo.h"
#include "link/Changeadrbo.h"
#include "link/FrameCodec.h"
#include "link/FunctionCodes.h"
#include "support/ProgramFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

// The real program on a pseudo-terminal; the test plays the unit.
class LinkExchangeTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void changeUnitAddress();
    void addressFromDialogIsCutToEightBits();
    void addressThatIsNoIntegerSendsNothing();
    void autoDetection_data();
    void autoDetection();
    void sensorNotFoundAndLiquidValue();
    void lineMonitorListsWhatArrives();
    void survivesRandomBytes();
};

void LinkExchangeTest::changeUnitAddress()
{
    ProgramFixture program;
    program.startOnPty(QStringLiteral("225"));
    TChangeAdrBOForm& window = *program.windows().m_changeAdrBO;
    window.show();
    window.txtNewAdr->setText(QStringLiteral("226"));
    QTest::mouseClick(window.btnWriteBOAdr, Qt::LeftButton);
    QCOMPARE(program.unit().readFrames(1), QByteArray(":E152E2EB\r\n"));
    QVERIFY(!window.isVisible());
    QCOMPARE(program.mainForm().currentUnitAddress(), QStringLiteral("225"));

    // The unit answers from its new address: auto-detection makes it current first.
    program.sendFromUnit(226, FunctionCode::kChangeUnitAddress);
    QTRY_VERIFY(program.answers().wasShown(QStringLiteral("Адрес БО изменен на 226")));
    QCOMPARE(program.mainForm().currentUnitAddress(), QStringLiteral("226"));
    QCOMPARE(program.settings().adrBO(), QStringLiteral("226"));
    QCOMPARE(program.windows().m_setAdrBO->AdrBOText->text(), QStringLiteral("226"));
}

void LinkExchangeTest::addressFromDialogIsCutToEightBits()
{
    ProgramFixture program;
    program.startOnPty(QStringLiteral("225"));
    TSetAdrBOForm& dialog = *program.windows().m_setAdrBO;
    QCOMPARE(dialog.AdrBOText->text(), QStringLiteral("225"));
    dialog.show();
    dialog.AdrBOText->setText(QStringLiteral("300"));
    dialog.BtnOKClick();
    QCOMPARE(program.mainForm().currentUnitAddress(), QStringLiteral("300"));
    QCOMPARE(program.settings().adrBO(), QStringLiteral("300"));
    program.mainForm().link().sendRequest(FunctionCode::kUnitInfo);
    QCOMPARE(program.unit().readFrames(1), encodeFrame(0x2C, FunctionCode::kUnitInfo, {}));

    // "Отмена" keeps the typed text but changes nothing.
    dialog.show();
    dialog.AdrBOText->setText(QStringLiteral("17"));
    dialog.BtnCancelClick();
    QCOMPARE(program.mainForm().currentUnitAddress(), QStringLiteral("300"));
    dialog.show();
    QCOMPARE(dialog.AdrBOText->text(), QStringLiteral("17"));
}

void LinkExchangeTest::addressThatIsNoIntegerSendsNothing()
{
    ProgramFixture program;
    program.startOnPty(QStringLiteral("22a"));
    QVERIFY(!program.mainForm().link().sendRequest(FunctionCode::kUnitInfo));
    QVERIFY(program.answers().wasShown(QStringLiteral("'22a' is not a valid integer value")));
    QCOMPARE(program.answers().shown().last().kind, int(kPlatformErrorBox));
    QCOMPARE(program.mainForm().TXBar->value(), 0);

    TChangeAdrBOForm& window = *program.windows().m_changeAdrBO;
    window.show();
    window.txtNewAdr->setText(QStringLiteral("5"));
    window.btnWriteBOAdrClick();
    QVERIFY(window.isVisible());
    QCOMPARE(program.unit().read(100), QByteArray());
}

void LinkExchangeTest::autoDetection_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("address");
    QTest::newRow("150 adopted") << encodeFrame(150, 74, {}) << true << QStringLiteral("150");
    QTest::newRow("50 ignored") << encodeFrame(50, 74, {}) << true << QStringLiteral("225");
    QByteArray damaged = encodeFrame(160, 74, QByteArray(1, 1));
    damaged[7] = damaged[7] == '0' ? '1' : '0';
    QTest::newRow("damaged frame ignored") << damaged << true << QStringLiteral("225");
    QTest::newRow("unticked") << encodeFrame(150, 74, {}) << false << QStringLiteral("225");
}

void LinkExchangeTest::autoDetection()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, ticked);
    QFETCH(QString, address);
    ProgramFixture program;
    program.startOnPty(QStringLiteral("225"));
    TMainForm& main = program.mainForm();
    main.MMAutoDefineAdrBO->setChecked(ticked);
    // A marker frame after the one under test tells when both have been handled.
    bool marker = false;
    main.link().dispatcher().registerHandler(FunctionCode::kLiquidValueFromArchive,
                                             [&](const ResponseFrame&) { marker = true; });
    program.unit().write(line + encodeFrame(1, FunctionCode::kLiquidValueFromArchive, {}));
    QTRY_VERIFY(marker);
    QCOMPARE(main.currentUnitAddress(), address);
    QCOMPARE(program.settings().adrBO(), address);
}

void LinkExchangeTest::sensorNotFoundAndLiquidValue()
{
    ProgramFixture program;
    program.startOnPty();
    program.sendFromUnit(225, FunctionCode::kSensorNotFound, QByteArray(1, 3));
    QTRY_VERIFY(program.answers().wasShown(QStringLiteral("Датчик не найден")));
    QCOMPARE(program.answers().shown().last().caption, QStringLiteral("Сообщение системы"));

    program.sendFromUnit(225, FunctionCode::kLiquidValueFromArchive, QByteArray::fromHex("01F4"));
    QTRY_VERIFY(program.answers().wasShown(QStringLiteral("Е жидкости из архива = 0,5")));
    QCOMPARE(program.answers().shown().last().caption, QStringLiteral("Архив"));
    QCOMPARE(program.answers().shown().last().kind, int(kPlatformMessageBox));
}

void LinkExchangeTest::lineMonitorListsWhatArrives()
{
    ProgramFixture program;
    program.startOnPty();
    TDataRSForm& monitor = *program.windows().m_dataRS;
    QCOMPARE(monitor.frames().rowCount(), 1); // it opens with one empty line

    program.sendFromUnit(225, FunctionCode::kUnitInfo);
    QTest::qWait(100);
    QCOMPARE(monitor.rawBytes().rowCount(), 0); // not receiving yet

    program.mainForm().MMRSMonitor->trigger();
    QVERIFY(monitor.isVisible());
    monitor.RSDataRecivClick();
    QCOMPARE(monitor.RSDataReciv->text(), QStringLiteral("Остановить прием"));
    QByteArray bad = encodeFrame(0x10, 74, {});
    bad[5] = 'F';
    program.unit().write("~~" + bad + encodeFrame(0xE1, 82, {}));
    QTRY_COMPARE(monitor.frames().rowCount(), 3);
    QCOMPARE(monitor.rawBytes().rowCount(), int(2 + bad.size() + 9));
    QCOMPARE(monitor.rawBytes().data(monitor.rawBytes().index(0), Qt::DisplayRole).toString(),
             QStringLiteral("7E"));
    QCOMPARE(monitor.frames().frameAt(1), bad.chopped(2));
    QCOMPARE(monitor.AdrBO->text(), QStringLiteral("225"));
    QCOMPARE(monitor.MsgNum->text(), QStringLiteral("82"));
    QCOMPARE(program.mainForm().CRCFailedInicator->value(), 10);

    monitor.close();
    QCOMPARE(monitor.RSDataReciv->text(), QStringLiteral("Начать прием"));
    QVERIFY(!program.mainForm().link().monitorReceiving());
    monitor.ClearButtonClick();
    QCOMPARE(monitor.frames().rowCount(), 0);
    QCOMPARE(monitor.AdrBO->text(), QString());
}

void LinkExchangeTest::survivesRandomBytes()
{
    // Noise with colons, CR LF and the odd intact frame, in random pieces, with the monitor on.
    ProgramFixture program;
    program.startOnPty();
    program.windows().m_dataRS->RSDataRecivClick();
    int handled = 0;
    program.mainForm().link().dispatcher().registerHandler(74, [&](const ResponseFrame&) { ++handled; });
    QRandomGenerator random(7);
    const char alphabet[] = ":0123456789ABCDEF\r\n\0xz";
    int sentIntact = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray noise(int(random.bounded(1, 200)), '\0');
        for (char& c : noise)
            c = random.bounded(4) == 0 ? char(random.bounded(256))
                                       : alphabet[random.bounded(int(sizeof alphabet - 1))];
        program.unit().write(noise);
        if (round % 10 == 0) {
            program.unit().write("\r\n" + encodeFrame(1, 74, QByteArray(3, char(round))));
            ++sentIntact;
        }
        QTest::qWait(1);
    }
    QTest::qWait(200);
    QVERIFY(program.mainForm().link().port().isOpen());
    // Each intact frame follows a CR LF and starts with its own colon, so no noise can spoil it.
    QVERIFY(handled >= sentIntact);
}

QTEST_MAIN(LinkExchangeTest)
#include "tst_linkexchange.moc"
