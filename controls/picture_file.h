#pragma once

#include <QPixmap>
#include <QString>

#include <optional>

// Reading a picture file. A file that is missing, not a regular file (a
// folder, a pipe: never block on it), unreadable, not a picture or too large
// to decode is a RuntimeFailure.
QPixmap loadPictureFile(const QString &path);

// One picture file for one drawing: read at the first slot that needs it and
// shared by the slots after it, so the whole drawing sees the same file and a
// failure happens where the first read would have happened. Never kept
// beyond the drawing, so a file changed on disk shows at the next drawing.
class SharedPicture {
public:
    explicit SharedPicture(QString path) : path_(std::move(path)) {}
    const QString &path() const { return path_; }
    const QPixmap &get();

private:
    QString path_;
    std::optional<QPixmap> pixmap_;
};
