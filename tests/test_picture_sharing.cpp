// One picture file per drawing: read once, at the first slot that needs it,
// shared by every slot of that drawing, and read afresh by the next drawing.
// Slots that share one read share one pixmap, so the pixmaps' cache keys tell
// how many reads a drawing made.
#include "controls/picture_file.h"
#include "core/runtime_failure.h"
#include "test_window.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

#include <memory>
#include <set>

class PictureSharingTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own; the one that
    // tries a shared picture alone leaves it be. Auto-next is off, so that a
    // right answer put in the box brings no next question and drawing.
    void init()
    {
        t_ = std::make_unique<TestWindow>();
        t_->load();
        t_->w().chkAuto->setChecked(false);
    }
    void cleanup() { t_.reset(); }

    void oneReadPerDrawing_data();
    void oneReadPerDrawing();
    void changedFileShowsAtNextDrawing_data();
    void changedFileShowsAtNextDrawing();
    void noSlotNeedsThePicture();
    void sharedPictureReadsLazilyOnce();

private:
    std::unique_ptr<TestWindow> t_;
};

namespace {

using Keys = std::set<qint64>;

template <class Row>
void collect(const Row &row, int from, int to, Keys &keys)
{
    for (int i = from; i < to; ++i) {
        QVERIFY2(row[i]->hasPicture(), qPrintable(QStringLiteral("slot %1 is empty").arg(i)));
        keys.insert(row[i]->pixmap().cacheKey());
    }
}

QByteArray jpeg(QColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

bool isBlack(const ImageBox *slot)
{
    const QColor c = slot->pixmap().toImage().pixelColor(4, 4);
    return c.red() + c.green() + c.blue() < 40;
}

// Which drawing a row exercises.
enum class Drawing { Question, KindChange, RevealSum, RevealDifference };

} // namespace

void PictureSharingTest::oneReadPerDrawing_data()
{
    QTest::addColumn<Drawing>("drawing");
    QTest::newRow("new question, 20 + 20") << Drawing::Question;
    QTest::newRow("change of kind with a full result row") << Drawing::KindChange;
    QTest::newRow("answer of 20 + 20") << Drawing::RevealSum;
    QTest::newRow("answer of 9 - 4: blanks and hints") << Drawing::RevealDifference;
}

void PictureSharingTest::oneReadPerDrawing()
{
    QFETCH(Drawing, drawing);
    TestWindow &t = *t_;
    Window &w = t.w();
    const bool difference = drawing == Drawing::RevealDifference;
    if (difference)
        t.ask(9, 4, Operation::Subtraction, 0.5);
    else
        t.ask(20, 20, Operation::Addition, 0.5);

    Keys question;
    collect(w.img1, 0, difference ? 9 : 20, question);
    collect(w.img2, 0, difference ? 4 : 20, question);
    QCOMPARE(question.size(), std::size_t(1));

    Keys drawn;
    switch (drawing) {
    case Drawing::Question:
        t.question(20, 20, 0.5); // the same file again
        w.cmdTest->click();
        collect(w.img1, 0, 20, drawn);
        collect(w.img2, 0, 20, drawn);
        break;
    case Drawing::KindChange:
        w.txtAnswer->setText(QStringLiteral("40"));
        t.random.script({0.5});
        t.pick(w.cboPic, HintKind::Set2);
        collect(w.img1, 0, 20, drawn);
        collect(w.img2, 0, 20, drawn);
        collect(w.img3, 0, 40, drawn);
        break;
    case Drawing::RevealSum:
        w.cmdAnswer->click();
        collect(w.img3, 0, 40, drawn);
        break;
    case Drawing::RevealDifference: {
        w.cmdAnswer->click();
        Keys blanks;
        collect(w.img3, 0, 4, blanks);
        QCOMPARE(blanks.size(), std::size_t(1));
        QCOMPARE(w.img3[0]->picturePath(), t.folder.file("img/white.jpg"));
        collect(w.img3, 4, 9, drawn);
        QVERIFY(*blanks.begin() != *drawn.begin());
        break;
    }
    }
    QCOMPARE(drawn.size(), std::size_t(1));
    // A drawing of its own reads the file again, even the same file.
    QVERIFY(*drawn.begin() != *question.begin());
}

void PictureSharingTest::changedFileShowsAtNextDrawing_data()
{
    QTest::addColumn<Drawing>("drawing");
    QTest::newRow("next question") << Drawing::Question;
    QTest::newRow("change of kind") << Drawing::KindChange;
    QTest::newRow("answer") << Drawing::RevealSum;
}

void PictureSharingTest::changedFileShowsAtNextDrawing()
{
    QFETCH(Drawing, drawing);
    TestWindow &t = *t_;
    Window &w = t.w();
    if (drawing == Drawing::KindChange) {
        t.ask(3, 3); // picture 0
        w.txtAnswer->setText(QStringLiteral("6"));
        t.random.script({0.25});
        t.pick(w.cboPic, HintKind::Set1); // the file the repeat below reads too
    } else {
        t.ask(3, 3, Operation::Addition, 0.25);
    }
    const QString file = w.lblpic->text();
    QVERIFY(!isBlack(w.img1[0]));

    t.folder.write(file.mid(t.folder.path().size() + 1), jpeg(Qt::black));
    // What is on display was read before the change and stays.
    QVERIFY(!isBlack(w.img1[0]));

    ImageBox *redrawn = w.img1[0];
    switch (drawing) {
    case Drawing::Question:
        t.question(3, 3, 0.25);
        w.cmdTest->click();
        break;
    case Drawing::KindChange:
        t.random.script({0.25});
        t.pick(w.cboPic, HintKind::Set1);
        QVERIFY(isBlack(w.img3[5]));
        break;
    default:
        w.cmdAnswer->click();
        redrawn = w.img3[0];
        QVERIFY(!isBlack(w.img1[0]));
        break;
    }
    QCOMPARE(w.lblpic->text(), file);
    QCOMPARE(redrawn->picturePath(), file);
    QVERIFY(isBlack(redrawn));
    QVERIFY(t.messages.shown.isEmpty());
}

void PictureSharingTest::noSlotNeedsThePicture()
{
    // 0 + 0 fills no slot, so a missing file is never read and nothing fails;
    // the drawing still names its file.
    TestWindow &t = *t_;
    Window &w = t.w();
    QVERIFY(t.folder.remove("img/1/0.jpg"));
    t.ask(0, 0); // picture 0
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 0));
    w.cmdAnswer->click();
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("0"));
    QCOMPARE(TestWindow::filled(w.img3), 0);

    // One slot does need it: the failure comes with the first number's slot.
    t.ask(1, 0);
    EXPECT_ERROR_TRAP(t.messages);
    QCOMPARE(TestWindow::filled(w.img1), 0);
}

void PictureSharingTest::sharedPictureReadsLazilyOnce()
{
    PictureFolder folder;
    const QString file = folder.hint(2, 7);

    // Made while the file is missing: nothing is read until a slot asks.
    QVERIFY(folder.remove("img/2/7.jpg"));
    SharedPicture late(file);
    QVERIFY_THROWS_EXCEPTION(RuntimeFailure, late.get());
    folder.write("img/2/7.jpg", jpeg(Qt::black));

    SharedPicture picture(file);
    const qint64 first = picture.get().cacheKey();
    folder.write("img/2/7.jpg", "not a picture");
    // Read once: the slots after the first get the same pixmap, whatever
    // happened to the file meanwhile.
    QCOMPARE(picture.get().cacheKey(), first);
    QCOMPARE(picture.path(), file);

    SharedPicture none{QString()};
    QVERIFY(none.get().isNull());
}

QTEST_MAIN(PictureSharingTest)
#include "test_picture_sharing.moc"
