#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <future>

// The client area: the background picture at its natural size from the
// top-left corner, never scaled; whatever lies beyond the window is cut off.
// A picture being decoded on another thread (pictures::expect) is waited for
// only at the first paint. The start-up benchmark's floor draws it too.
class Backdrop : public QWidget {
public:
    explicit Backdrop(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::future<QImage> ahead_;
    QPixmap picture_;
};
