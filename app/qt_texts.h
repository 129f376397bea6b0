#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// Qt's own texts (a message box's OK button, the edit fields' context menu,
// the lists' accessible actions) in Simplified Chinese whatever the system's
// language: the program speaks only Chinese. The catalogue beside the program
// is looked for first, so an installed copy and the Windows folder carry the
// one of the Qt they were built with; then Qt's own translations folder,
// where Debian's qt6-translations-l10n puts it.

inline const QString qtCatalogueFile = QStringLiteral("qtbase_zh_CN.qm");

// The folders to look in, in order: the application folder, then Qt's; each
// once, empty ones left out.
QStringList qtCatalogueFolders(const QString &appFolder, const QString &qtTranslationsFolder);

// Installs the first catalogue of `folders` that loads; a file that is there
// but does not load (cut short, not a catalogue) does not hide a good one
// further down. Returns the path installed, or an empty text when none
// loads: the program then runs with Qt's English texts, which is no reason
// not to start.
QString installQtChineseTexts(QCoreApplication &app, const QStringList &folders);
