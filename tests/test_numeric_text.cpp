// The numeric-text test and conversion: what a child (or a paste) can put in
// the answer box, and what the operand boxes hold.
#include "core/numeric_text.h"
#include "core/runtime_failure.h"

#include <QTest>

#include <optional>

class NumericTextTest : public QObject {
    Q_OBJECT
private slots:
    void conversion_data();
    void conversion();
    void outOfRangeIsAFailure_data();
    void outOfRangeIsAFailure();
    void trimsOnlyBlanks();
    void decimalText();
};

using Expected = std::optional<int>;
Q_DECLARE_METATYPE(Expected)

void NumericTextTest::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Expected>("value"); // nullopt: not numeric

    QTest::newRow("plain") << "12" << Expected(12);
    QTest::newRow("zero") << "0" << Expected(0);
    QTest::newRow("leading zeros") << "007" << Expected(7);
    QTest::newRow("point five ties to even 0") << ".5" << Expected(0);
    QTest::newRow("point six rounds up") << ".6" << Expected(1);
    QTest::newRow("2.5 ties to even 2") << "2.5" << Expected(2);
    QTest::newRow("3.5 ties to even 4") << "3.5" << Expected(4);
    QTest::newRow("2.50001 rounds up") << "2.50001" << Expected(3);
    QTest::newRow("2.4999 rounds down") << "2.4999" << Expected(2);
    QTest::newRow("-2.5 ties to even -2") << "-2.5" << Expected(-2);
    QTest::newRow("-0.5 is zero") << "-0.5" << Expected(0);
    QTest::newRow("trailing point") << "7." << Expected(7);
    QTest::newRow("leading blank") << " 7" << Expected(7);
    QTest::newRow("trailing blank") << "7 " << Expected(7);
    QTest::newRow("tab around") << "\t7\t" << Expected(7);
    QTest::newRow("ideographic space") << QString::fromUtf16(u"\u30007") << Expected(7);
    QTest::newRow("minus") << "-12" << Expected(-12);
    QTest::newRow("plus") << "+3" << Expected(3);
    QTest::newRow("full-width digits") << QString::fromUtf16(u"１２") << Expected(12);
    QTest::newRow("full-width sign and point")
        << QString::fromUtf16(u"－１．５") << Expected(-2);
    QTest::newRow("full-width plus") << QString::fromUtf16(u"＋３") << Expected(3);
    QTest::newRow("mixed widths") << QString::fromUtf16(u"1２") << Expected(12);
    QTest::newRow("int max") << "2147483647" << Expected(2147483647);
    QTest::newRow("int min") << "-2147483648" << Expected(-2147483647 - 1);
    QTest::newRow("many leading zeros")
        << "0000000000000000000000000000042" << Expected(42);

    QTest::newRow("empty") << "" << Expected();
    QTest::newRow("placeholder") << "?" << Expected();
    QTest::newRow("minus alone") << "-" << Expected();
    QTest::newRow("point alone") << "." << Expected();
    QTest::newRow("blank alone") << " " << Expected();
    QTest::newRow("exponent") << "1e3" << Expected();
    QTest::newRow("thousands separator") << "1,000" << Expected();
    QTest::newRow("hex") << "&H10" << Expected();
    QTest::newRow("two points") << "1.2.3" << Expected();
    QTest::newRow("two signs") << "+-1" << Expected();
    QTest::newRow("blank after sign") << "- 1" << Expected();
    QTest::newRow("blank inside") << "1 2" << Expected();
    QTest::newRow("letter") << "a" << Expected();
    QTest::newRow("currency") << "$5" << Expected();
    QTest::newRow("chinese numeral") << QString::fromUtf16(u"五") << Expected();
    QTest::newRow("arabic-indic digit") << QString::fromUtf16(u"\u0663") << Expected();
    QTest::newRow("newline around") << "\n7" << Expected();
    QTest::newRow("no-break space") << QString::fromUtf16(u"\u00a07") << Expected();
}

void NumericTextTest::conversion()
{
    QFETCH(QString, text);
    QFETCH(Expected, value);
    QCOMPARE(numeric::isNumericText(text), value.has_value());
    if (value) {
        QCOMPARE(numeric::toInteger(text), *value);
    } else {
        QVERIFY_THROWS_EXCEPTION(RuntimeFailure, numeric::toInteger(text));
    }
}

void NumericTextTest::outOfRangeIsAFailure_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("int max + 1") << "2147483648";
    QTest::newRow("int min - 1") << "-2147483649";
    QTest::newRow("int max + 0.5 rounds up out of range") << "2147483647.5";
    QTest::newRow("twenty digits") << "99999999999999999999";
    QTest::newRow("ten thousand digits") << QString(10000, u'9');
}

void NumericTextTest::outOfRangeIsAFailure()
{
    QFETCH(QString, text);
    QVERIFY(numeric::isNumericText(text));
    QVERIFY_THROWS_EXCEPTION(RuntimeFailure, numeric::toInteger(text));
}

void NumericTextTest::trimsOnlyBlanks()
{
    QCOMPARE(numeric::trimBlanks(QString::fromUtf16(u" \t\u300012 \u3000")).toString(),
             QStringLiteral("12"));
    QCOMPARE(numeric::trimBlanks(u"   ").toString(), QString());
    QCOMPARE(numeric::trimBlanks(u"\n12").toString(), QStringLiteral("\n12"));
}

void NumericTextTest::decimalText()
{
    QCOMPARE(numeric::toText(0), QStringLiteral("0"));
    QCOMPARE(numeric::toText(-7), QStringLiteral("-7"));
    QCOMPARE(numeric::toText(40), QStringLiteral("40"));
}

QTEST_APPLESS_MAIN(NumericTextTest)
#include "test_numeric_text.moc"
