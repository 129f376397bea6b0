#include "web_entries.h"

#include "site_bases.h"

#include <QtCore/qnamespace.h>

namespace menus {
namespace {

constexpr Place bar = Place::MenuBar;
constexpr Place site = Place::SiteMenu;

// Sized by its rows: a new page is a new row and nothing else here.
constexpr WebEntry entries[] = {
    {"update", u"软件更新(&G)", bar, 0, Base::Main, "/tools/kidsum.htm"},
    {"yijian", u"意见建议(&Y)", bar, 0, Base::Main, "/ly/"},
    {"sb", u"五险一金", site, Qt::Key_F1, Base::Main, "/www/5x1j/index.html"},
    {"tools", u"查询工具", site, Qt::Key_F2, Base::Main, "/tools/"},
    {"vod", u"视频搜索", site, Qt::Key_F3, Base::Main, "/vod/"},
    {"tv", u"在线电视", site, Qt::Key_F4, Base::Main, "/tv/"},
    {"music", u"音乐搜索", site, Qt::Key_F5, Base::Main, "/music/"},
    {"kso", u"综合搜索", site, Qt::Key_F6, Base::Main, "/kso/"},
    {"pc", u"电脑教程", site, Qt::Key_F7, Base::Main, "/tools/"},
    {"ebook", u"电脑书库", site, Qt::Key_F8, Base::Main, "/home.htm"},
    {"so", u"学习资源", site, Qt::Key_F9, Base::Main, "/so/"},
    // No entry takes F10.
    {"cp", u"彩票频道", site, Qt::Key_F11, Base::Second, "/gs/"},
    {"wz", u"上网导航", site, Qt::Key_F12, Base::Main, "/wz/"},
};

} // namespace

std::span<const WebEntry> webEntries()
{
    return entries;
}

QString mainBase() { return QStringLiteral(KIDSUM_MAIN_BASE); }
QString secondBase() { return QStringLiteral(KIDSUM_SECOND_BASE); }

QString webAddress(const WebEntry &entry)
{
    return (entry.base == Base::Second ? secondBase() : mainBase())
        + QString::fromLatin1(entry.path.data(), qsizetype(entry.path.size()));
}

} // namespace menus
