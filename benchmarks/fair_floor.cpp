// The fair floor: the least any program with this window must do before its
// first paint. A main window of the same outer size showing the background at
// its natural size, one 9-point label in the controls' face and one 42-point
// digit in the question row's face, so it starts fontconfig, loads both CJK
// faces and decodes the same picture. Linked with quit_at_first_paint.cpp, as
// the program's own main() is.
#include "app/backdrop.h"
#include "app/faces.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *client = new Backdrop(&window);
    window.setCentralWidget(client);

    auto *caption = new QLabel(QStringLiteral("控制面板"), client);
    caption->setFont(faces::dialog());
    caption->move(32, 392); // where the control panel's caption stands
    auto *digit = new QLabel(QStringLiteral("5"), client);
    digit->setFont(faces::question());
    digit->move(72, 48); // where the first operand stands

    // The program's outer size: its client area and menu bar.
    window.resize(839, 549);
    window.show();
    return app.exec();
}
