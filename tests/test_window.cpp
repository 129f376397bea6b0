// The window as created and after start-up: controls, texts, fonts, colours,
// geometry, tab order, menus and keys, background and icon.
#include "app/faces.h"
#include "app/layout.h"
#include "test_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <memory>

class WindowTest : public QObject {
    Q_OBJECT
public:
#ifdef KIDSUM_OWN_FACES_DIR
    // Before the application, as main() adds the faces beside the program.
    static void initMain() { faces::addOwnFaces(QStringLiteral(KIDSUM_OWN_FACES_DIR)); }
#endif

private slots:
    // Every test gets a window of its own as created; those that need it
    // after start-up call load().
    void init() { t_ = std::make_unique<TestWindow>(); }
    void cleanup() { t_.reset(); }

    void asCreated();
    void startUpSelectsListsInOrder();
    void listEntries();
    void toolTips();
    void slotGeometry_data();
    void slotGeometry();
    void controlsStandWhereTheTableSays();
    void questionBoxes();
    void fontsCoverEveryCharacterShown();
    void tabOrder();
    void menuBar();
    void functionKeys();
    void accessKeys();
    void escapePressesAnswerEnterDoesNot();
    void backgroundAtNaturalSizeNeverScaled();
    void resizingMovesNothing();
    void typedListTextSelectsOrReverts();
    void listPopupsAsEditableListsHaveThem();
    void exitEndsTheProgram();

private:
    std::unique_ptr<TestWindow> t_;
};

void WindowTest::asCreated()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    QCOMPARE(t.form->windowTitle(), QStringLiteral("儿童加减法"));
    QCOMPARE(w.cbo1st->currentText(), QStringLiteral("第一位范围"));
    QCOMPARE(w.cboCode->currentText(), QStringLiteral("加减法"));
    QCOMPARE(w.cbo2nd->currentText(), QStringLiteral("第二位范围"));
    QCOMPARE(w.cboPic->currentText(), QStringLiteral("图案提示"));
    for (QComboBox *list : {w.cbo1st, w.cboCode, w.cbo2nd, w.cboPic}) {
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(list->isEditable());
    }
    QVERIFY(w.chkAuto->isChecked());
    QVERIFY(w.Pic1->isHidden());
    QVERIFY(w.lblpic->isHidden());
    QVERIFY(!w.fraPic->isHidden());
    QCOMPARE(w.lblCode->text(), QStringLiteral("+"));
    QCOMPARE(w.lblDeng1->text(), QStringLiteral("="));
    QVERIFY(w.lblCode2->text().isEmpty());
    QVERIFY(w.lblDeng2->text().isEmpty());
    QVERIFY(w.lblpic->text().isEmpty());
    for (QLineEdit *box : {w.txtTest1, w.txtTest2, w.txtAnswer})
        QVERIFY(box->text().isEmpty());
    QVERIFY(!w.ImgOk->hasPicture());
    QVERIFY(!w.Pic1->hasPicture());
    QCOMPARE(TestWindow::filled(w.img1) + TestWindow::filled(w.img2) + TestWindow::filled(w.img3), 0);
    QCOMPARE(w.fraControl->title(), QStringLiteral("控制面板"));
    QCOMPARE(w.fraDisplay->title(), QStringLiteral("题目"));
    QVERIFY(w.fraPic->title().isEmpty());
    QCOMPARE(w.cmdTest->text(), QStringLiteral("出题"));
    QCOMPARE(w.cmdAnswer->text(), QStringLiteral("答案"));
    QCOMPARE(w.chkAuto->text(), QStringLiteral("答对后自动换题"));
    QCOMPARE(w.Label3->text(), QStringLiteral("第一位"));
    QCOMPARE(w.Label4->text(), QStringLiteral("第二位"));
    QCOMPARE(w.Label5->text(), QStringLiteral("加减法"));
    QCOMPARE(w.Label6->text(), QStringLiteral("图案提示"));
    QVERIFY(t.messages.shown.isEmpty());
}

void WindowTest::startUpSelectsListsInOrder()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    // Record, for each list handler, the positions of all four lists when it ran.
    QStringList ran;
    for (QComboBox *list : {w.cbo1st, w.cboCode, w.cbo2nd, w.cboPic}) {
        auto original = w.clickHandler(list);
        QVERIFY(original);
        w.setClickHandler(list, [&w, &ran, list, original] {
            ran << QStringLiteral("%1:%2,%3,%4,%5")
                       .arg(list->objectName())
                       .arg(w.cbo1st->currentIndex())
                       .arg(w.cboCode->currentIndex())
                       .arg(w.cbo2nd->currentIndex())
                       .arg(w.cboPic->currentIndex());
            original();
        });
    }
    t.load();
    QCOMPARE(ran, QStringList({"cbo1st:0,-1,-1,-1", "cboCode:0,0,-1,-1", "cbo2nd:0,0,0,-1",
                               "cboPic:0,0,0,1"}));
    QCOMPARE(t.form->windowTitle(), buildTitle + QStringLiteral(" V") + buildVersion);
    QCOMPARE(w.cbo1st->currentText(), QStringLiteral("不限定"));
    QCOMPARE(w.cboCode->currentText(), QStringLiteral("+(加法)"));
    QCOMPARE(w.cbo2nd->currentText(), QStringLiteral("不限定"));
    QCOMPARE(w.cboPic->currentText(), QStringLiteral("图案1提示"));
    // Start-up makes no question; the signs are mirrored into the hint frame.
    QVERIFY(w.txtTest1->text().isEmpty());
    QVERIFY(w.txtTest2->text().isEmpty());
    QCOMPARE(w.lblCode2->text(), QStringLiteral("+"));
    QCOMPARE(w.lblDeng2->text(), QStringLiteral("="));
    QVERIFY(!w.fraPic->isHidden());
    QVERIFY(w.lblpic->text().isEmpty());
    QVERIFY(w.chkAuto->isChecked());
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(t.random.used, 0);
}

void WindowTest::listEntries()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    const auto entries = [](QComboBox *list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    const QStringList ranges = QString::fromUtf16(
        u"不限定,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,0～2,0～5,0～10,0～15,"
        u"0～20,5～10,10～15,15～20").split(',');
    QCOMPARE(entries(w.cbo1st), ranges);
    QCOMPARE(entries(w.cbo2nd), ranges);
    QCOMPARE(entries(w.cboCode), QStringList({"+(加法)", "-(减法)"}));
    QCOMPARE(entries(w.cboPic), QStringList({"无图案提示", "图案1提示", "图案2提示", "图案3提示"}));
}

void WindowTest::toolTips()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    QCOMPARE(w.txtAnswer->toolTip(),
             QStringLiteral("输入计算结果，答对后则会提示正确并自动换题目（选中答对后自动换题时）；"
                            "答错后会出现错误提示图案。输入数字超过两位时，取最后两位。"));
    const QString operand = QStringLiteral("在控制面板中设置数字范围，然后点击“出题”");
    QCOMPARE(w.txtTest1->toolTip(), operand);
    QCOMPARE(w.txtTest2->toolTip(), operand);
    QCOMPARE(w.cbo1st->toolTip(), QStringLiteral("更好地限定范围，方便孩子学习"));
    QCOMPARE(w.cbo2nd->toolTip(), QStringLiteral("更好地限定范围，方便孩子学习"));
    QCOMPARE(w.cboCode->toolTip(), QStringLiteral("选择加法或减法"));
    QCOMPARE(w.cboPic->toolTip(), QStringLiteral("有图案提示时，可以帮助小朋友计算，数一数吧"));
    // No other control has one.
    int withTip = 0;
    for (const QWidget *child : t.form->findChildren<QWidget *>())
        withTip += child->toolTip().isEmpty() ? 0 : 1;
    QCOMPARE(withTip, 7);
}

Q_DECLARE_METATYPE(layout::Row)
Q_DECLARE_METATYPE(layout::Twips)

// The grid rule's examples: each slot in twips, and where the window puts it
// in logical pixels (twips / 15; 560 high rounds to 37 like 555).
void WindowTest::slotGeometry_data()
{
    QTest::addColumn<layout::Row>("row");
    QTest::addColumn<int>("index");
    QTest::addColumn<layout::Twips>("twips");
    QTest::addColumn<QRect>("pixels");
    using layout::Row;
    using layout::Twips;
    QTest::newRow("img1(0) is 560 high")
        << Row::img1 << 0 << Twips{240, 240, 450, 560} << QRect(16, 16, 30, 37);
    QTest::newRow("img1(4)")
        << Row::img1 << 4 << Twips{2160, 240, 450, 555} << QRect(144, 16, 30, 37);
    QTest::newRow("img1(5)")
        << Row::img1 << 5 << Twips{240, 840, 450, 555} << QRect(16, 56, 30, 37);
    QTest::newRow("img1(19)")
        << Row::img1 << 19 << Twips{2160, 2040, 450, 555} << QRect(144, 136, 30, 37);
    QTest::newRow("img2(0)")
        << Row::img2 << 0 << Twips{3240, 240, 450, 555} << QRect(216, 16, 30, 37);
    QTest::newRow("img2(1) is 560 high")
        << Row::img2 << 1 << Twips{3720, 240, 450, 560} << QRect(248, 16, 30, 37);
    QTest::newRow("img2(19)")
        << Row::img2 << 19 << Twips{5160, 2040, 450, 555} << QRect(344, 136, 30, 37);
    QTest::newRow("img3(4)")
        << Row::img3 << 4 << Twips{8400, 240, 450, 555} << QRect(560, 16, 30, 37);
    QTest::newRow("img3(19)")
        << Row::img3 << 19 << Twips{8400, 2040, 450, 555} << QRect(560, 136, 30, 37);
    QTest::newRow("img3(20)")
        << Row::img3 << 20 << Twips{9000, 240, 450, 555} << QRect(600, 16, 30, 37);
    QTest::newRow("img3(39)")
        << Row::img3 << 39 << Twips{10920, 2040, 450, 555} << QRect(728, 136, 30, 37);
}

void WindowTest::slotGeometry()
{
    QFETCH(layout::Row, row);
    QFETCH(int, index);
    QFETCH(layout::Twips, twips);
    QFETCH(QRect, pixels);
    const layout::Twips got = layout::slot(row, index);
    QCOMPARE(got.left, twips.left);
    QCOMPARE(got.top, twips.top);
    QCOMPARE(got.width, twips.width);
    QCOMPARE(got.height, twips.height);
    Window &w = t_->w();
    const auto i = static_cast<std::size_t>(index);
    const ImageBox *box = row == layout::Row::img1 ? w.img1[i]
        : row == layout::Row::img2                 ? w.img2[i]
                                                   : w.img3[i];
    QCOMPARE(QRect(box->mapTo(w.fraPic, QPoint(0, 0)), box->size()), pixels);
}

void WindowTest::controlsStandWhereTheTableSays()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    QCOMPARE(t.form->centralWidget()->size(), QSize(839, 526));
    const auto at = [](QWidget *control, QWidget *container) {
        return QRect(control->mapTo(container, QPoint(0, 0)), control->size());
    };
    QWidget *client = t.form->centralWidget();
    QCOMPARE(at(w.fraControl, client), QRect(24, 392, 793, 105));
    QCOMPARE(at(w.fraDisplay, client), QRect(24, 24, 793, 353));
    QCOMPARE(at(w.cbo1st, w.fraControl), QRect(48, 56, 81, 20));
    QCOMPARE(at(w.cmdAnswer, w.fraControl), QRect(704, 32, 65, 33));
    QCOMPARE(at(w.chkAuto, w.fraControl), QRect(544, 72, 121, 25));
    QCOMPARE(at(w.txtAnswer, w.fraDisplay), QRect(520, 24, 113, 81));
    QCOMPARE(at(w.ImgOk, w.fraDisplay), QRect(656, 48, 33, 41));
    QCOMPARE(at(w.fraPic, w.fraDisplay), QRect(8, 136, 777, 185));
    QCOMPARE(at(w.Pic1, w.fraPic), QRect(136, 16, 161, 161));
    QCOMPARE(at(w.lblCode2, w.fraPic).topLeft(), QPoint(184, 72));
    // lblCode2 stands exactly below lblCode, lblDeng2 below lblDeng1.
    QCOMPARE(w.lblCode2->mapTo(w.fraDisplay, QPoint()).x(), w.lblCode->mapTo(w.fraDisplay, QPoint()).x());
    QCOMPARE(w.lblDeng2->mapTo(w.fraDisplay, QPoint()).x(), w.lblDeng1->mapTo(w.fraDisplay, QPoint()).x());
    // Pic1 lies above the slots it covers.
    w.Pic1->show();
    QWidget *top = w.fraPic->childAt(at(w.img1[4], w.fraPic).center());
    QCOMPARE(top, static_cast<QWidget *>(w.Pic1));
}

void WindowTest::questionBoxes()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    for (QLineEdit *box : {w.txtTest1, w.txtTest2, w.txtAnswer}) {
        QCOMPARE(box->palette().color(QPalette::Base), QColor(128, 255, 255));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(box->font().pointSize(), 42);
        QCOMPARE(box->font().weight(), QFont::Normal);
    }
    for (QLabel *label : {w.lblCode, w.lblDeng1, w.lblCode2, w.lblDeng2})
        QCOMPARE(label->font().pointSize(), 42);
    QCOMPARE(w.Label3->font().pointSize(), 9);
    QVERIFY(w.txtTest1->isReadOnly());
    QVERIFY(w.txtTest2->isReadOnly());
    QVERIFY(!w.txtAnswer->isReadOnly());
    QCOMPARE(w.txtTest1->focusPolicy(), Qt::ClickFocus);
    QVERIFY(w.txtAnswer->focusPolicy() & Qt::TabFocus);
    // Labels show the frames' colour, with no box of their own around the
    // text, and align left: beside the text, the label's pixel is the one
    // of the frame just right of it.
    t.load();
    const QImage window = t.form->grab().toImage();
    for (QLabel *label : {w.Label3, w.Label6, w.lblCode, w.lblDeng2}) {
        const QPoint inside = label->mapTo(t.form.get(), QPoint(label->width() - 2, 2));
        QCOMPARE(window.pixel(inside), window.pixel(inside + QPoint(4, 0)));
        QCOMPARE(label->alignment() & Qt::AlignLeft, Qt::AlignLeft);
    }
}

void WindowTest::fontsCoverEveryCharacterShown()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.load();
    const QStringList texts = t.shownTexts();

    const QFontMetrics dialog(faces::dialog());
    const QString dialogFamily = QFontInfo(faces::dialog()).family();
    QVERIFY2(dialogFamily.contains("CJK") || dialogFamily.contains("Hei")
                 || dialogFamily.contains("YaHei") || dialogFamily.contains("SimSun"),
             qPrintable(dialogFamily));
    for (const QString &text : texts)
        for (const QChar c : text)
            if (c.unicode() > 0x7f)
                QVERIFY2(dialog.inFontUcs4(c.unicode()),
                         qPrintable(QStringLiteral("%1 in \"%2\" not in %3").arg(c, text, dialogFamily)));

    const QFont large = w.txtTest1->font();
    const QString largeFamily = QFontInfo(large).family();
#ifdef KIDSUM_OWN_FACES_DIR
    // The own faces, added at start-up, are the ones the window draws with.
    QCOMPARE(QFontInfo(w.cmdTest->font()).family(), QStringLiteral("Kidsum Sans CJK SC"));
    QCOMPARE(largeFamily, QStringLiteral("Kidsum Serif CJK SC"));
#else
    QVERIFY2(largeFamily == "Noto Serif CJK SC" || largeFamily.contains("UMing")
                 || largeFamily.contains("SimSun") || largeFamily == QStringLiteral("宋体"),
             qPrintable(largeFamily));
#endif
    const QFontMetrics largeMetrics(large);
    for (const QChar c : QStringLiteral("0123456789+-=?"))
        QVERIFY(largeMetrics.inFont(c));
}

void WindowTest::tabOrder()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.cbo1st));

    const auto tabFrom = [](QWidget *from) {
        from->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    QWidget *const chain[] = {w.cbo1st, w.cboCode, w.cbo2nd, w.cboPic, w.cmdTest,
                              w.txtAnswer, w.cmdAnswer, w.chkAuto, w.cbo1st};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        QCOMPARE(tabFrom(chain[i])->objectName(), chain[i + 1]->objectName());

    // Pic1 is reached only while it is shown.
    w.Pic1->show();
    QCOMPARE(tabFrom(w.cmdAnswer), static_cast<QWidget *>(w.Pic1));
    QCOMPARE(tabFrom(w.Pic1), static_cast<QWidget *>(w.chkAuto));
    w.Pic1->hide();

    // The operand boxes are never reached and take no typing.
    w.txtTest1->setText(QStringLiteral("7"));
    QTest::keyClicks(w.txtTest1, QStringLiteral("12"));
    QCOMPARE(w.txtTest1->text(), QStringLiteral("7"));
}

void WindowTest::menuBar()
{
    TestWindow &t = *t_;
    QStringList captions;
    for (const QAction *action : t.form->menuBar()->actions())
        captions << action->text();
    QCOMPARE(captions, QStringList({"出题测试(&C)", "使用帮助(&B)", "软件更新(&G)", "意见建议(&Y)",
                                    "作者网站(&W)", "退出软件(&T)"}));
    QStringList submenu;
    for (const QAction *action : t.form->site->actions()) {
        submenu << action->text();
        QVERIFY(!action->isCheckable());
        QVERIFY(!action->isSeparator());
    }
    QCOMPARE(submenu, QStringList({"五险一金", "查询工具", "视频搜索", "在线电视", "音乐搜索", "综合搜索",
                                   "电脑教程", "电脑书库", "学习资源", "彩票频道", "上网导航"}));
}

// F10 is the one function key without an entry: it opens nothing. The
// others open their entries' pages (test_menus presses each one).
void WindowTest::functionKeys()
{
    TestWindow &t = *t_;
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
    t.w().txtAnswer->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    QVERIFY(t.pages.opened.isEmpty());
    QVERIFY(!t.form->site->isVisible());
}

void WindowTest::accessKeys()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
    w.cbo1st->setFocus();

    // Alt+C makes a question at once.
    QTest::keyClick(t.form.get(), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
    QVERIFY(!w.txtTest1->text().isEmpty());
    QCOMPARE(t.random.reseeds, 1);

    // Alt+W opens the submenu of site.
    QTest::keyClick(t.form.get(), Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(t.form->site->isVisible());
    QTest::keyClick(t.form->site, Qt::Key_Escape);
    QTRY_VERIFY(!t.form->site->isVisible());
    QVERIFY(t.pages.opened.isEmpty());
}

void WindowTest::escapePressesAnswerEnterDoesNot()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
    t.ask(7, 5);
    w.chkAuto->setChecked(false);
    w.txtAnswer->setFocus();
    QTest::keyClick(w.txtAnswer, Qt::Key_Backspace); // clears "?"
    QTest::keyClicks(w.txtAnswer, QStringLiteral("3"));
    QTest::keyClick(w.txtAnswer, Qt::Key_Return);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("3"));
    QTest::keyClick(w.txtAnswer, Qt::Key_Escape);
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("12"));
}

void WindowTest::backgroundAtNaturalSizeNeverScaled()
{
    TestWindow &t = *t_;
    t.form->resize(1100, 800);
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    const QImage background(QStringLiteral(":/kidsum/background.jpg"));
    QCOMPARE(background.size(), QSize(850, 531));
    const QImage shown = t.form->centralWidget()->grab().toImage();
    // The margin left of and above the frames shows the picture's own pixels.
    for (const QPoint p : {QPoint(5, 5), QPoint(12, 300), QPoint(400, 10), QPoint(830, 20)}) {
        const QColor want = background.pixelColor(p);
        const QColor got = shown.pixelColor(p);
        QVERIFY2(qAbs(want.red() - got.red()) < 3 && qAbs(want.green() - got.green()) < 3
                     && qAbs(want.blue() - got.blue()) < 3,
                 qPrintable(QStringLiteral("pixel %1,%2").arg(p.x()).arg(p.y())));
    }
    // Beyond the picture's natural size nothing of it is drawn.
    const QColor beyond = shown.pixelColor(1000, 700);
    QCOMPARE(beyond, t.form->centralWidget()->palette().color(QPalette::Window));
    // The icon has the title bar's, task bar's and task switcher's sizes, and
    // nothing larger than 128: on X11 every size is decoded and sent to the
    // window manager before the first frame.
    QCOMPARE(t.form->windowIcon().availableSizes(),
             QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    QVERIFY(!t.form->windowIcon().pixmap(QSize(16, 16)).isNull());
}

void WindowTest::resizingMovesNothing()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    const QRect before = w.fraDisplay->geometry();
    const QRect answer = w.txtAnswer->geometry();
    t.form->resize(1400, 900);
    t.form->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    QCOMPARE(w.fraDisplay->geometry(), before);
    QCOMPARE(w.txtAnswer->geometry(), answer);
}

void WindowTest::typedListTextSelectsOrReverts()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.load();
    int ran = 0;
    auto original = w.clickHandler(w.cbo1st);
    w.setClickHandler(w.cbo1st, [&ran, original] { ++ran; original(); });

    w.cbo1st->lineEdit()->setText(QStringLiteral("7"));
    emit w.cbo1st->lineEdit()->editingFinished();
    QCOMPARE(w.cbo1st->currentIndex(), 8);
    QCOMPARE(ran, 1);

    w.cbo1st->lineEdit()->setText(QStringLiteral("许多"));
    emit w.cbo1st->lineEdit()->editingFinished();
    QCOMPARE(w.cbo1st->currentIndex(), 8);
    QCOMPARE(w.cbo1st->currentText(), QStringLiteral("7"));
    QCOMPARE(ran, 1);
}

// The lists' popups are made when first shown, not at start-up; each must come
// out as the popup of a list made editable by setEditable, in looks and in
// what it holds.
void WindowTest::listPopupsAsEditableListsHaveThem()
{
    TestWindow &t = *t_;
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    for (QComboBox *list : {t.w().cbo1st, t.w().cboCode, t.w().cbo2nd, t.w().cboPic}) {
        QComboBox reference(list->parentWidget());
        reference.setGeometry(list->geometry().translated(0, 60));
        reference.setEditable(true);
        for (int i = 0; i < list->count(); ++i)
            reference.addItem(list->itemText(i));
        reference.setCurrentIndex(list->currentIndex());
        reference.show();
        // One after the other: a popup shown beside another would be inactive.
        list->showPopup();
        QWidget *popup = list->view()->window();
        QVERIFY2(popup != t.form.get() && popup->isVisible(), qPrintable(list->objectName()));
        const QImage shown = popup->grab().toImage();
        list->hidePopup();
        reference.showPopup();
        QCOMPARE(list->view()->verticalScrollBarPolicy(), reference.view()->verticalScrollBarPolicy());
        QCOMPARE(shown, reference.view()->window()->grab().toImage());
        reference.hidePopup();
    }
}

void WindowTest::exitEndsTheProgram()
{
    TestWindow &t = *t_;
    t.load();
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    // The event loop ends by itself once the entry is chosen.
    QTimer::singleShot(0, t.form.get(), [&t] { t.form->exitit->trigger(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!t.form->isVisible());
    QVERIFY(t.messages.shown.isEmpty());
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
