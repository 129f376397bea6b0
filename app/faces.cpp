#include "faces.h"

#include <QFile>
#include <QFileInfo>
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
    font.setFamilies({QString::fromLatin1(ownSansFamily), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Microsoft YaHei UI"),
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
                      QString::fromLatin1(ownSerifFamily), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("AR PL UMing")});
    font.setPointSize(42);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QString ownFacesFolder()
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return program.isEmpty() ? QString() : QFileInfo(program).path() + QStringLiteral("/fonts");
}

int addOwnFaces(const QString &folder)
{
    int added = 0;
#ifdef KIDSUM_HAVE_FONTCONFIG
    // Qt's own FcInit later finds it started, with the faces added.
    if (folder.isEmpty() || !FcInit())
        return 0;
    for (const char *file : {ownSansFile, ownSerifFile}) {
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(file));
        // A file, not a folder: fontconfig writes a cache for a folder added.
        if (FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8 *>(path.constData())))
            ++added;
    }
#else
    Q_UNUSED(folder);
#endif
    return added;
}

} // namespace faces
