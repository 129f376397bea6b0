// The answer box on a real window: what the child types (key by key, through
// an input method, or pasted) and the picture, message or next question that
// follows.
#include "test_window.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <memory>

namespace {

// Key presses for each character: ASCII as its key, anything else (the
// full-width forms of a Chinese input method) as a key that carries the
// character, the way a keyboard layout without a key code delivers it.
void type(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void commit(QWidget *box, const QString &text)
{
    QInputMethodEvent event(QString(), {});
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

void preedit(QWidget *box, const QString &text)
{
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(box, &event);
}

// The picture ImgOk should show: "ok", "err", "none" (blank), or "previous":
// the white picture each test puts there first, which the check itself
// never shows, so that "left alone" and "cleared" tell apart.
QString expectedPicture(const TestWindow &t, const QString &which)
{
    if (which == QLatin1String("ok"))
        return t.folder.file("img/ok.jpg");
    if (which == QLatin1String("err"))
        return t.folder.file("img/err.jpg");
    if (which == QLatin1String("previous"))
        return t.folder.file("img/white.jpg");
    return QString();
}

void showPrevious(TestWindow &t)
{
    t.w().ImgOk->setPicture(t.folder.file("img/white.jpg"));
}

const QString firstNotNumber = QStringLiteral("第一位不是数字,请检查");

} // namespace

class AnswerCheckTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own, on screen
    // and active with the answer box holding the focus, so that keys, input
    // method events and pastes reach the box as the child's do.
    void init();
    void cleanup() { t_.reset(); }

    void typedAnswers_data();
    void typedAnswers();
    void digitByDigit_data();
    void digitByDigit();
    void operationSwitchedAfterQuestion_data();
    void operationSwitchedAfterQuestion();
    void placeholderClearing_data();
    void placeholderClearing();
    void paste_data();
    void paste();
    void operandMessages_data();
    void operandMessages();
    void missingPicture_data();
    void missingPicture();
    void deletingEverythingKeepsThePicture_data();
    void deletingEverythingKeepsThePicture();
    void inputMethodCommits_data();
    void inputMethodCommits();
    void preeditIsNotChecked();
    void operandOutOfRangeEndsSilently_data();
    void operandOutOfRangeEndsSilently();

private:
    std::unique_ptr<TestWindow> t_;
};

void AnswerCheckTest::init()
{
    t_ = std::make_unique<TestWindow>();
    t_->load();
    t_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(t_->form.get()));
    t_->w().txtAnswer->setFocus();
    QVERIFY(t_->w().txtAnswer->hasFocus());
}

void AnswerCheckTest::typedAnswers_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("picture");
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;

    QTest::newRow("7+5: 1 occurs in 12") << 7 << 5 << plus << "1" << "1" << "none";
    QTest::newRow("7+5: 12 right") << 7 << 5 << plus << "12" << "12" << "ok";
    QTest::newRow("7+5: 2 alone occurs in 12") << 7 << 5 << plus << "2" << "2" << "none";
    QTest::newRow("7+5: 3 wrong") << 7 << 5 << plus << "3" << "3" << "err";
    QTest::newRow("7+5: 21 wrong") << 7 << 5 << plus << "21" << "21" << "err";
    QTest::newRow("7+5: 123 becomes 23, wrong") << 7 << 5 << plus << "123" << "23" << "err";
    QTest::newRow("7+5: 512 becomes 12, right") << 7 << 5 << plus << "512" << "12" << "ok";
    QTest::newRow("7+5: 9912 rewritten twice, right") << 7 << 5 << plus << "9912" << "12" << "ok";
    QTest::newRow("7+5: -12 becomes 12, right") << 7 << 5 << plus << "-12" << "12" << "ok";
    QTest::newRow("5-5: 0 right") << 5 << 5 << minus << "0" << "0" << "ok";
    QTest::newRow("9-4: 5 right") << 9 << 4 << minus << "5" << "5" << "ok";
    QTest::newRow("8+7: 5 occurs at the second place") << 8 << 7 << plus << "5" << "5" << "none";
    QTest::newRow("4+3: 17 wrong") << 4 << 3 << plus << "17" << "17" << "err";
    QTest::newRow("4+3: blank then 7, box as typed") << 4 << 3 << plus << " 7" << " 7" << "ok";
    QTest::newRow("4+3: 7 then blank") << 4 << 3 << plus << "7 " << "7 " << "ok";
    QTest::newRow("6+4: .5 reads as 0, in 10") << 6 << 4 << plus << ".5" << ".5" << "none";
    QTest::newRow("letter") << 7 << 5 << plus << "a" << "a" << "err";
    QTest::newRow("digit then letter") << 7 << 5 << plus << "1a" << "1a" << "err";
    QTest::newRow("minus alone") << 7 << 5 << plus << "-" << "-" << "err";
    QTest::newRow("blank alone") << 7 << 5 << plus << " " << " " << "err";
    QTest::newRow("question mark typed: nothing") << 7 << 5 << plus << "?" << "?" << "previous";
    QTest::newRow("full-width 12 right")
        << 7 << 5 << plus << QString::fromUtf16(u"１２") << QString::fromUtf16(u"１２") << "ok";
    QTest::newRow("full-width 1 occurs in 12")
        << 7 << 5 << plus << QString::fromUtf16(u"１") << QString::fromUtf16(u"１") << "none";
    QTest::newRow("full-width 123 becomes its last two, wrong")
        << 7 << 5 << plus << QString::fromUtf16(u"１２３") << QString::fromUtf16(u"２３") << "err";
    QTest::newRow("ideographic space then 7")
        << 4 << 3 << plus << QString::fromUtf16(u"\u30007") << QString::fromUtf16(u"\u30007") << "ok";
}

void AnswerCheckTest::typedAnswers()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(Operation, operation);
    QFETCH(QString, keys);
    QFETCH(QString, box);
    QFETCH(QString, picture);

    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(first, second, operation);
    w.chkAuto->setChecked(false);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    showPrevious(t);

    type(w.txtAnswer, keys);

    QCOMPARE(w.txtAnswer->text(), box);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, picture));
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.txtTest1->text(), QString::number(first));
    QCOMPARE(w.txtTest2->text(), QString::number(second));
}

void AnswerCheckTest::digitByDigit_data()
{
    QTest::addColumn<bool>("autoNext");
    QTest::newRow("答对后自动换题 not ticked") << false;
    QTest::newRow("答对后自动换题 ticked") << true;
}

void AnswerCheckTest::digitByDigit()
{
    QFETCH(bool, autoNext);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(autoNext);
    showPrevious(t);

    type(w.txtAnswer, "1");
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("1"));
    QVERIFY(!w.ImgOk->hasPicture());

    // A next question, if made, comes from wide ranges and these draws:
    // 10 + 5 with picture 0.
    w.setListIndex(w.cbo1st, 0);
    w.setListIndex(w.cbo2nd, 0);
    t.random.script({0.5, 0.25, 0.0});
    const int reseeds = t.random.reseeds;

    type(w.txtAnswer, "2");
    QVERIFY(t.messages.shown.isEmpty());
    if (!autoNext) {
        QCOMPARE(w.txtAnswer->text(), QStringLiteral("12"));
        QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
        QCOMPARE(w.txtTest1->text(), QStringLiteral("7"));
        QCOMPARE(w.txtTest2->text(), QStringLiteral("5"));
        QCOMPARE(t.random.reseeds, reseeds);
        // The right-answer picture stays until the box changes again.
        QTest::keyClick(w.txtAnswer, Qt::Key_Backspace);
        QCOMPARE(w.txtAnswer->text(), QStringLiteral("1"));
        QVERIFY(!w.ImgOk->hasPicture());
        return;
    }
    QCOMPARE(t.random.reseeds, reseeds + 1);
    QCOMPARE(w.txtTest1->text(), QStringLiteral("10"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("5"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    QVERIFY(!w.ImgOk->hasPicture());
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 0));
    // The next question is answered the same way, its "?" going at the first key.
    type(w.txtAnswer, "1");
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("1"));
    QVERIFY(!w.ImgOk->hasPicture());
}

void AnswerCheckTest::operationSwitchedAfterQuestion_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<Operation>("madeWith");
    QTest::addColumn<Operation>("switchedTo");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("picture");
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;
    QTest::newRow("7+5 made, subtraction picked: 2 right") << 7 << 5 << plus << minus << "2" << "ok";
    QTest::newRow("7+5 made, subtraction picked: 12 wrong") << 7 << 5 << plus << minus << "12" << "err";
    QTest::newRow("9-4 made, addition picked: 13 right") << 9 << 4 << minus << plus << "13" << "ok";
    QTest::newRow("9-4 made, addition picked: 5 wrong") << 9 << 4 << minus << plus << "5" << "err";
}

void AnswerCheckTest::operationSwitchedAfterQuestion()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(Operation, madeWith);
    QFETCH(Operation, switchedTo);
    QFETCH(QString, keys);
    QFETCH(QString, picture);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(first, second, madeWith);
    w.chkAuto->setChecked(false);
    t.pick(w.cboCode, switchedTo);
    QCOMPARE(w.txtTest1->text(), QString::number(first));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    w.txtAnswer->setFocus();

    type(w.txtAnswer, keys);
    QCOMPARE(w.txtAnswer->text(), keys);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, picture));
}

void AnswerCheckTest::placeholderClearing_data()
{
    QTest::addColumn<QString>("typedFirst"); // after the placeholder went; "" keeps it
    QTest::addColumn<int>("key");            // 0: a left click instead
    QTest::addColumn<QString>("box");

    QTest::newRow("? and Left arrow") << "" << int(Qt::Key_Left) << "";
    QTest::newRow("? and Shift") << "" << int(Qt::Key_Shift) << "";
    QTest::newRow("? and Home") << "" << int(Qt::Key_Home) << "";
    QTest::newRow("? and Backspace") << "" << int(Qt::Key_Backspace) << "";
    QTest::newRow("? and Delete") << "" << int(Qt::Key_Delete) << "";
    QTest::newRow("? and a digit stands alone") << "" << int(Qt::Key_4) << "4";
    QTest::newRow("? and a click") << "" << 0 << "";
    QTest::newRow("? typed by the child, then Left") << "?" << int(Qt::Key_Left) << "";
    QTest::newRow("3 and Left arrow") << "3" << int(Qt::Key_Left) << "3";
    QTest::newRow("3 and Shift") << "3" << int(Qt::Key_Shift) << "3";
    QTest::newRow("3 and a click") << "3" << 0 << "3";
    QTest::newRow("- and Home") << "-" << int(Qt::Key_Home) << "-";
    QTest::newRow("- and a click") << "-" << 0 << "-";
    QTest::newRow("?? typed leaves one ?, a click clears it") << "??" << 0 << "";
}

void AnswerCheckTest::placeholderClearing()
{
    QFETCH(QString, typedFirst);
    QFETCH(int, key);
    QFETCH(QString, box);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    type(w.txtAnswer, typedFirst);
    showPrevious(t);

    if (key == 0)
        QTest::mouseClick(w.txtAnswer, Qt::LeftButton);
    else
        QTest::keyClick(w.txtAnswer, Qt::Key(key));

    QCOMPARE(w.txtAnswer->text(), box);
    // Emptying the box is no answer: the picture stays.
    if (box.isEmpty())
        QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, "previous"));
    QVERIFY(t.messages.shown.isEmpty());
}

void AnswerCheckTest::paste_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("picture");

    const QString longRight = QString(9998, u'9') + QStringLiteral("12");
    QTest::newRow("Ctrl+V over ?: 10,000 digits ending in 12")
        << "ctrl+v" << "" << longRight << "12" << "ok";
    QTest::newRow("paste() after a typed 3") << "paste" << "3" << longRight << "12" << "ok";
    QTest::newRow("insert() of 10,000 sevens") << "insert" << "" << QString(10000, u'7') << "77"
                                               << "err";
    QTest::newRow("Ctrl+V of digits and blanks around")
        << "ctrl+v" << "" << QStringLiteral("   4512   ") << "12" << "ok";
    const QString longWrong = QString(5000, u'1') + u'x';
    QTest::newRow("Ctrl+V of a long text with a letter")
        << "ctrl+v" << "" << longWrong << longWrong << "err";
}

void AnswerCheckTest::paste()
{
    QFETCH(QString, how);
    QFETCH(QString, typedFirst);
    QFETCH(QString, text);
    QFETCH(QString, box);
    QFETCH(QString, picture);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    type(w.txtAnswer, typedFirst);
    showPrevious(t);

    if (how == QLatin1String("insert")) {
        w.txtAnswer->clear();
        w.txtAnswer->insert(text);
    } else {
        QGuiApplication::clipboard()->setText(text);
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        if (how == QLatin1String("ctrl+v"))
            QTest::keyClick(w.txtAnswer, Qt::Key_V, Qt::ControlModifier);
        else
            w.txtAnswer->paste();
    }

    QCOMPARE(w.txtAnswer->text(), box);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, picture));
    QVERIFY(t.messages.shown.isEmpty());
}

void AnswerCheckTest::operandMessages_data()
{
    QTest::addColumn<bool>("question");     // a question made before
    QTest::addColumn<QString>("emptyBox");  // which operand box is emptied
    QTest::addColumn<QString>("message");

    QTest::newRow("no question yet") << false << "" << firstNotNumber;
    QTest::newRow("first number empty") << true << "txtTest1" << firstNotNumber;
    QTest::newRow("second number empty") << true << "txtTest2" << "第二位不是数字,请检查";
}

void AnswerCheckTest::operandMessages()
{
    QFETCH(bool, question);
    QFETCH(QString, emptyBox);
    QFETCH(QString, message);
    TestWindow &t = *t_;
    Window &w = t.w();
    if (question)
        t.ask(7, 5);
    if (emptyBox == QLatin1String("txtTest1"))
        w.txtTest1->clear();
    if (emptyBox == QLatin1String("txtTest2"))
        w.txtTest2->clear();
    showPrevious(t);

    const QString title = QStringLiteral("错误提示");

    // One box per change of the text, nothing else changing.
    type(w.txtAnswer, "1");
    EXPECT_MESSAGES(t.messages, 1, message, title, MessageIcon::Stop);
    type(w.txtAnswer, "2");
    EXPECT_MESSAGES(t.messages, 2, message, title, MessageIcon::Stop);
    type(w.txtAnswer, "3"); // 123 -> 23: the nested run complains, the outer one not
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("23"));
    EXPECT_MESSAGES(t.messages, 3, message, title, MessageIcon::Stop);
    QTest::keyClick(w.txtAnswer, Qt::Key_Backspace);
    EXPECT_MESSAGES(t.messages, 4, message, title, MessageIcon::Stop);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, "previous"));

    // A text that is no number is judged before the operands are read.
    type(w.txtAnswer, "a");
    EXPECT_MESSAGES(t.messages, 4, message, title, MessageIcon::Stop);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, "err"));
}

void AnswerCheckTest::missingPicture_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("autoNext");
    QTest::newRow("ok.jpg missing, right answer, auto-next ticked")
        << "img/ok.jpg" << "7" << true;
    QTest::newRow("ok.jpg missing, right answer, auto-next not ticked")
        << "img/ok.jpg" << "7" << false;
    QTest::newRow("err.jpg missing, wrong answer") << "img/err.jpg" << "3" << true;
    QTest::newRow("err.jpg missing, a letter") << "img/err.jpg" << "x" << true;
}

void AnswerCheckTest::missingPicture()
{
    QFETCH(QString, removed);
    QFETCH(QString, keys);
    QFETCH(bool, autoNext);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(4, 3);
    w.chkAuto->setChecked(autoNext);
    QVERIFY(t.folder.remove(removed));
    showPrevious(t);
    const int reseeds = t.random.reseeds;

    type(w.txtAnswer, keys);

    QCOMPARE(w.txtAnswer->text(), keys);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, "previous"));
    QVERIFY(!w.ImgOk->pixmap().isNull());
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(t.random.reseeds, reseeds); // no next question
    QCOMPARE(w.txtTest1->text(), QStringLiteral("4"));
}

void AnswerCheckTest::deletingEverythingKeepsThePicture_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("selectAll"); // Ctrl+A and Delete instead of Backspace
    QTest::addColumn<QString>("picture");
    QTest::newRow("3 wrong, then Backspace") << "3" << false << "err";
    QTest::newRow("1 still typing, then Backspace") << "1" << false << "none";
    QTest::newRow("12 right, then select all and Delete") << "12" << true << "ok";
    QTest::newRow("letters, then select all and Delete") << "ab" << true << "err";
}

void AnswerCheckTest::deletingEverythingKeepsThePicture()
{
    QFETCH(QString, keys);
    QFETCH(bool, selectAll);
    QFETCH(QString, picture);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    type(w.txtAnswer, keys);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, picture));

    if (selectAll) {
        QTest::keyClick(w.txtAnswer, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.txtAnswer, Qt::Key_Delete);
    } else {
        QTest::keyClick(w.txtAnswer, Qt::Key_Backspace);
    }

    QCOMPARE(w.txtAnswer->text(), QString());
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, picture));
}

void AnswerCheckTest::inputMethodCommits_data()
{
    QTest::addColumn<QStringList>("commits");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("picture");
    QTest::newRow("１２ at once, over ?")
        << QStringList{QString::fromUtf16(u"１２")} << QString::fromUtf16(u"１２") << "ok";
    QTest::newRow("１ then ２")
        << QStringList{QString::fromUtf16(u"１"), QString::fromUtf16(u"２")}
        << QString::fromUtf16(u"１２") << "ok";
    QTest::newRow("１ alone occurs in 12")
        << QStringList{QString::fromUtf16(u"１")} << QString::fromUtf16(u"１") << "none";
    QTest::newRow("full-width -12 becomes １２")
        << QStringList{QString::fromUtf16(u"－１２")} << QString::fromUtf16(u"１２") << "ok";
    QTest::newRow("ASCII 12 committed") << QStringList{QStringLiteral("12")} << "12" << "ok";
    QTest::newRow("full-width 3 wrong")
        << QStringList{QString::fromUtf16(u"３")} << QString::fromUtf16(u"３") << "err";
    QTest::newRow("Chinese characters")
        << QStringList{QString::fromUtf16(u"十二")} << QString::fromUtf16(u"十二") << "err";
}

void AnswerCheckTest::inputMethodCommits()
{
    QFETCH(QStringList, commits);
    QFETCH(QString, box);
    QFETCH(QString, picture);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    showPrevious(t);

    for (const QString &text : std::as_const(commits))
        commit(w.txtAnswer, text);

    // The "?" went before the first committed character arrived.
    QCOMPARE(w.txtAnswer->text(), box);
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, picture));
    QVERIFY(t.messages.shown.isEmpty());
}

void AnswerCheckTest::preeditIsNotChecked()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    // No question: every checked number would bring a message.
    preedit(w.txtAnswer, QString::fromUtf16(u"１"));
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.txtAnswer->text(), QString());
    commit(w.txtAnswer, QString::fromUtf16(u"１"));
    QCOMPARE(w.txtAnswer->text(), QString::fromUtf16(u"１"));
    EXPECT_MESSAGE(t.messages, firstNotNumber, QStringLiteral("错误提示"), MessageIcon::Stop);

    // Composing over the placeholder leaves it until the commit.
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    preedit(w.txtAnswer, QStringLiteral("shi'er"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    EXPECT_MESSAGE(t.messages, firstNotNumber, QStringLiteral("错误提示"), MessageIcon::Stop);
    commit(w.txtAnswer, QString::fromUtf16(u"１２"));
    QCOMPARE(w.txtAnswer->text(), QString::fromUtf16(u"１２"));
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, "ok"));
}

void AnswerCheckTest::operandOutOfRangeEndsSilently_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("first beyond 32 bits") << "99999999999" << "5";
    QTest::newRow("second beyond 32 bits") << "7" << "-99999999999";
    QTest::newRow("sum beyond 32 bits") << "2147483647" << "1";
}

void AnswerCheckTest::operandOutOfRangeEndsSilently()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(true);
    w.txtTest1->setText(first);
    w.txtTest2->setText(second);
    showPrevious(t);
    const int reseeds = t.random.reseeds;

    type(w.txtAnswer, "12");

    QCOMPARE(w.txtAnswer->text(), QStringLiteral("12"));
    QCOMPARE(w.ImgOk->picturePath(), expectedPicture(t, "previous"));
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(t.random.reseeds, reseeds);
}

QTEST_MAIN(AnswerCheckTest)
#include "test_answer_check.moc"
