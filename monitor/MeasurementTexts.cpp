#include "monitor/MeasurementTexts.h"

#include <QLocale>
#include <QTextCodec>

const std::array<QString, kMeasurementColumnCount>& measurementHeaderTexts()
{
    static const std::array<QString, kMeasurementColumnCount> texts = {
        QStringLiteral("Время"),     QStringLiteral("Влажность, %"), QStringLiteral("Т1,град С"),
        QStringLiteral("Т2,град С"), QStringLiteral("Период, уе"),   QStringLiteral("CS1"),
        QStringLiteral("CS2"),       QStringLiteral("Сигнализация"), QStringLiteral("Адрес датчика"),
    };
    return texts;
}

QColor alarmQColor(AlarmColour colour)
{
    switch (colour) {
    case AlarmColour::Minimum:
        return QColor(0, 128, 0);
    case AlarmColour::Maximum:
        return QColor(175, 62, 200);
    case AlarmColour::Emergency:
        return QColor(255, 0, 6);
    case AlarmColour::Normal:
        break;
    }
    return QColor();
}

AlarmState alarmStateFromBits(quint8 alarmBits, const QString& noAlarmText)
{
    AlarmState state{noAlarmText, AlarmColour::Normal};
    if (alarmBits & 0x01)
        state = {kAlarmMinimumText, AlarmColour::Minimum};
    if (alarmBits & 0x02)
        state = {kAlarmMaximumText, AlarmColour::Maximum};
    if (alarmBits & 0x04)
        state = {kAlarmEmergencyText, AlarmColour::Emergency};
    return state;
}

bool alarmColourForText(const QString& text, AlarmColour& colour)
{
    if (text == kAlarmMinimumText)
        colour = AlarmColour::Minimum;
    else if (text == kAlarmMaximumText)
        colour = AlarmColour::Maximum;
    else if (text == kAlarmEmergencyText)
        colour = AlarmColour::Emergency;
    else if (text == kNoAlarmSystemText)
        colour = AlarmColour::Normal;
    else
        return false;
    return true;
}

namespace {
QString formatNumber(double value, int significantDigits)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', significantDigits);
}
} // namespace

QString formatTableNumber(double value)
{
    return formatNumber(value, 15);
}

QString formatPanelNumber(double value)
{
    return formatNumber(value, 3);
}

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QTextCodec* windows1251Codec()
{
    static QTextCodec* const codec = QTextCodec::codecForName("windows-1251");
    return codec;
}

QByteArray toWindows1251(const QString& text)
{
    return windows1251Codec()->fromUnicode(text);
}

QString fromWindows1251(const char* bytes, qsizetype size)
{
    // Most cells are digits and separators: skip the codec for plain ASCII.
    bool ascii = true;
    for (qsizetype i = 0; i < size && ascii; ++i)
        ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes, size);
    return windows1251Codec()->toUnicode(bytes, int(size));
}
