#include "question_generation.h"

#include "controls/image_box.h"
#include "controls/window.h"
#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "draw_rule.h"
#include "feedback/answer_check.h"
#include "feedback/answer_rules.h"
#include "feedback/hint_pictures.h"
#include "range_table.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

void makeQuestion(Window &w)
{
    RandomSource &random = w.services.random;
    random.reseed();
    w.txtAnswer->setText(feedback::placeholder.toString());
    feedback::showVerdict(w, std::nullopt);

    const quiz::OperandRange firstRange = quiz::rangeAt(w.cbo1st->currentIndex());
    const quiz::OperandRange secondRange = quiz::rangeAt(w.cbo2nd->currentIndex());
    const quiz::Operands operands = quiz::drawOperands(
        firstRange, secondRange, w.operation(), [&random] { return random.next(); });

    w.txtTest1->setText(numeric::toText(operands.first));
    w.txtTest2->setText(numeric::toText(operands.second));

    const HintKind kind = w.hintKind();
    if (kind == HintKind::None) {
        w.lblpic->clear();
        return;
    }
    feedback::FillHintPictures(w, kind, operands.first, operands.second,
                               feedback::HintDrawing::NewQuestion);
}

} // namespace

void cmdTest_Click(Window &w)
{
    try {
        makeQuestion(w);
    } catch (const RuntimeFailure &) {
        w.message(QStringLiteral("出现异常错误,请与作者联系!"), MessageIcon::Exclamation);
    }
}
