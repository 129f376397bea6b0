// How long each handler takes on the real window with the real 161 x 161
// pictures: every call is timed on its own with a steady clock (manual time,
// one iteration per repetition), so the median and the 99th percentile are
// those of single calls. The window is shown; the events a call leaves behind
// (paints among them) are processed after the clock has stopped, so drawing
// on screen is not part of a handler's time. Beside the wall time of each
// call the processor time of the thread is kept (counter cpu_us).
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise. --calls=N sets the
// number of timed calls per case (default 1000); every other argument goes
// to Google Benchmark.
#include "app/faces.h"
#include "app/form1.h"
#include "app/start_up.h"
#include "controls/image_box.h"
#include "controls/real_services.h"
#include "feedback/picture_paths.h"
#include "percentile.h"
#include "support/fakes.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Positions of the range lists: 0 is "不限定", 1 + n the single number n.
int single(int n) { return n + 1; }
constexpr int plus = 0;
constexpr int minus = 1;
constexpr int warmUpCalls = 20;

struct Bench {
    RecordingMessages messages;
    ClockRandom random;
    RecordingPages pages;
    std::unique_ptr<Form1> form;

    Window &w() { return form->window(); }

    // A question with fixed numbers, the hint kind (0: none) and the box
    // "答对后自动换题" as given. The question is drawn once here.
    void question(int first, int second, int operation, int hintKind, bool autoNext)
    {
        w().chkAuto->setChecked(autoNext);
        // Ranges are set under addition, where no pair of them conflicts; a
        // conflict under subtraction would reset the first range.
        w().setListIndex(w().cboCode, plus);
        w().setListIndex(w().cbo1st, single(first));
        w().setListIndex(w().cbo2nd, single(second));
        w().setListIndex(w().cboCode, operation);
        w().setListIndex(w().cboPic, hintKind);
        w().cmdTest->click();
        settle();
        if (w().txtTest1->text() != QString::number(first)
            || w().txtTest2->text() != QString::number(second)) {
            std::fprintf(stderr, "could not set up the question %d, %d\n", first, second);
            std::exit(1);
        }
    }

    // Runs what a call posted (deferred deletes, paints) and forgets the
    // messages the fake recorded, so nothing piles up between calls.
    void settle()
    {
        QCoreApplication::processEvents();
        messages.shown.clear();
    }
};

Bench *ctx = nullptr;

// The processor time this thread has used. Unlike the wall time it leaves
// out the time other processes held the processor, which on a busy machine
// is most of a slow call's time.
double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// One case: set up once, prepare before each call (not timed), the timed
// call, and a check after it (not timed) that the call did what the case is
// named for; a failed check ends the program with an error.
struct Case {
    std::string name;
    std::function<void()> setUp;
    std::function<void()> prepare;
    std::function<void()> call;
    std::function<bool()> check;
};

void registerCase(int calls, Case c)
{
    auto warmed = std::make_shared<bool>(false);
    benchmark::RegisterBenchmark(c.name.c_str(),
                                 [c, warmed](benchmark::State &state) {
                                     if (!*warmed) {
                                         c.setUp();
                                         for (int i = 0; i < warmUpCalls; ++i) {
                                             c.prepare();
                                             c.call();
                                             ctx->settle();
                                         }
                                         *warmed = true;
                                     }
                                     for (auto _ : state) {
                                         c.prepare();
                                         const double cpuStart = threadCpuSeconds();
                                         const auto start = std::chrono::steady_clock::now();
                                         c.call();
                                         const auto end = std::chrono::steady_clock::now();
                                         const double cpuEnd = threadCpuSeconds();
                                         state.SetIterationTime(
                                             std::chrono::duration<double>(end - start).count());
                                         state.counters["cpu_us"] = (cpuEnd - cpuStart) * 1e6;
                                         if (!c.check()) {
                                             // A case that measures something else
                                             // than its name says is worthless.
                                             std::fprintf(stderr, "%s: the call did not do its work\n",
                                                          c.name.c_str());
                                             std::exit(1);
                                         }
                                         ctx->settle();
                                     }
                                 })
        ->Iterations(1)
        ->Repetitions(calls)
        ->ReportAggregatesOnly(true)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->ComputeStatistics("p99", [](const std::vector<double> &v) {
            return bench::percentile(v, 99.0);
        });
}

void keystroke(char key) { QTest::keyClick(ctx->w().txtAnswer, key); }

// The answer box holds text, with its check already run, before a keystroke.
void answerHolds(const char *text) { ctx->w().txtAnswer->setText(QString::fromLatin1(text)); }

template <class Row>
int filled(const Row &row)
{
    int n = 0;
    for (const ImageBox *slot : row)
        n += slot->hasPicture() ? 1 : 0;
    return n;
}

bool answerIs(const char *text) { return ctx->w().txtAnswer->text() == QLatin1String(text); }
bool verdictIs(const QString &picture) { return ctx->w().ImgOk->picturePath() == picture; }

void registerAll(int calls)
{
    Window &w = ctx->w();
    const QString ok = feedback::okPicture(w.appFolder());
    const QString err = feedback::errPicture(w.appFolder());
    const auto nothing = [] {};
    const auto press = [&w] { w.cmdTest->click(); };
    const auto answer = [&w] { w.cmdAnswer->click(); };
    const auto newQuestion = [&w] {
        w.cmdTest->click();
        ctx->settle();
    };

    // "出题" after an answer was typed: the box holds the last result.
    registerCase(calls, {"出题 20 + 20, 40 hint pictures",
                         [] { ctx->question(20, 20, plus, 1, false); }, [] { answerHolds("40"); },
                         press,
                         [&w] {
                             return answerIs("?") && filled(w.img1) == 20 && filled(w.img2) == 20
                                 && !w.lblpic->text().isEmpty();
                         }});
    registerCase(calls, {"出题 20 + 20, no hints", [] { ctx->question(20, 20, plus, 0, false); },
                         [] { answerHolds("40"); }, press,
                         [&w] { return answerIs("?") && w.lblpic->text().isEmpty(); }});

    // One key into the answer box, through the key event as the child types.
    registerCase(calls, {"keystroke: right (9 - 4, \"5\")",
                         [] { ctx->question(9, 4, minus, 1, false); }, [] { answerHolds(""); },
                         [] { keystroke('5'); }, [ok] { return answerIs("5") && verdictIs(ok); }});
    registerCase(calls, {"keystroke: right, next question made (9 - 4, \"5\")",
                         [] { ctx->question(9, 4, minus, 1, true); }, [] { answerHolds(""); },
                         [] { keystroke('5'); },
                         [&w] {
                             return answerIs("?") && verdictIs(QString()) && filled(w.img1) == 9;
                         }});
    registerCase(calls, {"keystroke: wrong (9 - 4, \"7\")",
                         [] { ctx->question(9, 4, minus, 1, false); }, [] { answerHolds(""); },
                         [] { keystroke('7'); }, [err] { return answerIs("7") && verdictIs(err); }});
    registerCase(calls, {"keystroke: partial (9 + 6, \"1\")",
                         [] { ctx->question(9, 6, plus, 1, false); }, [] { answerHolds(""); },
                         [] { keystroke('1'); },
                         [] { return answerIs("1") && verdictIs(QString()); }});
    registerCase(calls, {"keystroke: three digits rewritten (9 + 6, \"11\" + \"5\")",
                         [] { ctx->question(9, 6, plus, 1, false); }, [] { answerHolds("11"); },
                         [] { keystroke('5'); }, [ok] { return answerIs("15") && verdictIs(ok); }});

    // "答案" on a fresh question each time, so the result row starts empty.
    registerCase(calls, {"答案 9 - 4, hints (with the counting message)",
                         [] { ctx->question(9, 4, minus, 1, true); }, newQuestion, answer,
                         [&w] {
                             return answerIs("5") && filled(w.img3) == 9
                                 && ctx->messages.shown.size() == 1;
                         }});
    registerCase(calls, {"答案 20 + 20, hints", [] { ctx->question(20, 20, plus, 1, true); },
                         newQuestion, answer,
                         [&w] { return answerIs("40") && filled(w.img3) == 40; }});

    // A pick in "图案提示" redraws 20 + 20 + 40 slots from the answer box.
    auto kind = std::make_shared<int>(1);
    registerCase(calls, {"hint kind change, full result row (20 + 20 = 40)",
                         [] {
                             ctx->question(20, 20, plus, 1, false);
                             answerHolds("40");
                         },
                         nothing,
                         [&w, kind] {
                             *kind = *kind % 3 + 1;
                             w.cboPic->setCurrentIndex(*kind);
                             emit w.cboPic->activated(*kind);
                         },
                         [&w, kind] {
                             return filled(w.img1) == 20 && filled(w.img3) == 40
                                 && w.lblpic->text().contains(QStringLiteral("/img/%1/").arg(*kind));
                         }});

    // A press on a hint slot shows the enlarged picture; the release before
    // the next press hides it again.
    registerCase(calls, {"ShowBigPic (press on a hint slot)",
                         [] { ctx->question(20, 20, plus, 1, false); },
                         [&w] {
                             QTest::mouseRelease(w.img1[0], Qt::LeftButton);
                             ctx->settle();
                         },
                         [&w] { QTest::mousePress(w.img1[0], Qt::LeftButton); },
                         [&w] { return w.Pic1->isVisible() && w.Pic1->hasPicture(); }});
}

int takeCallsOption(int &argc, char **argv)
{
    int calls = 1000;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--calls=", 8) == 0)
            calls = std::max(1, std::atoi(argv[i] + 8));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return calls;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int calls = takeCallsOption(argc, argv);
    QApplication app(argc, argv);
    QApplication::setFont(faces::dialog());

    Bench b;
    ctx = &b;
    // img/ lies beside the program, as it does beside kidsum.
    b.form = std::make_unique<Form1>(
        Services{b.messages, b.random, b.pages, QCoreApplication::applicationDirPath()});
    Form_Load(b.w());
    b.form->show();
    if (!QTest::qWaitForWindowExposed(b.form.get())) {
        std::fprintf(stderr, "the window was never exposed\n");
        return 1;
    }
    if (!QFileInfo::exists(QCoreApplication::applicationDirPath() + "/img/1/0.jpg")) {
        std::fprintf(stderr, "no img/ beside the program\n");
        return 1;
    }

    registerAll(calls);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ctx = nullptr;
    return 0;
}
