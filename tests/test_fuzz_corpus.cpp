// The fuzzers' corpus, replayed through the same checks the fuzzers make:
// every input that once broke a rule stays here as a regression case.
#include "answer_box_run.h"
#include "test_window.h"
#include "numeric_invariants.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

namespace {

void addCorpusRows(const char *target)
{
    QTest::addColumn<QByteArray>("bytes");
    const QDir dir(QStringLiteral(KIDSUM_FUZZ_CORPUS "/") + QLatin1String(target));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            QTest::newRow(qPrintable(name)) << file.readAll();
    }
}

int corpusSize(const char *target)
{
    return int(QDir(QStringLiteral(KIDSUM_FUZZ_CORPUS "/") + QLatin1String(target))
                   .entryList(QDir::Files)
                   .size());
}

} // namespace

class FuzzCorpusTest : public QObject {
    Q_OBJECT
private slots:
    void corpusIsThere();
    void numericText_data() { addCorpusRows("numeric_text"); }
    void numericText();
    void answerBox_data() { addCorpusRows("answer_box"); }
    void answerBox();
    void checksCatchABrokenWindow();

private:
    std::unique_ptr<PictureFolder> folder_;
    std::unique_ptr<invariants::AnswerBoxWindow> window_;
};

void FuzzCorpusTest::corpusIsThere()
{
    QVERIFY(corpusSize("numeric_text") >= 20);
    QVERIFY(corpusSize("answer_box") >= 20);
}

void FuzzCorpusTest::numericText()
{
    QFETCH(QByteArray, bytes);
    const QStringList broken = invariants::numericBytes(bytes);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QStringLiteral("; "))));
}

void FuzzCorpusTest::answerBox()
{
    QFETCH(QByteArray, bytes);
    // One window for all rows, as in the fuzzer.
    if (!window_) {
        folder_ = std::make_unique<PictureFolder>();
        window_ = std::make_unique<invariants::AnswerBoxWindow>(*folder_);
    }
    const QStringList broken = window_->run(bytes);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QStringLiteral("; "))));
}

// The checks themselves find a window in a state no handler may leave.
void FuzzCorpusTest::checksCatchABrokenWindow()
{
    TestWindow t;
    Window &w = t.w();
    t.load();
    t.ask(3, 5, Operation::Addition);
    invariants::ResultRowHistory history;
    history.update(w);
    QCOMPARE(invariants::windowState(w, history), QStringList());

    w.txtAnswer->blockSignals(true);
    w.txtAnswer->setText(QStringLiteral("123"));
    w.txtAnswer->blockSignals(false);
    w.ImgOk->setPicture(t.folder.hint(2, 3));
    w.img3[1]->setPicture(t.folder.hint(3, 3));
    w.cboCode->setCurrentIndex(1);
    const QStringList broken = invariants::windowState(w, history);
    const QString all = broken.join(u'\n');
    QVERIFY2(all.contains(QStringLiteral("longer than two")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("ImgOk shows")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("img3 has a gap")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("negative result")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("operator signs")), qPrintable(all));
    QVERIFY2(!invariants::verdictAfterTyping(w).isEmpty(), qPrintable(all));

    QVERIFY(!invariants::messageProblem({QStringLiteral("出错了"), QString(), MessageIcon::Stop}, true)
                 .isEmpty());
    QVERIFY(!invariants::messageProblem(
                 {QStringLiteral("第一位不是数字,请检查"), QStringLiteral("提示"), MessageIcon::Stop}, true)
                 .isEmpty());
    QVERIFY(!invariants::messageProblem({QStringLiteral("出现异常错误,请与作者联系!"),
                                         invariants::applicationTitle(), MessageIcon::Exclamation},
                                        false)
                 .isEmpty());
    QVERIFY(invariants::messageProblem({feedback::countingExplanation(4), QStringLiteral("提示"),
                                        MessageIcon::Information},
                                       false)
                .isEmpty());
}

QTEST_MAIN(FuzzCorpusTest)
#include "test_fuzz_corpus.moc"
