#pragma once

#include <QPixmap>
#include <QWidget>

// The client area: the background picture at its natural size from the
// top-left corner, never scaled; whatever lies beyond the window is cut off.
// The start-up benchmark's floor draws it too.
class Backdrop : public QWidget {
public:
    // Decodes the picture, which is part of the program.
    explicit Backdrop(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};
