#include "qt_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

QStringList qtCatalogueFolders(const QString &appFolder, const QString &qtTranslationsFolder)
{
    QStringList folders;
    for (const QString &folder : {appFolder, qtTranslationsFolder}) {
        if (folder.isEmpty())
            continue;
        const QString clean = QDir::cleanPath(folder);
        if (!folders.contains(clean))
            folders.append(clean);
    }
    return folders;
}

QString installQtChineseTexts(QCoreApplication &app, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo file(QDir(folder).filePath(qtCatalogueFile));
        if (!file.isFile())
            continue;
        auto *translator = new QTranslator(&app);
        if (translator->load(file.filePath()) && QCoreApplication::installTranslator(translator))
            return file.filePath();
        delete translator;
    }
    return {};
}
