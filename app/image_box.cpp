#include "image_box.h"

#include "picture_file.h"

#include <QMouseEvent>

ImageBox::ImageBox(QWidget *parent, Fit fit) : QLabel(parent)
{
    setScaledContents(fit == Fit::Stretch);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ImageBox::setPicture(const QString &path)
{
    if (path.isEmpty()) {
        show(QPixmap(), QString());
        return;
    }
    show(loadPictureFile(path), path);
}

void ImageBox::setPicture(SharedPicture &picture)
{
    show(picture.get(), picture.path());
}

void ImageBox::show(const QPixmap &pixmap, const QString &path)
{
    if (pixmap.isNull())
        clear();
    else
        setPixmap(pixmap);
    path_ = path;
    emit pictureChanged();
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    emit mouseDown();
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    emit mouseUp();
}
