#pragma once

#include <QString>
#include <QUrl>

// The help page beside the executable. The website's pages are in
// web_entries.h.
namespace menus {

// The help page's file path: the folder, a separator only when missing, "help.htm".
QString helpPath(const QString &folder);

// The same as a file URL, so spaces and Chinese folder names reach the browser intact.
QUrl helpUrl(const QString &folder);

} // namespace menus
