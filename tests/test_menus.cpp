// The menus: the address each entry opens, chosen from the menu and by its
// key; the help page's file URL in awkward folders; the test menu entry
// against the button; and that no menu choice touches the window.
#include "menus/addresses.h"
#include "menus/web_entries.h"
#include "site_bases.h"
#include "test_window.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <memory>

namespace {

const QString helpMarker = QStringLiteral("<help>");

// The very QAction the window wires for an entry.
QAction *entry(TestWindow &t, const QString &name)
{
    return name == QLatin1String("help") ? t.form->help : t.form->webAction(name.toStdString());
}

// "main:/path" and "second:/path" on the bases this build was configured
// with, the help marker as the help page's file URL.
QString expectedAddress(TestWindow &t, const QString &address)
{
    if (address == helpMarker)
        return QUrl::fromLocalFile(t.folder.file("help.htm")).toString();
    // The bases as the build gives them, written once in the top CMakeLists.txt.
    if (address.startsWith(QLatin1String("second:")))
        return QStringLiteral(KIDSUM_SECOND_BASE) + address.mid(7);
    Q_ASSERT(address.startsWith(QLatin1String("main:")));
    return QStringLiteral(KIDSUM_MAIN_BASE) + address.mid(5);
}

// Everything a handler could change, as readable lines, with the folder
// replaced so two windows in different folders compare equal.
QStringList snapshot(TestWindow &t)
{
    Window &w = t.w();
    const QString folder = t.folder.path();
    const auto rel = [&folder](QString path) {
        return path.replace(folder, QStringLiteral("<app>"));
    };
    QStringList lines;
    lines << "caption " + t.form->windowTitle()
          << "question " + w.txtTest1->text() + w.lblCode->text() + w.txtTest2->text() + "="
                 + w.txtAnswer->text()
          << "signs " + w.lblCode2->text() + w.lblDeng2->text()
          << QStringLiteral("lists %1 %2 %3 %4")
                 .arg(w.cbo1st->currentIndex())
                 .arg(w.cboCode->currentIndex())
                 .arg(w.cbo2nd->currentIndex())
                 .arg(w.cboPic->currentIndex())
          << QStringLiteral("auto %1").arg(w.chkAuto->isChecked())
          << "feedback " + rel(w.ImgOk->picturePath())
          << "lblpic " + rel(w.lblpic->text())
          << QStringLiteral("frame %1 big %2 %3")
                 .arg(w.fraPic->isVisibleTo(t.form.get()))
                 .arg(w.Pic1->isVisibleTo(t.form.get()))
                 .arg(rel(w.Pic1->picturePath()));
    const auto row = [&rel](const char *name, const auto &boxes) {
        QStringList shown;
        for (const ImageBox *box : boxes)
            shown << rel(box->picturePath());
        return QString::fromLatin1(name) + u' ' + shown.join(u'|');
    };
    lines << row("img1", w.img1) << row("img2", w.img2) << row("img3", w.img3);
    return lines;
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT
private slots:
    // Every test starts from a freshly loaded window of its own; those that
    // need another folder, or two windows, make their own.
    void init() { t_ = std::make_unique<TestWindow>(); t_->load(); }
    void cleanup() { t_.reset(); }

    void helpAddress_data();
    void helpAddress();

    void entryOpensItsAddress_data();
    void entryOpensItsAddress();
    void keyOpensTheSameAddress_data();
    void keyOpensTheSameAddress();
    void helpInAwkwardFolder_data();
    void helpInAwkwardFolder();
    void sameEntryTwiceOpensTwice();
    void missingHelpPageStillOpens();
    void menusLeaveTheWindowAlone();

    void testMenuMatchesButton_data();
    void testMenuMatchesButton();

private:
    std::unique_ptr<TestWindow> t_;
};

void MenusTest::helpAddress_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("no separator at the end")
        << "/opt/kidsum" << "/opt/kidsum/help.htm" << QByteArray("file:///opt/kidsum/help.htm");
    QTest::newRow("separator at the end")
        << "/opt/kidsum/" << "/opt/kidsum/help.htm" << QByteArray("file:///opt/kidsum/help.htm");
    QTest::newRow("root folder")
        << "/" << "/help.htm" << QByteArray("file:///help.htm");
    QTest::newRow("spaces")
        << "/home/lele/my programs" << "/home/lele/my programs/help.htm"
        << QByteArray("file:///home/lele/my%20programs/help.htm");
    QTest::newRow("Chinese and a space, separator at the end")
        << "/home/乐乐/儿童 加减法/" << "/home/乐乐/儿童 加减法/help.htm"
        << QByteArray("file:///home/%E4%B9%90%E4%B9%90/"
                      "%E5%84%BF%E7%AB%A5%20%E5%8A%A0%E5%87%8F%E6%B3%95/help.htm");
    QTest::newRow("a percent sign stays a percent sign")
        << "/srv/100%" << "/srv/100%/help.htm" << QByteArray("file:///srv/100%25/help.htm");
}

void MenusTest::helpAddress()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(QByteArray, encoded);
    QCOMPARE(menus::helpPath(folder), path);
    const QUrl url = menus::helpUrl(folder);
    QVERIFY(url.isValid());
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), path);
    QCOMPARE(url.toEncoded(), encoded);
    // What the browser is handed decodes back to the same file.
    QCOMPARE(QUrl::fromEncoded(encoded).toLocalFile(), path);
}

namespace {
void addressRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<QString>("address");
    QTest::newRow("help, Alt+B") << "help" << int(Qt::Key_B) << true << helpMarker;
    QTest::newRow("update, Alt+G")
        << "update" << int(Qt::Key_G) << true << "main:/tools/kidsum.htm";
    QTest::newRow("yijian, Alt+Y")
        << "yijian" << int(Qt::Key_Y) << true << "main:/ly/";
    QTest::newRow("sb, F1")
        << "sb" << int(Qt::Key_F1) << false << "main:/www/5x1j/index.html";
    QTest::newRow("tools, F2")
        << "tools" << int(Qt::Key_F2) << false << "main:/tools/";
    QTest::newRow("vod, F3")
        << "vod" << int(Qt::Key_F3) << false << "main:/vod/";
    QTest::newRow("tv, F4") << "tv" << int(Qt::Key_F4) << false << "main:/tv/";
    QTest::newRow("music, F5")
        << "music" << int(Qt::Key_F5) << false << "main:/music/";
    QTest::newRow("kso, F6")
        << "kso" << int(Qt::Key_F6) << false << "main:/kso/";
    QTest::newRow("pc, F7, the same page as tools")
        << "pc" << int(Qt::Key_F7) << false << "main:/tools/";
    QTest::newRow("ebook, F8")
        << "ebook" << int(Qt::Key_F8) << false << "main:/home.htm";
    QTest::newRow("so, F9") << "so" << int(Qt::Key_F9) << false << "main:/so/";
    QTest::newRow("cp, F11, the only one on the second base")
        << "cp" << int(Qt::Key_F11) << false << "second:/gs/";
    QTest::newRow("wz, F12") << "wz" << int(Qt::Key_F12) << false << "main:/wz/";
}
} // namespace

void MenusTest::entryOpensItsAddress_data()
{
    addressRows();
}

void MenusTest::entryOpensItsAddress()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    TestWindow &t = *t_;
    QAction *action = entry(t, name);
    QVERIFY(action);
    QCOMPARE(action->objectName(), name);
    action->trigger();
    QCOMPARE(t.pages.opened.size(), 1);
    QCOMPARE(t.pages.opened.first().toString(), expectedAddress(t, address));
    QVERIFY(t.messages.shown.isEmpty());
}

void MenusTest::keyOpensTheSameAddress_data()
{
    addressRows();
}

void MenusTest::keyOpensTheSameAddress()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(bool, alt);
    QFETCH(QString, address);
    TestWindow &t = *t_;
    t.form->show();
    QVERIFY(QTest::qWaitForWindowActive(t.form.get()));
    // From the answer box, where a child's keys land.
    t.w().txtAnswer->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    alt ? Qt::AltModifier : Qt::NoModifier);
    QCOMPARE(t.pages.opened.size(), 1);
    QCOMPARE(t.pages.opened.first().toString(), expectedAddress(t, address));
    QVERIFY(!t.form->site->isVisible());
    QCOMPARE(t.w().txtAnswer->text(), QString());
}

void MenusTest::helpInAwkwardFolder_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<bool>("trailingSeparator");
    QTest::newRow("plain") << QString() << false;
    QTest::newRow("plain, separator at the end") << QString() << true;
    QTest::newRow("spaces") << "my kid sum" << false;
    QTest::newRow("Chinese") << "乐乐 儿童加减法" << false;
    QTest::newRow("Chinese, separator at the end") << "乐乐 儿童加减法" << true;
}

void MenusTest::helpInAwkwardFolder()
{
    QFETCH(QString, subfolder);
    QFETCH(bool, trailingSeparator);
    TestWindow t(subfolder, trailingSeparator);
    t.load();
    t.form->help->trigger();
    QCOMPARE(t.pages.opened.size(), 1);
    const QUrl url = t.pages.opened.first();
    QVERIFY(url.isLocalFile());
    const QString file = url.toLocalFile();
    QCOMPARE(file, t.folder.file("help.htm"));
    QVERIFY(!file.contains(QStringLiteral("//")));
    QVERIFY(QFile::exists(file));
    // The encoded form is what a browser's command line receives.
    const QByteArray encoded = url.toEncoded();
    QVERIFY(encoded.startsWith("file:///"));
    QVERIFY(!encoded.contains(' '));
    QCOMPARE(QUrl::fromEncoded(encoded).toLocalFile(), file);
}

void MenusTest::sameEntryTwiceOpensTwice()
{
    TestWindow &t = *t_;
    t.form->webAction("tools")->trigger();
    t.form->webAction("tools")->trigger();
    t.form->help->trigger();
    t.form->help->trigger();
    t.form->webAction("pc")->trigger();
    QCOMPARE(t.pages.opened.size(), 5);
    const QUrl tools(QStringLiteral(KIDSUM_MAIN_BASE "/tools/"));
    const QUrl help = QUrl::fromLocalFile(t.folder.file("help.htm"));
    QCOMPARE(t.pages.opened, QList<QUrl>({tools, tools, help, help, tools}));
}

void MenusTest::missingHelpPageStillOpens()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.ask(6, 2);
    QVERIFY(t.folder.remove("help.htm"));
    const QStringList before = snapshot(t);
    t.form->help->trigger();
    QCOMPARE(t.pages.opened.size(), 1);
    QCOMPARE(t.pages.opened.first().toLocalFile(), t.folder.file("help.htm"));
    QCOMPARE(snapshot(t), before);
    QVERIFY(t.messages.shown.isEmpty());
    QCOMPARE(w.txtAnswer->text(), QStringLiteral("?"));
}

void MenusTest::menusLeaveTheWindowAlone()
{
    TestWindow &t = *t_;
    Window &w = t.w();
    t.pick(w.cboPic, HintKind::Set2);
    t.ask(9, 4, Operation::Subtraction);
    w.chkAuto->setChecked(false);
    w.txtAnswer->setText(QStringLiteral("3")); // a wrong answer: the wrong picture shows
    QCOMPARE(w.ImgOk->picturePath(), t.folder.file("img/err.jpg"));
    const QStringList before = snapshot(t);
    const int reseeds = t.random.reseeds;
    const int used = t.random.used;
    t.form->help->trigger();
    for (const menus::WebEntry &row : menus::webEntries())
        t.form->webAction(row.name)->trigger();
    QCOMPARE(t.pages.opened.size(), 1 + int(menus::webEntries().size()));
    QCOMPARE(snapshot(t), before);
    QCOMPARE(t.random.reseeds, reseeds);
    QCOMPARE(t.random.used, used);
    QVERIFY(t.messages.shown.isEmpty());
}

void MenusTest::testMenuMatchesButton_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("hints"); // position of cboPic
    QTest::addColumn<bool>("rightAnswerFirst");
    QTest::addColumn<bool>("pictureMissing");
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;
    QTest::newRow("8 + 3, set 1") << 8 << 3 << plus << 1 << false << false;
    QTest::newRow("8 + 3, set 1, right answer on display") << 8 << 3 << plus << 1 << true << false;
    QTest::newRow("9 - 4, set 3, right answer on display") << 9 << 4 << minus << 3 << true << false;
    QTest::newRow("0 + 20, no hints") << 0 << 20 << plus << 0 << false << false;
    QTest::newRow("20 - 20, set 2") << 20 << 20 << minus << 2 << true << false;
    QTest::newRow("hint picture missing: the same message") << 5 << 2 << plus << 1 << false << true;
}

void MenusTest::testMenuMatchesButton()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(Operation, operation);
    QFETCH(int, hints);
    QFETCH(bool, rightAnswerFirst);
    QFETCH(bool, pictureMissing);

    // Two windows in the same state, the same random numbers; one is asked
    // by the button, the other by the menu entry.
    struct Run {
        bool rightShownBefore;
        QStringList state;
        QList<ShownMessage> shown; // the message boxes
        int reseeds;
        int used;
    };
    const auto run = [&](bool byMenu) {
        TestWindow t;
        Window &w = t.w();
        t.load();
        t.pick(w.cboPic, hints);
        t.ask(first, second, operation); // a first question, so there is one to replace
        if (rightAnswerFirst) {
            w.chkAuto->setChecked(false);
            const int result = operation == Operation::Addition ? first + second : first - second;
            w.txtAnswer->setText(QString::number(result));
        }
        const bool rightShown = w.ImgOk->picturePath() == t.folder.file("img/ok.jpg");
        if (pictureMissing)
            t.folder.remove("img/1/33.jpg");
        t.messages.shown.clear();
        t.random.reseeds = 0;
        t.random.used = 0;
        t.question(first, second, 0.5); // picture 0.5 * 66 + 0.5 -> 33
        if (byMenu)
            t.form->test_word->trigger();
        else
            w.cmdTest->click();
        return Run{rightShown, snapshot(t), t.messages.shown, t.random.reseeds, t.random.used};
    };
    const Run button = run(false);
    const Run menu = run(true);
    QCOMPARE(menu.rightShownBefore, rightAnswerFirst);
    QCOMPARE(button.rightShownBefore, rightAnswerFirst);

    QCOMPARE(menu.state, button.state);
    QCOMPARE(menu.reseeds, 1);
    QCOMPARE(menu.used, button.used);
    QCOMPARE(menu.shown, button.shown);
    // And it is a fresh question, not the old state left alone.
    QVERIFY(menu.state.contains(QStringLiteral("question %1%2%3=?")
                                    .arg(first)
                                    .arg(operation == Operation::Addition ? "+" : "-")
                                    .arg(second)));
    QVERIFY(menu.state.contains(QStringLiteral("feedback ")));
    if (pictureMissing)
        EXPECT_ERROR_TRAP(menu);
    else
        QVERIFY(menu.shown.isEmpty());
}

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
