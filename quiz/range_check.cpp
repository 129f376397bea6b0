#include "range_check.h"

#include "controls/image_box.h"
#include "controls/window.h"
#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "draw_rule.h"
#include "range_check_rule.h"
#include "range_table.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

void rangeCheck(Window &w)
{
    try {
        if (!quiz::rangesConflict(w.cbo1st->currentIndex(), w.cbo2nd->currentIndex(),
                                  w.operation()))
            return;
        w.message(QStringLiteral("与第二位设置的范围矛盾,请检查后重新设置"),
                  MessageIcon::Exclamation, QStringLiteral("错误提示"));
        w.setListIndex(w.cbo1st, quiz::positionNoLimit);
    } catch (const RuntimeFailure &) {
        w.message(QStringLiteral("出现异常错误,请与作者联系"), MessageIcon::Exclamation,
                  QStringLiteral("错误提示"));
    }
}

// Under the new operation a question with first < second would have a
// negative result: empty it. A text that cannot be converted leaves it alone.
void emptyQuestionIfFirstSmaller(Window &w)
{
    const QString first = w.txtTest1->text();
    const QString second = w.txtTest2->text();
    if (!numeric::isNumericText(first) || !numeric::isNumericText(second))
        return;
    try {
        if (numeric::toInteger(second) <= numeric::toInteger(first))
            return;
    } catch (const RuntimeFailure &) {
        return;
    }
    w.txtTest1->clear();
    w.txtTest2->clear();
    w.setListIndex(w.cbo1st, quiz::positionNoLimit);
    w.txtAnswer->clear();
}

} // namespace

void cbo1st_Click(Window &w)
{
    rangeCheck(w);
}

void cbo2nd_Click(Window &w)
{
    rangeCheck(w);
}

void cboCode_Click(Window &w)
{
    w.lblCode->setText(w.operation() == Operation::Subtraction ? QStringLiteral("-")
                                                                 : QStringLiteral("+"));

    if (!w.txtTest1->text().isEmpty()) {
        emptyQuestionIfFirstSmaller(w);
        for (ImageBox *slot : w.img3)
            slot->setPicture(QString());
    }

    w.lblCode2->setText(w.lblCode->text());
    w.lblDeng2->setText(w.lblDeng1->text());

    rangeCheck(w);
}
