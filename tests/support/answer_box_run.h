#pragma once

// Texts put into the answer box of a fresh window, one after the other, with
// the window's rules checked after each: shared by the answer-box fuzzer and
// the replay of its corpus in the normal test run.
//
// The bytes: the first three set up the window (operation, 答对后自动换题,
// hint kind, whether to make a question, and the two range lists); the rest
// is split at each newline into texts. The text "\x01" presses "出题", "\x02"
// presses "答案"; any other text is written into the answer box.

#include "app/form1.h"
#include "app/start_up.h"
#include "fakes.h"
#include "picture_folder.h"
#include "window_invariants.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

namespace invariants {

// One window for many runs: each run starts from the state start-up leaves,
// as a fresh window would (building a window per run is what would cost).
class AnswerBoxWindow {
public:
    explicit AnswerBoxWindow(const PictureFolder &folder)
        : form_(Services{messages_, random_, pages_, folder.path()})
    {
        QObject::connect(form_.window().txtAnswer, &QLineEdit::textChanged,
                         [this] { ++changes_; });
    }

    QStringList run(const QByteArray &bytes);

private:
    void reset();

    RecordingMessages messages_;
    ScriptedRandom random_;
    RecordingPages pages_;
    Form1 form_;
    int changes_ = 0;
};

inline void AnswerBoxWindow::reset()
{
    Window &w = form_.window();
    w.txtTest1->clear();
    w.txtTest2->clear();
    w.txtAnswer->clear();
    w.ImgOk->setPicture(QString());
    for (auto *row : {&w.img1, &w.img2})
        for (ImageBox *slot : *row)
            slot->setPicture(QString());
    for (ImageBox *slot : w.img3)
        slot->setPicture(QString());
    w.Pic1->setPicture(QString());
    w.Pic1->setVisible(false);
    w.lblpic->clear();
    w.chkAuto->setChecked(true);
    Form_Load(w);
    messages_.shown.clear();
    random_.values.clear();
    pages_.opened.clear();
}

inline QStringList AnswerBoxWindow::run(const QByteArray &bytes)
{
    reset();
    Window &w = form_.window();

    // The window's random numbers follow from the bytes too.
    quint32 state = 2166136261u ^ quint32(bytes.size());
    const auto refill = [&] {
        while (random_.values.size() < 8) {
            state = state * 1664525u + 1013904223u;
            random_.values.push_back(double(state >> 8) / double(1u << 24));
        }
    };
    const auto pick = [](QComboBox *list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    };

    const auto setup = [&](int at) { return at < bytes.size() ? quint8(bytes[at]) : quint8(0); };
    const quint8 flags = setup(0);
    pick(w.cboCode, flags & 1);
    w.chkAuto->setChecked(flags & 2);
    pick(w.cboPic, (flags >> 2) & 3);
    pick(w.cbo1st, setup(1) % 30);
    pick(w.cbo2nd, setup(2) % 30);
    if (!(flags & 16)) {
        refill();
        w.cmdTest->click();
    }

    ResultRowHistory history;
    QStringList broken;
    const auto check = [&](const QString &step, qsizetype shownBefore) {
        QStringList found;
        for (qsizetype m = shownBefore; m < messages_.shown.size(); ++m) {
            const QString problem = messageProblem(messages_.shown[m], false);
            if (!problem.isEmpty())
                found << problem;
        }
        if (changes_ > 0)
            found << verdictAfterTyping(w);
        found << windowState(w, history);
        history.update(w);
        for (const QString &f : std::as_const(found))
            broken << step + QStringLiteral(": ") + f;
    };
    changes_ = 0;
    check(QStringLiteral("set-up"), 0);

    const QList<QByteArray> texts = bytes.mid(3).split('\n');
    for (qsizetype i = 0; i < texts.size() && broken.isEmpty(); ++i) {
        refill();
        changes_ = 0;
        const qsizetype shownBefore = messages_.shown.size();
        const QByteArray &text = texts[i];
        if (text == "\x01")
            w.cmdTest->click();
        else if (text == "\x02")
            w.cmdAnswer->click();
        else
            w.txtAnswer->setText(QString::fromUtf8(text));
        check(QStringLiteral("text %1").arg(i), shownBefore);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return broken;
}

} // namespace invariants
