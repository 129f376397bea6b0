#include "hint_pictures.h"

#include "controls/image_box.h"
#include "controls/picture_file.h"
#include "controls/window.h"
#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "picture_paths.h"
#include "quiz/draw_rule.h"
#include "slot_rows.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace feedback {

void FillHintPictures(Window &w, HintKind kind, int a, int b, HintDrawing drawing)
{
    emptyRow(w.img1);
    const double r = w.services.random.next();
    const int n = drawing == HintDrawing::NewQuestion ? quiz::hintNumberForQuestion(r)
                                                      : quiz::hintNumberForKindChange(r);
    SharedPicture picture(hintPicture(w.appFolder(), pictureSet(kind), n));
    fillRow(w.img1, 0, a, picture);
    emptyRow(w.img2);
    fillRow(w.img2, 0, b, picture);
    w.lblpic->setText(picture.path());

    const QString answer = w.txtAnswer->text();
    if (drawing == HintDrawing::KindChange && numeric::isNumericText(answer))
        fillRow(w.img3, 0, numeric::toInteger(answer), picture);
    else
        emptyRow(w.img3);
}

} // namespace feedback

void cboPic_Click(Window &w)
{
    const HintKind kind = w.hintKind();
    if (kind == HintKind::None) {
        // The slots keep their pictures, hidden with the frame.
        w.fraPic->setVisible(false);
        w.lblpic->clear();
        return;
    }
    w.fraPic->setVisible(true);
    if (!numeric::isNumericText(w.txtTest1->text()))
        return;
    try {
        const int a = numeric::toInteger(w.txtTest1->text());
        const int b = numeric::toInteger(w.txtTest2->text());
        feedback::FillHintPictures(w, kind, a, b,
                                   feedback::HintDrawing::KindChange);
    } catch (const RuntimeFailure &) {
        // A second number that is not a number, or a picture that cannot be
        // read: what was drawn stays, nothing else happens.
    }
}

void ShowBigPic(Window &w)
{
    const QString path = w.lblpic->text();
    if (path.isEmpty())
        return;
    try {
        w.Pic1->setPicture(path);
    } catch (const RuntimeFailure &) {
        return;
    }
    w.Pic1->setVisible(true);
}

namespace {
void slotPressed(Window &w) { ShowBigPic(w); }
void slotReleased(Window &w) { w.Pic1->setVisible(false); }
} // namespace

void img1_MouseDown(Window &w, int) { slotPressed(w); }
void img2_MouseDown(Window &w, int) { slotPressed(w); }
void img3_MouseDown(Window &w, int) { slotPressed(w); }
void img1_MouseUp(Window &w, int) { slotReleased(w); }
void img2_MouseUp(Window &w, int) { slotReleased(w); }
void img3_MouseUp(Window &w, int) { slotReleased(w); }
