#pragma once

#include <QString>

// Paths of the files that lie in the application folder. The separator is
// appended only when the folder does not already end in one (the root of a
// drive or file system does), so no path ever carries a doubled separator.
namespace paths {

// "/" everywhere: Qt uses it on every platform, Windows included.
inline constexpr QChar separator = u'/';

QString withSeparator(const QString &folder);

// folder + separator + relative name; the relative name uses "/" too.
QString inFolder(const QString &folder, const QString &relative);

} // namespace paths
