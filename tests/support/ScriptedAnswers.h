#pragma once

#include "dialogs/Messageform.h"

#include <QQueue>

// Answers the program's dialogs from a script and records every dialog asked. Questions take
// the next scripted answer ("Нет" when the script is empty); messages are acknowledged.
class ScriptedAnswers
{
public:
    ScriptedAnswers();
    ~ScriptedAnswers();

    void answerNext(int answer) { m_script.enqueue(answer); }
    // Leave the next dialog up, for a test that clicks it itself.
    void leaveNextForUser() { m_script.enqueue(kLeaveForUser); }

    const QVector<ShownMessage>& shown() const { return TMessagesForm::shownMessages(); }
    QStringList texts() const;
    bool wasShown(const QString& text) const { return texts().contains(text); }
    void clear() { TMessagesForm::clearShownMessages(); }

private:
    QQueue<int> m_script;
};
