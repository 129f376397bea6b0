#include "addresses.h"

#include "core/app_paths.h"
#include "site_bases.h"

namespace menus {
namespace {

struct Entry {
    bool second;
    const char *path;
};

Entry entryOf(Site site)
{
    switch (site) {
    case Site::Update: return {false, "/tools/kidsum.htm"};
    case Site::Yijian: return {false, "/ly/"};
    case Site::Sb: return {false, "/www/5x1j/index.html"};
    case Site::Tools: return {false, "/tools/"};
    case Site::Vod: return {false, "/vod/"};
    case Site::Tv: return {false, "/tv/"};
    case Site::Music: return {false, "/music/"};
    case Site::Kso: return {false, "/kso/"};
    case Site::Pc: return {false, "/tools/"};
    case Site::Ebook: return {false, "/home.htm"};
    case Site::So: return {false, "/so/"};
    case Site::Cp: return {true, "/gs/"};
    case Site::Wz: return {false, "/wz/"};
    }
    return {false, "/"};
}

} // namespace

QString mainBase() { return QStringLiteral(KIDSUM_MAIN_BASE); }
QString secondBase() { return QStringLiteral(KIDSUM_SECOND_BASE); }

QString siteAddress(Site site)
{
    const Entry entry = entryOf(site);
    return (entry.second ? secondBase() : mainBase()) + QLatin1String(entry.path);
}

QString helpPath(const QString &folder)
{
    return paths::inFolder(folder, QStringLiteral("help.htm"));
}

QUrl helpUrl(const QString &folder)
{
    return QUrl::fromLocalFile(helpPath(folder));
}

} // namespace menus
