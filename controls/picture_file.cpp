#include "picture_file.h"

#include "core/runtime_failure.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {
// Far above any picture we ship (161 x 161), far below what would strain
// memory: a 20000 x 20000 picture is refused before it is decoded.
constexpr int allocationLimitMiB = 64;
} // namespace

QPixmap loadPictureFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw RuntimeFailure("picture file missing or not a regular file");
    QImageReader reader(path);
    reader.setAllocationLimit(allocationLimitMiB);
    const QImage image = reader.read();
    if (image.isNull())
        throw RuntimeFailure("picture file unreadable");
    return QPixmap::fromImage(image);
}

const QPixmap &SharedPicture::get()
{
    // The empty path removes the picture, as it does for a single slot.
    if (!pixmap_)
        pixmap_ = path_.isEmpty() ? QPixmap() : loadPictureFile(path_);
    return *pixmap_;
}
