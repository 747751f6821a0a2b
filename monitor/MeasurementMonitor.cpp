#include "monitor/MeasurementMonitor.h"

#include "link/FunctionCodes.h"
#include "link/LineLink.h"
#include "monitor/FirmwareInfo.h"
#include "sensorconfig/SensorAddressTable.h"

#include <limits>

namespace {
const QString kCommandDoneText = QStringLiteral("Команда выполнена");
const QString kArchiveFailedText = QStringLiteral("Невозможно создать файл архива");
const QString kNotConnectedRowText = QStringLiteral("не подключен");
const QString kNotDefinedCaption = QStringLiteral("Не определен");
const QString kNoReadingText = QStringLiteral("-");

constexpr char kCommandOn = char(0xFF);
constexpr char kCommandOff = char(0x00);
} // namespace

MeasurementMonitor::MeasurementMonitor(LineLink& link, SensorAddressTable& sensors,
                                       const QString& workingFolder, QObject* parent)
    : QObject(parent), m_link(link), m_sensors(sensors), m_workingFolder(workingFolder),
      m_archive(workingFolder)
{
    for (auto& table : m_channelTables)
        table = std::make_unique<ChannelTableModel>();
    m_tabCaptions.fill(kNotDefinedCaption);

    m_QerryTimer.setObjectName(QStringLiteral("QerryTimer"));
    m_QerryTimer.setInterval(kQueryIntervalMs);
    connect(&m_QerryTimer, &QTimer::timeout, this, &MeasurementMonitor::QerryTimerTimer);

    m_MainTableClearTimer.setObjectName(QStringLiteral("MainTableClearTimer"));
    m_MainTableClearTimer.setInterval(kSweepIntervalMs);
    connect(&m_MainTableClearTimer, &QTimer::timeout, this, &MeasurementMonitor::MainTableClearTimerTimer);
    m_MainTableClearTimer.start();

    for (int k = 0; k < kChannelCount; ++k) {
        QTimer& timer = m_noDataTimers[size_t(k)];
        timer.setObjectName(QStringLiteral("NoDataChannel%1Timer").arg(k + 1));
        connect(&timer, &QTimer::timeout, this, [this, k] { NoDataChannelTimerTimer(k); });
    }
}

MeasurementMonitor::~MeasurementMonitor() = default;

void MeasurementMonitor::setMessagePresenter(MessagePresenter presenter)
{
    m_presenter = std::move(presenter);
}

void MeasurementMonitor::setClock(std::function<QDateTime()> now)
{
    m_now = std::move(now);
}

void MeasurementMonitor::registerHandlers(ResponseDispatcher& dispatcher)
{
    dispatcher.registerHandler(FunctionCode::kMeasurementRecord,
                               [this](const ResponseFrame& frame) { handleMeasurementRecord(frame); });
    dispatcher.registerHandler(FunctionCode::kStartStopMeasurements,
                               [this](const ResponseFrame& frame) { handleCommandDone(frame); });
    dispatcher.registerHandler(FunctionCode::kActiveMode,
                               [this](const ResponseFrame& frame) { handleCommandDone(frame); });
    dispatcher.registerHandler(FunctionCode::kUnitInfo,
                               [this](const ResponseFrame& frame) { handleUnitInfo(frame); });
}

int MeasurementMonitor::showMessage(const QString& text, int kind)
{
    return m_presenter ? m_presenter(text, kCaptionMessage, kind) : kAnswerOk;
}

void MeasurementMonitor::prepareStartState()
{
    // A missing connection table leaves the addresses as they are; polling then sends nothing.
    LoadConnectionTableQuiet(m_sensors, m_workingFolder);
    for (int k = 0; k < kChannelCount; ++k)
        UpdateMnemonicPanel(k, 0, 0, false, kNoAlarmSystemText, kNotConnectedPanelText);
    m_systemTable.writeHeaderRow();
}

// --- Archive ---------------------------------------------------------------------------------

void MeasurementMonitor::loadArchiveDay()
{
    for (int k = 0; k < kChannelCount; ++k)
        LoadArchiveDay(k);
}

void MeasurementMonitor::LoadArchiveDay(int channelIndex)
{
    if (channelIndex < 0 || channelIndex >= kChannelCount)
        return;
    channelTable(channelIndex).appendRows(m_archive.loadDay(now().date(), channelIndex));
}

void MeasurementMonitor::AppendArchiveRow(int channelIndex, int row)
{
    const QByteArrayView cells = channelTable(channelIndex).rows().rowBytes(row);
    // Shown once per row that cannot be archived; the row stays in the table.
    if (!m_archive.appendRow(now().date(), channelIndex, cells))
        showMessage(kArchiveFailedText, kMessageWarning);
}

// --- Records ---------------------------------------------------------------------------------

void MeasurementMonitor::handleMeasurementRecord(const ResponseFrame& frame)
{
    const std::optional<MeasurementRecord> record = decodeMeasurementRecord(frame);
    if (!record)
        return;
    const int k = record->channelIndex;
    m_dataSeen[size_t(k)] = true;
    restartNoDataTimer(k);
    m_connectedStateText = connectedStateText(record->sensorAddress);
    if (record->noSignal) {
        ShowNoSignal(*record);
        return;
    }
    UpdateSystemRow(*record);
    UpdateChannelTable(*record);
}

void MeasurementMonitor::UpdateSystemRow(const MeasurementRecord& record)
{
    const int row = record.channelIndex + 1;
    const MeasurementRow texts = measurementRow(record, timeText(now().time()), kNoAlarmSystemText);
    m_systemTable.setRow(row, texts.cells);
    m_systemTable.setAlarmColour(row, texts.alarmColour);
    m_systemTable.moveFlagTo(row);
    // The panel shows T2, not T1.
    UpdateMnemonicPanel(record.channelIndex, float(record.humidity()), float(record.t2), record.t2Valid,
                        m_systemTable.cell(row, kAlarmColumn),
                        QStringLiteral("Подключен (") + m_systemTable.cell(row, kAddressColumn) +
                            QLatin1Char(')'));
}

void MeasurementMonitor::ShowNoSignal(const MeasurementRecord& record)
{
    const int row = record.channelIndex + 1;
    std::array<QString, kMeasurementColumnCount> cells;
    cells.fill(kNoReadingText);
    cells[kTimeColumn] = timeText(now().time());
    cells[kAddressColumn] =
        QStringLiteral("Нет сигнала (") + QString::number(record.sensorAddress) + QLatin1Char(')');
    m_systemTable.setRow(row, cells);
    m_systemTable.moveFlagTo(row);
    UpdateMnemonicPanel(record.channelIndex, 0, 0, false, kNoAlarmSystemText, cells[kAddressColumn]);
}

void MeasurementMonitor::UpdateChannelTable(const MeasurementRecord& record)
{
    const int k = record.channelIndex;
    const MeasurementRow texts = measurementRow(record, timeText(now().time()), kNoAlarmChannelText);
    ChannelTableModel& table = channelTable(k);
    table.appendRow(texts.cells, texts.alarmColour);

    const QString caption = QStringLiteral("Адрес ") + QString::number(record.sensorAddress);
    if (caption != m_tabCaptions[size_t(k)]) {
        m_tabCaptions[size_t(k)] = caption;
        emit tabCaptionChanged(k, caption);
    }
    AppendArchiveRow(k, table.rowCount() - 1);
}

void MeasurementMonitor::UpdateMnemonicPanel(int channelIndex, float humidity, float temperature,
                                             bool temperatureValid, const QString& alarmText,
                                             const QString& stateText)
{
    if (channelIndex < 0 || channelIndex >= kChannelCount)
        return;
    applyMnemonicUpdate(m_panels[size_t(channelIndex)], humidity, temperature, temperatureValid, alarmText,
                        stateText, m_connectedStateText);
    emit panelChanged(channelIndex);
}

// --- Supervision -----------------------------------------------------------------------------

bool MeasurementMonitor::dataSeen(int channelIndex) const
{
    return channelIndex >= 0 && channelIndex < kChannelCount && m_dataSeen[size_t(channelIndex)];
}

void MeasurementMonitor::clearDataSeenFlags()
{
    m_dataSeen.fill(false);
}

void MeasurementMonitor::setNoDataTimeoutSeconds(int seconds)
{
    constexpr int kLongestSeconds = std::numeric_limits<int>::max() / 1000;
    m_noDataTimeoutMs = seconds > 0 ? std::min(seconds, kLongestSeconds) * 1000 : 0;
    for (QTimer& timer : m_noDataTimers) {
        if (m_noDataTimeoutMs > 0)
            timer.start(m_noDataTimeoutMs);
        else
            timer.stop();
    }
}

void MeasurementMonitor::restartNoDataTimer(int channelIndex)
{
    // A fresh full time-out from this record on. No wait between stop and start: the timer
    // restarts in place and the line is not held up.
    if (m_noDataTimeoutMs > 0)
        m_noDataTimers[size_t(channelIndex)].start(m_noDataTimeoutMs);
}

void MeasurementMonitor::NoDataChannelTimerTimer(int channelIndex)
{
    // The timer keeps running: it clears the flag again one time-out later unless a record comes.
    if (channelIndex >= 0 && channelIndex < kChannelCount)
        m_dataSeen[size_t(channelIndex)] = false;
}

void MeasurementMonitor::MainTableClearTimerTimer()
{
    for (int k = 0; k < kChannelCount; ++k) {
        if (m_dataSeen[size_t(k)])
            continue;
        std::array<QString, kMeasurementColumnCount> cells;
        cells[kAddressColumn] = kNotConnectedRowText;
        m_systemTable.setRow(k + 1, cells);
        UpdateMnemonicPanel(k, 0, 0, false, kNoAlarmSystemText, kNotConnectedPanelText);
    }
}

// --- Polling and commands --------------------------------------------------------------------

void MeasurementMonitor::setQueryMode(bool on)
{
    if (on == m_queryMode)
        return;
    m_queryMode = on;
    // Switching keeps the poll position, so polling resumes with the entry after the last asked.
    if (on)
        m_QerryTimer.start();
    else
        m_QerryTimer.stop();
    emit queryModeChanged(on);
}

void MeasurementMonitor::QerryTimerTimer()
{
    // An entry of 0 ends the list: start again from the first, and with none at all send nothing.
    if (m_sensors.entry(m_pollPosition) == 0) {
        m_pollPosition = 0;
        if (m_sensors.entry(0) == 0)
            return;
    }
    const int sensorAddress = m_sensors.entry(m_pollPosition);
    m_link.sendRequest(FunctionCode::kMeasurementRecord, QByteArray(1, char(sensorAddress & 0xFF)));
    m_pollPosition = (m_pollPosition + 1) % kChannelCount;
}

void MeasurementMonitor::sendMeasurementsCommand(bool start)
{
    m_link.sendRequest(FunctionCode::kStartStopMeasurements, QByteArray(1, start ? kCommandOn : kCommandOff));
}

void MeasurementMonitor::sendActiveModeCommand(bool on)
{
    m_link.sendRequest(FunctionCode::kActiveMode, QByteArray(1, on ? kCommandOn : kCommandOff));
}

void MeasurementMonitor::sendUnitInfoRequest()
{
    m_link.sendRequest(FunctionCode::kUnitInfo);
}

void MeasurementMonitor::handleCommandDone(const ResponseFrame&)
{
    showMessage(kCommandDoneText, kMessageInformation);
}

void MeasurementMonitor::handleUnitInfo(const ResponseFrame& frame)
{
    showMessage(FormatFirmwareInfo(frame), kMessageInformation);
}
