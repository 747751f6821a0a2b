#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTime>

#include <array>

class QTextCodec;

// Texts and colours shared by the system table, the channel tables, the panels and the archive.

constexpr int kMeasurementColumnCount = 9;

// Row 0 of the system table and of every channel table, and the archive's header line.
const std::array<QString, kMeasurementColumnCount>& measurementHeaderTexts();

// Column 7 carries the alarm state; column 0 the reception time; column 8 the sensor address.
constexpr int kTimeColumn = 0;
constexpr int kAlarmColumn = 7;
constexpr int kAddressColumn = 8;

// The text colour of an alarm cell or label. Normal is the window-text colour in the system
// table and on the panels and the table's own text colour in a channel table.
enum class AlarmColour : quint8
{
    Normal = 0,
    Minimum = 1,
    Maximum = 2,
    Emergency = 3
};

// The colour to paint; invalid for Normal, which the view takes from its palette.
QColor alarmQColor(AlarmColour colour);

inline const QString kAlarmMinimumText = QStringLiteral("Минимум");
inline const QString kAlarmMaximumText = QStringLiteral("Максимум");
inline const QString kAlarmEmergencyText = QStringLiteral("Авар. максимум");
inline const QString kNoAlarmSystemText = QStringLiteral("---");
inline const QString kNoAlarmChannelText = QStringLiteral("-");

struct AlarmState
{
    QString text;
    AlarmColour colour = AlarmColour::Normal;
};

// Bits 0, 1, 2 of the alarm byte in that order, each set bit overriding the one before, so the
// highest set bit wins; with none set, `noAlarmText` in the normal colour.
AlarmState alarmStateFromBits(quint8 alarmBits, const QString& noAlarmText);

// The colour a panel gives an alarm text; false for a text it does not know.
bool alarmColourForText(const QString& text, AlarmColour& colour);

// Numbers in the user's locale, general format without group separators: 15 significant digits
// in the tables, 3 on the panels.
QString formatTableNumber(double value);
QString formatPanelNumber(double value);

// "hh:mm:ss" of the PC clock.
QString timeText(const QTime& time);

// Archive files and the channel tables' storage are 8-bit Windows-1251 text.
QTextCodec* windows1251Codec();
QByteArray toWindows1251(const QString& text);
QString fromWindows1251(const char* bytes, qsizetype size);
