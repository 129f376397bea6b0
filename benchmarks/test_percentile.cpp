// The percentile the latency table reports.
#include "percentile.h"

#include <QTest>

#include <cmath>

class PercentileTest : public QObject {
    Q_OBJECT
private slots:
    void nearestRank_data();
    void nearestRank();
    void noSamples();
};

namespace {
std::vector<double> oneTo(int n, bool reversed)
{
    std::vector<double> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(reversed ? n + 1 - i : i);
    return v;
}
} // namespace

void PercentileTest::nearestRank_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("expected");
    QTest::newRow("p99 of 100") << 100 << false << 99.0 << 99.0;
    QTest::newRow("p99 of 1000, unsorted") << 1000 << true << 99.0 << 990.0;
    // 0.99 * 101 = 99.99: the rank rounds up, never down.
    QTest::newRow("p99 of 101") << 101 << false << 99.0 << 100.0;
    QTest::newRow("p99 of 10 is the largest") << 10 << true << 99.0 << 10.0;
    QTest::newRow("p50 of 4 is a measured value") << 4 << false << 50.0 << 2.0;
    QTest::newRow("p100 is the largest") << 7 << true << 100.0 << 7.0;
    QTest::newRow("tiny p is the smallest") << 7 << true << 0.01 << 1.0;
    QTest::newRow("one sample") << 1 << false << 99.0 << 1.0;
}

void PercentileTest::nearestRank()
{
    QFETCH(int, count);
    QFETCH(bool, reversed);
    QFETCH(double, p);
    QFETCH(double, expected);
    QCOMPARE(bench::percentile(oneTo(count, reversed), p), expected);
}

void PercentileTest::noSamples()
{
    QVERIFY(std::isnan(bench::percentile({}, 99.0)));
}

QTEST_APPLESS_MAIN(PercentileTest)
#include "test_percentile.moc"
