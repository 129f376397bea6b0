#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <future>

// The client area: the background picture at its natural size from the
// top-left corner, never scaled; whatever lies beyond the window is cut off.
// The start-up benchmark's floor draws it too.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QWidget *parent);

    // Starts decoding the picture on another thread. The next Backdrop made
    // takes that picture and waits for it only when it first paints, so the
    // window's controls are made meanwhile. Without it, a Backdrop decodes
    // the picture itself when made.
    static void decodeAhead();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::future<QImage> ahead_;
    QPixmap picture_;
};
