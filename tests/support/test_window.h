#pragma once

#include "app/form1.h"
#include "app_identity.h"
#include "app/start_up.h"
#include "controls/image_box.h"
#include "fakes.h"
#include "picture_folder.h"
#include "quiz/range_table.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

// A real window offscreen with fake services and its own picture folder.
// Construct, then load() to run start-up as main() does.
class TestWindow {
public:
    explicit TestWindow(const QString &subfolder = QString(), bool trailingSeparator = false)
        : folder(subfolder),
          form(std::make_unique<Form1>(Services{messages, random, pages,
                                                folder.path() + (trailingSeparator ? "/" : "")}))
    {
    }

    Window &w() { return form->window(); }
    void load() { Form_Load(w()); }

    // Picks a list entry as the user does: the handler runs once.
    void pick(QComboBox *list, int index)
    {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void pick(QComboBox *list, Operation operation) { pick(list, positionOf(operation)); }
    void pick(QComboBox *list, HintKind kind) { pick(list, positionOf(kind)); }

    // A range list's entry by its text, "0～5" or "7".
    static int range(std::u16string_view text)
    {
        const int position = quiz::rangePosition(text);
        if (position < 0)
            qFatal("no range entry %s", qPrintable(QString::fromStdU16String(std::u16string(text))));
        return position;
    }
    static int single(int value) { return range(QString::number(value).toStdU16String()); }

    // Sets up the question first and second for the next "出题" (or the
    // test menu entry) under the operation in force: single-value ranges make
    // the two number draws certain whatever r is, and the third value scripted
    // draws the hint picture, floor(r * 66 + 0.5).
    void question(int first, int second, double pictureR = 0.0)
    {
        w().setListIndex(w().cbo1st, single(first));
        w().setListIndex(w().cbo2nd, single(second));
        random.script({0.0, 0.0, pictureR});
    }

    // Picks the operation, then makes that question with the button.
    void ask(int first, int second, Operation operation = Operation::Addition,
             double pictureR = 0.0)
    {
        w().setListIndex(w().cboCode, positionOf(operation));
        question(first, second, pictureR);
        w().cmdTest->click();
    }

    // Sets up the question 5 + 2, to be drawn with hint picture 66 of set 1:
    // the scenario of a hint picture that breaks the drawing at img1(0).
    void prepareFiveAndTwoWithPicture66() { question(5, 2, 0.99999); }

    // What "答案" explains for a subtraction with this second number.
    static QString explanation(int second)
    {
        return QStringLiteral("第一位的图案先数出%1个不要了，以第%2个做为第1个，"
                              "开始数第一位余下的图案数量，就可以得到结果了！")
            .arg(second)
            .arg(second + 1);
    }

    // Every text the window shows as made or loaded: labels, buttons, frame
    // titles, list entries, tool tips, menu entries (without "&") and the
    // caption.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const QLabel *label : form->findChildren<QLabel *>())
            texts << label->text();
        for (const QAbstractButton *button : form->findChildren<QAbstractButton *>())
            texts << button->text();
        for (const QGroupBox *frame : form->findChildren<QGroupBox *>())
            texts << frame->title();
        for (const QComboBox *list : form->findChildren<QComboBox *>())
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        for (const QWidget *child : form->findChildren<QWidget *>())
            texts << child->toolTip();
        for (const QAction *action : form->findChildren<QAction *>())
            texts << action->text().remove(u'&');
        texts << form->windowTitle();
        return texts;
    }

    // How many slots of a row show a picture, and which file each shows.
    template <class Row>
    static int filled(const Row &row)
    {
        int n = 0;
        for (const ImageBox *slot : row)
            n += slot->hasPicture() ? 1 : 0;
        return n;
    }

    RecordingMessages messages;
    ScriptedRandom random;
    RecordingPages pages;
    PictureFolder folder;
    std::unique_ptr<Form1> form;
};

Q_DECLARE_METATYPE(Operation)

// The title and version of this build, written once in the top CMakeLists.txt.
inline const QString buildTitle = QString::fromUtf8(identity::title);
inline const QString buildVersion = QStringLiteral(KIDSUM_VERSION_TEXT);

// The message boxes several suites expect, each the only one shown.
inline const QString errorTrapText = QStringLiteral("出现异常错误,请与作者联系!");
inline const QString noNumberText = QStringLiteral("没有数字进行计算，无法得到结果");

// The error trap of a handler that failed.
#define EXPECT_ERROR_TRAP(recorded)                                                        \
    EXPECT_MESSAGE(recorded, errorTrapText, buildTitle,                                      \
                   MessageIcon::Exclamation)
// "答案" with no numbers to count, or failing half-way.
#define EXPECT_NO_NUMBER(recorded)                                                         \
    EXPECT_MESSAGE(recorded, noNumberText, QStringLiteral("错误提示"), MessageIcon::Stop)
// The explanation of a subtraction with this second number.
#define EXPECT_EXPLANATION(recorded, second)                                               \
    EXPECT_MESSAGE(recorded, TestWindow::explanation(second), QStringLiteral("提示"),       \
                   MessageIcon::Information)

// After a question 4 + 3, then prepareFiveAndTwoWithPicture66() and "出题"
// with picture 66 unreadable: the error trap's message; the new numbers and
// the placeholder written; img1 emptied and stopped at its first slot, so img2
// still shows the last question's three pictures, and the result row and the
// enlarged picture's path are as before.
#define EXPECT_STOPPED_AT_FIRST_HINT(t, resultSlots, previousPath)                           \
    do {                                                                                   \
        EXPECT_ERROR_TRAP((t).messages);                                                   \
        QCOMPARE((t).w().txtTest1->text(), QStringLiteral("5"));                           \
        QCOMPARE((t).w().txtTest2->text(), QStringLiteral("2"));                           \
        QCOMPARE((t).w().txtAnswer->text(), QStringLiteral("?"));                          \
        QVERIFY(!(t).w().ImgOk->hasPicture());                                             \
        QCOMPARE(TestWindow::filled((t).w().img1), 0);                                     \
        QCOMPARE(TestWindow::filled((t).w().img2), 3);                                     \
        QCOMPARE(TestWindow::filled((t).w().img3), resultSlots);                           \
        QCOMPARE((t).w().lblpic->text(), previousPath);                                    \
    } while (false)
