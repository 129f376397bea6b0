// The range lists and the operation list on a real window: the range check
// under subtraction, and what picking an operation does to the signs, the
// question on display and the result row.
#include "test_window.h"

#include <QTest>

#include <memory>

// Exactly one message, the range conflict.
#define EXPECT_CONFLICT_MESSAGE(t)                                                         \
    EXPECT_MESSAGE((t).messages, QStringLiteral("与第二位设置的范围矛盾,请检查后重新设置"),    \
                   QStringLiteral("错误提示"), MessageIcon::Exclamation)

class RangeCheckTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own.
    void init() { t_ = std::make_unique<TestWindow>(); t_->load(); }
    void cleanup() { t_.reset(); }

    void underSubtraction_data();
    void underSubtraction();
    void secondFromZeroAcceptsAnyFirst_data();
    void secondFromZeroAcceptsAnyFirst();
    void additionAcceptsEverything();
    void pickingSubtractionChecksTheRanges_data();
    void pickingSubtractionChecksTheRanges();
    void pickingSubtractionWithQuestionKeptAndConflict();
    void operationChangeWithQuestion_data();
    void operationChangeWithQuestion();
    void operationChangeWithoutQuestion();
    void operandOutOfRange_data();
    void operandOutOfRange();

private:
    std::unique_ptr<TestWindow> t_;
};

void RangeCheckTest::underSubtraction_data()
{
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("p2");
    QTest::addColumn<bool>("secondLast"); // which list is picked last
    QTest::addColumn<bool>("conflict");

    QTest::newRow("0～5, then 10～15 in the second") << 23 << 28 << true << true;
    QTest::newRow("5～10 second, then 0～5 in the first") << 23 << 27 << false << false;
    QTest::newRow("20, then 15～20 in the second") << 21 << 29 << true << false;
    QTest::newRow("15～20 second, then 20 in the first") << 21 << 29 << false << false;
    QTest::newRow("3, then 4 in the second") << 4 << 5 << true << true;
    QTest::newRow("3, then 3 in the second") << 4 << 4 << true << false;
    QTest::newRow("4 second, then 3 in the first") << 4 << 5 << false << true;
    QTest::newRow("15～20 second, then 5～10 in the first") << 27 << 29 << false << true;
    QTest::newRow("15～20 second, then 10～15 in the first: 15 meets 15") << 28 << 29 << false << false;
    QTest::newRow("0, then 1 in the second") << 1 << 2 << true << true;
    QTest::newRow("0～10, then 15 in the second") << 24 << 16 << true << true;
    QTest::newRow("10, then 5～10 in the second") << 11 << 27 << true << false;
    QTest::newRow("0～15, then 15～20 in the second") << 25 << 29 << true << false;
    QTest::newRow("19, then 20 in the second") << 20 << 21 << true << true;
}

void RangeCheckTest::underSubtraction()
{
    QFETCH(int, p1);
    QFETCH(int, p2);
    QFETCH(bool, secondLast);
    QFETCH(bool, conflict);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboCode, Operation::Subtraction);
    int firstWhileShown = -2;
    t.messages.onShow = [&](const ShownMessage &) { firstWhileShown = w.cbo1st->currentIndex(); };

    if (secondLast) {
        t.pick(w.cbo1st, p1);
        QVERIFY(t.messages.shown.isEmpty());
        t.pick(w.cbo2nd, p2);
    } else {
        t.pick(w.cbo2nd, p2);
        QVERIFY(t.messages.shown.isEmpty());
        t.pick(w.cbo1st, p1);
    }

    QCOMPARE(w.cbo2nd->currentIndex(), p2);
    if (!conflict) {
        QVERIFY(t.messages.shown.isEmpty());
        QCOMPARE(w.cbo1st->currentIndex(), p1);
        return;
    }
    EXPECT_CONFLICT_MESSAGE(t);
    // The first list goes back only once the box is closed.
    QCOMPARE(firstWhileShown, p1);
    QCOMPARE(w.cbo1st->currentIndex(), 0);
    QCOMPARE(w.cbo1st->currentText(), QStringLiteral("不限定"));
}

void RangeCheckTest::secondFromZeroAcceptsAnyFirst_data()
{
    QTest::addColumn<int>("p2");
    QTest::newRow("0～2") << 22;
    QTest::newRow("不限定") << 0;
    QTest::newRow("0～20") << 26;
    QTest::newRow("0") << 1;
    QTest::newRow("0～15") << 25;
}

void RangeCheckTest::secondFromZeroAcceptsAnyFirst()
{
    QFETCH(int, p2);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboCode, Operation::Subtraction);
    t.pick(w.cbo2nd, p2);
    for (int p1 = 0; p1 < 30; ++p1) {
        t.pick(w.cbo1st, p1);
        QCOMPARE(w.cbo1st->currentIndex(), p1);
        t.pick(w.cbo2nd, p2);
        QCOMPARE(w.cbo1st->currentIndex(), p1);
    }
    QVERIFY(t.messages.shown.isEmpty());
}

void RangeCheckTest::additionAcceptsEverything()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboCode, Operation::Addition);
    for (int p1 = 0; p1 < 30; ++p1) {
        for (int p2 = 0; p2 < 30; ++p2) {
            t.pick(w.cbo1st, p1);
            t.pick(w.cbo2nd, p2);
            QCOMPARE(w.cbo1st->currentIndex(), p1);
            t.pick(w.cbo1st, p1);
            QCOMPARE(w.cbo1st->currentIndex(), p1);
            QCOMPARE(w.cbo2nd->currentIndex(), p2);
        }
    }
    QVERIFY(t.messages.shown.isEmpty());
}

void RangeCheckTest::pickingSubtractionChecksTheRanges_data()
{
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("p2");
    QTest::addColumn<bool>("conflict");
    QTest::newRow("0～5 with 10～15") << 23 << 28 << true;
    QTest::newRow("3 with 4") << 4 << 5 << true;
    QTest::newRow("0 with 15～20") << 1 << 29 << true;
    QTest::newRow("3 with 3") << 4 << 4 << false;
    QTest::newRow("0～5 with 5～10") << 23 << 27 << false;
    QTest::newRow("5～10 with 0～20") << 27 << 26 << false;
}

void RangeCheckTest::pickingSubtractionChecksTheRanges()
{
    // Ranges chosen under addition, no question on display, then "-(减法)".
    QFETCH(int, p1);
    QFETCH(int, p2);
    QFETCH(bool, conflict);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cbo1st, p1);
    t.pick(w.cbo2nd, p2);
    QVERIFY(t.messages.shown.isEmpty());

    t.pick(w.cboCode, Operation::Subtraction);

    QCOMPARE(w.lblCode->text(), QStringLiteral("-"));
    QCOMPARE(w.lblCode2->text(), QStringLiteral("-"));
    QCOMPARE(w.cbo2nd->currentIndex(), p2);
    if (!conflict) {
        QVERIFY(t.messages.shown.isEmpty());
        QCOMPARE(w.cbo1st->currentIndex(), p1);
    } else {
        EXPECT_CONFLICT_MESSAGE(t);
        QCOMPARE(w.cbo1st->currentIndex(), 0);
    }

    // Whatever was in force, the next subtraction is never negative.
    t.random.fallback = 0.0;
    for (const double r : {0.0, 0.5, 0.999}) {
        t.random.script({r, 1.0 - r - 1e-9, r, r, r});
        w.cmdTest->click();
        QVERIFY2(w.txtTest1->text().toInt() >= w.txtTest2->text().toInt(),
                 qPrintable(w.txtTest1->text() + " - " + w.txtTest2->text()));
    }

    // Going back to addition refuses nothing.
    t.messages.shown.clear();
    t.pick(w.cboCode, Operation::Addition);
    t.pick(w.cbo1st, p1);
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.cbo1st->currentIndex(), p1);
    QCOMPARE(w.lblCode->text(), QStringLiteral("+"));
}

void RangeCheckTest::pickingSubtractionWithQuestionKeptAndConflict()
{
    // 5 + 3 made, then ranges that conflict under subtraction picked while
    // addition is still in force.
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(5, 3);
    t.pick(w.cbo1st, 22); // 0～2
    t.pick(w.cbo2nd, 28); // 10～15
    QVERIFY(t.messages.shown.isEmpty());

    t.pick(w.cboCode, Operation::Subtraction);

    QCOMPARE(w.txtTest1->text(), QStringLiteral("5"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("3"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    EXPECT_CONFLICT_MESSAGE(t);
    QCOMPARE(w.cbo1st->currentIndex(), 0);
    QCOMPARE(w.cbo2nd->currentIndex(), 28);
}

void RangeCheckTest::operationChangeWithQuestion_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("3 + 5: emptied") << 3 << 5 << true;
    QTest::newRow("0 + 20: emptied") << 0 << 20 << true;
    QTest::newRow("5 + 3: stays as 5 - 3") << 5 << 3 << false;
    QTest::newRow("5 + 5: stays as 5 - 5") << 5 << 5 << false;
}

void RangeCheckTest::operationChangeWithQuestion()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, emptied);
    TestWindow &t = *t_;
    Window &w = t.w();
    QCOMPARE(w.cboPic->currentIndex(), 1);
    t.ask(first, second);
    w.cmdAnswer->click(); // fills the result row, shows the right answer
    const QString result = QString::number(first + second);
    QCOMPARE(w.txtAnswer->text(), result);
    QCOMPARE(TestWindow::filled(w.img3), first + second);
    const QString picture = w.lblpic->text();
    const int firstList = w.cbo1st->currentIndex();

    t.pick(w.cboCode, Operation::Subtraction);

    if (emptied) {
        QCOMPARE(w.txtTest1->text(), QString());
        QCOMPARE(w.txtTest2->text(), QString());
        QCOMPARE(w.txtAnswer->text(), QString());
        QCOMPARE(w.cbo1st->currentIndex(), 0);
    } else {
        QCOMPARE(w.txtTest1->text(), QString::number(first));
        QCOMPARE(w.txtTest2->text(), QString::number(second));
        QCOMPARE(w.txtAnswer->text(), result);
        QCOMPARE(w.cbo1st->currentIndex(), firstList);
    }
    QCOMPARE(TestWindow::filled(w.img3), 0);
    for (const ImageBox *slot : w.img3)
        QVERIFY(slot->pixmap().isNull());
    QCOMPARE(w.lblCode->text(), QStringLiteral("-"));
    QCOMPARE(w.lblCode2->text(), QStringLiteral("-"));
    QCOMPARE(w.lblDeng2->text(), QStringLiteral("="));
    // The hint rows, their picture and the verdict are left alone.
    QCOMPARE(TestWindow::filled(w.img1), first);
    QCOMPARE(TestWindow::filled(w.img2), second);
    QCOMPARE(w.lblpic->text(), picture);
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    // An emptied question resets the first list, so nothing is left to refuse.
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.cbo2nd->currentIndex(), second + 1);
}

void RangeCheckTest::operationChangeWithoutQuestion()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    QCOMPARE(w.txtTest1->text(), QString());
    for (int i = 0; i < 5; ++i)
        w.img3[i]->setPicture(t.folder.file("img/white.jpg"));
    w.txtTest2->setText(QStringLiteral("8")); // only the first box says whether a question is on display

    t.pick(w.cboCode, Operation::Subtraction);
    QCOMPARE(w.lblCode->text(), QStringLiteral("-"));
    QCOMPARE(w.lblCode2->text(), QStringLiteral("-"));
    QCOMPARE(w.lblDeng2->text(), QStringLiteral("="));
    QCOMPARE(TestWindow::filled(w.img3), 5);
    QCOMPARE(w.txtTest2->text(), QStringLiteral("8"));
    QCOMPARE(w.cbo1st->currentIndex(), 0);

    t.pick(w.cboCode, Operation::Addition);
    QCOMPARE(w.lblCode->text(), QStringLiteral("+"));
    QCOMPARE(w.lblCode2->text(), QStringLiteral("+"));
    QCOMPARE(TestWindow::filled(w.img3), 5);
    QVERIFY(t.messages.shown.isEmpty());
}

void RangeCheckTest::operandOutOfRange_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("first 99999999999") << "99999999999" << "3";
    QTest::newRow("first -99999999999") << "-99999999999" << "3";
    QTest::newRow("second 99999999999") << "5" << "99999999999";
    QTest::newRow("first 10,000 digits") << QString(10000, u'9') << "3";
}

void RangeCheckTest::operandOutOfRange()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(5, 3);
    w.cmdAnswer->click();
    QCOMPARE(TestWindow::filled(w.img3), 8);
    w.txtTest1->setText(first);
    w.txtTest2->setText(second);

    t.pick(w.cboCode, Operation::Subtraction);

    // The question is left as it is; the rest of the change goes on.
    QCOMPARE(w.txtTest1->text(), first);
    QCOMPARE(w.txtTest2->text(), second);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("8"));
    QCOMPARE(w.cbo1st->currentIndex(), 6);
    QCOMPARE(TestWindow::filled(w.img3), 0);
    QCOMPARE(w.lblCode->text(), QStringLiteral("-"));
    QCOMPARE(w.lblCode2->text(), QStringLiteral("-"));
    QCOMPARE(w.lblDeng2->text(), QStringLiteral("="));
    QVERIFY(t.messages.shown.isEmpty());
}

QTEST_MAIN(RangeCheckTest)
#include "test_range_check.moc"
