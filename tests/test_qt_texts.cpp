// Qt's own texts in Chinese: where the catalogue is looked for, what happens
// without it, and what the real message box and the real edit fields show
// once it is installed.

#include "app/qt_texts.h"
#include "controls/real_services.h"
#include "test_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// The text of an action without its access key "(&X)" and shortcut part.
QString bareText(QString text)
{
    text = text.section(u'\t', 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(u'&');
    return text;
}

QString qtOk()
{
    return QCoreApplication::translate("QPlatformTheme", "OK");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What a real modal box shows, read while it is open, then closed with `key`.
struct OpenBox {
    QString title;
    QStringList buttons;
    bool closedByKey = false;
};

OpenBox showRealMessage(MessageIcon icon, Qt::Key key)
{
    OpenBox seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        for (QAbstractButton *button : box->buttons())
            seen.buttons.append(button->text());
        QTest::keyClick(box, key);
        seen.closedByKey = true;
    });
    // A stuck box must fail the test, not hang it.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    guard.start(5000);
    DialogMessages().show(QStringLiteral("出现异常错误,请与作者联系!"), QString(), icon);
    return seen;
}

} // namespace

class TestQtTexts : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void foldersBesideTheProgramFirst_data();
    void foldersBesideTheProgramFirst();

    void noCatalogueLeavesQtsEnglish();
    void aBrokenCopyDoesNotHideAGoodOne();
    void theCopyBesideTheProgramWins();

    void messageBoxHasOneChineseButtonAndKeysStillCloseIt_data();
    void messageBoxHasOneChineseButtonAndKeysStillCloseIt();
    void editFieldMenusAreChinese();
    void windowWorksWithoutTheCatalogue();
    void helpPageNamesWhatTheWindowShows();

private:
    std::unique_ptr<QTemporaryDir> makeFolders(QString &withCatalogue, QString &empty);
    void installRealCatalogue();
};

void TestQtTexts::cleanup()
{
    // Each case starts from Qt's English texts.
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QCOMPARE(qtOk(), QStringLiteral("OK"));
}

void TestQtTexts::foldersBesideTheProgramFirst_data()
{
    QTest::addColumn<QString>("appFolder");
    QTest::addColumn<QString>("qtFolder");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("both, program first") << "/opt/kidsum" << "/usr/share/qt6/translations"
                                         << QStringList{"/opt/kidsum", "/usr/share/qt6/translations"};
    QTest::newRow("trailing separator dropped") << "/opt/kidsum/" << "/usr/share/qt6/translations/"
                                                << QStringList{"/opt/kidsum", "/usr/share/qt6/translations"};
    QTest::newRow("same folder once") << "/usr/share/qt6/translations/" << "/usr/share/qt6/translations"
                                      << QStringList{"/usr/share/qt6/translations"};
    QTest::newRow("Qt gives no folder") << "/opt/kidsum" << "" << QStringList{"/opt/kidsum"};
    QTest::newRow("folder with blank and Chinese") << "/home/a b/乐乐" << "/q"
                                                   << QStringList{"/home/a b/乐乐", "/q"};
}

void TestQtTexts::foldersBesideTheProgramFirst()
{
    QFETCH(QString, appFolder);
    QFETCH(QString, qtFolder);
    QFETCH(QStringList, expected);
    QCOMPARE(qtCatalogueFolders(appFolder, qtFolder), expected);
}

std::unique_ptr<QTemporaryDir> TestQtTexts::makeFolders(QString &withCatalogue, QString &empty)
{
    auto root = std::make_unique<QTemporaryDir>();
    withCatalogue = root->filePath(QStringLiteral("with catalogue 乐"));
    empty = root->filePath(QStringLiteral("empty"));
    QDir().mkpath(withCatalogue);
    QDir().mkpath(empty);
    QFile::copy(QStringLiteral(KIDSUM_QT_CATALOGUE), QDir(withCatalogue).filePath(qtCatalogueFile));
    return root;
}

void TestQtTexts::installRealCatalogue()
{
    QVERIFY(!installQtChineseTexts(*qApp, {QFileInfo(QStringLiteral(KIDSUM_QT_CATALOGUE)).path()})
                 .isEmpty());
}

void TestQtTexts::noCatalogueLeavesQtsEnglish()
{
    QString with, empty;
    const auto root = makeFolders(with, empty);
    QCOMPARE(installQtChineseTexts(*qApp, {empty, root->filePath("missing")}), QString());
    QCOMPARE(installQtChineseTexts(*qApp, {}), QString());
    QCOMPARE(qtOk(), QStringLiteral("OK"));
    QVERIFY(qApp->findChildren<QTranslator *>().isEmpty());
}

void TestQtTexts::aBrokenCopyDoesNotHideAGoodOne()
{
    QString with, empty;
    const auto root = makeFolders(with, empty);
    const QString broken = root->filePath("broken");
    QDir().mkpath(broken);
    writeFile(QDir(broken).filePath(qtCatalogueFile), "not a catalogue");
    // A folder named like the catalogue is not a catalogue either.
    QDir().mkpath(QDir(empty).filePath(qtCatalogueFile));

    QCOMPARE(installQtChineseTexts(*qApp, {empty, broken, with}),
             QDir(with).filePath(qtCatalogueFile));
    QCOMPARE(qtOk(), QStringLiteral("确定"));
    QCOMPARE(qApp->findChildren<QTranslator *>().size(), 1);
}

void TestQtTexts::theCopyBesideTheProgramWins()
{
    QString with, empty;
    const auto root = makeFolders(with, empty);
    const QString second = root->filePath("qt");
    QDir().mkpath(second);
    QFile::copy(QStringLiteral(KIDSUM_QT_CATALOGUE), QDir(second).filePath(qtCatalogueFile));
    QCOMPARE(installQtChineseTexts(*qApp, qtCatalogueFolders(with, second)),
             QDir(with).filePath(qtCatalogueFile));
    QCOMPARE(qApp->findChildren<QTranslator *>().size(), 1);
}

void TestQtTexts::messageBoxHasOneChineseButtonAndKeysStillCloseIt_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("key");
    QTest::newRow("exclamation, Return") << int(MessageIcon::Exclamation) << int(Qt::Key_Return);
    QTest::newRow("stop, Esc") << int(MessageIcon::Stop) << int(Qt::Key_Escape);
    QTest::newRow("information, Enter") << int(MessageIcon::Information) << int(Qt::Key_Enter);
}

void TestQtTexts::messageBoxHasOneChineseButtonAndKeysStillCloseIt()
{
    QFETCH(int, icon);
    QFETCH(int, key);
    installRealCatalogue();
    const OpenBox seen = showRealMessage(MessageIcon(icon), Qt::Key(key));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
    QVERIFY(seen.closedByKey);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestQtTexts::editFieldMenusAreChinese()
{
    installRealCatalogue();
    TestWindow t;
    t.load();
    const QStringList editable{"撤消", "重做", "剪切", "复制", "粘贴", "删除", "全选"};
    const QStringList readOnly{"复制", "全选"};
    const QList<std::pair<QLineEdit *, QStringList>> fields{
        {t.w().txtAnswer, editable}, {t.w().cbo1st->lineEdit(), editable},
        {t.w().txtTest1, t.w().txtTest1->isReadOnly() ? readOnly : editable}};
    for (const auto &[field, expected] : fields) {
        QVERIFY(field);
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        QStringList texts;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts.append(bareText(action->text()));
        }
        QCOMPARE(texts, expected);
    }
}

void TestQtTexts::windowWorksWithoutTheCatalogue()
{
    QCOMPARE(installQtChineseTexts(*qApp, {}), QString());
    TestWindow t;
    t.load();
    t.ask(7, 5);
    QCOMPARE(t.w().txtTest1->text(), QStringLiteral("7"));
    QTest::keyClicks(t.w().txtAnswer, QStringLiteral("12"));
    QCOMPARE(t.w().txtAnswer->text(), QStringLiteral("?"));  // right: the next question
    QVERIFY(t.messages.shown.isEmpty());
}

// The help page marks the words a parent reads on screen; each must be one
// the window (or a box it opens) shows, or a number the child types.
void TestQtTexts::helpPageNamesWhatTheWindowShows()
{
    installRealCatalogue();
    TestWindow t;
    t.load();
    QSet<QString> shown{qtOk()};
    for (QString text : t.shownTexts())
        shown.insert(text.remove(u'&').trimmed());

    QFile page(QStringLiteral(KIDSUM_HELP_PAGE));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    static const QRegularExpression ui(QStringLiteral("<span class=\"ui\">([^<]*)</span>"));
    static const QRegularExpression number(QStringLiteral("^(1?[0-9]|20)$"));
    int named = 0;
    for (const QRegularExpressionMatch &m : ui.globalMatch(html)) {
        const QString word = m.captured(1);
        ++named;
        QVERIFY2(shown.contains(word) || number.match(word).hasMatch(),
                 qPrintable(QStringLiteral("the help page names \"%1\", which the window never shows")
                                .arg(word)));
    }
    QVERIFY2(named > 20, "the help page marks no words of the window");
    QVERIFY(html.contains(QStringLiteral("<span class=\"ui\">确定</span>")));
}

QTEST_MAIN(TestQtTexts)
#include "test_qt_texts.moc"
