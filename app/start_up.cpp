#include "start_up.h"

#include "app_identity.h"
#include "caption.h"
#include "controls/window.h"
#include "core/runtime_failure.h"

#include <QComboBox>
#include <QMainWindow>

void Form_Load(Window &w)
{
    try {
        w.setListIndex(w.cbo1st, 0);
        w.setListIndex(w.cboCode, 0);
        w.setListIndex(w.cbo2nd, 0);
        // Picture hints are on from the start.
        w.setListIndex(w.cboPic, 1);
        w.Form1->setWindowTitle(applicationCaption(QString::fromUtf8(identity::title),
                                                   identity::major, identity::minor,
                                                   identity::revision));
    } catch (const RuntimeFailure &) {
        w.message(QStringLiteral("出现异常错误,请与作者联系!"), MessageIcon::Exclamation);
    }
}

void exitit_Click(Window &w)
{
    w.Form1->close();
}

