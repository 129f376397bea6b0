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
        display(QPixmap(), QString());
        return;
    }
    display(loadPictureFile(path), path);
}

void ImageBox::setPicture(SharedPicture &picture)
{
    display(picture.get(), picture.path());
}

void ImageBox::display(const QPixmap &pixmap, const QString &path)
{
    if (pixmap.isNull())
        clear();
    else
        setPixmap(pixmap);
    const bool wasShown = hasPicture();
    path_ = path;
    if (wasShown != hasPicture())
        emit shownChanged(hasPicture());
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
