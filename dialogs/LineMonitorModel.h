#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <vector>

// The line monitor's raw-byte list: one row per received byte, shown as two upper-case hex
// digits. One byte of storage per row, since the list grows for as long as the program runs.
class RawByteListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void append(const QByteArray& bytes);
    void clear();
    quint8 byteAt(int row) const { return quint8(m_bytes.at(row)); }

private:
    QByteArray m_bytes;
};

// The line monitor's frame list: one row per complete frame, its text as received without the
// closing CR LF. All texts share one byte arena. The list opens with one empty line;
// clearing it leaves none.
class FrameListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit FrameListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void append(const QByteArray& frameText);
    void clear();
    QByteArray frameAt(int row) const;
    qsizetype storedBytes() const { return m_text.size() + qsizetype(m_ends.size() * sizeof(quint32)); }

private:
    QByteArray m_text;
    std::vector<quint32> m_ends; // end offset of each row's text in m_text
};

// The address and function code shown for the latest frame: its characters 1-2 and 3-4
// read as hex bytes, whether or not the frame is intact.
struct FrameHeading
{
    int address = 0;
    int functionCode = 0;
};
FrameHeading frameHeading(const QByteArray& frameText);
