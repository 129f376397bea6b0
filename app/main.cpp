#include "controls/real_services.h"
#include "faces.h"
#include "form1.h"
#include "qt_texts.h"
#include "start_up.h"

#include <QApplication>
#include <QLibraryInfo>

int main(int argc, char *argv[])
{
    // Before Qt reads fontconfig's list of fonts, which it does only once.
    faces::addOwnFaces(faces::ownFacesFolder());
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // On Windows 11, Qt 6.8 picks a style of its own whose lists, check box
    // and menu bar take other sizes and glyphs than the window's places were
    // made for; every Windows keeps the style of Windows 10.
    QApplication::setStyle(QStringLiteral("windowsvista"));
#endif
    QApplication::setApplicationName(QStringLiteral("kidsum"));
    // Matches the window to its desktop entry (icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("kidsum"));
    QApplication::setFont(faces::dialog());
    // Before any widget exists: buttons and menus take their texts when made.
    installQtChineseTexts(app, qtCatalogueFolders(QCoreApplication::applicationDirPath(),
                                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)));

    DialogMessages messages;
    ClockRandom random;
    DesktopPages pages;
    Form1 form({messages, random, pages, QCoreApplication::applicationDirPath()});
    Form_Load(form.window());
    form.show();
    return app.exec();
}
