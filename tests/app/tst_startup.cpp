#include "app/Maindebugmega.h"
#include "dialogs/LineMonitorModel.h"
#include "dialogs/Rsmonitor.h"
#include "link/Adrbo.h"
#include "link/Changeadrbo.h"
#include "link/Commportset.h"
#include "sensorconfig/Writereadsensorconst.h"
#include "support/ProgramFixture.h"
#include "unitconfig/Constbo.h"
#include "unitconfig/Relaysettings.h"
#include "unitconfig/Setdatetime.h"
#include "unitconfig/Setregimebo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {
const QString kAskForPort = QStringLiteral("СОМ порт не выбран. Выбрать?");

// The texts of a menu in order, "-" for a separator.
QStringList menuTexts(const QMenu* menu)
{
    QStringList out;
    for (const QAction* action : menu->actions())
        out << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return out;
}
} // namespace

class StartupTest : public QObject
{
    Q_OBJECT
private slots:
    void emptySettingsStartAndAskForAPort();
    void portChoices_data();
    void portChoices();
    void opensPseudoTerminalAndQueuesBytesInOrder();
    void pausedReceptionKeepsBytes();
    void hangUpClosesThePortOnce();
    void comPortDialogAppliesTimeout();
    void dataTimeout_data();
    void dataTimeout();
    void menuAndStatusBarAsDesigned();
    void debugModeToggledTwice();
    void realProgramStoresSettingsInUserConfigFolder();
};

void StartupTest::emptySettingsStartAndAskForAPort()
{
    ProgramFixture program;
    program.start();
    TMainForm& main = program.mainForm();
    QCOMPARE(main.statusPanel(4)->text(), QString());
    QCOMPARE(program.settings().mainTableClearTimeOut(), QStringLiteral("60"));
    QCOMPARE(main.noDataTimeoutMs(), 60000);
    QVERIFY(program.answers().shown().isEmpty());
    // One second after start the program asks for a port; "Нет" leaves it without one.
    QTRY_VERIFY_WITH_TIMEOUT(program.answers().wasShown(kAskForPort), 3000);
    QCOMPARE(program.answers().shown().first().caption, QStringLiteral("Диалог системы"));
    QCOMPARE(main.statusPanel(2)->text(), QStringLiteral("n/a"));
    QVERIFY(!main.link().port().isOpen());
}

void StartupTest::portChoices_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("storedAfter");
    QTest::newRow("n/a asks") << QStringLiteral("n/a") << kAskForPort << QStringLiteral("n/a");
    QTest::newRow("N/A is a port name")
        << QStringLiteral("N/A") << QStringLiteral("Порт занят") << QStringLiteral("n/a");
    QTest::newRow("missing device") << QStringLiteral("/dev/no-such-port") << QStringLiteral("Порт занят")
                                    << QStringLiteral("n/a");
    QTest::newRow("garbage time-out still starts")
        << QStringLiteral("n/a") << kAskForPort << QStringLiteral("n/a");
}

void StartupTest::portChoices()
{
    QFETCH(QString, stored);
    QFETCH(QString, dialog);
    QFETCH(QString, storedAfter);
    ProgramFixture program;
    program.settings().setCurrCOMM(stored);
    program.settings().setMainTableClearTimeOut(QStringLiteral("abc"));
    program.start();
    QTRY_VERIFY_WITH_TIMEOUT(program.answers().wasShown(dialog), 3000);
    QTRY_COMPARE(program.mainForm().statusPanel(2)->text(), QStringLiteral("n/a"));
    QCOMPARE(program.settings().currCOMM(), storedAfter);
    QCOMPARE(program.settings().mainTableClearTimeOut(), QStringLiteral("60"));
    if (dialog == QStringLiteral("Порт занят"))
        QCOMPARE(program.answers().shown().first().kind, int(kMessageError));
}

void StartupTest::opensPseudoTerminalAndQueuesBytesInOrder()
{
    ProgramFixture program;
    program.startOnPty();
    TMainForm& main = program.mainForm();
    QCOMPARE(main.statusPanel(2)->text(), program.unit().slavePath());
    QCOMPARE(program.settings().currCOMM(), program.unit().slavePath());

    TDataRSForm& monitor = *program.windows().m_dataRS;
    monitor.RSDataRecivClick();
    QByteArray sent;
    for (int i = 0; i < 40; ++i) {
        const QByteArray piece = QByteArray::number(i) + "-";
        sent += piece;
        program.unit().write(piece);
        QTest::qWait(2);
    }
    QTRY_COMPARE(monitor.rawBytes().rowCount(), int(sent.size()));
    QByteArray listed;
    for (int row = 0; row < monitor.rawBytes().rowCount(); ++row)
        listed += char(monitor.rawBytes().byteAt(row));
    QCOMPARE(listed, sent);
    QVERIFY(program.answers().shown().isEmpty());
}

void StartupTest::pausedReceptionKeepsBytes()
{
    ProgramFixture program;
    program.startOnPty();
    TDataRSForm& monitor = *program.windows().m_dataRS;
    monitor.RSDataRecivClick();
    LineLink& link = program.mainForm().link();
    const LineLink::ReceptionState state = link.pauseReception();
    program.unit().write("ABCDEF");
    QTest::qWait(100);
    QCOMPARE(monitor.rawBytes().rowCount(), 0);
    link.resumeReception(state);
    QTRY_COMPARE(monitor.rawBytes().rowCount(), 6);
}

void StartupTest::hangUpClosesThePortOnce()
{
    ProgramFixture program;
    program.startOnPty();
    TMainForm& main = program.mainForm();
    const QString path = program.unit().slavePath();
    program.unit().closeSlave();
    program.unit().closeMaster();
    QTRY_VERIFY(!main.link().port().isOpen());
    QCOMPARE(main.statusPanel(2)->text(), QStringLiteral("n/a"));
    // The next start opens the same port again once it is back.
    QCOMPARE(program.settings().currCOMM(), path);
    QVERIFY(program.answers().shown().isEmpty());
}

void StartupTest::comPortDialogAppliesTimeout()
{
    ProgramFixture program;
    program.settings().setCurrCOMM(QStringLiteral("n/a"));
    program.settings().setMainTableClearTimeOut(QStringLiteral("45"));
    program.answers().answerNext(kAnswerYes);
    program.start();
    TCOMMPortForm& dialog = *program.windows().m_commPort;
    QCOMPARE(dialog.TimeOutMesData->text(), QStringLiteral("45"));
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isVisible(), 3000);

    // A time-out that is no integer: the port is opened first, then the error, and the dialog stays.
    dialog.COMMText->setCurrentText(program.unit().slavePath());
    dialog.TimeOutMesData->setText(QStringLiteral("1,5"));
    dialog.BtnOkClick();
    QVERIFY(program.answers().wasShown(QStringLiteral("'1,5' is not a valid integer value")));
    QVERIFY(program.mainForm().link().port().isOpen());
    QVERIFY(dialog.isVisible());
    QCOMPARE(program.mainForm().noDataTimeoutMs(), 45000);

    // A port that cannot be opened: "Порт занят", and still the time-out is applied.
    dialog.COMMText->setCurrentText(QStringLiteral("COM15"));
    dialog.TimeOutMesData->setText(QStringLiteral("30"));
    dialog.BtnOkClick();
    QVERIFY(program.answers().wasShown(QStringLiteral("Порт занят")));
    QCOMPARE(program.mainForm().noDataTimeoutMs(), 30000);
    QCOMPARE(program.settings().mainTableClearTimeOut(), QStringLiteral("30"));
    QCOMPARE(program.settings().currCOMM(), QStringLiteral("n/a"));
    QVERIFY(!dialog.isVisible());
}

void StartupTest::dataTimeout_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("60") << 60;
    QTest::newRow("0 never fires") << 0;
}

void StartupTest::dataTimeout()
{
    QFETCH(int, seconds);
    ProgramFixture program;
    program.start();
    program.mainForm().SetDataTimeout(seconds);
    QCOMPARE(program.mainForm().noDataTimeoutMs(), seconds * 1000);
    QCOMPARE(program.settings().mainTableClearTimeOut(), QString::number(seconds));
}

void StartupTest::menuAndStatusBarAsDesigned()
{
    ProgramFixture program;
    program.start();
    TMainForm& main = program.mainForm();
    QCOMPARE(main.windowTitle(), QStringLiteral("ВТ-2М Влагомеры"));
    QCOMPARE(main.size(), QSize(875, 684));
    QCOMPARE(menuTexts(main.MMSystem),
             (QStringList{QStringLiteral("Режим отладки"), QStringLiteral("-"),
                          QStringLiteral("Мониторинг линии связи"), QStringLiteral("-"),
                          QStringLiteral("БО активен"), QStringLiteral("Режим запроса информации"),
                          QStringLiteral("-"), QStringLiteral("Автоматическое определение адреса БО"),
                          QStringLiteral("-"), QStringLiteral("Выход")}));
    QCOMPARE(menuTexts(main.MMSettings),
             (QStringList{QStringLiteral("Терминал"), QStringLiteral("-"), QStringLiteral("Команды"),
                          QStringLiteral("-"), QStringLiteral("Адрес БО (для ПЭВМ)"),
                          QStringLiteral("Смена адреса БО "), QStringLiteral("Натройка выходов РЕЛЕ"),
                          QStringLiteral("Константы БО"), QStringLiteral("Дата и время"), QStringLiteral("-"),
                          QStringLiteral("Константы датчиков")}));
    QCOMPARE(menuTexts(main.MMCommands),
             (QStringList{QStringLiteral("#51 Начать измерения"), QStringLiteral("#51 Прекратить измерения"),
                          QStringLiteral("#76 Вкл активный режим"), QStringLiteral("#76 Выкл активный режим"),
                          QStringLiteral("#81 Информация о БО")}));
    QVERIFY(main.MMBOActive->isChecked() && !main.MMQerryReg->isChecked());
    QVERIFY(main.MMAutoDefineAdrBO->isChecked() && !main.MMDebugReg->isChecked());
    QVERIFY(!main.MMSettings->menuAction()->isVisible());

    ProgramWindows& w = program.windows();
    const QList<QPair<QWidget*, QString>> toolWindows{
        {w.m_setDateTime.get(), QStringLiteral("Настройка даты и времени")},
        {w.m_sensorConst.get(), QStringLiteral("Константы датчиков")},
        {w.m_constBO.get(), QStringLiteral("Константы блока обработки")},
        {w.m_setAdrBO.get(), QStringLiteral("Адрес БО")},
        {w.m_commPort.get(), QStringLiteral("Терминал")},
        {w.m_dataRS.get(), QStringLiteral("Данные на линии RS")},
        {w.m_setRegimeBO.get(), QStringLiteral("Значение")},
        {w.m_changeAdrBO.get(), QStringLiteral("Смена адреса БО")},
        {w.m_relaySettings.get(), QStringLiteral("Настройка РЕЛЕ")}};
    for (const auto& [window, caption] : toolWindows) {
        QCOMPARE(window->windowTitle(), caption);
        QVERIFY(!window->isVisible());
    }

    const QStringList labels{QString(), QStringLiteral("Терминал"),   QString(), QStringLiteral("Адрес БО"),
                             QString(), QStringLiteral("RX"),         QString(), QStringLiteral("TX"),
                             QString(), QStringLiteral("Ошибка CRC"), QString(), QString()};
    const int widths[] = {300, 65, 50, 60, 50, 20, 20, 20, 20, 75, 21, 50};
    for (int i = 0; i < 12; ++i) {
        if (QLabel* label = main.statusPanel(i)) {
            QCOMPARE(label->text(), labels.at(i));
            QCOMPARE(label->width(), widths[i]);
        }
    }
    for (QProgressBar* bar : {main.RXBar, main.TXBar, main.CRCFailedInicator}) {
        QVERIFY(bar);
        QCOMPARE(bar->maximum(), 10);
    }
}

void StartupTest::debugModeToggledTwice()
{
    ProgramFixture program;
    program.start();
    TMainForm& main = program.mainForm();
    main.MMDebugReg->trigger();
    QVERIFY(main.MMSettings->menuAction()->isVisible());
    QCOMPARE(main.windowTitle(), TMainForm::debugCaption());
    main.MMDebugReg->trigger();
    QVERIFY(!main.MMSettings->menuAction()->isVisible());
    QVERIFY(!main.MMDebugReg->isChecked());
    QCOMPARE(main.windowTitle(), TMainForm::normalCaption());
}

void StartupTest::realProgramStoresSettingsInUserConfigFolder()
{
    const QString binary = qEnvironmentVariable("VT2M_BINARY_DIR") + QStringLiteral("/app/vt2m");
    if (!QFile::exists(binary))
        QSKIP("the program is not built next to the tests");
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(home.path());
    process.start(binary, {});
    QVERIFY(process.waitForStarted());
    const QString conf = home.filePath(QStringLiteral("ConfigVT2M.conf"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(conf), 5000);
    process.kill();
    process.waitForFinished();
    QSettings stored(conf, QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("MainTableClearTimeOut")).toString(), QStringLiteral("60"));
    QFile raw(conf);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().startsWith("[General]"));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
