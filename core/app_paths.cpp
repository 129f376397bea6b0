#include "app_paths.h"

namespace paths {

QString withSeparator(const QString &folder)
{
    if (folder.endsWith(separator))
        return folder;
#ifdef Q_OS_WIN
    if (folder.endsWith(u'\\'))
        return folder;
#endif
    return folder + separator;
}

QString inFolder(const QString &folder, const QString &relative)
{
    return withSeparator(folder) + relative;
}

} // namespace paths
