// Texts written one after the other into the answer box of a real offscreen
// window; the window's rules are checked after each.
#include "answer_box_run.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
invariants::AnswerBoxWindow *window = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ACCESSIBILITY", "0");
    static int argc = 1;
    static char name[] = "fuzz_answer_box";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    window = new invariants::AnswerBoxWindow(*new PictureFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList broken = window->run(bytes);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "broken: %s\n", qPrintable(broken.join(QStringLiteral("; "))));
        std::abort();
    }
    return 0;
}
