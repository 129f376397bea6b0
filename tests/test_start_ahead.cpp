// Start-up with its work done ahead on another thread, as main() does it:
// fontconfig started before the application, the font database and the
// window's pictures while the window is made. The window must come out the
// same as one made with nothing ahead, and no wait may be left unended.
#include "app/backdrop.h"
#include "app/faces.h"
#include "app/pictures.h"
#include "app/start_ahead.h"
#include "test_window.h"

#include <QApplication>
#include <QFontInfo>
#include <QtTest>

#include <future>

class StartAheadTest : public QObject {
    Q_OBJECT

private slots:
    void windowMadeWhileTheWorkGoesOn();
    void backgroundDecodedAheadIsTheSamePicture();
    void iconDecodedAheadIsTheSameIcon();
    void endsWithoutTheApplication();
#ifdef KIDSUM_OWN_FACES_DIR
    void ownFacesTakenAtStartUp();
#endif
};

namespace {

QList<QImage> iconPictures(const QIcon &icon)
{
    QList<QImage> pictures;
    for (const QSize &size : icon.availableSizes())
        pictures.append(icon.pixmap(size).toImage());
    return pictures;
}

QImage painted(QWidget &widget)
{
    widget.resize(900, 560);
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// On another thread, as the program does; on Windows, where the program
// keeps it on the main thread, when the window asks for it.
#ifdef Q_OS_WIN
constexpr auto ahead = std::launch::deferred;
#else
constexpr auto ahead = std::launch::async;
#endif

void decodeAhead()
{
    pictures::expect(std::async(ahead, pictures::iconSizes),
                     std::async(ahead, pictures::background));
}

} // namespace

void StartAheadTest::windowMadeWhileTheWorkGoesOn()
{
    // Made at once, while the thread may still be at its work.
    TestWindow t;
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    // It took its pictures from the thread; the next one decodes its own.
    // Shot while each is the active window.
    const QImage ahead = t.form->centralWidget()->grab().toImage();
    TestWindow other;
    other.load();
    other.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(other.form.get()));
    QCOMPARE(ahead, other.form->centralWidget()->grab().toImage());
    QCOMPARE(iconPictures(t.form->windowIcon()), iconPictures(other.form->windowIcon()));
    // The controls measured their texts with the faces the database found.
    const QString controls = QFontInfo(faces::dialog()).family();
    QVERIFY(!controls.isEmpty());
    QCOMPARE(QFontInfo(t.w().cmdTest->font()).family(), controls);
    QCOMPARE(QFontInfo(t.w().txtTest1->font()).family(), QFontInfo(faces::question()).family());
}

void StartAheadTest::backgroundDecodedAheadIsTheSamePicture()
{
    decodeAhead();
    Backdrop ahead(nullptr);
    Backdrop itself(nullptr);
    const QImage fromThread = painted(ahead);
    QCOMPARE(fromThread, painted(itself));
    // Really the picture, at its natural size from the corner.
    QCOMPARE(fromThread.copy(0, 0, 850, 531),
             pictures::background().convertToFormat(QImage::Format_RGB32));
}

void StartAheadTest::iconDecodedAheadIsTheSameIcon()
{
    decodeAhead();
    const QIcon ahead = pictures::windowIcon();
    const QIcon itself = pictures::windowIcon();
    QCOMPARE(ahead.availableSizes(),
             QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    QCOMPARE(iconPictures(ahead), iconPictures(itself));
    // The files' own pixels.
    QCOMPARE(ahead.pixmap(QSize(48, 48)).toImage().convertToFormat(QImage::Format_ARGB32),
             QImage(QStringLiteral(":/kidsum/icon-48.png")).convertToFormat(QImage::Format_ARGB32));
}

void StartAheadTest::endsWithoutTheApplication()
{
    // A start that fails before the application is made still ends: the
    // thread is let go, not waited for for ever.
    { StartAhead unused; }
    StartAhead finished;
    finished.finish();
    finished.finish();
}

#ifdef KIDSUM_OWN_FACES_DIR
void StartAheadTest::ownFacesTakenAtStartUp()
{
    QVERIFY2(!QStringLiteral(KIDSUM_OWN_FACES_DIR).isEmpty(), "the build made no own faces");
    // Added to fontconfig ahead, so Qt's database holds them and the
    // window's faces resolve to them.
    QCOMPARE(QFontInfo(faces::dialog()).family(), QLatin1String(faces::ownSansFamily));
    QCOMPARE(QFontInfo(faces::question()).family(), QLatin1String(faces::ownSerifFamily));
}
#endif

int main(int argc, char *argv[])
{
#ifdef KIDSUM_OWN_FACES_DIR
    // The build's own faces, which the program finds beside itself.
    StartAhead ahead(QStringLiteral(KIDSUM_OWN_FACES_DIR));
#else
    StartAhead ahead;
#endif
    QApplication app(argc, argv);
    ahead.applicationMade();
    StartAheadTest test;
    const int failures = QTest::qExec(&test, argc, argv);
    ahead.finish();
    return failures;
}

#include "test_start_ahead.moc"
