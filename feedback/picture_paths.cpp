#include "picture_paths.h"

#include "core/app_paths.h"

namespace feedback {

QString okPicture(const QString &folder)
{
    return paths::inFolder(folder, QStringLiteral("img/ok.jpg"));
}

QString errPicture(const QString &folder)
{
    return paths::inFolder(folder, QStringLiteral("img/err.jpg"));
}

QString whitePicture(const QString &folder)
{
    return paths::inFolder(folder, QStringLiteral("img/white.jpg"));
}

QString hintPicture(const QString &folder, int k, int n)
{
    return paths::inFolder(folder, QStringLiteral("img/%1/%2.jpg").arg(k).arg(n));
}

} // namespace feedback
