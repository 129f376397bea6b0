// The picture hints on a change of kind and the answer reveal, on a real
// window offscreen: which slots show which picture, the hidden path label,
// the frame, the enlarged picture, and the messages with their titles and
// icons.
#include "test_window.h"

#include <QTest>

#include <memory>
#include <optional>

namespace {

// The slot shows exactly the picture of that file, decoded, not only its name.
bool shows(const ImageBox *slot, const QString &file)
{
    if (slot->picturePath() != file || slot->pixmap().isNull())
        return false;
    return slot->pixmap().toImage().convertToFormat(QImage::Format_RGB32)
        == QImage(file).convertToFormat(QImage::Format_RGB32);
}

bool isEmpty(const ImageBox *slot)
{
    return !slot->hasPicture() && slot->pixmap().isNull();
}

// Slots [from, to) of a row show the file; a failure names the slot.
template <class Row>
std::optional<int> firstSlotNotShowing(const Row &row, int from, int to, const QString &file)
{
    for (int i = from; i < to; ++i) {
        const bool ok = file.isEmpty() ? isEmpty(row[i]) : shows(row[i], file);
        if (!ok)
            return i;
    }
    return std::nullopt;
}

#define VERIFY_SLOTS(row, from, to, file)                                                  \
    do {                                                                                   \
        const auto bad = firstSlotNotShowing(row, from, to, file);                         \
        if (bad)                                                                           \
            QFAIL(qPrintable(QStringLiteral(#row "[%1] shows \"%2\", expected \"%3\"")      \
                                 .arg(*bad)                                                \
                                 .arg((row)[*bad]->picturePath(), QString(file))));        \
    } while (false)

} // namespace

class HintsRevealTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own.
    void init() { t_ = std::make_unique<TestWindow>(); t_->load(); }
    void cleanup() { t_.reset(); }

    // The list "图案提示"
    void startUpState();
    void drawingForQuestion_data();
    void drawingForQuestion();
    void hideThenShowAgain();
    void kindChangePictureNumber_data();
    void kindChangePictureNumber();
    void resultRowOnKindChange_data();
    void resultRowOnKindChange();
    void firstNumberNotNumeric_data();
    void firstNumberNotNumeric();
    void secondNumberNotNumeric();
    void missingPictureOnKindChange();
    void emptySlotEnlarges();

    // The button "答案"
    void reveal_data();
    void reveal();
    void noQuestion_data();
    void noQuestion();
    void failureDuringReveal_data();
    void failureDuringReveal();
    void pressingTwiceRepeats();
    void staleVerdictIsReplaced();

private:
    std::unique_ptr<TestWindow> t_;
};

// ---- the list "图案提示" -------------------------------------------------------

void HintsRevealTest::startUpState()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));

    QCOMPARE(w.cboPic->currentText(), QStringLiteral("图案1提示"));
    QVERIFY(w.fraPic->isVisible());
    QVERIFY(w.lblpic->text().isEmpty());
    VERIFY_SLOTS(w.img1, 0, 20, QString());
    VERIFY_SLOTS(w.img2, 0, 20, QString());
    VERIFY_SLOTS(w.img3, 0, 40, QString());
    QCOMPARE(t.random.used, 0); // no question, so nothing was drawn

    for (ImageBox *slot : {w.img1[0], w.img2[19], w.img3[39]}) {
        QTest::mousePress(slot, Qt::LeftButton);
        QVERIFY(w.Pic1->isHidden());
        QVERIFY(!w.Pic1->hasPicture());
        QTest::mouseRelease(slot, Qt::LeftButton);
    }
    QVERIFY(t.messages.shown.isEmpty());
}

void HintsRevealTest::drawingForQuestion_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("set");
    QTest::newRow("7 + 5 with set 2") << 7 << 5 << 2;
    QTest::newRow("first number 0 leaves img1 empty") << 0 << 5 << 1;
    QTest::newRow("second number 0 leaves img2 empty") << 7 << 0 << 3;
    QTest::newRow("0 + 0 draws nothing") << 0 << 0 << 2;
    QTest::newRow("20 + 20 fills both rows") << 20 << 20 << 1;
}

void HintsRevealTest::drawingForQuestion()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, set);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboPic, set);
    t.ask(first, second, Operation::Addition, 0.3); // picture floor(0.3 * 66 + 0.5) = 20

    const QString picture = t.folder.hint(set, 20);
    QCOMPARE(w.lblpic->text(), picture);
    VERIFY_SLOTS(w.img1, 0, first, picture);
    VERIFY_SLOTS(w.img1, first, 20, QString());
    VERIFY_SLOTS(w.img2, 0, second, picture);
    VERIFY_SLOTS(w.img2, second, 20, QString());
    VERIFY_SLOTS(w.img3, 0, 40, QString());
    QVERIFY(w.fraPic->isVisibleTo(t.form.get()));
    QVERIFY(t.messages.shown.isEmpty());
}

void HintsRevealTest::hideThenShowAgain()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboPic, HintKind::Set2);
    t.ask(7, 5, Operation::Addition, 0.3);
    const QString before = t.folder.hint(2, 20);
    const int reseeds = t.random.reseeds;

    t.pick(w.cboPic, HintKind::None);
    QVERIFY(!w.fraPic->isVisibleTo(t.form.get()));
    QVERIFY(w.lblpic->text().isEmpty());
    // Hidden with the frame, not emptied.
    VERIFY_SLOTS(w.img1, 0, 7, before);
    VERIFY_SLOTS(w.img2, 0, 5, before);

    t.random.script({0.5}); // floor(0.5 * 40 + 0.5) + 1 = 21
    const int used = t.random.used;
    t.pick(w.cboPic, HintKind::Set3);
    const QString after = t.folder.hint(3, 21);
    QVERIFY(w.fraPic->isVisibleTo(t.form.get()));
    QCOMPARE(w.lblpic->text(), after);
    VERIFY_SLOTS(w.img1, 0, 7, after);
    VERIFY_SLOTS(w.img1, 7, 20, QString());
    VERIFY_SLOTS(w.img2, 0, 5, after);
    VERIFY_SLOTS(w.img2, 5, 20, QString());
    VERIFY_SLOTS(w.img3, 0, 40, QString()); // the answer box holds "?"
    // One number drawn from the generator as it stands: no new seed, no new question.
    QCOMPARE(t.random.used, used + 1);
    QCOMPARE(t.random.reseeds, reseeds);
    QCOMPARE(w.txtTest1->text(), QStringLiteral("7"));
    QCOMPARE(w.txtTest2->text(), QStringLiteral("5"));
    QVERIFY(t.messages.shown.isEmpty());
}

void HintsRevealTest::kindChangePictureNumber_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::newRow("0 gives 1") << 0.0 << 1;
    QTest::newRow("just below the first half step") << 0.0124 << 1;
    QTest::newRow("the first half step") << 0.0125 << 2;
    QTest::newRow("a half gives 21") << 0.5 << 21;
    QTest::newRow("just below 1 gives 41") << 0.99999 << 41;
}

void HintsRevealTest::kindChangePictureNumber()
{
    QFETCH(double, r);
    QFETCH(int, number);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(2, 1);
    t.random.script({r});
    const int used = t.random.used;
    t.pick(w.cboPic, HintKind::Set2);
    QCOMPARE(w.lblpic->text(), t.folder.hint(2, number));
    VERIFY_SLOTS(w.img1, 0, 2, t.folder.hint(2, number));
    QCOMPARE(t.random.used, used + 1);
    QVERIFY(t.random.values.empty());
}

void HintsRevealTest::resultRowOnKindChange_data()
{
    // Before the change the result row shows 15 pictures of the old drawing
    // (7 + 8 revealed). Slots [0, fresh) then show the new picture, slots
    // [fresh, old) the old one, and the rest are empty.
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("fresh");
    QTest::addColumn<int>("old");
    QTest::newRow("12 redraws 0..11, 12..14 keep the old") << "12" << 12 << 15;
    QTest::newRow("15 redraws exactly the row") << "15" << 15 << 15;
    QTest::newRow("25 spans both blocks") << "25" << 25 << 25;
    QTest::newRow("99 fills all 40 and stops") << "99" << 40 << 40;
    QTest::newRow("0 redraws nothing") << "0" << 0 << 15;
    QTest::newRow("-5 redraws nothing") << "-5" << 0 << 15;
    QTest::newRow("blanks around 3") << " 3 " << 3 << 15;
    QTest::newRow("? empties the row") << "?" << 0 << 0;
    QTest::newRow("empty box empties the row") << "" << 0 << 0;
    QTest::newRow("letters empty the row") << "ab" << 0 << 0;
}

void HintsRevealTest::resultRowOnKindChange()
{
    QFETCH(QString, answer);
    QFETCH(int, fresh);
    QFETCH(int, old);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 8, Operation::Addition, 0.3);
    w.cmdAnswer->click();
    const QString oldPicture = t.folder.hint(1, 20);
    VERIFY_SLOTS(w.img3, 0, 15, oldPicture);
    QVERIFY(!w.chkAuto->isChecked());
    w.txtAnswer->setText(answer);
    QCOMPARE(w.txtAnswer->text(), answer);

    t.random.script({0.5});
    t.pick(w.cboPic, HintKind::Set2);
    const QString newPicture = t.folder.hint(2, 21);
    QCOMPARE(w.lblpic->text(), newPicture);
    VERIFY_SLOTS(w.img1, 0, 7, newPicture);
    VERIFY_SLOTS(w.img2, 0, 8, newPicture);
    VERIFY_SLOTS(w.img3, 0, fresh, newPicture);
    VERIFY_SLOTS(w.img3, fresh, old, oldPicture);
    VERIFY_SLOTS(w.img3, std::max(fresh, old), 40, QString());
    QVERIFY(t.messages.shown.isEmpty());
}

void HintsRevealTest::firstNumberNotNumeric_data()
{
    QTest::addColumn<QString>("first");
    QTest::newRow("empty") << "";
    QTest::newRow("letter") << "x";
    QTest::newRow("blanks only") << "  ";
}

void HintsRevealTest::firstNumberNotNumeric()
{
    QFETCH(QString, first);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 2);
    const QString drawn = w.lblpic->text();
    t.pick(w.cboPic, HintKind::None);
    w.txtTest1->setText(first);
    const int used = t.random.used;

    t.pick(w.cboPic, HintKind::Set2);
    // The frame comes back before the number is looked at; nothing else changes.
    QVERIFY(w.fraPic->isVisibleTo(t.form.get()));
    QVERIFY(w.lblpic->text().isEmpty());
    VERIFY_SLOTS(w.img1, 0, 3, drawn);
    VERIFY_SLOTS(w.img2, 0, 2, drawn);
    QCOMPARE(t.random.used, used);
    QVERIFY(t.messages.shown.isEmpty());
}

void HintsRevealTest::secondNumberNotNumeric()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 2);
    const QString drawn = w.lblpic->text();
    w.txtTest2->setText(QStringLiteral("x"));
    const int used = t.random.used;

    t.pick(w.cboPic, HintKind::Set3);
    QVERIFY(w.fraPic->isVisibleTo(t.form.get()));
    QCOMPARE(w.lblpic->text(), drawn);
    VERIFY_SLOTS(w.img1, 0, 3, drawn);
    VERIFY_SLOTS(w.img2, 0, 2, drawn);
    QCOMPARE(t.random.used, used);
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.cboPic->currentIndex(), 3);
}

void HintsRevealTest::missingPictureOnKindChange()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 2, Operation::Addition, 0.3);
    const QString drawn = t.folder.hint(1, 20);
    QVERIFY(t.folder.remove("img/2/21.jpg"));

    t.random.script({0.5});
    t.pick(w.cboPic, HintKind::Set2);
    // The first number's row was emptied before the picture was needed; the
    // rest of the old drawing stays, and nothing is said.
    QVERIFY(t.messages.shown.isEmpty());
    QVERIFY(w.fraPic->isVisibleTo(t.form.get()));
    VERIFY_SLOTS(w.img1, 0, 20, QString());
    VERIFY_SLOTS(w.img2, 0, 2, drawn);
    QCOMPARE(w.lblpic->text(), drawn);

    // The window goes on working with the next pick.
    t.random.script({0.0});
    t.pick(w.cboPic, HintKind::Set3);
    QCOMPARE(w.lblpic->text(), t.folder.hint(3, 1));
    VERIFY_SLOTS(w.img1, 0, 3, t.folder.hint(3, 1));
    VERIFY_SLOTS(w.img2, 0, 2, t.folder.hint(3, 1));
}

void HintsRevealTest::emptySlotEnlarges()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    t.ask(3, 2);
    const QString picture = w.lblpic->text();
    QVERIFY(!picture.isEmpty());

    for (ImageBox *slot : {w.img1[19], w.img2[10], w.img3[0], w.img3[39]}) {
        QVERIFY(isEmpty(slot));
        QTest::mousePress(slot, Qt::LeftButton);
        QVERIFY(w.Pic1->isVisible());
        QVERIFY(shows(w.Pic1, picture));
        QTest::mouseRelease(slot, Qt::LeftButton);
        QVERIFY(w.Pic1->isHidden());
    }
}

// ---- the button "答案" ---------------------------------------------------------

void HintsRevealTest::reveal_data()
{
    // Before the press every result slot shows a marker picture, so a slot the
    // reveal did not load is told apart from one it emptied.
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("set");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("blanks");   // slots [0, blanks) blank
    QTest::addColumn<int>("pictures"); // slots [blanks, pictures) the hint picture
    QTest::addColumn<QString>("explanation");
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;
    QTest::newRow("7 + 5, hints off") << 7 << 5 << plus << 0 << "12" << 0 << 0 << "";
    QTest::newRow("9 - 4, hints off") << 9 << 4 << minus << 0 << "5" << 0 << 0 << "";
    QTest::newRow("7 + 5, set 1") << 7 << 5 << plus << 1 << "12" << 0 << 12 << "";
    QTest::newRow("20 + 20 fills all 40") << 20 << 20 << plus << 2 << "40" << 0 << 40 << "";
    QTest::newRow("0 + 0 loads nothing") << 0 << 0 << plus << 3 << "0" << 0 << 0 << "";
    QTest::newRow("9 - 4, set 2")
        << 9 << 4 << minus << 2 << "5" << 4 << 9
        << "第一位的图案先数出4个不要了，以第5个做为第1个，开始数第一位余下的图案数量，就可以得到结果了！";
    QTest::newRow("6 - 0, no blanks")
        << 6 << 0 << minus << 3 << "6" << 0 << 6
        << "第一位的图案先数出0个不要了，以第1个做为第1个，开始数第一位余下的图案数量，就可以得到结果了！";
    QTest::newRow("5 - 5, all blank")
        << 5 << 5 << minus << 1 << "0" << 5 << 5
        << "第一位的图案先数出5个不要了，以第6个做为第1个，开始数第一位余下的图案数量，就可以得到结果了！";
    QTest::newRow("20 - 19")
        << 20 << 19 << minus << 1 << "1" << 19 << 20
        << "第一位的图案先数出19个不要了，以第20个做为第1个，开始数第一位余下的图案数量，就可以得到结果了！";
}

void HintsRevealTest::reveal()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(Operation, operation);
    QFETCH(int, set);
    QFETCH(QString, result);
    QFETCH(int, blanks);
    QFETCH(int, pictures);
    QFETCH(QString, explanation);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboPic, set);
    t.ask(first, second, operation, 0.3);
    const QString hint = set > 0 ? t.folder.hint(set, 20) : QString();
    QCOMPARE(w.lblpic->text(), hint);
    const QString marker = t.folder.file("img/err.jpg");
    for (ImageBox *slot : w.img3)
        slot->setPicture(marker);
    QVERIFY(w.chkAuto->isChecked()); // a right answer would otherwise make a new question
    const int reseeds = t.random.reseeds;
    const int used = t.random.used;

    // What the window shows while the explanation is open.
    QString answerWhileShown;
    QString okWhileShown;
    int picturesWhileShown = -1;
    t.messages.onShow = [&](const ShownMessage &) {
        answerWhileShown = w.txtAnswer->text();
        okWhileShown = w.ImgOk->picturePath();
        picturesWhileShown = 0;
        for (ImageBox *slot : w.img3)
            picturesWhileShown += slot->picturePath() == hint ? 1 : 0;
    };
    w.cmdAnswer->click();

    QVERIFY(!w.chkAuto->isChecked());
    QCOMPARE(w.txtAnswer->text(), result);
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    QVERIFY(shows(w.ImgOk, t.folder.file("img/ok.jpg")));
    // The same question stays: nothing drawn, nothing re-seeded.
    QCOMPARE(w.txtTest1->text(), QString::number(first));
    QCOMPARE(w.txtTest2->text(), QString::number(second));
    QCOMPARE(t.random.reseeds, reseeds);
    QCOMPARE(t.random.used, used);
    QCOMPARE(w.lblpic->text(), hint);

    VERIFY_SLOTS(w.img3, 0, blanks, t.folder.file("img/white.jpg"));
    VERIFY_SLOTS(w.img3, blanks, pictures, hint);
    VERIFY_SLOTS(w.img3, std::max(blanks, pictures), 40, marker);
    // The question's own rows are left alone.
    if (set > 0) {
        VERIFY_SLOTS(w.img1, 0, first, hint);
        VERIFY_SLOTS(w.img2, 0, second, hint);
    }

    if (explanation.isEmpty()) {
        QVERIFY(t.messages.shown.isEmpty());
        return;
    }
    EXPECT_MESSAGE(t.messages, explanation, QStringLiteral("提示"),
                   MessageIcon::Information);
    QCOMPARE(answerWhileShown, result);
    QCOMPARE(okWhileShown, t.folder.file("img/ok.jpg"));
    QCOMPARE(picturesWhileShown, pictures - blanks);
}

void HintsRevealTest::noQuestion_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<Operation>("operation");
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;
    QTest::newRow("before any question") << "" << "" << plus;
    QTest::newRow("first not numeric") << "x" << "3" << plus;
    QTest::newRow("second not numeric") << "7" << "x" << minus;
    QTest::newRow("first beyond 32 bits") << "3000000000" << "1" << plus;
    QTest::newRow("sum beyond 32 bits") << "2147483647" << "1" << plus;
    QTest::newRow("difference beyond 32 bits") << "-2147483648" << "1" << minus;
}

void HintsRevealTest::noQuestion()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Operation, operation);
    TestWindow &t = *t_;
    Window &w = t.w();
    w.setListIndex(w.cboCode, positionOf(operation));
    w.txtTest1->setText(first);
    w.txtTest2->setText(second);
    w.txtAnswer->setText(QStringLiteral("?"));
    const QString marker = t.folder.file("img/err.jpg");
    for (ImageBox *slot : w.img3)
        slot->setPicture(marker);
    QVERIFY(w.chkAuto->isChecked());
    t.messages.shown.clear();

    QString answerWhileShown;
    t.messages.onShow = [&](const ShownMessage &) { answerWhileShown = w.txtAnswer->text(); };
    w.cmdAnswer->click();

    QVERIFY(!w.chkAuto->isChecked());
    EXPECT_NO_NUMBER(t.messages);
    QCOMPARE(answerWhileShown, QStringLiteral("?"));
    QCOMPARE(w.txtAnswer->text(), QString());
    QVERIFY(!w.ImgOk->hasPicture());
    VERIFY_SLOTS(w.img3, 0, 40, marker);
    QCOMPARE(t.random.reseeds, 0);
}

void HintsRevealTest::failureDuringReveal_data()
{
    // After a failure: slots [0, blanks) blank, the rest as before the press.
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("blanks");
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;
    QTest::newRow("blank picture missing, 9 - 4") << 9 << 4 << minus << "white" << "5" << 0;
    QTest::newRow("hint picture missing, 9 - 4") << 9 << 4 << minus << "hint" << "5" << 4;
    QTest::newRow("hint picture missing, 7 + 5") << 7 << 5 << plus << "hint" << "12" << 0;
}

void HintsRevealTest::failureDuringReveal()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(Operation, operation);
    QFETCH(QString, missing);
    QFETCH(QString, result);
    QFETCH(int, blanks);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(first, second, operation, 0.3);
    const QString marker = t.folder.file("img/err.jpg");
    for (ImageBox *slot : w.img3)
        slot->setPicture(marker);
    QVERIFY(t.folder.remove(missing == "white" ? "img/white.jpg" : "img/1/20.jpg"));

    QStringList answersWhileShown;
    QStringList okWhileShown;
    t.messages.onShow = [&](const ShownMessage &) {
        answersWhileShown << w.txtAnswer->text();
        okWhileShown << w.ImgOk->picturePath();
    };
    w.cmdAnswer->click();

    // Only the no-number message, never the explanation.
    EXPECT_NO_NUMBER(t.messages);
    // The result was shown and checked before the failure; what was done stays.
    QCOMPARE(answersWhileShown, QStringList{result});
    QCOMPARE(okWhileShown, QStringList{t.folder.file("img/ok.jpg")});
    QCOMPARE(w.txtAnswer->text(), QString());
    QVERIFY(shows(w.ImgOk, t.folder.file("img/ok.jpg")));
    QVERIFY(!w.chkAuto->isChecked());
    VERIFY_SLOTS(w.img3, 0, blanks, t.folder.file("img/white.jpg"));
    VERIFY_SLOTS(w.img3, blanks, 40, marker);
}

void HintsRevealTest::pressingTwiceRepeats()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(9, 4, Operation::Subtraction, 0.3);
    w.cmdAnswer->click();
    w.cmdAnswer->click();
    EXPECT_MESSAGES(t.messages, 2, TestWindow::explanation(4), QStringLiteral("提示"),
                    MessageIcon::Information);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("5"));
    QVERIFY(shows(w.ImgOk, t.folder.file("img/ok.jpg")));
    VERIFY_SLOTS(w.img3, 0, 4, t.folder.file("img/white.jpg"));
    VERIFY_SLOTS(w.img3, 4, 9, t.folder.hint(1, 20));
    VERIFY_SLOTS(w.img3, 9, 40, QString());
}

void HintsRevealTest::staleVerdictIsReplaced()
{
    // "5" was wrong for 8 + 3 and is right once the operation becomes
    // subtraction; revealing writes the same text, and the right-answer
    // picture must replace the wrong-answer one all the same.
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(8, 3);
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("5"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    t.pick(w.cboCode, Operation::Subtraction);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("5"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));

    w.cmdAnswer->click();
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("5"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    EXPECT_EXPLANATION(t.messages, 3);
}

QTEST_MAIN(HintsRevealTest)
#include "test_hints_reveal.moc"
