// Memory stays flat over a long session: 10,000 questions with hints, each
// answered through "答案", on a shown window with the real 161 x 161 pictures.
// Two bounds on the resident set after all of them: at most 2 MiB above the
// one after the first 100, which pictures kept across drawings (about 100 KiB
// each) soon pass, and at most 1 MiB (131 bytes a question) above the one
// after the first 2,000, which anything kept per question (a widget or
// connection never freed) passes. Until about question 2,000 the heap grows
// to its working size (by about 1 MiB), which depends on what start-up left
// free, not on the questions.
#include "resident_memory.h"
#include "test_window.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <vector>

class MemoryTest : public QObject {
    Q_OBJECT
private slots:
    void flatOverTenThousandQuestions();
};

namespace {

// r values spread over [0, 1) in a scrambled order, the fractional parts of
// multiples of the golden ratio, replayed over and over: every run makes the
// same questions, with every number from 0 to 20 and nearly every picture.
// The first is 0, so a subtraction that draws its second number again ends.
std::vector<double> spreadValues()
{
    std::vector<double> rs;
    for (int i = 0; i < 97; ++i)
        rs.push_back(std::fmod(i * 0.6180339887498949, 1.0));
    return rs;
}

} // namespace

void MemoryTest::flatOverTenThousandQuestions()
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's allocator holds freed memory back and keeps a record of
    // every allocating call stack: resident memory grows whatever the program does.
    QSKIP("resident memory is not the program's under the address sanitizer");
#endif
    RecordingMessages messages;
    ScriptedRandom random;
    random.scriptCycling(spreadValues());
    RecordingPages pages;
    Form1 form({messages, random, pages, QStringLiteral(KIDSUM_ASSET_DIR)});
    Window &w = form.window();
    Form_Load(w);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(QFile::exists(QStringLiteral(KIDSUM_ASSET_DIR "/img/3/66.jpg")));

    constexpr int batch = 100;
    constexpr int warmUp = 2000;
    constexpr int questions = 10000;
    long long afterFirstBatch = 0;
    long long afterWarmUp = 0;
    for (int q = 0; q < questions; ++q) {
        // Both operations and all three picture sets, numbers 0 to 20.
        w.setListIndex(w.cboCode, q % 2);
        w.setListIndex(w.cboPic, 1 + (q / 2) % 3);
        w.cmdTest->click();
        const int a = w.txtTest1->text().toInt();
        const int b = w.txtTest2->text().toInt();
        w.cmdAnswer->click();
        const int expected = q % 2 ? a - b : a + b;
        if (w.txtAnswer->text() != QString::number(expected) || TestWindow::filled(w.img3) != (q % 2 ? a : expected)
            || !w.ImgOk->hasPicture())
            QFAIL(qPrintable(QStringLiteral("question %1 (%2, %3) was not answered").arg(q).arg(a).arg(b)));

        if ((q + 1) % batch == 0) {
            // Deferred deletes and paints run as the event loop would run them.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            messages.shown.clear();
            if (q + 1 == batch)
                afterFirstBatch = residentKiB();
            if (q + 1 == warmUp)
                afterWarmUp = residentKiB();
        }
    }
    const long long afterAll = residentKiB();
    QVERIFY(afterFirstBatch > 0 && afterWarmUp > 0);
    qInfo("resident after %d questions: %lld KiB, after %d: %lld KiB, after %d: %lld KiB "
          "(%+lld KiB)", batch, afterFirstBatch, warmUp, afterWarmUp, questions, afterAll,
          afterAll - afterWarmUp);
    QVERIFY2(afterAll - afterFirstBatch <= 2048,
             qPrintable(QStringLiteral("grew by %1 KiB").arg(afterAll - afterFirstBatch)));
    QVERIFY2(afterAll - afterWarmUp <= 1024,
             qPrintable(QStringLiteral("grew by %1 KiB after the heap's working size")
                            .arg(afterAll - afterWarmUp)));
}

QTEST_MAIN(MemoryTest)
#include "test_memory.moc"
