// Start-up with its work done ahead on other threads, as main() does it:
// fontconfig started before the application, the font database and the
// background picture while the window is made. The window must come out the
// same as one made with nothing ahead, with no wait that never ends.
#include "app/backdrop.h"
#include "app/faces.h"
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

private:
    std::future<void> database_;
};

namespace {

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
    // The window took its picture from the thread; the next one decodes its own.
    const QImage ahead = t.form->centralWidget()->grab().toImage();
    TestWindow other;
    other.load();
    other.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(other.form.get()));
    QCOMPARE(ahead, other.form->centralWidget()->grab().toImage());
    // The controls measured their texts with the faces the database found.
    const QString controls = QFontInfo(faces::dialog()).family();
    QVERIFY(!controls.isEmpty());
    QCOMPARE(QFontInfo(t.w().cmdTest->font()).family(), controls);
    QCOMPARE(QFontInfo(t.w().txtTest1->font()).family(), QFontInfo(faces::question()).family());
}

void StartAheadTest::backgroundDecodedAheadIsTheSamePicture()
{
    Backdrop::decodeAhead();
    Backdrop ahead(nullptr);
    Backdrop itself(nullptr);
    const QImage fromThread = painted(ahead);
    QCOMPARE(fromThread, painted(itself));
    // Really the picture, at its natural size from the corner.
    const QImage picture =
        QImage(QStringLiteral(":/kidsum/background.jpg")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(fromThread.copy(0, 0, 850, 531), picture);
}

int main(int argc, char *argv[])
{
    std::future<void> fontconfig = faces::startFontconfigAhead();
    QApplication app(argc, argv);
    if (fontconfig.valid())
        fontconfig.wait();
    std::future<void> database = faces::fillDatabaseAhead();
    Backdrop::decodeAhead();
    StartAheadTest test(std::move(database));
    return QTest::qExec(&test, argc, argv);
}

#include "test_start_ahead.moc"
