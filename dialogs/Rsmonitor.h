#pragma once

#include "dialogs/ToolDialog.h"

class LineLink;
class QLineEdit;
class QListView;
class QPushButton;
class RawByteListModel;
class FrameListModel;

// Window "Данные на линии RS": every received byte in hex, every complete frame as text, and
// the address and function code of the latest frame. It records only while receiving is on.
class TDataRSForm : public ToolDialog
{
    Q_OBJECT
public:
    explicit TDataRSForm(LineLink& link, QWidget* anchor = nullptr);

    void RSDataRecivClick();
    void ClearButtonClick();

    RawByteListModel& rawBytes() { return *m_rawBytes; }
    FrameListModel& frames() { return *m_frames; }

    QListView* LineRSMemo = nullptr;
    QListView* DataRS = nullptr;
    QLineEdit* AdrBO = nullptr;
    QLineEdit* MsgNum = nullptr;
    QPushButton* ClearButton = nullptr;
    QPushButton* RSDataReciv = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setReceiving(bool on);
    void showFrame(const QByteArray& frameText);

    LineLink& m_link;
    RawByteListModel* m_rawBytes = nullptr;
    FrameListModel* m_frames = nullptr;
};
