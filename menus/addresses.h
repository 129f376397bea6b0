#pragma once

#include <QString>
#include <QUrl>

// The pages the menus open: the help page beside the executable and the fixed
// pages of the website. The two bases are build settings.
namespace menus {

enum class Site {
    Update, Yijian, Sb, Tools, Vod, Tv, Music, Kso, Pc, Ebook, So, Cp, Wz,
};

inline constexpr Site allSites[] = {
    Site::Update, Site::Yijian, Site::Sb, Site::Tools, Site::Vod, Site::Tv,    Site::Music,
    Site::Kso,    Site::Pc,     Site::Ebook, Site::So, Site::Cp,  Site::Wz,
};

QString mainBase();
QString secondBase();

// base + path, e.g. mainBase() + "/tools/".
QString siteAddress(Site site);

// The help page's file path: the folder, a separator only when missing, "help.htm".
QString helpPath(const QString &folder);

// The same as a file URL, so spaces and Chinese folder names reach the browser intact.
QUrl helpUrl(const QString &folder);

} // namespace menus
