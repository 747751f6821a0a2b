#include "dialogs/LineMonitorModel.h"

#include "link/FrameCodec.h"

int RawByteListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_bytes.size());
}

QVariant RawByteListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_bytes.size())
        return {};
    return QString::asprintf("%02X", unsigned(quint8(m_bytes.at(index.row()))));
}

void RawByteListModel::append(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const int first = int(m_bytes.size());
    beginInsertRows({}, first, first + int(bytes.size()) - 1);
    m_bytes.append(bytes);
    endInsertRows();
}

void RawByteListModel::clear()
{
    beginResetModel();
    m_bytes.clear();
    endResetModel();
}

FrameListModel::FrameListModel(QObject* parent) : QAbstractListModel(parent)
{
    m_ends.push_back(0); // the list opens with one empty line
}

int FrameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_ends.size());
}

QByteArray FrameListModel::frameAt(int row) const
{
    if (row < 0 || size_t(row) >= m_ends.size())
        return {};
    const quint32 begin = row == 0 ? 0 : m_ends[size_t(row) - 1];
    return m_text.mid(begin, m_ends[size_t(row)] - begin);
}

QVariant FrameListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return QString::fromLatin1(frameAt(index.row()));
}

void FrameListModel::append(const QByteArray& frameText)
{
    QByteArray line = frameText;
    if (line.endsWith("\r\n"))
        line.chop(2);
    const int row = int(m_ends.size());
    beginInsertRows({}, row, row);
    m_text.append(line);
    m_ends.push_back(quint32(m_text.size()));
    endInsertRows();
}

void FrameListModel::clear()
{
    beginResetModel();
    m_text.clear();
    m_ends.clear();
    endResetModel();
}

FrameHeading frameHeading(const QByteArray& frameText)
{
    const auto at = [&](int i) { return i < frameText.size() ? frameText.at(i) : '0'; };
    return FrameHeading{hexPairValue(at(1), at(2)), hexPairValue(at(3), at(4))};
}
