// A child at the keyboard: a long seeded run of random user actions on a real
// window, with the window's rules checked after every single action.
//
// KIDSUM_SOAK_SEED replays a run (the seed is printed at the start and named
// in every failure, with the index of the action that broke a rule);
// KIDSUM_SOAK_ACTIONS sets its length.
#include "menus/web_entries.h"
#include "test_window.h"
#include "window_invariants.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QTest>

#include <ctime>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
#define KIDSUM_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KIDSUM_SANITIZED 1
#endif
#endif

namespace {

constexpr double slowestActionMs = 50.0;
// A blocked action (a read that waits) shows in wall time, not in CPU time.
// The sanitizers make some actions a few hundred milliseconds long.
#ifdef KIDSUM_SANITIZED
constexpr double hungActionMs = 5000.0;
#else
constexpr double hungActionMs = 1000.0;
#endif
constexpr int defaultActions = 3000;
constexpr qsizetype longestPaste = 10000;

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

quint64 seedFromEnvironment()
{
    bool ok = false;
    const quint64 given = qEnvironmentVariable("KIDSUM_SOAK_SEED").toULongLong(&ok);
    if (ok)
        return given;
    return quint64(QDateTime::currentMSecsSinceEpoch()) ^ (quint64(clock()) << 32);
}

int actionsFromEnvironment()
{
    bool ok = false;
    const int given = qEnvironmentVariableIntValue("KIDSUM_SOAK_ACTIONS", &ok);
    return ok && given > 0 ? given : defaultActions;
}

const char *const chineseTexts[] = {"一", "二", "十二", "五", "加", "减", "等于", "乐乐", "？", "。"};

class Soak {
public:
    explicit Soak(quint64 seed) : seed_(seed), rng_(seed) { open(); }

    // Runs the actions; the first broken rule, named with seed and action
    // index, or an empty text.
    QString run(int count);

    // What the window shows, without the temporary folder's name: two runs of
    // one seed give the same text.
    QString signature();

    double slowestCpuMs = 0;
    double slowestWallMs = 0;
    QString slowestAction;
    int messages = 0;
    int pages = 0;
    int questions = 0;

private:
    quint64 below(quint64 n) { return rng_() % n; }
    bool chance(int percent) { return below(100) < quint64(percent); }
    double uniform() { return double(rng_() >> 11) * 0x1.0p-53; }

    void open();
    void reopen();
    Window &w() { return t_->w(); }

    QString act();
    QString typeSomething();
    QString paste();
    QString pressSlot(QStringList &broken);
    QString chooseMenu(QStringList &broken);
    QString randomText(qsizetype length);

    quint64 seed_;
    std::mt19937_64 rng_;
    std::unique_ptr<TestWindow> t_;
    invariants::ResultRowHistory history_;
    int answerChanges_ = 0;
    QStringList pending_; // rules broken inside the action itself
    // Actions made of several keys are timed key by key.
    double stepStart_ = 0;
    double slowestStepMs_ = 0;
};

void Soak::open()
{
    t_ = std::make_unique<TestWindow>();
    t_->load();
    t_->form->show();
    if (!QTest::qWaitForWindowExposed(t_->form.get()))
        qWarning("soak: the window was not exposed");
    QObject::connect(w().txtAnswer, &QLineEdit::textChanged, [this] { ++answerChanges_; });
    history_ = {};
    history_.update(w());
}

// After "退出软件": the program would end; the next child starts it again.
void Soak::reopen()
{
    t_->form = std::make_unique<Form1>(
        Services{t_->messages, t_->random, t_->pages, t_->folder.path()});
    Form_Load(w());
    t_->form->show();
    QObject::connect(w().txtAnswer, &QLineEdit::textChanged, [this] { ++answerChanges_; });
    history_ = {};
    history_.update(w());
}

QString Soak::randomText(qsizetype length)
{
    static const QString digits = QStringLiteral("0123456789");
    static const QString numberish = QStringLiteral("0123456789 +-.\t　０１２３４５６７８９．－");
    static const QString anything =
        QStringLiteral("0123456789abcxyzABZ -+.,?!%e\t\n　０１２３４５６７８９一二三加减乐¥£€😀");
    const QString *alphabet = &anything;
    switch (below(3)) {
    case 0: alphabet = &digits; break;
    case 1: alphabet = &numberish; break;
    default: break;
    }
    QString text;
    text.reserve(length);
    while (text.size() < length) {
        const qsizetype i = qsizetype(below(quint64(alphabet->size())));
        text.append(alphabet->at(i));
        // Keep a surrogate pair whole.
        if (alphabet->at(i).isHighSurrogate() && i + 1 < alphabet->size())
            text.append(alphabet->at(i + 1));
        else if (alphabet->at(i).isLowSurrogate())
            text.chop(1);
    }
    return text.left(length);
}

QString Soak::typeSomething()
{
    QLineEdit *box = w().txtAnswer;
    const int keys = 1 + int(below(4));
    QString done;
    for (int k = 0; k < keys; ++k) {
        // Each key is a user action of its own, and timed as one.
        if (k > 0) {
            QCoreApplication::sendPostedEvents();
            const double now = threadCpuMs();
            slowestStepMs_ = qMax(slowestStepMs_, now - stepStart_);
            stepStart_ = now;
        }
        const quint64 kind = below(100);
        if (kind < 45) {
            const char c = char('0' + below(10));
            QTest::keyClick(box, c);
            done += QLatin1Char(c);
        } else if (kind < 52) {
            const char c = char('a' + below(26));
            QTest::keyClick(box, chance(30) ? char(c - 'a' + 'A') : c);
            done += QLatin1Char(c);
        } else if (kind < 58) {
            const char c = " -+."[below(4)];
            QTest::keyClick(box, c);
            done += QLatin1Char(c);
        } else if (kind < 68) {
            // Full-width digits and the ideographic space, as a Chinese
            // keyboard layout types them.
            const QChar c = chance(85) ? QChar(char16_t(0xFF10 + below(10))) : QChar(char16_t(0x3000));
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
            done += c;
        } else if (kind < 74) {
            // Committed by an input method.
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8(chineseTexts[below(std::size(chineseTexts))]));
            QApplication::sendEvent(box, &commit);
            done += QStringLiteral("<IME>");
        } else if (kind < 84) {
            QTest::keyClick(box, Qt::Key_Backspace);
            done += QStringLiteral("<BS>");
        } else if (kind < 89) {
            QTest::keyClick(box, Qt::Key_Delete);
            done += QStringLiteral("<Del>");
        } else if (kind < 95) {
            const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
            QTest::keyClick(box, moves[below(4)]);
            done += QStringLiteral("<move>");
        } else if (kind < 98) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            done += QStringLiteral("<select all>");
        } else {
            QTest::mouseClick(box, Qt::LeftButton);
            done += QStringLiteral("<click>");
        }
    }
    return QStringLiteral("type ") + done;
}

QString Soak::paste()
{
    qsizetype length = 1 + qsizetype(below(6));
    if (chance(25))
        length = 1 + qsizetype(below(longestPaste));
    const QString text = randomText(length);
    QLineEdit *box = w().txtAnswer;
    if (chance(30))
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (chance(70) && clipboard->text() == text) {
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return QStringLiteral("paste %1 characters by Ctrl+V: %2").arg(text.size()).arg(text.left(12));
    }
    QTest::mouseClick(box, Qt::LeftButton);
    box->insert(text);
    return QStringLiteral("insert %1 characters: %2").arg(text.size()).arg(text.left(12));
}

QString Soak::pressSlot(QStringList &broken)
{
    if (w().fraPic->isHidden())
        return QStringLiteral("no slot to press (hints off)");
    const quint64 row = below(3);
    ImageBox *slot = row == 0   ? w().img1[below(20)]
                     : row == 1 ? w().img2[below(20)]
                                : w().img3[below(40)];
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[below(3)];
    QTest::mousePress(slot, button);
    const QString hint = w().lblpic->text();
    if (hint.isEmpty() && !w().Pic1->isHidden())
        broken << QStringLiteral("enlarged picture shown with lblpic empty");
    if (!hint.isEmpty() && (w().Pic1->isHidden() || w().Pic1->picturePath() != hint))
        broken << QStringLiteral("pressing a slot did not enlarge %1").arg(hint);
    QTest::mouseRelease(slot, button);
    return QStringLiteral("press and release %1").arg(slot->objectName());
}

QString Soak::chooseMenu(QStringList &broken)
{
    Form1 &f = *t_->form;
    QList<QAction *> web{f.help};
    for (const menus::WebEntry &row : menus::webEntries())
        web.append(f.webAction(row.name));
    if (chance(35)) {
        f.test_word->trigger();
        ++questions;
        return QStringLiteral("menu 出题测试");
    }
    QAction *entry = web[below(web.size())];
    const qsizetype before = t_->pages.opened.size();
    entry->trigger();
    if (t_->pages.opened.size() != before + 1)
        broken << QStringLiteral("menu %1 handed %2 addresses to the browser")
                      .arg(entry->objectName())
                      .arg(t_->pages.opened.size() - before);
    else if (!t_->pages.opened.last().isValid())
        broken << QStringLiteral("menu %1 handed an invalid address").arg(entry->objectName());
    ++pages;
    return QStringLiteral("menu ") + entry->objectName();
}

QString Soak::act()
{
    QComboBox *const lists[] = {w().cbo1st, w().cbo2nd, w().cboCode, w().cboPic};
    const quint64 roll = below(1000);
    if (roll < 130) {
        QComboBox *list = lists[below(4)];
        const int index = int(below(quint64(list->count())));
        t_->pick(list, index);
        return QStringLiteral("pick %1 %2").arg(list->objectName()).arg(index);
    }
    if (roll < 240) {
        QTest::mouseClick(w().cmdTest, Qt::LeftButton);
        ++questions;
        return QStringLiteral("click 出题");
    }
    if (roll < 300) {
        QTest::mouseClick(w().cmdAnswer, Qt::LeftButton);
        return QStringLiteral("click 答案");
    }
    if (roll < 720)
        return typeSomething();
    if (roll < 780)
        return paste();
    if (roll < 850)
        return pressSlot(pending_);
    if (roll < 910) {
        w().chkAuto->click();
        return QStringLiteral("tick 答对后自动换题: %1").arg(w().chkAuto->isChecked());
    }
    if (roll < 998)
        return chooseMenu(pending_);
    t_->form->exitit->trigger();
    if (t_->form->isVisible())
        pending_ << QStringLiteral("退出软件 left the window open");
    reopen();
    return QStringLiteral("menu 退出软件, then start again");
}

QString Soak::run(int count)
{
    QStringList recent;
    for (int i = 0; i < count; ++i) {
        // The random numbers the window draws come from the same seed.
        while (t_->random.values.size() < 8)
            t_->random.values.push_back(uniform());
        const qsizetype shownBefore = t_->messages.shown.size();
        answerChanges_ = 0;
        pending_.clear();

        QElapsedTimer wall;
        wall.start();
        const double cpuStart = threadCpuMs();
        stepStart_ = cpuStart;
        slowestStepMs_ = 0;
        const QString action = act();
        // What the action posted, the repaint included, is part of it; Qt's
        // own timers (cache clean-ups) run after the clock stops.
        QCoreApplication::sendPostedEvents();
        const double cpuEnd = threadCpuMs();
        const double cpu = slowestStepMs_ > 0 ? qMax(slowestStepMs_, cpuEnd - stepStart_)
                                              : cpuEnd - cpuStart;
        const double elapsed = double(wall.nsecsElapsed()) / 1e6;
        QCoreApplication::processEvents();

        if (i > 0 && i % 20000 == 0)
            qInfo("soak: %d actions done", i);
        recent << QStringLiteral("#%1 %2").arg(i).arg(action);
        if (recent.size() > 12)
            recent.removeFirst();
        if (cpu > slowestCpuMs) {
            slowestCpuMs = cpu;
            slowestAction = action.left(60);
        }
        slowestWallMs = qMax(slowestWallMs, elapsed);

        QStringList broken = pending_;
        for (qsizetype m = shownBefore; m < t_->messages.shown.size(); ++m) {
            const QString problem = invariants::messageProblem(t_->messages.shown[m], false);
            if (!problem.isEmpty())
                broken << problem;
        }
        messages += int(t_->messages.shown.size() - shownBefore);
        if (answerChanges_ > 0)
            broken << invariants::verdictAfterTyping(w());
        broken << invariants::windowState(w(), history_);
        history_.update(w());
#ifndef KIDSUM_SANITIZED
        if (cpu > slowestActionMs)
            broken << QStringLiteral("took %1 ms of CPU time").arg(cpu, 0, 'f', 1);
#endif
        if (elapsed > hungActionMs)
            broken << QStringLiteral("took %1 ms").arg(elapsed, 0, 'f', 1);
        if (!broken.isEmpty())
            return QStringLiteral("seed %1, action %2 (%3): %4\nlast actions:\n  %5")
                .arg(seed_)
                .arg(i)
                .arg(action, broken.join(QStringLiteral("; ")), recent.join(QStringLiteral("\n  ")));
    }
    return {};
}

QString Soak::signature()
{
    const QString folder = t_->folder.path();
    QStringList parts;
    for (QComboBox *list : {w().cbo1st, w().cbo2nd, w().cboCode, w().cboPic})
        parts << QString::number(list->currentIndex());
    parts << w().txtTest1->text() << w().txtTest2->text() << w().txtAnswer->text()
          << QString::number(w().chkAuto->isChecked()) << w().lblpic->text()
          << w().ImgOk->picturePath();
    for (const auto *row : {&w().img1, &w().img2})
        for (const ImageBox *slot : *row)
            parts << slot->picturePath();
    for (const ImageBox *slot : w().img3)
        parts << slot->picturePath();
    for (const ShownMessage &m : std::as_const(t_->messages.shown))
        parts << m.text;
    for (const QUrl &page : std::as_const(t_->pages.opened))
        parts << page.toString();
    return parts.join(u'|').replace(folder, QStringLiteral("<folder>"));
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void randomUserActions();
    void sameSeedSameRun();
};

void SoakTest::randomUserActions()
{
    const quint64 seed = seedFromEnvironment();
    const int count = actionsFromEnvironment();
    qInfo("soak: seed %llu, %d actions (replay with KIDSUM_SOAK_SEED=%llu)",
          static_cast<unsigned long long>(seed), count, static_cast<unsigned long long>(seed));
    QElapsedTimer total;
    total.start();
    Soak soak(seed);
    const QString failure = soak.run(count);
    qInfo("soak: %d actions in %.1f s; %d questions, %d messages, %d pages; slowest action "
          "%.1f ms CPU (%s), %.1f ms wall",
          count, double(total.elapsed()) / 1e3, soak.questions, soak.messages, soak.pages,
          soak.slowestCpuMs, qPrintable(soak.slowestAction), soak.slowestWallMs);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

// A printed seed is only worth something if it replays the same run.
void SoakTest::sameSeedSameRun()
{
    const quint64 seed = seedFromEnvironment();
    Soak first(seed);
    Soak second(seed);
    QCOMPARE(first.run(400), QString());
    QCOMPARE(second.run(400), QString());
    QCOMPARE(first.signature(), second.signature());
    Soak other(seed + 1);
    QCOMPARE(other.run(400), QString());
    QVERIFY(other.signature() != first.signature());
}

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
