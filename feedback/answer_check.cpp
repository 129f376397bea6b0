#include "answer_check.h"

#include "answer_rules.h"
#include "controls/image_box.h"
#include "controls/window.h"
#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "picture_paths.h"
#include "quiz/question_generation.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// An operand box read as a number, or the message that it is none.
bool readOperand(Window &w, const QLineEdit *box, const QString &complaint, int &value)
{
    const QString text = box->text();
    if (!numeric::isNumericText(text)) {
        w.message(complaint, MessageIcon::Stop, QStringLiteral("错误提示"));
        return false;
    }
    value = numeric::toInteger(text);
    return true;
}

void checkAnswer(Window &w)
{
    const feedback::TypedAnswer typed = feedback::readTypedAnswer(w.txtAnswer->text());
    switch (typed.kind) {
    case feedback::TypedAnswer::Kind::Nothing:
        return;
    case feedback::TypedAnswer::Kind::NotNumeric:
        feedback::showVerdict(w, feedback::Verdict::Wrong);
        return;
    case feedback::TypedAnswer::Kind::Rewrite:
        // The nested run checks the two characters left.
        w.txtAnswer->setText(typed.rewrite);
        return;
    case feedback::TypedAnswer::Kind::Number:
        break;
    }

    int first = 0;
    int second = 0;
    if (!readOperand(w, w.txtTest1, QStringLiteral("第一位不是数字,请检查"), first))
        return;
    if (!readOperand(w, w.txtTest2, QStringLiteral("第二位不是数字,请检查"), second))
        return;
    const int expected = feedback::expectedResult(first, second, w.operation());

    const feedback::Verdict verdict = feedback::judge(typed.number, expected);
    feedback::showVerdict(w, verdict);
    if (verdict == feedback::Verdict::Right && w.autoNextTicked())
        cmdTest_Click(w);
}

void clearPlaceholder(Window &w)
{
    if (w.txtAnswer->text() == feedback::placeholder)
        w.txtAnswer->clear();
}

} // namespace

void feedback::showVerdict(Window &w, std::optional<Verdict> verdict)
{
    const QString folder = w.appFolder();
    if (verdict == Verdict::Right) {
        w.ImgOk->setPicture(okPicture(folder));
        w.ImgOk->setAccessibleDescription(QStringLiteral("答对了"));
    } else if (verdict == Verdict::Wrong) {
        w.ImgOk->setPicture(errPicture(folder));
        w.ImgOk->setAccessibleDescription(QStringLiteral("答错了"));
    } else {
        w.ImgOk->setPicture(QString());
        w.ImgOk->setAccessibleDescription(QString());
    }
}

void txtAnswer_Change(Window &w)
{
    try {
        checkAnswer(w);
    } catch (const RuntimeFailure &) {
        // Ends the check; the picture on display stays.
    }
}

void txtAnswer_KeyDown(Window &w)
{
    clearPlaceholder(w);
}

void txtAnswer_MouseDown(Window &w)
{
    clearPlaceholder(w);
}
