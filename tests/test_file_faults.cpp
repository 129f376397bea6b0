// A picture folder copied half-way to a USB stick: every picture the window
// reads, spoilt in every way a file can be spoilt, under every handler that
// reads it; the folder itself missing or oddly named.
#include "resident_memory.h"
#include "test_window.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

// Windows has no named pipes among its files; there the pipe case is left out.
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum class Fault { Missing, Empty, Truncated, Text, Directory, Pipe, Huge };

// A JPEG whose picture data has some detail, so that its headers and its
// data are of some size.
QByteArray jpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 37 % 256, y * 91 % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// A small JPEG that claims in its frame header to be 20000 x 20000 pixels:
// decoding it as it says would take 1.6 GB.
QByteArray hugeJpegBytes()
{
    QByteArray bytes = jpegBytes(16, 16);
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    Q_ASSERT(frame > 0);
    // Marker, length (2), precision (1), then height and width, big-endian.
    for (const qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(20000 >> 8);
        bytes[at + 1] = char(20000 & 0xFF);
    }
    return bytes;
}

QByteArray pngBytes()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void spoil(const PictureFolder &folder, const QString &relative, Fault fault)
{
    const QString path = folder.file(relative);
    QFile::remove(path);
    switch (fault) {
    case Fault::Missing: break;
    case Fault::Empty: folder.write(relative, QByteArray()); break;
    case Fault::Truncated: {
        // Cut inside the tables, before the picture data starts.
        const QByteArray whole = jpegBytes(8, 8);
        folder.write(relative, whole.left(whole.indexOf("\xFF\xDA") / 2));
        break;
    }
    case Fault::Text: folder.write(relative, "这不是图片 not a picture\n"); break;
    case Fault::Directory: QDir().mkpath(path); break;
    case Fault::Pipe:
#ifdef Q_OS_UNIX
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
#endif
        break;
    case Fault::Huge: folder.write(relative, hugeJpegBytes()); break;
    }
}

void addFaultRows()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("missing") << Fault::Missing;
    QTest::newRow("zero bytes") << Fault::Empty;
    QTest::newRow("truncated JPEG") << Fault::Truncated;
    QTest::newRow("text named .jpg") << Fault::Text;
    QTest::newRow("directory") << Fault::Directory;
#ifdef Q_OS_UNIX
    QTest::newRow("named pipe") << Fault::Pipe;
#endif
    QTest::newRow("20000 x 20000 JPEG") << Fault::Huge;
}

#ifdef Q_OS_UNIX
// Should a handler ever open a named pipe in a picture's place, it would wait
// for a writer for ever; this writer comes after a while, so the test fails
// on its time limit instead of hanging until CTest kills it.
class PipeWriter {
public:
    explicit PipeWriter(const QString &path) : path_(QFile::encodeName(path))
    {
        thread_ = std::thread([this] {
            for (int i = 0; i < 40 && !stop_; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (stop_)
                return;
            const int fd = ::open(path_.constData(), O_WRONLY);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~PipeWriter()
    {
        stop_ = true;
        // Releases a writer still waiting for a reader.
        const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
        thread_.join();
        if (fd >= 0)
            ::close(fd);
    }

private:
    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
#endif

// Runs one handler with the fault in place: it must come back at once and
// must not grow the process by the size of the picture it claims to be.
// Returns what went wrong, or an empty text.
template <class Handler>
QString underFault(const PictureFolder &folder, const QString &relative, Fault fault,
                Handler &&handler)
{
    spoil(folder, relative, fault);
#ifdef Q_OS_UNIX
    std::unique_ptr<PipeWriter> writer;
    if (fault == Fault::Pipe)
        writer = std::make_unique<PipeWriter>(folder.file(relative));
#endif
    const qint64 before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    handler();
    const qint64 took = timer.elapsed();
    const qint64 grew = residentKiB() - before;
    if (took >= 1500)
        return QStringLiteral("the handler took %1 ms").arg(took);
    if (grew >= 64 * 1024)
        return QStringLiteral("the process grew by %1 KiB").arg(grew);
    return {};
}

#define UNDER_FAULT(relative, fault, ...)                                                   \
    do {                                                                                   \
        const QString problem = underFault(t.folder, relative, fault, __VA_ARGS__);         \
        QVERIFY2(problem.isEmpty(), qPrintable(problem));                                  \
    } while (false)

} // namespace

Q_DECLARE_METATYPE(Fault)

class FileFaultsTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own; those that
    // spoil the folder before start-up, or need another folder, make their own.
    void init() { t_ = std::make_unique<TestWindow>(); t_->load(); }
    void cleanup() { t_.reset(); }

    void hintPictureOnQuestion_data() { addFaultRows(); }
    void hintPictureOnQuestion();
    void hintPictureOnKindChange_data() { addFaultRows(); }
    void hintPictureOnKindChange();
    void hintPictureOnReveal_data() { addFaultRows(); }
    void hintPictureOnReveal();
    void hintPictureEnlarged_data() { addFaultRows(); }
    void hintPictureEnlarged();
    void rightPicture_data() { addFaultRows(); }
    void rightPicture();
    void wrongPicture_data() { addFaultRows(); }
    void wrongPicture();
    void blankPicture_data() { addFaultRows(); }
    void blankPicture();
    void blankPictureNotNeededForNothingCountedAway();
    void readableButUnusualFiles_data();
    void readableButUnusualFiles();
    void hugePictureIsRefusedBeforeDecoding();
    void wholePictureFolderMissing();
    void helpPageMissing();
    void unusualApplicationFolders_data();
    void unusualApplicationFolders();

private:
    std::unique_ptr<TestWindow> t_;
};

void FileFaultsTest::hintPictureOnQuestion()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    // 4 + 3 with picture 0, revealed: every row holds something.
    t.ask(4, 3);
    w.cmdAnswer->click();
    const QString previous = w.lblpic->text();
    QCOMPARE(TestWindow::filled(w.img3), 7);

    t.prepareFiveAndTwoWithPicture66();
    UNDER_FAULT("img/1/66.jpg", fault, [&] { w.cmdTest->click(); });

    // The new numbers and the placeholder stand; the drawing stopped at
    // img1(0), so the rest of the last question's drawing stays.
    EXPECT_STOPPED_AT_FIRST_HINT(t, 7, previous);

    // The next question with a sound picture is whole again.
    t.question(5, 2, 0.5);
    w.cmdTest->click();
    EXPECT_ERROR_TRAP(t.messages); // still only the one
    QCOMPARE(TestWindow::filled(w.img1), 5);
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 33));
}

void FileFaultsTest::hintPictureOnKindChange()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 2, Operation::Addition, 0.3);
    const QString drawn = w.lblpic->text();

    t.random.script({0.5}); // picture 21 of set 2
    UNDER_FAULT("img/2/21.jpg", fault, [&] { t.pick(w.cboPic, HintKind::Set2); });

    QVERIFY(t.messages.shown.isEmpty());
    QVERIFY(!w.fraPic->isHidden());
    QCOMPARE(TestWindow::filled(w.img1), 0);
    QCOMPARE(TestWindow::filled(w.img2), 2);
    QCOMPARE(w.img2[0]->picturePath(), drawn);
    QCOMPARE(w.lblpic->text(), drawn);
}

void FileFaultsTest::hintPictureOnReveal()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5, Operation::Addition, 0.3);
    const QString hint = w.lblpic->text().mid(t.folder.path().size() + 1);

    UNDER_FAULT(hint, fault, [&] { w.cmdAnswer->click(); });

    EXPECT_NO_NUMBER(t.messages);
    QCOMPARE(w.txtAnswer->text(), QString());
    // The result was checked before the row failed.
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    QCOMPARE(TestWindow::filled(w.img3), 0);
    QVERIFY(!w.chkAuto->isChecked());
}

void FileFaultsTest::hintPictureEnlarged()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(3, 2);
    const QString hint = w.lblpic->text().mid(t.folder.path().size() + 1);

    UNDER_FAULT(hint, fault, [&] { QTest::mousePress(w.img1[0], Qt::LeftButton); });
    QVERIFY(w.Pic1->isHidden());
    QVERIFY(!w.Pic1->hasPicture());
    QTest::mouseRelease(w.img1[0], Qt::LeftButton);
    QVERIFY(w.Pic1->isHidden());
    QVERIFY(t.messages.shown.isEmpty());
}

void FileFaultsTest::rightPicture()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    QVERIFY(w.chkAuto->isChecked());
    w.txtAnswer->setText(QStringLiteral("3"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    const int reseeds = t.random.reseeds;

    // A right answer: the failure ends the check before the next question.
    UNDER_FAULT("img/ok.jpg", fault, [&] { w.txtAnswer->setText(QStringLiteral("12")); });
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("12"));
    QCOMPARE(w.txtTest1->text(), QStringLiteral("7"));
    QCOMPARE(t.random.reseeds, reseeds);

    // The reveal goes on past the silent check and fills the result row.
    w.txtAnswer->clear();
    w.cmdAnswer->click();
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("12"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    QCOMPARE(TestWindow::filled(w.img3), 12);
}

void FileFaultsTest::wrongPicture()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("12"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));

    UNDER_FAULT("img/err.jpg", fault, [&] { w.txtAnswer->setText(QStringLiteral("3")); });
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    w.txtAnswer->setText(QStringLiteral("x"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    QVERIFY(t.messages.shown.isEmpty());
    // A verdict that needs no picture file still shows.
    w.txtAnswer->setText(QStringLiteral("1"));
    QVERIFY(!w.ImgOk->hasPicture());
}

void FileFaultsTest::blankPicture()
{
    QFETCH(Fault, fault);
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(9, 4, Operation::Subtraction);
    QSignalSpy answers(w.txtAnswer, &QLineEdit::textChanged);

    UNDER_FAULT("img/white.jpg", fault, [&] { w.cmdAnswer->click(); });

    // The result was shown and found right, then the row failed at its first
    // blank slot: only the no-number message, never the explanation.
    EXPECT_NO_NUMBER(t.messages);
    QCOMPARE(answers.size(), 2);
    QCOMPARE(answers[0][0].toString(), QStringLiteral("5"));
    QCOMPARE(answers[1][0].toString(), QString());
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    QCOMPARE(TestWindow::filled(w.img3), 0);
}

void FileFaultsTest::blankPictureNotNeededForNothingCountedAway()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(6, 0, Operation::Subtraction);
    QVERIFY(t.folder.remove("img/white.jpg"));
    w.cmdAnswer->click();
    EXPECT_EXPLANATION(t.messages, 0);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("6"));
    QCOMPARE(TestWindow::filled(w.img3), 6);
}

// Files that are not what their names say but can be read all the same: the
// picture reader goes by the content, so a PNG named .jpg is a picture, and a
// JPEG whose picture data was cut short shows what was read, the rest grey.
void FileFaultsTest::readableButUnusualFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("PNG named .jpg") << pngBytes();
    const QByteArray whole = jpegBytes(8, 8);
    QTest::newRow("JPEG cut inside its picture data")
        << whole.left(whole.indexOf("\xFF\xDA") + 20);
}

void FileFaultsTest::readableButUnusualFiles()
{
    QFETCH(QByteArray, bytes);
    TestWindow &t = *t_;
    Window &w = t.w();
    for (const char *name : {"img/ok.jpg", "img/err.jpg", "img/white.jpg", "img/1/33.jpg"})
        t.folder.write(QLatin1String(name), bytes);
    t.ask(9, 4, Operation::Subtraction, 0.5);
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 33));
    QCOMPARE(TestWindow::filled(w.img1), 9);
    QVERIFY(!w.img1[0]->pixmap().isNull());
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("7"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    QVERIFY(!w.ImgOk->pixmap().isNull());
    w.cmdAnswer->click();
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    QCOMPARE(TestWindow::filled(w.img3), 9);
    QCOMPARE(w.img3[0]->picturePath(), t.folder.file("img/white.jpg"));
    EXPECT_EXPLANATION(t.messages, 4);
}

// The refusal comes from the size in the header, not from the cut data: the
// same header with a small size is read.
void FileFaultsTest::hugePictureIsRefusedBeforeDecoding()
{
    const QByteArray huge = hugeJpegBytes();
    QImageReader reader;
    QBuffer buffer;
    buffer.setData(huge);
    reader.setDevice(&buffer);
    QCOMPARE(reader.size(), QSize(20000, 20000));

    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(2, 2);
    t.folder.write("img/ok.jpg", huge);
    const qint64 before = residentKiB();
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("4"));
    QVERIFY(!w.ImgOk->hasPicture());
    QVERIFY(residentKiB() - before < 64 * 1024);

    QByteArray small = huge;
    const qsizetype frame = small.indexOf("\xFF\xC0");
    for (const qsizetype at : {frame + 5, frame + 7}) {
        small[at] = 0;
        small[at + 1] = 16;
    }
    t.folder.write("img/ok.jpg", small);
    w.txtAnswer->setText(QStringLiteral("04"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
}

void FileFaultsTest::wholePictureFolderMissing()
{
    TestWindow t;
    Window &w = t.w();
    QVERIFY(QDir(t.folder.file("img")).removeRecursively());
    t.load();
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.cboPic->currentIndex(), 1);

    // With hints on, every question stops at its first picture.
    t.ask(3, 2);
    EXPECT_ERROR_TRAP(t.messages);
    QCOMPARE(w.txtTest1->text(), QStringLiteral("3"));
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    QVERIFY(w.lblpic->text().isEmpty());

    // The checks say nothing and show nothing.
    w.chkAuto->setChecked(false);
    for (const char *typed : {"4", "5", "x"}) {
        w.txtAnswer->setText(QLatin1String(typed));
        QVERIFY(!w.ImgOk->hasPicture());
    }
    EXPECT_ERROR_TRAP(t.messages);

    // Nothing was drawn, so the reveal has no picture to show and no file to
    // fail on for an addition; a subtraction needs the blank picture.
    w.txtAnswer->clear();
    w.cmdAnswer->click();
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("5"));
    QCOMPARE(TestWindow::filled(w.img3), 0);
    EXPECT_ERROR_TRAP(t.messages);
    t.ask(3, 2, Operation::Subtraction);
    w.cmdAnswer->click();
    QCOMPARE(t.messages.shown.last().text, noNumberText);
    QCOMPARE(w.txtAnswer->text(), QString());

    // Without hints the drill works, only without pictures.
    t.pick(w.cboPic, HintKind::None);
    const qsizetype said = t.messages.shown.size();
    t.ask(6, 1);
    QCOMPARE(w.txtTest1->text(), QStringLiteral("6"));
    QCOMPARE(t.messages.shown.size(), said);
    t.pick(w.cboPic, HintKind::Set3);
    QCOMPARE(t.messages.shown.size(), said);
    QTest::mousePress(w.img1[0], Qt::LeftButton);
    QVERIFY(w.Pic1->isHidden());
    t.form->webAction("sb")->trigger();
    QCOMPARE(t.pages.opened.size(), 1);
}

void FileFaultsTest::helpPageMissing()
{
    TestWindow t;
    QVERIFY(t.folder.remove("help.htm"));
    t.load();
    t.form->help->trigger();
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(t.pages.opened.size(), 1);
    QCOMPARE(t.pages.opened[0].toLocalFile(), t.folder.file("help.htm"));
}

void FileFaultsTest::unusualApplicationFolders_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<bool>("trailingSeparator");
    QTest::newRow("blanks") << QStringLiteral("my drill  folder ") << false;
    QTest::newRow("Chinese characters") << QStringLiteral("乐乐 儿童加减法") << false;
    QTest::newRow("trailing separator") << QStringLiteral("drill") << true;

    // Nested folders reaching 3,000 characters, each name at most 255 bytes,
    // one of them Chinese (3 bytes a character).
    const QTemporaryDir probe;
    const qsizetype base = probe.path().size() + 1;
    QString nested = QString(60, QChar(u'题')) + u'/';
    while (base + nested.size() + 201 <= 3000)
        nested += QString(200, QChar(char16_t(u'a' + nested.size() % 26))) + u'/';
    nested += QString(3000 - base - nested.size(), QChar(u'z'));
    QTest::newRow("3000 characters") << nested << false;
}

void FileFaultsTest::unusualApplicationFolders()
{
    QFETCH(QString, subfolder);
    QFETCH(bool, trailingSeparator);
    TestWindow t(subfolder, trailingSeparator);
    Window &w = t.w();
    if (subfolder.size() > 255)
        QVERIFY2(t.folder.path().size() >= 3000, qPrintable(QString::number(t.folder.path().size())));
    QVERIFY(QFileInfo(t.folder.hint(3, 66)).isFile());
    t.load();

    t.ask(9, 4, Operation::Subtraction, 0.5);
    QCOMPARE(w.lblpic->text(), t.folder.hint(1, 33));
    QVERIFY(!w.img1[8]->pixmap().isNull());
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("6"));
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    QVERIFY(!w.ImgOk->pixmap().isNull());
    w.cmdAnswer->click();
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/ok.jpg"));
    QCOMPARE(w.img3[0]->picturePath(), t.folder.file("img/white.jpg"));
    QVERIFY(!w.img3[0]->pixmap().isNull());
    QCOMPARE(TestWindow::filled(w.img3), 9);
    EXPECT_EXPLANATION(t.messages, 4);

    t.random.script({0.0});
    t.pick(w.cboPic, HintKind::Set3);
    QCOMPARE(w.lblpic->text(), t.folder.hint(3, 1));
    QTest::mousePress(w.img2[0], Qt::LeftButton);
    QVERIFY(!w.Pic1->isHidden());
    QVERIFY(!w.Pic1->pixmap().isNull());
    QTest::mouseRelease(w.img2[0], Qt::LeftButton);

    t.form->help->trigger();
    QCOMPARE(t.pages.opened.size(), 1);
    QCOMPARE(t.pages.opened[0].toLocalFile(), t.folder.file("help.htm"));
    QVERIFY(QFileInfo(t.pages.opened[0].toLocalFile()).isFile());
    QVERIFY(!t.pages.opened[0].toString(QUrl::FullyEncoded).contains(u' '));
}

QTEST_MAIN(FileFaultsTest)
#include "test_file_faults.moc"
