#include "dialogs/Messageform.h"
#include "dialogs/WindowLock.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Presses a visible button of the dialog from inside its wait.
static void clickLater(TMessagesForm& form, QPushButton* TMessagesForm::*button, int delayMs = 20)
{
    QTimer::singleShot(delayMs, &form, [&form, button] { QTest::mouseClick(form.*button, Qt::LeftButton); });
}

class MessageFormTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { TMessagesForm::setAnswerer({}); }
    void layoutFollowsTheText_data();
    void layoutFollowsTheText();
    void returnsTheButtonPressed();
    void ownerAndSecondWindowLockedWhileWaiting();
    void timersKeepRunningWhileWaiting();
    void nestedDialogsEachGetTheirOwnAnswer();
    void answererSeesEveryDialog();
};

void MessageFormTest::layoutFollowsTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::newRow("short message") << QStringLiteral("Порт занят") << int(kMessageError);
    QTest::newRow("short question") << QStringLiteral("Да?") << int(kMessageQuestion);
    QTest::newRow("long message") << QStringLiteral(
                                         "Таблица подключений успешно записана в БО, и это длинный текст")
                                  << int(kMessageInformation);
    QTest::newRow("long question")
        << QStringLiteral("Файл ConnectionTable.txt отсутствует. Создать файл со значениями по умолчпнию?")
        << int(kMessageQuestion);
}

void MessageFormTest::layoutFollowsTheText()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    TMessagesForm form;
    const bool question = kind == kMessageQuestion;
    clickLater(form, question ? &TMessagesForm::BtnNo : &TMessagesForm::BtnOk);
    int width = 0;
    QTimer::singleShot(5, &form, [&] {
        width = form.width();
        const int expected = std::max(form.MsgText->width() + 100, 220);
        QCOMPARE(width, expected);
        QCOMPARE(form.MsgText->pos(), QPoint(72, 17));
        if (question) {
            QCOMPARE(form.BtnYes->x(), (width - 163) / 2);
            QCOMPARE(form.BtnNo->x(), form.BtnYes->x() + 88);
            QVERIFY(form.BtnYes->isVisible() && form.BtnNo->isVisible() && !form.BtnOk->isVisible());
            QVERIFY(form.ImgQestionIcon->isVisible());
        } else {
            QCOMPARE(form.BtnOk->x(), (width - 75) / 2);
            QVERIFY(form.BtnOk->isVisible() && !form.BtnYes->isVisible());
        }
        if (width == 220) { // the short texts: the positions are fixed numbers
            QCOMPARE(question ? form.BtnYes->x() : form.BtnOk->x(), question ? 28 : 72);
            if (question)
                QCOMPARE(form.BtnNo->x(), 116);
        }
    });
    form.ShowMessageDialog(text, QStringLiteral("Сообщение системы"), kind, nullptr);
    QVERIFY(width > 0);
    QVERIFY(!form.isVisible());
    QVERIFY(!form.BtnOk->isVisible() && !form.BtnYes->isVisible() && !form.BtnNo->isVisible());
}

void MessageFormTest::returnsTheButtonPressed()
{
    TMessagesForm form;
    clickLater(form, &TMessagesForm::BtnNo);
    QCOMPARE(form.ShowMessageDialog(QStringLiteral("Вопрос?"), kCaptionQuestion, kMessageQuestion, nullptr),
             int(kAnswerNo));
    clickLater(form, &TMessagesForm::BtnYes);
    QCOMPARE(form.ShowMessageDialog(QStringLiteral("Вопрос?"), kCaptionQuestion, kMessageQuestion, nullptr),
             int(kAnswerYes));
    clickLater(form, &TMessagesForm::BtnOk);
    QCOMPARE(form.ShowMessageDialog(QStringLiteral("Готово"), kCaptionMessage, kMessageWarning, nullptr),
             int(kAnswerOk));
    QCOMPARE(form.windowTitle(), kCaptionMessage);
}

void MessageFormTest::ownerAndSecondWindowLockedWhileWaiting()
{
    TMessagesForm form;
    QWidget owner;
    QWidget second;
    QWidget bystander;
    bool checked = false;
    QTimer::singleShot(10, &form, [&] {
        QVERIFY(!owner.isEnabled());
        QVERIFY(!second.isEnabled());
        QVERIFY(bystander.isEnabled());
        checked = true;
        QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    });
    form.ShowMessageDialog(QStringLiteral("Текст"), kCaptionMessage, kMessageInformation, &owner, &second);
    QVERIFY(checked);
    QVERIFY(owner.isEnabled());
    QVERIFY(second.isEnabled());
}

void MessageFormTest::timersKeepRunningWhileWaiting()
{
    TMessagesForm form;
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    clickLater(form, &TMessagesForm::BtnOk, 100);
    form.ShowMessageDialog(QStringLiteral("Ждём"), kCaptionMessage, kMessageInformation, nullptr);
    QVERIFY(ticks >= 5);
}

void MessageFormTest::nestedDialogsEachGetTheirOwnAnswer()
{
    // The outer question must not take the answer pressed in the inner one.
    TMessagesForm form;
    QWidget owner;
    int inner = -1;
    QString outerTextAfterInner;
    QTimer::singleShot(10, &form, [&] {
        clickLater(form, &TMessagesForm::BtnOk);
        inner = form.ShowMessageDialog(QStringLiteral("Команда выполнена"), kCaptionMessage,
                                       kMessageInformation, &owner);
        outerTextAfterInner = form.MsgText->text();
        QVERIFY(!owner.isEnabled()); // the outer dialog still holds it
        QVERIFY(form.BtnYes->isVisible() && !form.BtnOk->isVisible());
        clickLater(form, &TMessagesForm::BtnNo);
    });
    const int outer = form.ShowMessageDialog(QStringLiteral("Записать таблицу в БО?"), kCaptionQuestion,
                                             kMessageQuestion, &owner);
    QCOMPARE(inner, int(kAnswerOk));
    QCOMPARE(outer, int(kAnswerNo));
    QCOMPARE(outerTextAfterInner, QStringLiteral("Записать таблицу в БО?"));
    QVERIFY(owner.isEnabled());
    QCOMPARE(WindowLock::lockCount(&owner), 0);
}

void MessageFormTest::answererSeesEveryDialog()
{
    TMessagesForm form;
    TMessagesForm::clearShownMessages();
    TMessagesForm::setAnswerer(
        [](const ShownMessage& m) { return m.kind == kMessageQuestion ? int(kAnswerYes) : int(kAnswerOk); });
    QCOMPARE(ShowMessageDialog(QStringLiteral("Записать?"), kCaptionQuestion, kMessageQuestion, nullptr),
             int(kAnswerYes));
    ShowErrorBox(QStringLiteral("'x' is not a valid integer value"));
    const QVector<ShownMessage>& shown = TMessagesForm::shownMessages();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).caption, kCaptionQuestion);
    QCOMPARE(shown.at(1).kind, int(kPlatformErrorBox));
    TMessagesForm::setAnswerer({});
}

QTEST_MAIN(MessageFormTest)
#include "tst_messageform.moc"
