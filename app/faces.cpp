#include "faces.h"

#include <QFontDatabase>
#include <QStringList>

#ifdef KIDSUM_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace faces {

QFont dialog()
{
    QFont font;
#ifdef Q_OS_WIN
    // Windows' own Chinese UI face first, as every other program there uses.
    font.setFamilies({QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
#else
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei UI"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("SimSun")});
#endif
    font.setPointSize(9);
    return font;
}

QFont question()
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("AR PL UMing")});
    font.setPointSize(42);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void startFontconfig()
{
#ifdef KIDSUM_HAVE_FONTCONFIG
    // Qt's own FcInit then finds it started. fontconfig is thread-safe.
    FcInit();
#endif
}

void fillDatabase()
{
    // Every function of QFontDatabase may be called on any thread.
    QFontDatabase::families();
}

} // namespace faces
