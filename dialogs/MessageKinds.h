#pragma once

#include <QString>
#include <functional>

// Kinds of the system's message dialog: they pick the icon and the buttons.
enum MessageKind : int
{
    kMessageInformation = 0, // "OK"
    kMessageError = 1,       // "OK"
    kMessageQuestion = 2,    // "Да" and "Нет"
    kMessageWarning = 3,     // "OK"
    // The platform's own boxes, used for conversion errors and a few plain notices.
    kPlatformErrorBox = 10,
    kPlatformMessageBox = 11,
};

// The button pressed. Only kAnswerYes means yes.
enum MessageAnswer : int
{
    kAnswerOk = 0,
    kAnswerYes = 1,
    kAnswerNo = 2
};

// How widget-free code asks its question or shows its message: text, caption, kind; returns
// the answer. The window that owns the logic binds it to ShowMessageDialog.
using MessagePresenter = std::function<int(const QString& text, const QString& caption, int kind)>;

inline const QString kCaptionMessage = QStringLiteral("Сообщение системы");
inline const QString kCaptionQuestion = QStringLiteral("Диалог системы");
