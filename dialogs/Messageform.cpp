#include "dialogs/Messageform.h"

#include "dialogs/SkyBlue.h"
#include "dialogs/WindowLock.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace {
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 55;
constexpr int kIconSize = 40;
constexpr int kYesNoSpan = 163;  // "Да", a gap of 13 and "Нет"
constexpr int kNoOffset = 88;    // left of "Нет" relative to "Да"
constexpr int kTextMargin = 100; // room for the icon and the right border

TMessagesForm* g_instance = nullptr;
MessageAnswerer g_answerer;
QVector<ShownMessage> g_shown;

QLabel* makeIcon(QWidget* parent, QStyle::StandardPixmap pixmap)
{
    auto* label = new QLabel(parent);
    label->setGeometry(15, 5, kIconSize, kIconSize);
    label->setPixmap(parent->style()->standardIcon(pixmap).pixmap(kIconSize, kIconSize));
    label->hide();
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->resize(kButtonWidth, kButtonHeight);
    button->move(0, kButtonTop);
    button->hide();
    return button;
}
} // namespace

struct TMessagesForm::PendingCall
{
    ShownMessage message;
    int answer = -1;
    QEventLoop* loop = nullptr;
};

TMessagesForm::TMessagesForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Заголовок сообшения"));
    paintSkyBlue(this);
    setFixedSize(kMinimumWidth, kHeight);

    ImgErrorIcon = makeIcon(this, QStyle::SP_MessageBoxCritical);
    ImgInfoIcon = makeIcon(this, QStyle::SP_MessageBoxInformation);
    ImgQestionIcon = makeIcon(this, QStyle::SP_MessageBoxQuestion);
    ImgWarningIcon = makeIcon(this, QStyle::SP_MessageBoxWarning);

    MsgText = new QLabel(QStringLiteral("Текст сообщения"), this);
    MsgText->move(72, 17);
    MsgText->adjustSize();

    BtnOk = makeButton(this, QStringLiteral("OK"));
    BtnYes = makeButton(this, QStringLiteral("Да"));
    BtnNo = makeButton(this, QStringLiteral("Нет"));
    connect(BtnOk, &QPushButton::clicked, this, [this] { press(kAnswerOk); });
    connect(BtnYes, &QPushButton::clicked, this, [this] { press(kAnswerYes); });
    connect(BtnNo, &QPushButton::clicked, this, [this] { press(kAnswerNo); });

    if (!g_instance)
        g_instance = this;
}

TMessagesForm::~TMessagesForm()
{
    // Unwind any waiting call so that nobody waits on a destroyed dialog.
    for (PendingCall* call : qAsConst(m_calls)) {
        call->answer = kAnswerNo;
        if (call->loop)
            call->loop->quit();
    }
    if (g_instance == this)
        g_instance = nullptr;
}

TMessagesForm* TMessagesForm::instance()
{
    return g_instance;
}

void TMessagesForm::setAnswerer(MessageAnswerer answerer)
{
    g_answerer = std::move(answerer);
}

const QVector<ShownMessage>& TMessagesForm::shownMessages()
{
    return g_shown;
}

void TMessagesForm::clearShownMessages()
{
    g_shown.clear();
}

QLabel* TMessagesForm::iconFor(int kind) const
{
    switch (kind) {
    case kMessageError:
        return ImgErrorIcon;
    case kMessageQuestion:
        return ImgQestionIcon;
    case kMessageWarning:
        return ImgWarningIcon;
    default:
        return ImgInfoIcon;
    }
}

void TMessagesForm::hideControls()
{
    for (QWidget* w :
         {static_cast<QWidget*>(ImgErrorIcon), static_cast<QWidget*>(ImgInfoIcon),
          static_cast<QWidget*>(ImgQestionIcon), static_cast<QWidget*>(ImgWarningIcon),
          static_cast<QWidget*>(BtnOk), static_cast<QWidget*>(BtnYes), static_cast<QWidget*>(BtnNo)})
        w->hide();
}

void TMessagesForm::present(const PendingCall& call)
{
    hideControls();
    MsgText->setText(call.message.text);
    MsgText->adjustSize();
    setWindowTitle(call.message.caption);

    const int width = std::max(MsgText->width() + kTextMargin, kMinimumWidth);
    setFixedSize(width, kHeight);

    iconFor(call.message.kind)->show();
    if (call.message.kind == kMessageQuestion) {
        BtnYes->move((width - kYesNoSpan) / 2, kButtonTop);
        BtnNo->move(BtnYes->x() + kNoOffset, kButtonTop);
        BtnYes->show();
        BtnNo->show();
    } else {
        BtnOk->move((width - kButtonWidth) / 2, kButtonTop);
        BtnOk->show();
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width / 2, kHeight / 2));
    show();
    raise();
    activateWindow();
}

void TMessagesForm::press(int answer)
{
    if (m_calls.isEmpty())
        return;
    PendingCall* call = m_calls.last();
    if (call->answer != -1)
        return;
    call->answer = answer;
    hideControls();
    hide();
    if (call->loop)
        call->loop->quit();
}

int TMessagesForm::ShowMessageDialog(const QString& text, const QString& caption, int kind, QWidget* owner,
                                     QWidget* second)
{
    PendingCall call;
    call.message = ShownMessage{text, caption, kind};
    WindowLock lockOwner(owner);
    WindowLock lockSecond(second);

    m_calls.append(&call);
    g_shown.append(call.message);
    present(call);

    if (g_answerer) {
        // Answer from inside the wait, so that the nested loop really runs.
        QTimer::singleShot(0, this, [this, &call] {
            if (call.answer != -1 || m_calls.isEmpty() || m_calls.last() != &call)
                return;
            const int answer = g_answerer(call.message);
            if (answer >= kAnswerOk && answer <= kAnswerNo && m_calls.last() == &call)
                press(answer);
        });
    }

    QEventLoop loop;
    call.loop = &loop;
    while (call.answer == -1)
        loop.exec();
    call.loop = nullptr;
    m_calls.removeOne(&call);
    // The dialog this one was shown over is waiting still: bring it back.
    if (!m_calls.isEmpty())
        present(*m_calls.last());
    return call.answer;
}

int ShowMessageDialog(const QString& text, const QString& caption, int kind, QWidget* owner, QWidget* second)
{
    TMessagesForm* form = TMessagesForm::instance();
    if (!form)
        form = new TMessagesForm; // lives as long as the program; the first one becomes the instance
    return form->ShowMessageDialog(text, caption, kind, owner, second);
}

void ShowErrorBox(const QString& text)
{
    g_shown.append(ShownMessage{text, QString(), kPlatformErrorBox});
    if (g_answerer) {
        g_answerer(g_shown.last());
        return;
    }
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text);
}

void ShowPlainMessageBox(const QString& caption, const QString& text)
{
    g_shown.append(ShownMessage{text, caption, kPlatformMessageBox});
    if (g_answerer) {
        g_answerer(g_shown.last());
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}
