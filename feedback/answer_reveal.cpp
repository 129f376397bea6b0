#include "answer_reveal.h"

#include "answer_check.h"
#include "answer_rules.h"
#include "controls/picture_file.h"
#include "controls/window.h"
#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "picture_paths.h"
#include "slot_rows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Thrown to leave for the no-number exit without a run-time failure.
struct NoNumber {};

int operand(const QLineEdit *box)
{
    if (!numeric::isNumericText(box->text()))
        throw NoNumber{};
    return numeric::toInteger(box->text());
}

void reveal(Window &w)
{
    w.chkAuto->setCheckState(Qt::Unchecked);
    const int a = operand(w.txtTest1);
    const int b = operand(w.txtTest2);
    const QString result =
        numeric::toText(feedback::expectedResult(a, b, w.operation()));
    // The check runs on a change of text only; a box that already holds the
    // result may still show the verdict of another question (the operation
    // changed since), so check it here.
    if (w.txtAnswer->text() == result)
        txtAnswer_Change(w);
    else
        w.txtAnswer->setText(result);

    if (w.hintKind() == HintKind::None)
        return;
    SharedPicture hint(w.lblpic->text());
    if (w.operation() == Operation::Addition) {
        feedback::fillRow(w.img3, 0, (long long)a + b, hint);
        return;
    }
    SharedPicture blank(feedback::whitePicture(w.appFolder()));
    feedback::fillRow(w.img3, 0, b, blank);
    feedback::fillRow(w.img3, b, a, hint);
    w.message(feedback::countingExplanation(b), MessageIcon::Information, QStringLiteral("提示"));
}

} // namespace

void cmdAnswer_Click(Window &w)
{
    try {
        reveal(w);
        return;
    } catch (const NoNumber &) {
    } catch (const RuntimeFailure &) {
    }
    w.message(QStringLiteral("没有数字进行计算，无法得到结果"), MessageIcon::Stop,
              QStringLiteral("错误提示"));
    w.txtAnswer->clear();
}
