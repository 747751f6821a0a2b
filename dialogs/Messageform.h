#pragma once

#include "dialogs/MessageKinds.h"

#include <QDialog>
#include <QVector>

class QEventLoop;
class QLabel;
class QPushButton;

// A dialog as it was put to the user, kept for tests.
struct ShownMessage
{
    QString text;
    QString caption;
    int kind = kMessageInformation;
};

// Returned by a test answerer that leaves the dialog up for the test to click itself.
constexpr int kLeaveForUser = -1;
using MessageAnswerer = std::function<int(const ShownMessage&)>;

// The system's one message and question dialog. A call shows it, disables the windows it is
// given, and waits in a nested event loop, so timers, the port and every other window keep
// working until a button is pressed. A call made while another waits stacks on top of it;
// each call returns the button pressed in its own dialog, and the outer dialog comes back
// when the inner one is answered.
class TMessagesForm : public QDialog
{
    Q_OBJECT
public:
    explicit TMessagesForm(QWidget* parent = nullptr);
    ~TMessagesForm() override;

    int ShowMessageDialog(const QString& text, const QString& caption, int kind, QWidget* owner,
                          QWidget* second = nullptr);

    // The instance every call goes to; the program creates it with its other windows.
    static TMessagesForm* instance();

    // Test seam: an answerer receives every dialog (and platform box) and picks the button.
    static void setAnswerer(MessageAnswerer answerer);
    static const QVector<ShownMessage>& shownMessages();
    static void clearShownMessages();

    QLabel* MsgText = nullptr;
    QLabel* ImgErrorIcon = nullptr;
    QLabel* ImgInfoIcon = nullptr;
    QLabel* ImgQestionIcon = nullptr;
    QLabel* ImgWarningIcon = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnYes = nullptr;
    QPushButton* BtnNo = nullptr;

    static constexpr int kMinimumWidth = 220;
    static constexpr int kHeight = 94;

private:
    struct PendingCall;

    void present(const PendingCall& call);
    void press(int answer);
    void hideControls();
    QLabel* iconFor(int kind) const;

    QVector<PendingCall*> m_calls;
};

// The program-wide entry point used by every window.
int ShowMessageDialog(const QString& text, const QString& caption, int kind, QWidget* owner,
                      QWidget* second = nullptr);

// The platform's error box, used for texts the integer conversion rejects.
void ShowErrorBox(const QString& text);
// The platform's plain message box with a single OK button.
void ShowPlainMessageBox(const QString& caption, const QString& text);
