#pragma once

#include "app/Settings.h"
#include "link/LineLink.h"
#include "sensorconfig/SensorAddressTable.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class TCOMMPortForm;
class TSetAdrBOForm;
class TChangeAdrBOForm;
class TDataRSForm;
class TSensorConstForm;
class TConstBOForm;
class TRelaySettingsForm;
class TSetDateTimeForm;
class MeasurementMonitor;
class MeasurementViews;

// The main window: menu, status bar, the line to the unit and its timers. The measurement
// pages in its middle belong to the monitoring views.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kStartWidth = 875;
    static constexpr int kStartHeight = 684;
    static constexpr int kDefaultNoDataTimeoutSeconds = 60;
    static constexpr int kStartupPortCheckMs = 1000;

    explicit TMainForm(const Settings& settings, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The tool windows, created after this one; the menu shows them.
    struct ToolWindows
    {
        TSetDateTimeForm* setDateTime = nullptr;
        TSensorConstForm* sensorConst = nullptr;
        TConstBOForm* constBO = nullptr;
        TSetAdrBOForm* setAdrBO = nullptr;
        TCOMMPortForm* commPort = nullptr;
        TDataRSForm* dataRS = nullptr;
        TChangeAdrBOForm* changeAdrBO = nullptr;
        TRelaySettingsForm* relaySettings = nullptr;
    };
    void attachToolWindows(const ToolWindows& windows) { m_tools = windows; }
    const ToolWindows& toolWindows() const { return m_tools; }

    LineLink& link() { return m_link; }
    MeasurementMonitor& monitor() { return *m_monitor; }
    MeasurementViews& views() { return *m_views; }
    SensorAddressTable& sensorAddresses() { return m_sensorAddresses; }
    const Settings& settings() const { return m_settings; }

    void OpenCommPort(const QString& name);
    void SetDataTimeout(int seconds);
    int noDataTimeoutMs() const;

    // The current unit address: the text of status-bar panel 4.
    QString currentUnitAddress() const;
    void setUnitAddress(const QString& text); // from the address dialog: shown and stored
    void adoptUnitAddress(int address);       // from a received frame

    bool debugMode() const;
    bool queryMode() const;
    bool autoDetectAddress() const;

    QLabel* statusPanel(int index) const { return m_panels.at(size_t(index)); }
    QProgressBar* RXBar = nullptr;
    QProgressBar* TXBar = nullptr;
    QProgressBar* CRCFailedInicator = nullptr;

    QMenu* MMSystem = nullptr;
    QMenu* MMSettings = nullptr; // "Настройка", shown only in debug mode
    QMenu* MMCommands = nullptr;
    QAction* MMDebugReg = nullptr;
    QAction* MMRSMonitor = nullptr;
    QAction* MMBOActive = nullptr;
    QAction* MMQerryReg = nullptr;
    QAction* MMAutoDefineAdrBO = nullptr;
    QAction* MMExit = nullptr;
    QAction* MMTerminal = nullptr;
    QAction* MMStartMes = nullptr;
    QAction* MMStopMes = nullptr;
    QAction* MMActiveRegOn = nullptr;
    QAction* MMActiveRegOff = nullptr;
    QAction* MMBOInfo = nullptr;
    QAction* MMAdrBO = nullptr;
    QAction* MMChangeAdrBO = nullptr;
    QAction* MMRelaySettings = nullptr;
    QAction* MMConnstBO = nullptr;
    QAction* MMDateTime = nullptr;
    QAction* MMConstSens = nullptr;

    QTimer CheckRSConnectOnStartProg;

    static QString normalCaption();
    static QString debugCaption();

    void MMDebugRegClick();
    void CheckRSConnectOnStartProgTimer();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    void bindMeasurementCommands();
    void buildStatusBar();
    void bindIndicator(LineIndicator& indicator, QProgressBar* bar);
    void registerAnswerHandlers();
    void onFrameAccepted(quint8 address);
    void onPortFailed(const QString& name);
    void showToolWindow(QWidget* window);

    Settings m_settings;
    LineLink m_link;
    SensorAddressTable m_sensorAddresses;
    std::unique_ptr<MeasurementMonitor> m_monitor;
    MeasurementViews* m_views = nullptr;
    ToolWindows m_tools;
    std::array<QLabel*, 12> m_panels{};
};
