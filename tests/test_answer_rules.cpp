// The verdict on the answer box's text, without a window: what a text means,
// the result it is judged against, and the counting explanation.
#include "core/runtime_failure.h"
#include "feedback/answer_rules.h"

#include <QTest>

#include <limits>
#include <string>

using feedback::TypedAnswer;
using feedback::Verdict;
using Kind = TypedAnswer::Kind;

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Verdict)

namespace {

// The rule stated once more, on plain integers and std::string, so that it
// shares nothing with the code under test.
Verdict verdictByHand(int typed, int first, int second, Operation operation)
{
    const int expected = operation == Operation::Addition ? first + second : first - second;
    if (typed == expected)
        return Verdict::Right;
    if (std::to_string(expected).find(std::to_string(typed)) != std::string::npos)
        return Verdict::StillTyping;
    return Verdict::Wrong;
}

const char *name(Verdict v)
{
    switch (v) {
    case Verdict::Right: return "right";
    case Verdict::StillTyping: return "still typing";
    case Verdict::Wrong: return "wrong";
    }
    return "?";
}

// The module's verdict for a typed number against every question 0..20 of
// both operations; returns an empty text or the first mismatch.
QString mismatchOverAllQuestions(const QString &text, int typed)
{
    for (const Operation operation : {Operation::Addition, Operation::Subtraction}) {
        for (int a = 0; a <= 20; ++a) {
            for (int b = 0; b <= 20; ++b) {
                const Verdict got = feedback::judge(typed, feedback::expectedResult(a, b, operation));
                const Verdict want = verdictByHand(typed, a, b, operation);
                if (got != want)
                    return QStringLiteral("\"%1\" for %2 %3 %4: got %5, want %6")
                        .arg(text.left(12)).arg(a).arg(operation == Operation::Addition ? '+' : '-').arg(b)
                        .arg(QLatin1String(name(got)), QLatin1String(name(want)));
            }
        }
    }
    return {};
}

} // namespace

class AnswerRulesTest : public QObject {
    Q_OBJECT
private slots:
    void everyTwoDigitTextAgainstEveryQuestion();
    void oddTexts_data();
    void oddTexts();
    void rewriteAlwaysLeavesANumber();
    void examplesFromTheLesson_data();
    void examplesFromTheLesson();
    void theOperationGivesTheSign();
    void resultOutOfRangeIsAFailure();
    void countingExplanation();
};

void AnswerRulesTest::everyTwoDigitTextAgainstEveryQuestion()
{
    QStringList texts;
    for (int n = 0; n <= 99; ++n)
        texts << QString::number(n);
    for (int n = 0; n <= 9; ++n)
        texts << QStringLiteral("0%1").arg(n); // "05": a zero typed first
    for (const QString &text : std::as_const(texts)) {
        const TypedAnswer typed = feedback::readTypedAnswer(text);
        QCOMPARE(typed.kind, Kind::Number);
        QCOMPARE(typed.number, std::stoi(text.toStdString()));
        const QString mismatch = mismatchOverAllQuestions(text, typed.number);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void AnswerRulesTest::oddTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("rewrite"); // Rewrite: what the box is set to
    QTest::addColumn<int>("number");      // Number, or the number the rewrite reads as

    QTest::newRow("empty") << "" << Kind::Nothing << "" << 0;
    QTest::newRow("placeholder") << "?" << Kind::Nothing << "" << 0;

    QTest::newRow("blank alone") << " " << Kind::NotNumeric << "" << 0;
    QTest::newRow("ideographic space alone") << QString::fromUtf16(u"\u3000") << Kind::NotNumeric << "" << 0;
    QTest::newRow("minus alone") << "-" << Kind::NotNumeric << "" << 0;
    QTest::newRow("full-width minus alone") << QString::fromUtf16(u"－") << Kind::NotNumeric << "" << 0;
    QTest::newRow("point alone") << "." << Kind::NotNumeric << "" << 0;
    QTest::newRow("letter") << "a" << Kind::NotNumeric << "" << 0;
    QTest::newRow("digit then letter") << "1a" << Kind::NotNumeric << "" << 0;
    QTest::newRow("placeholder then digit") << "?1" << Kind::NotNumeric << "" << 0;
    QTest::newRow("two placeholders") << "??" << Kind::NotNumeric << "" << 0;
    QTest::newRow("exponent") << "1e3" << Kind::NotNumeric << "" << 0;
    QTest::newRow("blank inside") << "1 2" << Kind::NotNumeric << "" << 0;
    QTest::newRow("chinese numeral") << QString::fromUtf16(u"十二") << Kind::NotNumeric << "" << 0;
    QTest::newRow("long text with a letter at the end")
        << QString(500, u'1') + u'x' << Kind::NotNumeric << "" << 0;

    QTest::newRow("blank before") << " 7" << Kind::Number << "" << 7;
    QTest::newRow("blank after") << "7 " << Kind::Number << "" << 7;
    QTest::newRow("tab before") << "\t7" << Kind::Number << "" << 7;
    QTest::newRow("ideographic space before") << QString::fromUtf16(u"\u30007") << Kind::Number << "" << 7;
    QTest::newRow("two digits, blanks around") << "  12  " << Kind::Number << "" << 12;
    QTest::newRow("full-width 12") << QString::fromUtf16(u"１２") << Kind::Number << "" << 12;
    QTest::newRow("full-width 0") << QString::fromUtf16(u"０") << Kind::Number << "" << 0;
    QTest::newRow("mixed widths") << QString::fromUtf16(u"1２") << Kind::Number << "" << 12;
    QTest::newRow(".5 ties to even 0") << ".5" << Kind::Number << "" << 0;
    QTest::newRow(".6 rounds up to 1") << ".6" << Kind::Number << "" << 1;
    QTest::newRow("trailing point") << "7." << Kind::Number << "" << 7;
    QTest::newRow("minus one") << "-1" << Kind::Number << "" << -1;
    QTest::newRow("plus three") << "+3" << Kind::Number << "" << 3;
    QTest::newRow("full-width minus three") << QString::fromUtf16(u"－３") << Kind::Number << "" << -3;

    QTest::newRow("123 -> 23") << "123" << Kind::Rewrite << "23" << 23;
    QTest::newRow("' 456 ' -> 56") << " 456 " << Kind::Rewrite << "56" << 56;
    QTest::newRow("-12 -> 12") << "-12" << Kind::Rewrite << "12" << 12;
    QTest::newRow("+12 -> 12") << "+12" << Kind::Rewrite << "12" << 12;
    QTest::newRow("007 -> 07") << "007" << Kind::Rewrite << "07" << 7;
    QTest::newRow("1.5 -> .5") << "1.5" << Kind::Rewrite << ".5" << 0;
    QTest::newRow("12. -> 2.") << "12." << Kind::Rewrite << "2." << 2;
    QTest::newRow("full-width 123 keeps its last two")
        << QString::fromUtf16(u"１２３") << Kind::Rewrite << QString::fromUtf16(u"２３") << 23;
    QTest::newRow("ideographic spaces around 123")
        << QString::fromUtf16(u"\u3000123\u3000") << Kind::Rewrite << "23" << 23;
    QTest::newRow("ten thousand digits") << QString(9998, u'9') + "12" << Kind::Rewrite << "12" << 12;
}

void AnswerRulesTest::oddTexts()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    QFETCH(QString, rewrite);
    QFETCH(int, number);

    const TypedAnswer typed = feedback::readTypedAnswer(text);
    QCOMPARE(typed.kind, kind);
    if (kind == Kind::Rewrite) {
        QCOMPARE(typed.rewrite, rewrite);
        // The nested run reads the rewritten text.
        const TypedAnswer nested = feedback::readTypedAnswer(typed.rewrite);
        QCOMPARE(nested.kind, Kind::Number);
        QCOMPARE(nested.number, number);
    } else if (kind == Kind::Number) {
        QCOMPARE(typed.number, number);
    }
    if (kind == Kind::Number || kind == Kind::Rewrite) {
        const QString mismatch = mismatchOverAllQuestions(text, number);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
}

void AnswerRulesTest::rewriteAlwaysLeavesANumber()
{
    // Every numeric text of three characters over the alphabet a child can
    // reach: the rewrite must read as a number, or the nested run would show
    // the wrong picture for a text the child never typed.
    const QString alphabet = QStringLiteral("0129+-. ");
    int rewrites = 0;
    for (const QChar x : alphabet)
        for (const QChar y : alphabet)
            for (const QChar z : alphabet) {
                const QString text = QString(x) + y + z;
                const TypedAnswer typed = feedback::readTypedAnswer(text);
                if (typed.kind != Kind::Rewrite)
                    continue;
                ++rewrites;
                QCOMPARE(typed.rewrite.size(), 2);
                QVERIFY2(feedback::readTypedAnswer(typed.rewrite).kind == Kind::Number,
                         qPrintable(text));
            }
    QVERIFY(rewrites > 0);
}

void AnswerRulesTest::examplesFromTheLesson_data()
{
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<Verdict>("verdict");
    QTest::newRow("15: 1 still typing") << 1 << 15 << Verdict::StillTyping;
    QTest::newRow("15: 5 still typing, second place") << 5 << 15 << Verdict::StillTyping;
    QTest::newRow("15: 3 wrong") << 3 << 15 << Verdict::Wrong;
    QTest::newRow("15: 15 right") << 15 << 15 << Verdict::Right;
    QTest::newRow("7: 17 wrong") << 17 << 7 << Verdict::Wrong;
    QTest::newRow("12: -1 wrong") << -1 << 12 << Verdict::Wrong;
    QTest::newRow("-2: 2 still typing") << 2 << -2 << Verdict::StillTyping;
    QTest::newRow("-2: -2 right") << -2 << -2 << Verdict::Right;
    QTest::newRow("0: 0 right") << 0 << 0 << Verdict::Right;
    QTest::newRow("10: 0 still typing") << 0 << 10 << Verdict::StillTyping;
}

void AnswerRulesTest::examplesFromTheLesson()
{
    QFETCH(int, typed);
    QFETCH(int, expected);
    QFETCH(Verdict, verdict);
    QCOMPARE(feedback::judge(typed, expected), verdict);
}

void AnswerRulesTest::theOperationGivesTheSign()
{
    QCOMPARE(feedback::expectedResult(7, 5, Operation::Addition), 12);
    QCOMPARE(feedback::expectedResult(7, 5, Operation::Subtraction), 2);
    QCOMPARE(feedback::expectedResult(3, 5, Operation::Subtraction), -2);
}

void AnswerRulesTest::resultOutOfRangeIsAFailure()
{
    constexpr int max = std::numeric_limits<int>::max();
    constexpr int min = std::numeric_limits<int>::min();
    constexpr Operation plus = Operation::Addition;
    constexpr Operation minus = Operation::Subtraction;
    QCOMPARE(feedback::expectedResult(max - 1, 1, plus), max);
    QCOMPARE(feedback::expectedResult(min + 1, 1, minus), min);
    QVERIFY_THROWS_EXCEPTION(RuntimeFailure, feedback::expectedResult(max, 1, plus));
    QVERIFY_THROWS_EXCEPTION(RuntimeFailure, feedback::expectedResult(min, 1, minus));
    QVERIFY_THROWS_EXCEPTION(RuntimeFailure, feedback::expectedResult(0, min, minus));
}

void AnswerRulesTest::countingExplanation()
{
    QCOMPARE(feedback::countingExplanation(4),
             QStringLiteral("第一位的图案先数出4个不要了，以第5个做为第1个，"
                            "开始数第一位余下的图案数量，就可以得到结果了！"));
    QCOMPARE(feedback::countingExplanation(0),
             QStringLiteral("第一位的图案先数出0个不要了，以第1个做为第1个，"
                            "开始数第一位余下的图案数量，就可以得到结果了！"));
    QCOMPARE(feedback::countingExplanation(19),
             QStringLiteral("第一位的图案先数出19个不要了，以第20个做为第1个，"
                            "开始数第一位余下的图案数量，就可以得到结果了！"));
    QVERIFY_THROWS_EXCEPTION(RuntimeFailure,
                             feedback::countingExplanation(std::numeric_limits<int>::max()));
}

QTEST_APPLESS_MAIN(AnswerRulesTest)
#include "test_answer_rules.moc"
