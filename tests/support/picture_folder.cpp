#include "picture_folder.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

namespace {
void writeJpeg(const QString &path, QColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, "JPG");
}
} // namespace

PictureFolder::PictureFolder(const QString &subfolder)
{
    path_ = subfolder.isEmpty() ? dir_.path() : dir_.path() + '/' + subfolder;
    QDir root(path_);
    root.mkpath(QStringLiteral("img"));
    writeJpeg(file(QStringLiteral("img/ok.jpg")), Qt::green);
    writeJpeg(file(QStringLiteral("img/err.jpg")), Qt::red);
    writeJpeg(file(QStringLiteral("img/white.jpg")), Qt::white);
    for (int k = 1; k <= 3; ++k) {
        root.mkpath(QStringLiteral("img/%1").arg(k));
        for (int n = 0; n <= 66; ++n)
            writeJpeg(hint(k, n), QColor::fromHsv((n * 5) % 360, 80 * k, 200));
    }
    write(QStringLiteral("help.htm"), "<!DOCTYPE html><title>help</title>");
}

QString PictureFolder::hint(int k, int n) const
{
    return file(QStringLiteral("img/%1/%2.jpg").arg(k).arg(n));
}

bool PictureFolder::remove(const QString &relative) const
{
    return QFile::remove(file(relative));
}

void PictureFolder::write(const QString &relative, const QByteArray &bytes) const
{
    QFile out(file(relative));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
}
