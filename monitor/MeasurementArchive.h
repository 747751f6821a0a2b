#pragma once

#include "monitor/ChannelRowStore.h"

#include <QDate>
#include <QString>

// The measurement archive: one file per channel and day,
//   <working folder>/Данные/<year>/<month name>/<day>/Измерения по каналу <N>.mes
// in Windows-1251 text. Every line is 23 fields, each followed by a TAB, then CR LF; the first
// line holds the header texts, every further line one channel-table row in fields 0 .. 8.
// Paths are built from the working folder captured at start; the process's current folder is
// never changed.
class MeasurementArchive
{
public:
    static constexpr int kFieldsPerLine = 23;
    // Lines this program writes are well under a hundred bytes; anything far longer is not one of
    // its rows and is skipped on loading.
    static constexpr qsizetype kMaxLineBytes = 1024;

    explicit MeasurementArchive(QString workingFolder) : m_workingFolder(std::move(workingFolder)) {}

    static QString monthName(int month);
    QString dayFolderPath(const QDate& date) const;
    QString filePath(const QDate& date, int channelIndex) const;

    // Appends one row (its cells joined by TAB, in Windows-1251) to the day's file, creating the
    // folders and the file with its header line as needed. False when a folder or the file cannot
    // be made, opened or fully written: the caller tells the user.
    bool appendRow(const QDate& date, int channelIndex, QByteArrayView rowCells) const;

    // Today's rows of a channel, in file order. Creates the folder "Данные" if it is missing, as
    // the program always has, but nothing below it. Rows stays empty when there is no file.
    ChannelRowStore loadDay(const QDate& date, int channelIndex) const;

    // The lines as written.
    static QByteArray headerLine();
    static QByteArray rowLine(QByteArrayView rowCells);

    // Reads archive content: line 0 is the header and is skipped; every later complete line
    // (ended by CR LF) with at least nine TAB-ended fields gives one row of its first nine
    // fields, kept whole. Lines that are longer than kMaxLineBytes or have fewer fields are
    // skipped, and a last line without CR LF is dropped.
    static ChannelRowStore parseContent(QByteArrayView content);

private:
    QString m_workingFolder;
};
