// Making a question through the button: the numbers, the placeholder, the
// hint pictures, the random numbers it uses, and its failure.
#include "test_window.h"

#include <QTest>

#include <memory>

class QuestionGenerationTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own.
    void init() { t_ = std::make_unique<TestWindow>(); t_->load(); }
    void cleanup() { t_.reset(); }

    void withHints();
    void withoutHintsTouchesNoSlot();
    void folderWithTrailingSeparator();
    void emptiesResultRowAndFeedback();
    void zeroAndTwentyPictures();
    void subtractionThroughTheWindow_data();
    void subtractionThroughTheWindow();
    void singleValueRangesRepeat();
    void testMenuMakesTheSameQuestion();
    void missingHintPicture();
    void missingPictureWithFirstNumberZero();
    void enlargedPicture();
    void enlargedPictureUnreadable();
    void everySlotEnlarges();

private:
    std::unique_ptr<TestWindow> t_;
};

void QuestionGenerationTest::withHints()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboPic, HintKind::Set2);
    // 0.35 * 20 + 0.5 -> 7, 0.25 * 20 + 0.5 -> 5, picture 0.5 * 66 + 0.5 -> 33
    t.random.script({0.35, 0.25, 0.5});
    w.cmdTest->click();

    QCOMPARE(t.random.reseeds, 1);
    QCOMPARE(t.random.used, 3);
    QCOMPARE(w.txtTest1->text(), QStringLiteral("7"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("5"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    QVERIFY(!w.ImgOk->hasPicture());
    const QString picture = t.folder.hint(2, 33);
    QCOMPARE(w.lblpic->text(), picture);
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(w.img1[i]->picturePath(), i < 7 ? picture : QString());
        QCOMPARE(w.img2[i]->picturePath(), i < 5 ? picture : QString());
    }
    QCOMPARE(TestWindow::filled(w.img3), 0);
    // What a screen reader hears for each row follows the pictures on display.
    QCOMPARE(w.img1[0]->parentWidget()->accessibleDescription(), QStringLiteral("7 个图案"));
    QCOMPARE(w.img2[0]->parentWidget()->accessibleDescription(), QStringLiteral("5 个图案"));
    QCOMPARE(w.img3[0]->parentWidget()->accessibleDescription(), QStringLiteral("0 个图案"));
    t.ask(2, 9);
    QCOMPARE(w.img1[0]->parentWidget()->accessibleDescription(), QStringLiteral("2 个图案"));
    QCOMPARE(w.img2[0]->parentWidget()->accessibleDescription(), QStringLiteral("9 个图案"));
    t.ask(7, 5);
    QVERIFY(!w.img1[6]->pixmap().isNull());
    QVERIFY(w.img1[7]->pixmap().isNull());
    QVERIFY(t.messages.shown.isEmpty());
    // Focus and the signs are left alone.
    QCOMPARE(w.lblCode->text(), QStringLiteral("+"));
}

void QuestionGenerationTest::withoutHintsTouchesNoSlot()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 4);
    const QString before = w.lblpic->text();
    QVERIFY(!before.isEmpty());
    t.pick(w.cboPic, HintKind::None);
    t.random.used = 0;
    t.ask(9, 2);
    QCOMPARE(w.txtTest1->text(), QStringLiteral("9"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("2"));
    QVERIFY(w.lblpic->text().isEmpty());
    QCOMPARE(t.random.used, 2); // the two numbers only: no picture drawn
    // The rows keep the previous question's pictures, hidden with the frame.
    QCOMPARE(TestWindow::filled(w.img1), 3);
    QCOMPARE(TestWindow::filled(w.img2), 4);
    QVERIFY(w.fraPic->isHidden());
}

void QuestionGenerationTest::folderWithTrailingSeparator()
{
    TestWindow t(QString(), /*trailingSeparator*/ true);
    Window &w = t.w();
    t.load();
    t.ask(1, 1); // picture 0
    QCOMPARE(w.lblpic->text(), t.folder.path() + QStringLiteral("/img/1/0.jpg"));
    QVERIFY(!w.lblpic->text().contains(QStringLiteral("//")));
    QCOMPARE(TestWindow::filled(w.img1), 1);
}

void QuestionGenerationTest::emptiesResultRowAndFeedback()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    for (ImageBox *slot : w.img3)
        slot->setPicture(t.folder.file("img/white.jpg"));
    w.ImgOk->setPicture(t.folder.file("img/ok.jpg"));
    t.ask(2, 2);
    QCOMPARE(TestWindow::filled(w.img3), 0);
    QVERIFY(!w.ImgOk->hasPicture());
}

void QuestionGenerationTest::zeroAndTwentyPictures()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(0, 20);
    QCOMPARE(TestWindow::filled(w.img1), 0);
    QCOMPARE(TestWindow::filled(w.img2), 20);
    t.ask(20, 0);
    QCOMPARE(TestWindow::filled(w.img1), 20);
    QCOMPARE(TestWindow::filled(w.img2), 0);
}

void QuestionGenerationTest::subtractionThroughTheWindow_data()
{
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("p2");
    QTest::addColumn<QList<double>>("rs");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("7 and 3") << 8 << 4 << QList<double>{0.1, 0.9} << "7" << "3";
    QTest::newRow("3 and 0～10, second above 3 drawn again")
        << 4 << 24 << QList<double>{0.0, 0.9, 0.5} << "3" << "2";
    QTest::newRow("0～5 and 5～10 always 5 - 5")
        << 23 << 27 << QList<double>{0.0, 0.99, 0.3, 0.3} << "5" << "5";
    QTest::newRow("不限定 and 15～20, first below: redrawn up to 20")
        << 0 << 29 << QList<double>{0.1, 0.0, 0.99} << "20" << "15";
    QTest::newRow("equal pair left alone") << 5 << 5 << QList<double>{0.3, 0.7} << "4" << "4";
}

void QuestionGenerationTest::subtractionThroughTheWindow()
{
    QFETCH(int, p1);
    QFETCH(int, p2);
    QFETCH(QList<double>, rs);
    QFETCH(QString, first);
    QFETCH(QString, second);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboPic, HintKind::None);
    t.pick(w.cboCode, Operation::Subtraction);
    t.pick(w.cbo2nd, p2);
    t.pick(w.cbo1st, p1);
    QVERIFY(t.messages.shown.isEmpty());
    t.random.script(rs);
    t.random.used = 0;
    w.cmdTest->click();
    QCOMPARE(w.txtTest1->text(), first);
    QCOMPARE(w.txtTest2->text(), second);
    QCOMPARE(t.random.used, int(rs.size()));
    QCOMPARE(t.random.exhausted, 0);
}

void QuestionGenerationTest::singleValueRangesRepeat()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(6, 2);
    w.txtAnswer->setText(QStringLiteral("5"));
    w.cmdTest->click();
    QCOMPARE(w.txtTest1->text(), QStringLiteral("6"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("2"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    QCOMPARE(t.random.reseeds, 2);
}

void QuestionGenerationTest::testMenuMakesTheSameQuestion()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(8, 3);
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("11")); // a right answer on display
    t.question(8, 3, 0.5);
    t.form->test_word->trigger();
    QCOMPARE(w.txtTest1->text(), QStringLiteral("8"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("3"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    QVERIFY(!w.ImgOk->hasPicture());
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 33));
    QCOMPARE(t.random.reseeds, 2);
}

void QuestionGenerationTest::missingHintPicture()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(4, 3); // picture 0
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("7"));
    QVERIFY(w.ImgOk->hasPicture());
    for (int i = 0; i < 6; ++i)
        w.img3[i]->setPicture(t.folder.file("img/white.jpg"));
    const QString previous = w.lblpic->text();

    QVERIFY(t.folder.remove("img/1/66.jpg"));
    t.prepareFiveAndTwoWithPicture66();
    w.cmdTest->click();

    // What was written before the failure stays.
    EXPECT_STOPPED_AT_FIRST_HINT(t, 6, previous);
}

void QuestionGenerationTest::missingPictureWithFirstNumberZero()
{
    // With no first-number picture to load, the failure comes at img2(0),
    // after img2 was emptied.
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(2, 2); // picture 0
    QVERIFY(t.folder.remove("img/1/66.jpg"));
    t.question(0, 3, 0.99999);
    w.cmdTest->click();
    EXPECT_ERROR_TRAP(t.messages);
    QCOMPARE(TestWindow::filled(w.img1), 0);
    QCOMPARE(TestWindow::filled(w.img2), 0);
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 0));
}

void QuestionGenerationTest::enlargedPicture()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));

    // No question yet: lblpic is empty, pressing shows nothing.
    QTest::mousePress(w.img1[0], Qt::LeftButton);
    QVERIFY(w.Pic1->isHidden());
    QVERIFY(!w.Pic1->hasPicture());
    QTest::mouseRelease(w.img1[0], Qt::LeftButton);

    t.ask(3, 2);
    QTest::mousePress(w.img2[1], Qt::LeftButton);
    QVERIFY(w.Pic1->isVisible());
    QCOMPARE(w.Pic1->picturePath(), w.lblpic->text());
    QTest::mouseRelease(w.img2[1], Qt::LeftButton);
    QVERIFY(w.Pic1->isHidden());
    // The picture stays loaded while hidden.
    QCOMPARE(w.Pic1->picturePath(), w.lblpic->text());

    // An empty slot enlarges too; any button does.
    QTest::mousePress(w.img3[39], Qt::RightButton);
    QVERIFY(w.Pic1->isVisible());
    QTest::mouseRelease(w.img3[39], Qt::RightButton);
    QVERIFY(w.Pic1->isHidden());
}

void QuestionGenerationTest::enlargedPictureUnreadable()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 2);
    QVERIFY(t.folder.remove(w.lblpic->text().mid(t.folder.path().size() + 1)));
    QTest::mousePress(w.img1[0], Qt::LeftButton);
    QVERIFY(w.Pic1->isHidden());
    QVERIFY(!w.Pic1->hasPicture());
    QVERIFY(t.messages.shown.isEmpty());
}

void QuestionGenerationTest::everySlotEnlarges()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(1, 1);
    int shown = 0;
    const auto pressEach = [&](auto &row) {
        for (ImageBox *slot : row) {
            QTest::mousePress(slot, Qt::LeftButton);
            shown += w.Pic1->isHidden() ? 0 : 1;
            QTest::mouseRelease(slot, Qt::LeftButton);
            QVERIFY(w.Pic1->isHidden());
        }
    };
    pressEach(w.img1);
    pressEach(w.img2);
    pressEach(w.img3);
    QCOMPARE(shown, 80);
}

QTEST_MAIN(QuestionGenerationTest)
#include "test_question_generation.moc"
