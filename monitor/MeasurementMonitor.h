#pragma once

#include "dialogs/MessageKinds.h"
#include "monitor/ChannelTableModel.h"
#include "monitor/MeasurementArchive.h"
#include "monitor/MeasurementRecord.h"
#include "monitor/MnemonicPanelState.h"
#include "monitor/SystemTableModel.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class LineLink;
class ResponseDispatcher;
class SensorAddressTable;

// The measurement side of the main window without its widgets: the code-52 records into the
// system table, the channel tables, the panels and the archive; polling in query mode; the
// no-data supervision of the channels; the measurement commands and their answers.
class MeasurementMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr int kQueryIntervalMs = 4500;
    static constexpr int kSweepIntervalMs = 3000;

    MeasurementMonitor(LineLink& link, SensorAddressTable& sensors, const QString& workingFolder,
                       QObject* parent = nullptr);
    ~MeasurementMonitor() override;

    void setMessagePresenter(MessagePresenter presenter);
    void setClock(std::function<QDateTime()> now);
    // Codes 51, 52, 76 and 81.
    void registerHandlers(ResponseDispatcher& dispatcher);

    // The start state of the views: the connection table read quietly into the sensor address
    // table, the header row written, every panel not connected.
    void prepareStartState();

    // Today's archive of every channel into its table; call once, before any record arrives.
    void loadArchiveDay();
    void LoadArchiveDay(int channelIndex);

    void clearDataSeenFlags();
    bool dataSeen(int channelIndex) const;

    // The timer part of SetDataTimeout. 0 (or less) stops the no-data timers: they never fire.
    void setNoDataTimeoutSeconds(int seconds);
    int noDataTimeoutMs() const { return m_noDataTimeoutMs; }

    // Query mode polls the sensors every kQueryIntervalMs; unit-active mode only listens.
    bool queryMode() const { return m_queryMode; }
    void setQueryMode(bool on);
    void MMQerryRegClick() { setQueryMode(true); }
    void MMBOActiveClick() { setQueryMode(false); }
    // The entry of the sensor address table asked next.
    int pollPosition() const { return m_pollPosition; }

    void sendMeasurementsCommand(bool start); // #51
    void sendActiveModeCommand(bool on);      // #76
    void sendUnitInfoRequest();               // #81

    // Answer handlers.
    void handleMeasurementRecord(const ResponseFrame& frame);
    void handleCommandDone(const ResponseFrame& frame);
    void handleUnitInfo(const ResponseFrame& frame);

    // Steps of a record, also used by the supervision.
    void UpdateSystemRow(const MeasurementRecord& record);
    void ShowNoSignal(const MeasurementRecord& record);
    void UpdateChannelTable(const MeasurementRecord& record);
    void UpdateMnemonicPanel(int channelIndex, float humidity, float temperature, bool temperatureValid,
                             const QString& alarmText, const QString& stateText);
    void AppendArchiveRow(int channelIndex, int row);

    // Timer handlers, public so that the supervision can be driven without waiting.
    void QerryTimerTimer();
    void NoDataChannelTimerTimer(int channelIndex);
    void MainTableClearTimerTimer();

    SystemTableModel& systemTable() { return m_systemTable; }
    const SystemTableModel& systemTable() const { return m_systemTable; }
    ChannelTableModel& channelTable(int channelIndex) { return *m_channelTables[size_t(channelIndex)]; }
    const ChannelTableModel& channelTable(int channelIndex) const
    {
        return *m_channelTables[size_t(channelIndex)];
    }
    const MnemonicPanelState& panelState(int channelIndex) const { return m_panels[size_t(channelIndex)]; }
    QString tabCaption(int channelIndex) const { return m_tabCaptions[size_t(channelIndex)]; }
    const QTimer& queryTimer() const { return m_QerryTimer; }
    const QTimer& noDataTimer(int channelIndex) const { return m_noDataTimers[size_t(channelIndex)]; }
    const QTimer& sweepTimer() const { return m_MainTableClearTimer; }
    const MeasurementArchive& archive() const { return m_archive; }
    QString workingFolder() const { return m_workingFolder; }

signals:
    void panelChanged(int channelIndex);
    void tabCaptionChanged(int channelIndex, const QString& caption);
    void queryModeChanged(bool on);

private:
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }
    void restartNoDataTimer(int channelIndex);
    int showMessage(const QString& text, int kind);

    LineLink& m_link;
    SensorAddressTable& m_sensors;
    const QString m_workingFolder;
    MeasurementArchive m_archive;
    MessagePresenter m_presenter;
    std::function<QDateTime()> m_now;

    SystemTableModel m_systemTable;
    std::array<std::unique_ptr<ChannelTableModel>, kChannelCount> m_channelTables;
    std::array<MnemonicPanelState, kChannelCount> m_panels;
    std::array<QString, kChannelCount> m_tabCaptions;
    std::array<bool, kChannelCount> m_dataSeen{};
    // The state a panel shows green: connected to the sensor of the record being handled.
    QString m_connectedStateText;

    bool m_queryMode = false;
    int m_pollPosition = 0;
    int m_noDataTimeoutMs = 0;
    QTimer m_QerryTimer;
    QTimer m_MainTableClearTimer;
    std::array<QTimer, kChannelCount> m_noDataTimers;
};
