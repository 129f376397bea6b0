#pragma once

#include <QLabel>

class SharedPicture;

// An image control: shows a picture from a file, stretched to its own size
// (or, for the enlarged picture, at its natural size from the top-left
// corner), and reports mouse presses and releases.
class ImageBox : public QLabel {
    Q_OBJECT
public:
    enum class Fit { Stretch, NaturalSize };
    explicit ImageBox(QWidget *parent, Fit fit = Fit::Stretch);

    // The empty path removes the picture; a file that cannot be read throws
    // RuntimeFailure and leaves the picture as it was.
    void setPicture(const QString &path);
    void setPicture(SharedPicture &picture);

    // The file of the picture on display, empty when there is none.
    const QString &picturePath() const { return path_; }
    bool hasPicture() const { return !path_.isEmpty(); }

signals:
    void mouseDown();
    void mouseUp();
    // A picture appeared (true) or went (false); not sent when one picture
    // replaces another.
    void shownChanged(bool shown);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void display(const QPixmap &pixmap, const QString &path);
    QString path_;
};
