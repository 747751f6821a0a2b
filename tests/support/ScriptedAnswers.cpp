#include "support/ScriptedAnswers.h"

ScriptedAnswers::ScriptedAnswers()
{
    TMessagesForm::clearShownMessages();
    TMessagesForm::setAnswerer([this](const ShownMessage& message) {
        if (!m_script.isEmpty())
            return m_script.dequeue();
        return message.kind == kMessageQuestion ? int(kAnswerNo) : int(kAnswerOk);
    });
}

ScriptedAnswers::~ScriptedAnswers()
{
    TMessagesForm::setAnswerer({});
}

QStringList ScriptedAnswers::texts() const
{
    QStringList out;
    for (const ShownMessage& m : TMessagesForm::shownMessages())
        out << m.text;
    return out;
}
