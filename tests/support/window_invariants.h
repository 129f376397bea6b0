#pragma once

// What the window may show between two events, whatever came before: shared by
// the random-input soak, the answer-box fuzzer and the replay of its corpus.
// Each check returns the broken rules in words; an empty list means the state
// is sound.

#include "app_identity.h"
#include "controls/image_box.h"
#include "controls/window.h"
#include "core/app_paths.h"
#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "fakes.h"
#include "feedback/picture_paths.h"
#include "quiz/range_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace invariants {

inline QString applicationTitle() { return QString::fromUtf8(identity::title); }

// Whether the message is one the program defines, with its own title and
// icon. The two error-trap messages come only from a failure (a picture that
// cannot be read, a number out of range); pass trapsPossible = false where
// every picture is present and every number small, so that they count as
// faults too.
inline QString messageProblem(const ShownMessage &m, bool trapsPossible)
{
    const QString alarm = QStringLiteral("错误提示");
    struct Known {
        QString text;
        QString title;
        MessageIcon icon;
        bool trap;
    };
    const Known known[] = {
        {QStringLiteral("出现异常错误,请与作者联系!"), applicationTitle(), MessageIcon::Exclamation, true},
        {QStringLiteral("出现异常错误,请与作者联系"), alarm, MessageIcon::Exclamation, true},
        {QStringLiteral("与第二位设置的范围矛盾,请检查后重新设置"), alarm, MessageIcon::Exclamation, false},
        {QStringLiteral("第一位不是数字,请检查"), alarm, MessageIcon::Stop, false},
        {QStringLiteral("第二位不是数字,请检查"), alarm, MessageIcon::Stop, false},
        {QStringLiteral("没有数字进行计算，无法得到结果"), alarm, MessageIcon::Stop, false},
    };
    for (const Known &k : known) {
        if (m.text != k.text)
            continue;
        if (m.title != k.title || m.icon != k.icon)
            return QStringLiteral("message \"%1\" with title \"%2\" or a wrong icon")
                .arg(m.text, m.title);
        if (k.trap && !trapsPossible)
            return QStringLiteral("error-trap message \"%1\" with every picture present")
                .arg(m.text);
        return {};
    }
    static const QRegularExpression counting(QStringLiteral(
        "^第一位的图案先数出(\\d+)个不要了，以第(\\d+)个做为第1个，"
        "开始数第一位余下的图案数量，就可以得到结果了！\\z"));
    const QRegularExpressionMatch match = counting.match(m.text);
    if (match.hasMatch()) {
        if (match.captured(2).toLongLong() != match.captured(1).toLongLong() + 1)
            return QStringLiteral("counting explanation with numbers that do not follow: ")
                + m.text;
        if (m.title != QStringLiteral("提示") || m.icon != MessageIcon::Information)
            return QStringLiteral("counting explanation with a wrong title or icon");
        return {};
    }
    return QStringLiteral("unknown message \"%1\" (title \"%2\")").arg(m.text, m.title);
}

// A text box read as a number, when it holds one within the 32-bit range.
inline std::optional<std::int64_t> numberIn(const QString &text)
{
    if (!numeric::isNumericText(text))
        return std::nullopt;
    try {
        return numeric::toInteger(text);
    } catch (const RuntimeFailure &) {
        return std::nullopt;
    }
}

// The hint pictures that may still stand in the result row: a reveal or a
// change of kind loads the picture lblpic names then, and the slots it does
// not reach keep what they showed. Update after every check.
struct ResultRowHistory {
    QSet<QString> hints;
    void update(const Window &w)
    {
        bool empty = true;
        for (const ImageBox *slot : w.img3)
            empty = empty && !slot->hasPicture();
        if (empty)
            hints.clear();
        if (!w.lblpic->text().isEmpty())
            hints.insert(w.lblpic->text());
    }
};

inline bool isHintPicture(const Window &w, const QString &path)
{
    static const QRegularExpression name(QStringLiteral("^img/([123])/(\\d{1,2})\\.jpg\\z"));
    const QString prefix = paths::withSeparator(w.appFolder());
    if (!path.startsWith(prefix))
        return false;
    const QRegularExpressionMatch m = name.match(path.mid(prefix.size()));
    return m.hasMatch() && m.captured(2).toInt() <= 66 && QFileInfo(path).isFile();
}

// Rules that hold after every event:
// - the lists always have a selection; under subtraction the first range
//   never lies wholly below the second, and the question on display never
//   has a negative result;
// - the operator signs follow the operation list;
// - both operand boxes are empty, or both hold a plain decimal number 0..20;
// - a numeric answer box holds at most two characters once trimmed;
// - ImgOk shows no picture, the right one or the wrong one;
// - lblpic is empty or names an existing hint picture, and is empty whenever
//   hints are off; the hint frame is shown exactly when hints are on;
// - every row is filled from slot 0 without gaps;
// - img1 and img2 show one picture in all their filled slots, and while
//   lblpic names a picture it is that one, one slot per unit of each number
//   on display (the rows keep an older drawing while hints are off, or after
//   the operation list emptied the question);
// - img3 shows only the blank picture or hint pictures that lblpic named
//   since the row was last empty (a change of kind redraws only as many slots
//   as the answer box counts and the reveal empties none);
// - Pic1 is hidden.
inline QStringList windowState(const Window &w, const ResultRowHistory &history)
{
    QStringList broken;
    const QString folder = w.appFolder();

    const int p1 = w.cbo1st->currentIndex();
    const int p2 = w.cbo2nd->currentIndex();
    const int op = w.cboCode->currentIndex();
    const int kind = w.cboPic->currentIndex();
    if (p1 < 0 || p2 < 0 || op < 0 || kind < 0)
        broken << QStringLiteral("a list without a selection");
    if (op == 1 && quiz::rangeAt(p1).highest < quiz::rangeAt(p2).lowest)
        broken << QStringLiteral("subtraction with the first range below the second");

    const QString sign = op == 0 ? QStringLiteral("+") : QStringLiteral("-");
    if (w.lblCode->text() != sign || w.lblCode2->text() != sign
        || w.lblDeng2->text() != QStringLiteral("="))
        broken << QStringLiteral("operator signs \"%1\" \"%2\" \"%3\" under operation %4")
                      .arg(w.lblCode->text(), w.lblCode2->text(), w.lblDeng2->text())
                      .arg(op);

    const QString t1 = w.txtTest1->text();
    const QString t2 = w.txtTest2->text();
    static const QRegularExpression plain(QStringLiteral("^(0|[1-9]\\d?)\\z"));
    const bool question = !t1.isEmpty() || !t2.isEmpty();
    if (question) {
        if (!plain.match(t1).hasMatch() || !plain.match(t2).hasMatch()
            || t1.toInt() > 20 || t2.toInt() > 20)
            broken << QStringLiteral("operands \"%1\" and \"%2\"").arg(t1, t2);
        else if (op == 1 && t1.toInt() < t2.toInt())
            broken << QStringLiteral("subtraction %1 - %2 with a negative result").arg(t1, t2);
    }

    const QString answer = w.txtAnswer->text();
    if (numeric::isNumericText(answer) && numeric::trimBlanks(answer).size() > 2)
        broken << QStringLiteral("numeric answer box longer than two characters: \"%1\"")
                      .arg(answer.left(40));

    const QString verdict = w.ImgOk->picturePath();
    if (!verdict.isEmpty() && verdict != feedback::okPicture(folder)
        && verdict != feedback::errPicture(folder))
        broken << QStringLiteral("ImgOk shows %1").arg(verdict);

    const QString hint = w.lblpic->text();
    if (!hint.isEmpty() && !isHintPicture(w, hint))
        broken << QStringLiteral("lblpic names %1").arg(hint);
    if (kind <= 0 && !hint.isEmpty())
        broken << QStringLiteral("lblpic not empty while hints are off");
    if (w.fraPic->isHidden() != (kind <= 0))
        broken << QStringLiteral("hint frame shown = %1 with hint kind %2")
                      .arg(!w.fraPic->isHidden())
                      .arg(kind);

    // Filled slots of a row, which must be 0..count-1.
    const auto prefix = [&broken](const auto &row, const char *name) {
        int count = 0;
        while (count < int(row.size()) && row[count]->hasPicture())
            ++count;
        for (int i = count; i < int(row.size()); ++i)
            if (row[i]->hasPicture()) {
                broken << QStringLiteral("%1 has a gap before slot %2").arg(QLatin1String(name)).arg(i);
                break;
            }
        return count;
    };
    const int filled1 = prefix(w.img1, "img1");
    const int filled2 = prefix(w.img2, "img2");
    prefix(w.img3, "img3");

    QSet<QString> operandPictures;
    for (const auto *row : {&w.img1, &w.img2})
        for (const ImageBox *slot : *row)
            if (slot->hasPicture())
                operandPictures.insert(slot->picturePath());
    if (operandPictures.size() > 1)
        broken << QStringLiteral("img1 and img2 show %1 different pictures")
                      .arg(operandPictures.size());
    for (const QString &p : std::as_const(operandPictures)) {
        if (!isHintPicture(w, p))
            broken << QStringLiteral("img1/img2 show %1").arg(p);
        else if (!hint.isEmpty() && p != hint)
            broken << QStringLiteral("img1/img2 show %1 while lblpic names %2").arg(p, hint);
    }
    if (!hint.isEmpty() && question && plain.match(t1).hasMatch() && plain.match(t2).hasMatch()
        && (filled1 != qMin(t1.toInt(), 20) || filled2 != qMin(t2.toInt(), 20)))
        broken << QStringLiteral("%1 and %2 pictures for the question %3 and %4")
                      .arg(filled1)
                      .arg(filled2)
                      .arg(t1, t2);

    const QString blank = feedback::whitePicture(folder);
    for (const ImageBox *slot : w.img3) {
        const QString &p = slot->picturePath();
        if (p.isEmpty() || p == blank || p == hint || history.hints.contains(p))
            continue;
        broken << QStringLiteral("img3 shows %1, never the hint picture since it was last empty")
                      .arg(p);
        break;
    }

    if (!w.Pic1->isHidden())
        broken << QStringLiteral("Pic1 still shown");
    return broken;
}

// After an event that changed the answer box's text: the picture the check of
// the final text leaves in ImgOk. "" and "?" leave the picture as it was, and
// so does a question that is not numeric (its message is checked apart).
inline QStringList verdictAfterTyping(const Window &w)
{
    const QString text = w.txtAnswer->text();
    if (text.isEmpty() || text == QStringLiteral("?"))
        return {};
    const QString folder = w.appFolder();
    const QString shown = w.ImgOk->picturePath();
    const auto expect = [&](const QString &picture, const char *why) {
        if (shown == picture)
            return QStringList();
        return QStringList{QStringLiteral("answer \"%1\" (%2): ImgOk shows \"%3\"")
                               .arg(text.left(40), QLatin1String(why), shown)};
    };
    if (!numeric::isNumericText(text))
        return expect(feedback::errPicture(folder), "not a number");

    const auto first = numberIn(w.txtTest1->text());
    const auto second = numberIn(w.txtTest2->text());
    const auto typed = numberIn(text);
    if (!first || !second || !typed)
        return {};
    const std::int64_t expected =
        w.cboCode->currentIndex() == 0 ? *first + *second : *first - *second;
    if (*typed == expected) {
        if (w.chkAuto->isChecked())
            return {QStringLiteral("right answer \"%1\" with 答对后自动换题 ticked, no new question")
                        .arg(text)};
        return expect(feedback::okPicture(folder), "right");
    }
    if (QString::number(expected).contains(QString::number(*typed)))
        return expect(QString(), "digits of the result");
    return expect(feedback::errPicture(folder), "wrong");
}

} // namespace invariants
