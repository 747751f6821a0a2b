#include "app/Maindebugmega.h"

#include "dialogs/Messageform.h"
#include "dialogs/Rsmonitor.h"
#include "dialogs/SkyBlue.h"
#include "link/Adrbo.h"
#include "link/Changeadrbo.h"
#include "link/Commportset.h"
#include "link/FunctionCodes.h"
#include "link/IntegerText.h"
#include "link/UnitAddress.h"
#include "monitor/MeasurementMonitor.h"
#include "monitor/MeasurementViews.h"
#include "sensorconfig/Writereadsensorconst.h"
#include "unitconfig/Constbo.h"
#include "unitconfig/Relaysettings.h"
#include "unitconfig/Setdatetime.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>

namespace {
const QString kNoPort = QStringLiteral("n/a");

// Status-bar panels: width and fixed text; an empty text marks a run-time panel.
struct PanelDesign
{
    int width;
    const char* text;
    bool indicator;
};
constexpr std::array<PanelDesign, 12> kPanels{{
    {300, "", false},
    {65, "Терминал", false},
    {50, "", false}, // port in use
    {60, "Адрес БО", false},
    {50, "", false}, // current unit address
    {20, "RX", false},
    {20, "", true}, // RXBar
    {20, "TX", false},
    {20, "", true}, // TXBar
    {75, "Ошибка CRC", false},
    {21, "", true}, // CRCFailedInicator
    {50, "", false},
}};
constexpr int kPortPanel = 2;
constexpr int kAddressPanel = 4;
constexpr int kMessagePanel = 0;

// 0.5 for D0 = 0x01, D1 = 0xF4: one significant digit, an exponent of three digits.
QString formatLiquidValue(double value)
{
    QString text = QLocale().toString(value, 'g', 1);
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        QString digits = text.mid(e + 2);
        while (digits.size() < 3)
            digits.prepend(QLatin1Char('0'));
        text = text.left(e + 2) + digits;
    }
    return text;
}
} // namespace

TMainForm::TMainForm(const Settings& settings, QWidget* parent) : QMainWindow(parent), m_settings(settings)
{
    setWindowTitle(normalCaption());
    resize(kStartWidth, kStartHeight);
    setMinimumSize(kStartWidth, kStartHeight);
    paintSkyBlue(this);

    buildMenu();
    buildStatusBar();

    m_link.setAddressSource([this] { return currentUnitAddress(); });
    m_link.setConversionErrorReporter(&ShowErrorBox);
    m_link.receive().resetAssembler();
    m_link.setMonitorReceiving(false);
    connect(&m_link.receive(), &ReceivePath::frameAccepted, this,
            [this](quint8 address, quint8) { onFrameAccepted(address); });
    connect(&m_link.port(), &SerialLink::portFailed, this,
            [this](const QString& name, const QString&) { onPortFailed(name); });
    registerAnswerHandlers();

    // The archive and the constants live below the folder the program was started in.
    m_monitor = std::make_unique<MeasurementMonitor>(m_link, m_sensorAddresses, QDir::currentPath());
    m_monitor->setMessagePresenter([this](const QString& text, const QString& caption, int kind) {
        return ShowMessageDialog(text, caption, kind, this);
    });
    m_monitor->registerHandlers(m_link.dispatcher());
    bindMeasurementCommands();
    auto* client = new QWidget(this);
    setCentralWidget(client);
    m_views = new MeasurementViews(*m_monitor, client);
    m_views->move(8, 8);
    m_monitor->loadArchiveDay();
    m_monitor->clearDataSeenFlags();

    statusPanel(kAddressPanel)->setText(m_settings.adrBO());

    // A fresh installation has no time-out stored yet: start with the dialog's own default.
    const std::optional<int> timeout = parseInteger(m_settings.mainTableClearTimeOut());
    SetDataTimeout(timeout.value_or(kDefaultNoDataTimeoutSeconds));

    CheckRSConnectOnStartProg.setInterval(kStartupPortCheckMs);
    CheckRSConnectOnStartProg.setSingleShot(true);
    connect(&CheckRSConnectOnStartProg, &QTimer::timeout, this, &TMainForm::CheckRSConnectOnStartProgTimer);
    CheckRSConnectOnStartProg.start();

    m_views->FormResize(size());
}

TMainForm::~TMainForm()
{
    // The views show the monitor's models: they go first.
    delete takeCentralWidget();
    m_views = nullptr;
}

QString TMainForm::normalCaption()
{
    return QStringLiteral("ВТ-2М Влагомеры");
}

QString TMainForm::debugCaption()
{
    return QStringLiteral("ВТ-2М Влагомеры (режим отладки)");
}

void TMainForm::buildMenu()
{
    MMSystem = menuBar()->addMenu(QStringLiteral("Система"));
    MMDebugReg = MMSystem->addAction(QStringLiteral("Режим отладки"), this, &TMainForm::MMDebugRegClick);
    MMDebugReg->setCheckable(true);
    MMSystem->addSeparator();
    MMRSMonitor = MMSystem->addAction(QStringLiteral("Мониторинг линии связи"), this,
                                      [this] { showToolWindow(m_tools.dataRS); });
    MMSystem->addSeparator();
    auto* modes = new QActionGroup(this);
    modes->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    MMBOActive = MMSystem->addAction(QStringLiteral("БО активен"));
    MMQerryReg = MMSystem->addAction(QStringLiteral("Режим запроса информации"));
    for (QAction* mode : {MMBOActive, MMQerryReg}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    // Clicking the ticked item changes nothing: the group never unticks it.
    connect(MMBOActive, &QAction::triggered, this, [this] { m_monitor->MMBOActiveClick(); });
    connect(MMQerryReg, &QAction::triggered, this, [this] { m_monitor->MMQerryRegClick(); });
    MMBOActive->setChecked(true);
    MMSystem->addSeparator();
    MMAutoDefineAdrBO = MMSystem->addAction(QStringLiteral("Автоматическое определение адреса БО"));
    MMAutoDefineAdrBO->setCheckable(true);
    MMAutoDefineAdrBO->setChecked(true);
    MMSystem->addSeparator();
    MMExit = MMSystem->addAction(QStringLiteral("Выход"), qApp, &QCoreApplication::quit);

    MMSettings = menuBar()->addMenu(QStringLiteral("Настройка"));
    MMTerminal =
        MMSettings->addAction(QStringLiteral("Терминал"), this, [this] { showToolWindow(m_tools.commPort); });
    MMSettings->addSeparator();
    MMCommands = MMSettings->addMenu(QStringLiteral("Команды"));
    MMStartMes = MMCommands->addAction(QStringLiteral("#51 Начать измерения"));
    MMStopMes = MMCommands->addAction(QStringLiteral("#51 Прекратить измерения"));
    MMActiveRegOn = MMCommands->addAction(QStringLiteral("#76 Вкл активный режим"));
    MMActiveRegOff = MMCommands->addAction(QStringLiteral("#76 Выкл активный режим"));
    MMBOInfo = MMCommands->addAction(QStringLiteral("#81 Информация о БО"));
    MMSettings->addSeparator();
    MMAdrBO = MMSettings->addAction(QStringLiteral("Адрес БО (для ПЭВМ)"), this,
                                    [this] { showToolWindow(m_tools.setAdrBO); });
    MMChangeAdrBO = MMSettings->addAction(QStringLiteral("Смена адреса БО "), this,
                                          [this] { showToolWindow(m_tools.changeAdrBO); });
    MMRelaySettings = MMSettings->addAction(QStringLiteral("Натройка выходов РЕЛЕ"), this,
                                            [this] { showToolWindow(m_tools.relaySettings); });
    MMConnstBO = MMSettings->addAction(QStringLiteral("Константы БО"), this,
                                       [this] { showToolWindow(m_tools.constBO); });
    MMDateTime = MMSettings->addAction(QStringLiteral("Дата и время"), this,
                                       [this] { showToolWindow(m_tools.setDateTime); });
    MMSettings->addSeparator();
    MMConstSens = MMSettings->addAction(QStringLiteral("Константы датчиков"), this,
                                        [this] { showToolWindow(m_tools.sensorConst); });
    MMSettings->menuAction()->setVisible(false);
}

void TMainForm::bindMeasurementCommands()
{
    connect(MMStartMes, &QAction::triggered, this, [this] { m_monitor->sendMeasurementsCommand(true); });
    connect(MMStopMes, &QAction::triggered, this, [this] { m_monitor->sendMeasurementsCommand(false); });
    connect(MMActiveRegOn, &QAction::triggered, this, [this] { m_monitor->sendActiveModeCommand(true); });
    connect(MMActiveRegOff, &QAction::triggered, this, [this] { m_monitor->sendActiveModeCommand(false); });
    connect(MMBOInfo, &QAction::triggered, this, [this] { m_monitor->sendUnitInfoRequest(); });
}

void TMainForm::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    // The panels have the narrow widths of the original design; a small font keeps their
    // labels whole.
    QFont small = bar->font();
    small.setPointSize(7);
    bar->setFont(small);
    for (size_t i = 0; i < kPanels.size(); ++i) {
        const PanelDesign& design = kPanels[i];
        QWidget* panel = nullptr;
        if (design.indicator) {
            auto* indicator = new QProgressBar(bar);
            indicator->setRange(0, 10);
            indicator->setValue(0);
            indicator->setTextVisible(false);
            panel = indicator;
        } else {
            auto* label = new QLabel(QString::fromUtf8(design.text), bar);
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            m_panels[i] = label;
            panel = label;
        }
        panel->setFixedWidth(design.width);
        bar->addWidget(panel);
    }
    const auto bars = bar->findChildren<QProgressBar*>(QString(), Qt::FindDirectChildrenOnly);
    RXBar = bars.value(0);
    TXBar = bars.value(1);
    CRCFailedInicator = bars.value(2);
    bindIndicator(m_link.rxIndicator(), RXBar);
    bindIndicator(m_link.txIndicator(), TXBar);
    bindIndicator(m_link.lrcFailedIndicator(), CRCFailedInicator);
}

void TMainForm::bindIndicator(LineIndicator& indicator, QProgressBar* bar)
{
    connect(&indicator, &LineIndicator::litChanged, bar, [bar](bool lit) { bar->setValue(lit ? 10 : 0); });
}

void TMainForm::registerAnswerHandlers()
{
    ResponseDispatcher& dispatcher = m_link.dispatcher();
    dispatcher.registerHandler(FunctionCode::kSensorNotFound, [this](const ResponseFrame&) {
        ShowMessageDialog(QStringLiteral("Датчик не найден"), kCaptionMessage, kMessageInformation, this,
                          m_tools.sensorConst);
    });
    dispatcher.registerHandler(FunctionCode::kLiquidValueFromArchive, [](const ResponseFrame& frame) {
        if (!frame.hasData(2))
            return;
        const double value = frame.word(0) * 0.001;
        ShowPlainMessageBox(QStringLiteral("Архив"),
                            QStringLiteral("Е жидкости из архива = ") + formatLiquidValue(value));
    });
    dispatcher.registerHandler(FunctionCode::kChangeUnitAddress, [this](const ResponseFrame& frame) {
        ShowMessageDialog(QStringLiteral("Адрес БО изменен на ") + QString::number(frame.address()),
                          kCaptionMessage, kMessageInformation, this);
    });
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_views)
        m_views->FormResize(size());
}

void TMainForm::showToolWindow(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

bool TMainForm::debugMode() const
{
    return MMDebugReg->isChecked();
}

bool TMainForm::queryMode() const
{
    return MMQerryReg->isChecked();
}

bool TMainForm::autoDetectAddress() const
{
    return MMAutoDefineAdrBO->isChecked();
}

void TMainForm::MMDebugRegClick()
{
    // The action has already flipped its tick; the menu and caption follow it.
    const bool on = MMDebugReg->isChecked();
    MMSettings->menuAction()->setVisible(on);
    setWindowTitle(on ? debugCaption() : normalCaption());
}

void TMainForm::CheckRSConnectOnStartProgTimer()
{
    CheckRSConnectOnStartProg.stop();
    const QString stored = m_settings.currCOMM();
    // An empty setting means no port was ever chosen: ask, as after a failed open.
    if (!stored.isEmpty() && stored != kNoPort) {
        OpenCommPort(stored);
        return;
    }
    const int answer = ShowMessageDialog(QStringLiteral("СОМ порт не выбран. Выбрать?"), kCaptionQuestion,
                                         kMessageQuestion, this);
    if (answer == kAnswerYes)
        showToolWindow(m_tools.commPort);
    else
        statusPanel(kPortPanel)->setText(kNoPort);
}

void TMainForm::OpenCommPort(const QString& name)
{
    statusPanel(kMessagePanel)->clear();
    if (m_link.port().open(name)) {
        m_settings.setCurrCOMM(name);
        statusPanel(kPortPanel)->setText(name);
        statusPanel(kPortPanel)->setToolTip(name); // a device path is wider than its panel
        return;
    }
    ShowMessageDialog(QStringLiteral("Порт занят"), kCaptionMessage, kMessageError, this);
    statusPanel(kPortPanel)->setText(kNoPort);
    m_settings.setCurrCOMM(kNoPort);
}

void TMainForm::onPortFailed(const QString& name)
{
    // The stored port stays, so the next start tries it again once the adapter is back.
    statusPanel(kPortPanel)->setText(kNoPort);
    statusPanel(kMessagePanel)->setText(QStringLiteral("Порт %1 закрыт: нет связи с устройством").arg(name));
}

int TMainForm::noDataTimeoutMs() const
{
    return m_monitor->noDataTimeoutMs();
}

void TMainForm::SetDataTimeout(int seconds)
{
    m_monitor->setNoDataTimeoutSeconds(seconds);
    m_settings.setMainTableClearTimeOut(QString::number(seconds));
}

QString TMainForm::currentUnitAddress() const
{
    return statusPanel(kAddressPanel)->text();
}

void TMainForm::setUnitAddress(const QString& text)
{
    statusPanel(kAddressPanel)->setText(text);
    m_settings.setAdrBO(text);
}

void TMainForm::adoptUnitAddress(int address)
{
    const QString text = QString::number(address);
    setUnitAddress(text);
    if (m_tools.setAdrBO)
        m_tools.setAdrBO->AdrBOText->setText(text);
}

void TMainForm::onFrameAccepted(quint8 address)
{
    // Only an intact frame may retarget the requests: a damaged address would send every
    // later configuration write to another unit.
    if (shouldAdoptAddress(autoDetectAddress(), address, currentUnitAddress()))
        adoptUnitAddress(address);
}
