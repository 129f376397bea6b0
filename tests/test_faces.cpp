// The program's own faces (Linux): cut from the installed Noto faces by the
// build, they must hold every character the window shows and draw each one
// pixel for pixel as the whole faces do, so that the window looks the same
// with them as without them.
#include "app/faces.h"
#include "app/qt_texts.h"
#include "test_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QPainter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class FacesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    // First, while Qt knows only the installed faces.
    void windowLooksTheSameWithTheOwnFaces();
    void ownFacesHoldEveryCharacterShown();
    void ownFacesDrawEveryTextAsTheWholeFaces();
    void ownFacesFolderIsBesideTheProgram();

private:
    // Every text the window, its boxes and its edit menus show.
    static QStringList everyTextShown();
};

namespace {

const QString ownFolder = QStringLiteral(KIDSUM_OWN_FACES_DIR);

// Adds the own faces to Qt's font database, once. The program adds them to
// fontconfig before Qt reads its list; here Qt's database may already be
// filled, so they go through Qt.
void addOwnFacesToQt()
{
    static bool added = false;
    if (added)
        return;
    for (const auto &[file, family] : {std::pair{faces::ownSansFile, faces::ownSansFamily},
                                       std::pair{faces::ownSerifFile, faces::ownSerifFamily}}) {
        const QString path = ownFolder + u'/' + QLatin1String(file);
        const int id = QFontDatabase::addApplicationFont(path);
        QVERIFY2(id >= 0, qPrintable(path));
        QCOMPARE(QFontDatabase::applicationFontFamilies(id), QStringList{QLatin1String(family)});
    }
    added = true;
}

QFont only(const char *family, int points)
{
    QFont font;
    font.setFamilies({QLatin1String(family)});
    font.setPointSize(points);
    return font;
}

QImage drawn(const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 8, metrics.height() + 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(4, 4 + metrics.ascent(), text);
    return image;
}

QImage windowShot(TestWindow &t)
{
    t.load();
    t.ask(18, 9);
    QTest::keyClicks(t.w().txtAnswer, QStringLiteral("2"));
    t.form->show();
    if (!QTest::qWaitForWindowExposed(t.form.get()))
        return {};
    return t.form->grab().toImage();
}

} // namespace

void FacesTest::initTestCase()
{
    QVERIFY2(!ownFolder.isEmpty(), "the build made no own faces (python3-fonttools, fonts-noto-cjk)");
    // Qt's texts in Chinese, as the program shows them.
    QVERIFY(!installQtChineseTexts(*qApp, {QFileInfo(QStringLiteral(KIDSUM_QT_CATALOGUE)).path()})
                 .isEmpty());
}

void FacesTest::windowLooksTheSameWithTheOwnFaces()
{
    TestWindow whole;
    const QImage before = windowShot(whole);
    QVERIFY(!before.isNull());
    QVERIFY(QFontInfo(whole.w().cmdTest->font()).family() != QLatin1String(faces::ownSansFamily));

    addOwnFacesToQt();
    TestWindow own;
    const QImage after = windowShot(own);
    // Really drawn with the own faces, the controls and the question row.
    QCOMPARE(QFontInfo(own.w().cmdTest->font()).family(), QLatin1String(faces::ownSansFamily));
    QCOMPARE(QFontInfo(own.w().txtTest1->font()).family(), QLatin1String(faces::ownSerifFamily));
    QCOMPARE(own.w().txtTest1->text(), QStringLiteral("18"));
    QCOMPARE(after, before);
}

QStringList FacesTest::everyTextShown()
{
    TestWindow t;
    t.load();
    QStringList texts = t.shownTexts();
    texts << QCoreApplication::translate("QPlatformTheme", "OK");
    // The edit menus, taken from Qt with its catalogue installed.
    for (QLineEdit *field : {t.w().txtAnswer, t.w().txtTest1}) {
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        for (const QAction *action : menu->actions())
            texts << action->text().remove(u'&');
    }
    // Whatever a child or a parent types: ASCII and its full-width forms.
    QString typed;
    for (char16_t c = 0x21; c < 0x7f; ++c)
        typed += QChar(c);
    for (char16_t c = 0xff01; c < 0xff5f; ++c)
        typed += QChar(c);
    texts << typed << QStringLiteral("\u3000");
    texts.removeAll(QString());
    return texts;
}

void FacesTest::ownFacesHoldEveryCharacterShown()
{
    addOwnFacesToQt();
    const QRawFont sans = QRawFont::fromFont(only(faces::ownSansFamily, 9));
    const QRawFont serif = QRawFont::fromFont(only(faces::ownSerifFamily, 42));
    QCOMPARE(sans.familyName(), QLatin1String(faces::ownSansFamily));
    QCOMPARE(serif.familyName(), QLatin1String(faces::ownSerifFamily));
    const QStringList texts = everyTextShown();
    QVERIFY(texts.size() > 50);
    for (const QString &text : texts) {
        for (const QChar c : text) {
            if (c.isSpace() && c != QChar(0x3000))
                continue;
            QVERIFY2(sans.supportsCharacter(c),
                     qPrintable(QStringLiteral("%1 in \"%2\" is not in the own sans face").arg(c, text)));
        }
    }
    // The question row: the numbers, the signs and what the child types.
    for (const QChar c : QStringLiteral("0123456789+-=?０１２３４５６７８９＋－．"))
        QVERIFY2(serif.supportsCharacter(c), qPrintable(QString(c)));
}

void FacesTest::ownFacesDrawEveryTextAsTheWholeFaces()
{
    addOwnFacesToQt();
    const QStringList texts = everyTextShown();
    for (const QString &text : texts) {
        const QImage own = drawn(text, only(faces::ownSansFamily, 9));
        QVERIFY2(own == drawn(text, only("Noto Sans CJK SC", 9)),
                 qPrintable(QStringLiteral("\"%1\" differs in the own sans face").arg(text)));
    }
    for (const QString &text : {QStringLiteral("0123456789"), QStringLiteral("+ - = ?"),
                                QStringLiteral("18 + 9 = 27"), QStringLiteral("２０－７")}) {
        const QImage own = drawn(text, only(faces::ownSerifFamily, 42));
        QVERIFY2(own == drawn(text, only("Noto Serif CJK SC", 42)),
                 qPrintable(QStringLiteral("\"%1\" differs in the own serif face").arg(text)));
    }
}

void FacesTest::ownFacesFolderIsBesideTheProgram()
{
    // Found before the application exists, where Qt finds the program.
    QCOMPARE(faces::ownFacesFolder(), QCoreApplication::applicationDirPath() + "/fonts");
    // A folder without them adds none, and nothing goes wrong.
    QTemporaryDir empty;
    QCOMPARE(faces::addOwnFaces(empty.path()), 0);
    QCOMPARE(faces::addOwnFaces(QString()), 0);
}

QTEST_MAIN(FacesTest)
#include "test_faces.moc"
