#include "form1.h"

#include "backdrop.h"
#include "controls/image_box.h"
#include "faces.h"
#include "feedback/answer_check.h"
#include "feedback/answer_reveal.h"
#include "feedback/hint_pictures.h"
#include "layout.h"
#include "menus/web_entries.h"
#include "menus/web_links.h"
#include "quiz/question_generation.h"
#include "quiz/range_check.h"
#include "quiz/range_table.h"
#include "start_up.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include <exception>
#include <memory>

namespace {

// Every handler started by an event runs behind this: a failure that a
// handler does not trap ends that handler, never the program.
template <class Handler>
void guarded(Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &) {
    }
}

void place(QWidget *control, layout::Twips where)
{
    control->setGeometry(layout::toPixels(where));
}

QLabel *makeLabel(QWidget *parent, const char *name, layout::Twips where, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    place(label, where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Every label lies inside a frame and shows the frame's own colour: a
    // fill of its own would be the palette's button colour, which a style
    // may draw the frames' inside apart from (Fusion darkens it a little).
    return label;
}

QLabel *makeLargeLabel(QWidget *parent, const char *name, layout::Twips where,
                       const QString &text)
{
    QLabel *label = makeLabel(parent, name, where, text);
    label->setFont(faces::question());
    // The large font's line is taller than the label; centred on it, the
    // sign stays inside instead of being cut off at the bottom.
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QComboBox *makeList(QWidget *parent, const char *name, layout::Twips where,
                    const QStringList &entries, const QString &storedText)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    place(list, where);
    // Editable as setEditable(true) makes it, line edit and palette alike, but
    // its popup (a window of its own with a list view) is made when first
    // shown, not at start-up.
    auto *edit = new QLineEdit(list);
    edit->setPalette(list->palette());
    list->setLineEdit(edit);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(entries);
    list->setCurrentIndex(-1);
    list->setEditText(storedText);
    return list;
}

QLineEdit *makeQuestionBox(QWidget *parent, const char *name, layout::Twips where)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    place(box, where);
    box->setFont(faces::question());
    box->setAlignment(Qt::AlignCenter);
    QPalette colours = box->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, QColor(128, 255, 255));
        colours.setColor(group, QPalette::Text, QColor(255, 0, 0));
    }
    box->setPalette(colours);
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QGroupBox *makeFrame(QWidget *parent, const char *name, layout::Twips where,
                     const QString &caption)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    place(frame, where);
    frame->setAutoFillBackground(true);
    return frame;
}

QStringList rangeEntries()
{
    QStringList entries;
    for (int i = 0; i < quiz::rangeEntryCount; ++i)
        entries << QString::fromUtf16(quiz::rangeEntryText(i));
    return entries;
}

QString pictureCount(int shown)
{
    return QStringLiteral("%1 个图案").arg(shown);
}

// When editing a list's field ends, the list never stays without a
// selection: text naming an entry picks it (running its handler), any other
// text goes back to the selected entry.
void settleTypedText(Window &w, QComboBox *list)
{
    const QString typed = list->currentText().trimmed();
    if (list->currentIndex() >= 0 && typed == list->itemText(list->currentIndex())) {
        list->setEditText(typed);
        return;
    }
    const int named = list->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (named >= 0)
        guarded([&w, list, named] { w.setListIndex(list, named); });
    else if (list->currentIndex() >= 0)
        list->setEditText(list->itemText(list->currentIndex()));
}

// A row tells a screen reader how many pictures it shows: counted as they
// come and go, not by walking the row at every slot of a drawing.
void countPicture(int &shown, ImageBox *slot, bool nowShown)
{
    shown += nowShown ? 1 : -1;
    slot->parentWidget()->setAccessibleDescription(pictureCount(shown));
}

} // namespace

Form1::Form1(const Services &services, QWidget *parent) : QMainWindow(parent), w_(services)
{
    w_.Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("儿童加减法"));
    setFont(faces::dialog());

    auto *client = new Backdrop(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    buildDisplay(client);
    buildControlPanel(client);
    buildMenus();
    setTabOrder();
    setAccessibleTexts();
    wire();

    const QSize clientSize =
        layout::toPixels({0, 0, layout::clientWidth, layout::clientHeight}).size();
    // The menu bar takes the height its layout gives it, which is its
    // height for the width (on Windows one pixel more than its size hint).
    QMenuBar *bar = menuBar();
    int barHeight = bar->heightForWidth(clientSize.width());
    if (barHeight < 0)
        barHeight = bar->sizeHint().height();
    resize(clientSize.width(), clientSize.height() + barHeight);
    // The sizes of a title bar, task bar and task switcher, up to 128. On
    // X11 every size is decoded and sent to the window manager before the
    // first frame, so the 256 one, which only launchers show (from the
    // desktop entry's icon), stays out: it would be three quarters of the
    // icon's pixels at start-up.
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/kidsum/icon-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    w_.cbo1st->setFocus();
}

void Form1::buildControlPanel(QWidget *client)
{
    QGroupBox *panel = makeFrame(client, "fraControl", layout::fraControl,
                                 QStringLiteral("控制面板"));
    w_.fraControl = panel;

    w_.Label3 = makeLabel(panel, "Label3", layout::Label3, QStringLiteral("第一位"));
    w_.Label4 = makeLabel(panel, "Label4", layout::Label4, QStringLiteral("第二位"));
    w_.Label5 = makeLabel(panel, "Label5", layout::Label5, QStringLiteral("加减法"));
    w_.Label6 = makeLabel(panel, "Label6", layout::Label6, QStringLiteral("图案提示"));
    w_.lblpic = makeLabel(panel, "lblpic", layout::lblpic, QString());
    w_.lblpic->setVisible(false);

    w_.cmdTest = new QPushButton(QStringLiteral("出题"), panel);
    w_.cmdTest->setObjectName(QStringLiteral("cmdTest"));
    place(w_.cmdTest, layout::cmdTest);
    w_.cmdTest->setAutoDefault(false);

    w_.cbo1st = makeList(panel, "cbo1st", layout::cbo1st, rangeEntries(),
                         QStringLiteral("第一位范围"));
    w_.cbo1st->setToolTip(QStringLiteral("更好地限定范围，方便孩子学习"));
    w_.cbo2nd = makeList(panel, "cbo2nd", layout::cbo2nd, rangeEntries(),
                         QStringLiteral("第二位范围"));
    w_.cbo2nd->setToolTip(QStringLiteral("更好地限定范围，方便孩子学习"));
    w_.cboCode = makeList(panel, "cboCode", layout::cboCode,
                          {QStringLiteral("+(加法)"), QStringLiteral("-(减法)")},
                          QStringLiteral("加减法"));
    w_.cboCode->setToolTip(QStringLiteral("选择加法或减法"));
    w_.cboPic = makeList(panel, "cboPic", layout::cboPic,
                         {QStringLiteral("无图案提示"), QStringLiteral("图案1提示"),
                          QStringLiteral("图案2提示"), QStringLiteral("图案3提示")},
                         QStringLiteral("图案提示"));
    w_.cboPic->setToolTip(QStringLiteral("有图案提示时，可以帮助小朋友计算，数一数吧"));

    // Esc presses it; Enter does not, so a typed answer is never revealed by accident.
    w_.cmdAnswer = new QPushButton(QStringLiteral("答案"), panel);
    w_.cmdAnswer->setObjectName(QStringLiteral("cmdAnswer"));
    place(w_.cmdAnswer, layout::cmdAnswer);
    w_.cmdAnswer->setAutoDefault(false);

    w_.chkAuto = new QCheckBox(QStringLiteral("答对后自动换题"), panel);
    w_.chkAuto->setObjectName(QStringLiteral("chkAuto"));
    place(w_.chkAuto, layout::chkAuto);
    w_.chkAuto->setChecked(true);
}

void Form1::buildDisplay(QWidget *client)
{
    QGroupBox *display = makeFrame(client, "fraDisplay", layout::fraDisplay,
                                   QStringLiteral("题目"));
    w_.fraDisplay = display;

    w_.lblCode = makeLargeLabel(display, "lblCode", layout::lblCode, QStringLiteral("+"));
    w_.lblDeng1 = makeLargeLabel(display, "lblDeng1", layout::lblDeng1, QStringLiteral("="));

    w_.ImgOk = new ImageBox(display);
    w_.ImgOk->setObjectName(QStringLiteral("ImgOk"));
    place(w_.ImgOk, layout::ImgOk);

    const QString operandTip = QStringLiteral("在控制面板中设置数字范围，然后点击“出题”");
    w_.txtTest1 = makeQuestionBox(display, "txtTest1", layout::txtTest1);
    w_.txtTest2 = makeQuestionBox(display, "txtTest2", layout::txtTest2);
    for (QLineEdit *operand : {w_.txtTest1, w_.txtTest2}) {
        operand->setReadOnly(true);
        operand->setFocusPolicy(Qt::ClickFocus);
        operand->setFrame(false);
        operand->setToolTip(operandTip);
    }

    w_.txtAnswer = makeQuestionBox(display, "txtAnswer", layout::txtAnswer);
    w_.txtAnswer->setToolTip(QStringLiteral(
        "输入计算结果，答对后则会提示正确并自动换题目（选中答对后自动换题时）；答错后会出现错误"
        "提示图案。输入数字超过两位时，取最后两位。"));

    w_.fraPic = makeFrame(display, "fraPic", layout::fraPic, QString());
    buildPictureFrame();
}

void Form1::buildPictureFrame()
{
    QGroupBox *frame = w_.fraPic;

    // One container per row, so a screen reader can name the row and count
    // its pictures; the slots keep their places within the frame.
    const auto makeRow = [frame](const char *name, layout::Row row, auto &boxes) {
        QRect area;
        for (int i = 0; i < layout::slotCount(row); ++i)
            area |= layout::toPixels(layout::slot(row, i));
        auto *container = new QWidget(frame);
        container->setObjectName(QLatin1String(name));
        container->setGeometry(area);
        for (int i = layout::slotCount(row) - 1; i >= 0; --i) {
            auto *slot = new ImageBox(container);
            slot->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
            slot->setGeometry(layout::toPixels(layout::slot(row, i)).translated(-area.topLeft()));
            boxes[static_cast<std::size_t>(i)] = slot;
        }
        return container;
    };
    makeRow("img1", layout::Row::img1, w_.img1);
    makeRow("img2", layout::Row::img2, w_.img2);
    makeRow("img3", layout::Row::img3, w_.img3);

    w_.lblCode2 = makeLargeLabel(frame, "lblCode2", layout::lblCode2, QString());
    w_.lblDeng2 = makeLargeLabel(frame, "lblDeng2", layout::lblDeng2, QString());

    // Made last, so it lies above every other control of the frame.
    w_.Pic1 = new ImageBox(frame, ImageBox::Fit::NaturalSize);
    w_.Pic1->setObjectName(QStringLiteral("Pic1"));
    place(w_.Pic1, layout::Pic1);
    w_.Pic1->setAutoFillBackground(true);
    w_.Pic1->setBackgroundRole(QPalette::Base);
    w_.Pic1->setForegroundRole(QPalette::Text);
    w_.Pic1->setFrameStyle(QFrame::Box | QFrame::Plain);
    w_.Pic1->setLineWidth(1);
    w_.Pic1->setFocusPolicy(Qt::TabFocus);
    w_.Pic1->setVisible(false);
}

void Form1::buildMenus()
{
    QMenuBar *bar = menuBar();
    const auto entry = [](QAction *action, const char *name) {
        action->setObjectName(QLatin1String(name));
        return action;
    };
    test_word = entry(bar->addAction(QStringLiteral("出题测试(&C)")), "test_word");
    help = entry(bar->addAction(QStringLiteral("使用帮助(&B)")), "help");
    for (const menus::WebEntry &row : menus::webEntries()) {
        const QString caption = QString::fromUtf16(row.caption.data(), qsizetype(row.caption.size()));
        QAction *action = nullptr;
        if (row.place == menus::Place::MenuBar) {
            action = bar->addAction(caption);
        } else {
            if (!site) {
                site = bar->addMenu(QStringLiteral("作者网站(&W)"));
                site->setObjectName(QStringLiteral("site"));
            }
            action = site->addAction(caption);
        }
        action->setObjectName(QString::fromLatin1(row.name.data(), qsizetype(row.name.size())));
        if (row.key != 0) {
            action->setShortcut(QKeySequence(row.key));
            // Added to the window too, so the key works with the submenu closed.
            addAction(action);
        }
        webActions_[row.name] = action;
    }
    exitit = entry(bar->addAction(QStringLiteral("退出软件(&T)")), "exitit");
}

void Form1::setTabOrder()
{
    QWidget *const chain[] = {w_.cbo1st,    w_.cboCode,   w_.cbo2nd, w_.cboPic, w_.cmdTest,
                                    w_.txtAnswer, w_.cmdAnswer, w_.Pic1,   w_.chkAuto};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void Form1::setAccessibleTexts()
{
    w_.txtTest1->setAccessibleName(QStringLiteral("第一个数"));
    w_.txtTest2->setAccessibleName(QStringLiteral("第二个数"));
    w_.txtAnswer->setAccessibleName(QStringLiteral("计算结果"));
    w_.txtAnswer->setAccessibleDescription(w_.txtAnswer->toolTip());
    w_.lblCode->setAccessibleName(QStringLiteral("运算符号"));
    w_.ImgOk->setAccessibleName(QStringLiteral("对错提示"));
    w_.cbo1st->setAccessibleName(QStringLiteral("第一位"));
    w_.cboCode->setAccessibleName(QStringLiteral("加减法"));
    w_.cbo2nd->setAccessibleName(QStringLiteral("第二位"));
    w_.cboPic->setAccessibleName(QStringLiteral("图案提示"));
    // On Linux a combo box reads out its current entry as its name; the
    // label above it, as its buddy, names it through the labelled-by relation.
    w_.Label3->setBuddy(w_.cbo1st);
    w_.Label5->setBuddy(w_.cboCode);
    w_.Label4->setBuddy(w_.cbo2nd);
    w_.Label6->setBuddy(w_.cboPic);
    w_.Pic1->setAccessibleName(QStringLiteral("放大的图案"));
    w_.img1[0]->parentWidget()->setAccessibleName(QStringLiteral("第一个数的图案"));
    w_.img2[0]->parentWidget()->setAccessibleName(QStringLiteral("第二个数的图案"));
    w_.img3[0]->parentWidget()->setAccessibleName(QStringLiteral("结果的图案"));
}

void Form1::wire()
{
    connect(w_.cmdTest, &QPushButton::clicked, this, [this] { guarded([this] { cmdTest_Click(w_); }); });
    connect(w_.cmdAnswer, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdAnswer_Click(w_); }); });
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, w_.cmdAnswer, &QPushButton::click);

    connect(w_.txtAnswer, &QLineEdit::textChanged, this,
            [this] { guarded([this] { txtAnswer_Change(w_); }); });
    w_.txtAnswer->installEventFilter(this);

    wireList(w_.cbo1st, cbo1st_Click);
    wireList(w_.cboCode, cboCode_Click);
    wireList(w_.cbo2nd, cbo2nd_Click);
    wireList(w_.cboPic, cboPic_Click);
    wireSlots();
    wireMenus();
}

void Form1::wireList(QComboBox *list, void (*handler)(Window &))
{
    w_.setClickHandler(list, [this, handler] { handler(w_); });
    connect(list, &QComboBox::activated, this,
            [this, list] { guarded([this, list] { w_.runClickHandler(list); }); });

    connect(list->lineEdit(), &QLineEdit::editingFinished, this,
            [this, list] { settleTypedText(w_, list); });
}

void Form1::wireSlots()
{
    const auto wireRow = [this](auto &row, void (*down)(Window &, int), void (*up)(Window &, int)) {
        // The slots start empty.
        const auto shown = std::make_shared<int>(0);
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int index = static_cast<int>(i);
            ImageBox *slot = row[i];
            connect(slot, &ImageBox::mouseDown, this,
                    [this, down, index] { guarded([this, down, index] { down(w_, index); }); });
            connect(slot, &ImageBox::mouseUp, this,
                    [this, up, index] { guarded([this, up, index] { up(w_, index); }); });
            connect(slot, &ImageBox::shownChanged, this,
                    [shown, slot](bool now) { countPicture(*shown, slot, now); });
        }
        row[0]->parentWidget()->setAccessibleDescription(pictureCount(*shown));
    };
    wireRow(w_.img1, img1_MouseDown, img1_MouseUp);
    wireRow(w_.img2, img2_MouseDown, img2_MouseUp);
    wireRow(w_.img3, img3_MouseDown, img3_MouseUp);
}

void Form1::wireMenus()
{
    const auto onChoice = [this](QAction *action, void (*handler)(Window &)) {
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { handler(w_); }); });
    };
    connect(test_word, &QAction::triggered, this,
            [this] { guarded([this] { test_word_Click(w_, 0); }); });
    onChoice(help, help_Click);
    for (const menus::WebEntry &row : menus::webEntries()) {
        connect(webActions_.at(row.name), &QAction::triggered, this,
                [this, &row] { guarded([this, &row] { webEntry_Click(w_, row); }); });
    }
    onChoice(exitit, exitit_Click);
}

QAction *Form1::webAction(std::string_view name) const
{
    const auto found = webActions_.find(name);
    return found == webActions_.end() ? nullptr : found->second;
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == w_.txtAnswer) {
        switch (event->type()) {
        case QEvent::KeyPress:
            guarded([this] { txtAnswer_KeyDown(w_); });
            break;
        case QEvent::MouseButtonPress:
            guarded([this] { txtAnswer_MouseDown(w_); });
            break;
        case QEvent::InputMethod:
            // A character committed by an input method is a key too.
            if (!static_cast<QInputMethodEvent *>(event)->commitString().isEmpty())
                guarded([this] { txtAnswer_KeyDown(w_); });
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
