// Start-up with its work done ahead on other threads, as main() does it:
// fontconfig started before the application, the font database and the
// window's pictures while the window is made. The window must come out the
// same as one made with nothing ahead, with no wait that never ends.
#include "app/backdrop.h"
#include "app/faces.h"
#include "app/pictures.h"
#include "test_window.h"

#include <QApplication>
#include <QFontInfo>
#include <QtTest>

#include <future>

class StartAheadTest : public QObject {
    Q_OBJECT
public:
    explicit StartAheadTest(std::future<void> database) : database_(std::move(database)) {}

private slots:
    void windowMadeWhileTheFontsLoad();
    void backgroundDecodedAheadIsTheSamePicture();
    void iconDecodedAheadIsTheSameIcon();

private:
    std::future<void> database_;
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

} // namespace

void StartAheadTest::windowMadeWhileTheFontsLoad()
{
    // Made at once, while the database may still be filling on its thread.
    TestWindow t;
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    QVERIFY(database_.valid());
    QCOMPARE(database_.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    // The window took its pictures from the threads; the next one decodes its own.
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
    pictures::decodeAhead();
    Backdrop ahead(nullptr);
    Backdrop itself(nullptr);
    const QImage fromThread = painted(ahead);
    QCOMPARE(fromThread, painted(itself));
    // Really the picture, at its natural size from the corner.
    const QImage picture =
        QImage(QStringLiteral(":/kidsum/background.jpg")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(fromThread.copy(0, 0, 850, 531), picture);
}

void StartAheadTest::iconDecodedAheadIsTheSameIcon()
{
    pictures::decodeAhead();
    const QIcon ahead = pictures::windowIcon();
    const QIcon itself = pictures::windowIcon();
    QCOMPARE(ahead.availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    QCOMPARE(iconPictures(ahead), iconPictures(itself));
    // The files' own pixels.
    QCOMPARE(ahead.pixmap(QSize(48, 48)).toImage().convertToFormat(QImage::Format_ARGB32),
             QImage(QStringLiteral(":/kidsum/icon-48.png")).convertToFormat(QImage::Format_ARGB32));
}

int main(int argc, char *argv[])
{
    std::future<void> fontconfig = faces::startFontconfigAhead();
    QApplication app(argc, argv);
    if (fontconfig.valid())
        fontconfig.wait();
    std::future<void> database = faces::fillDatabaseAhead();
    pictures::decodeAhead();
    StartAheadTest test(std::move(database));
    return QTest::qExec(&test, argc, argv);
}

#include "test_start_ahead.moc"
