#include "addresses.h"

#include "core/app_paths.h"

namespace menus {

QString helpPath(const QString &folder)
{
    return paths::inFolder(folder, QStringLiteral("help.htm"));
}

QUrl helpUrl(const QString &folder)
{
    return QUrl::fromLocalFile(helpPath(folder));
}

} // namespace menus
