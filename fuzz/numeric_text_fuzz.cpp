// Any bytes, read as UTF-8 and as UTF-16, through the numeric-text test, the
// conversion, the reading of the answer box and the verdict.
#include "numeric_invariants.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList broken = invariants::numericBytes(bytes);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "broken: %s\n", qPrintable(broken.join(QStringLiteral("; "))));
        std::abort();
    }
    return 0;
}
