// The range table, the draw rule, the subtraction correction and the range
// conflict rule, without a window.
#include "controls/real_services.h"
#include "core/runtime_failure.h"
#include "fakes.h"
#include "quiz/draw_rule.h"
#include "quiz/range_check_rule.h"
#include "quiz/range_table.h"

#include <QTest>

#include <cmath>
#include <deque>
#include <map>

using quiz::OperandRange;
using quiz::Operands;

Q_DECLARE_METATYPE(OperandRange)
Q_DECLARE_METATYPE(Operands)

class QuizRulesTest : public QObject {
    Q_OBJECT
private slots:
    void rangeTable_data();
    void rangeTable();
    void rangeTableTexts();

    void drawRule_data();
    void drawRule();
    void drawRuleEndValuesHalfAsOften();
    void hintNumbers();

    void subtractionCorrection_data();
    void subtractionCorrection();
    void drawsInOrder();
    void additionIsNeverCorrected();
    void onlyPositionOneIsSubtraction();
    void subtractionResultsAreNeverNegative();

    void rangeConflict_data();
    void rangeConflict();
};

void QuizRulesTest::rangeTable_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<OperandRange>("range");
    QTest::newRow("不限定") << 0 << OperandRange{0, 20};
    for (int n = 0; n <= 20; ++n)
        QTest::addRow("single %d", n) << n + 1 << OperandRange{n, n};
    QTest::newRow("0～2") << 22 << OperandRange{0, 2};
    QTest::newRow("0～5") << 23 << OperandRange{0, 5};
    QTest::newRow("0～10") << 24 << OperandRange{0, 10};
    QTest::newRow("0～15") << 25 << OperandRange{0, 15};
    QTest::newRow("0～20") << 26 << OperandRange{0, 20};
    QTest::newRow("5～10") << 27 << OperandRange{5, 10};
    QTest::newRow("10～15") << 28 << OperandRange{10, 15};
    QTest::newRow("15～20") << 29 << OperandRange{15, 20};
    QTest::newRow("no selection reads as -2") << -1 << OperandRange{-2, -2};
}

void QuizRulesTest::rangeTable()
{
    QFETCH(int, position);
    QFETCH(OperandRange, range);
    QCOMPARE(quiz::rangeAt(position), range);
}

void QuizRulesTest::rangeTableTexts()
{
    QStringList texts;
    for (int i = 0; i < quiz::rangeEntryCount; ++i)
        texts << QString::fromUtf16(quiz::rangeEntryText(i));
    QCOMPARE(texts.size(), 30);
    QCOMPARE(texts.first(), QStringLiteral("不限定"));
    QCOMPARE(texts.mid(1, 21).join(','),
             QStringLiteral("0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20"));
    // The sign in the spans is the full-width tilde U+FF5E.
    QCOMPARE(texts.mid(22).join(','),
             QString::fromUtf16(u"0\uFF5E2,0\uFF5E5,0\uFF5E10,0\uFF5E15,0\uFF5E20,5\uFF5E10,"
                                u"10\uFF5E15,15\uFF5E20"));
}

void QuizRulesTest::drawRule_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("value");
    QTest::newRow("r=0 gives low") << 0 << 20 << 0.0 << 0;
    // Right below the step; one ulp below would round up to it in the sum.
    QTest::newRow("just below 0.5/(H-L) stays low") << 0 << 20 << 0.5 / 20 - 1e-12 << 0;
    QTest::newRow("at 0.5/(H-L) steps up") << 0 << 20 << 0.5 / 20 << 1;
    QTest::newRow("top of [0,1) gives high") << 0 << 20 << std::nextafter(1.0, 0.0) << 20;
    QTest::newRow("just below the last step") << 0 << 20 << std::nextafter(19.5 / 20, 0.0) << 19;
    QTest::newRow("0..2 middle") << 0 << 2 << 0.5 << 1;
    QTest::newRow("L = H gives L") << 7 << 7 << 0.9 << 7;
    QTest::newRow("offset range") << 15 << 20 << 0.5 << 18;
    QTest::newRow("H < L yields from H to L, r=0") << 5 << 3 << 0.0 << 5;
    QTest::newRow("H < L yields from H to L, top") << 5 << 3 << std::nextafter(1.0, 0.0) << 3;
    QTest::newRow("negative single value") << -2 << -2 << 0.3 << -2;
}

void QuizRulesTest::drawRule()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(double, r);
    QFETCH(int, value);
    QCOMPARE(quiz::drawBetween(low, high, r), value);
}

void QuizRulesTest::drawRuleEndValuesHalfAsOften()
{
    // Real draws from the program's own generator.
    ClockRandom random;
    constexpr int draws = 400000;
    std::map<int, int> counts;
    for (int i = 0; i < draws; ++i)
        ++counts[quiz::drawBetween(0, 20, random.next())];
    QCOMPARE(int(counts.size()), 21);
    QCOMPARE(counts.begin()->first, 0);
    QCOMPARE(counts.rbegin()->first, 20);
    const double inner = draws / 20.0; // each inner value: 1/20, each end: 1/40
    for (const auto &[value, count] : counts) {
        const double expected = (value == 0 || value == 20) ? inner / 2 : inner;
        QVERIFY2(std::abs(count - expected) < 0.05 * expected,
                 qPrintable(QStringLiteral("value %1 drawn %2 times, expected about %3")
                                .arg(value).arg(count).arg(expected)));
    }
}

void QuizRulesTest::hintNumbers()
{
    QCOMPARE(quiz::hintNumberForQuestion(0.0), 0);
    QCOMPARE(quiz::hintNumberForQuestion(0.5 / 66 - 1e-12), 0);
    QCOMPARE(quiz::hintNumberForQuestion(0.5 / 66), 1);
    QCOMPARE(quiz::hintNumberForQuestion(std::nextafter(1.0, 0.0)), 66);
    QCOMPARE(quiz::hintNumberForKindChange(0.0), 1);
    QCOMPARE(quiz::hintNumberForKindChange(0.5), 21);
    QCOMPARE(quiz::hintNumberForKindChange(std::nextafter(1.0, 0.0)), 41);
}

void QuizRulesTest::subtractionCorrection_data()
{
    QTest::addColumn<OperandRange>("firstRange");
    QTest::addColumn<OperandRange>("secondRange");
    QTest::addColumn<Operands>("drawn");
    QTest::addColumn<QList<double>>("rs");
    QTest::addColumn<Operands>("result");
    QTest::addColumn<int>("used");

    QTest::newRow("first >= second: untouched")
        << OperandRange{0, 20} << OperandRange{0, 20} << Operands{9, 4} << QList<double>{}
        << Operands{9, 4} << 0;
    QTest::newRow("equal pair: untouched, result 0")
        << OperandRange{0, 20} << OperandRange{0, 20} << Operands{4, 4} << QList<double>{}
        << Operands{4, 4} << 0;
    QTest::newRow("first >= lo2: second redrawn from lo2 to first")
        << OperandRange{3, 3} << OperandRange{0, 10} << Operands{3, 8} << QList<double>{0.5}
        << Operands{3, 2} << 1;
    QTest::newRow("first < lo2, hi1 = second: first = second, no random")
        << OperandRange{0, 5} << OperandRange{5, 10} << Operands{2, 5} << QList<double>{}
        << Operands{5, 5} << 0;
    QTest::newRow("first < lo2, hi1 > second: first drawn from second to hi1")
        << OperandRange{0, 20} << OperandRange{15, 20} << Operands{3, 16} << QList<double>{0.5}
        << Operands{18, 16} << 1;
    QTest::newRow("first < lo2, hi1 > second, top draw")
        << OperandRange{0, 20} << OperandRange{15, 20} << Operands{3, 16}
        << QList<double>{0.99} << Operands{20, 16} << 1;
    QTest::newRow("second 20 = hi1: first becomes 20")
        << OperandRange{0, 20} << OperandRange{15, 20} << Operands{3, 20} << QList<double>{}
        << Operands{20, 20} << 0;
    QTest::newRow("hi1 < second, first stays below: both redrawn")
        << OperandRange{0, 3} << OperandRange{5, 10} << Operands{1, 8}
        << QList<double>{0.0, 0.0} << Operands{5, 5} << 2;
    QTest::newRow("hi1 < second, first drawn at or above second: one draw")
        << OperandRange{0, 3} << OperandRange{4, 10} << Operands{1, 4}
        << QList<double>{0.0} << Operands{4, 4} << 1;
    QTest::newRow("hi1 < lo2: the result can stay negative")
        << OperandRange{0, 3} << OperandRange{5, 10} << Operands{1, 8}
        << QList<double>{0.99, 0.0} << Operands{3, 5} << 2;
}

void QuizRulesTest::subtractionCorrection()
{
    QFETCH(OperandRange, firstRange);
    QFETCH(OperandRange, secondRange);
    QFETCH(Operands, drawn);
    QFETCH(QList<double>, rs);
    QFETCH(Operands, result);
    QFETCH(int, used);
    ScriptedRandom script;
    script.script(rs);
    QCOMPARE(quiz::correctForSubtraction(drawn, firstRange, secondRange, script.draws()), result);
    QCOMPARE(script.used, used);
    QCOMPARE(script.exhausted, 0);
}

void QuizRulesTest::drawsInOrder()
{
    // First number from the first r, second from the second, then the correction.
    ScriptedRandom script;
    script.script({0.0, std::nextafter(1.0, 0.0), 0.5});
    const Operands got = quiz::drawOperands({0, 20}, {0, 10}, Operation::Subtraction,
                                            script.draws());
    QCOMPARE(got, (Operands{0, 0}));
    QCOMPARE(script.used, 3);

    ScriptedRandom plain;
    plain.script({0.25, 0.75});
    QCOMPARE(quiz::drawOperands({0, 20}, {0, 20}, Operation::Addition, plain.draws()),
             (Operands{5, 15}));
    QCOMPARE(plain.used, 2);
}

void QuizRulesTest::additionIsNeverCorrected()
{
    ScriptedRandom script;
    script.script({0.0, 0.99});
    QCOMPARE(quiz::drawOperands({0, 20}, {0, 20}, Operation::Addition, script.draws()),
             (Operands{0, 20}));
    QCOMPARE(script.used, 2);
}

// The one reading of the operation list's position, and of the hint list's.
void QuizRulesTest::onlyPositionOneIsSubtraction()
{
    QCOMPARE(operationAt(1), Operation::Subtraction);
    for (const int position : {0, -1, 2})
        QCOMPARE(operationAt(position), Operation::Addition);
    QCOMPARE(hintKindAt(0), HintKind::None);
    QCOMPARE(hintKindAt(-1), HintKind::None);
    QCOMPARE(hintKindAt(3), HintKind::Set3);
    QCOMPARE(pictureSet(HintKind::Set2), 2);
}

void QuizRulesTest::subtractionResultsAreNeverNegative()
{
    // Every pair of ranges that the range check lets stand under subtraction,
    // with real draws.
    ClockRandom random;
    const quiz::NextRandom next = [&random] { return random.next(); };
    for (int p1 = 0; p1 < quiz::rangeEntryCount; ++p1) {
        for (int p2 = 0; p2 < quiz::rangeEntryCount; ++p2) {
            if (quiz::rangesConflict(p1, p2, Operation::Subtraction))
                continue;
            const OperandRange r1 = quiz::rangeAt(p1);
            const OperandRange r2 = quiz::rangeAt(p2);
            for (int i = 0; i < 200; ++i) {
                const Operands got = quiz::drawOperands(r1, r2, Operation::Subtraction, next);
                QVERIFY2(got.first >= got.second,
                         qPrintable(QStringLiteral("%1 - %2 from positions %3, %4")
                                        .arg(got.first).arg(got.second).arg(p1).arg(p2)));
                QVERIFY(got.first >= r1.lowest && got.first <= r1.highest);
                QVERIFY(got.second >= r2.lowest && got.second <= r2.highest);
            }
        }
    }
}

void QuizRulesTest::rangeConflict_data()
{
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("p2");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<bool>("conflict");
    const auto at = [](const char16_t *text) {
        const int position = quiz::rangePosition(text);
        if (position < 0)
            qFatal("no range entry %s", qPrintable(QString::fromUtf16(text)));
        return position;
    };
    constexpr Operation minus = Operation::Subtraction;
    constexpr Operation plus = Operation::Addition;
    QTest::newRow("0～5 then 10～15") << at(u"0～5") << at(u"10～15") << minus << true;
    QTest::newRow("0～5 with 5～10: highest 5 not below lowest 5")
        << at(u"0～5") << at(u"5～10") << minus << false;
    QTest::newRow("20 with 15～20") << at(u"20") << at(u"15～20") << minus << false;
    QTest::newRow("3 with 4") << at(u"3") << at(u"4") << minus << true;
    QTest::newRow("3 with 3") << at(u"3") << at(u"3") << minus << false;
    QTest::newRow("second 0～2") << at(u"1") << at(u"0～2") << minus << false;
    QTest::newRow("second 不限定") << at(u"1") << at(u"不限定") << minus << false;
    QTest::newRow("second 0～20") << at(u"1") << at(u"0～20") << minus << false;
    QTest::newRow("first 不限定") << at(u"不限定") << at(u"20") << minus << false;
    QTest::newRow("first 0～20") << at(u"0～20") << at(u"20") << minus << false;
    QTest::newRow("second without selection") << at(u"3") << -1 << minus << false;
    QTest::newRow("addition: 0 with 20") << at(u"0") << at(u"20") << plus << false;
    QTest::newRow("addition: 0～5 with 15～20") << at(u"0～5") << at(u"15～20") << plus << false;
}

void QuizRulesTest::rangeConflict()
{
    QFETCH(int, p1);
    QFETCH(int, p2);
    QFETCH(Operation, operation);
    QFETCH(bool, conflict);
    QCOMPARE(quiz::rangesConflict(p1, p2, operation), conflict);
}

QTEST_APPLESS_MAIN(QuizRulesTest)
#include "test_quiz_rules.moc"
