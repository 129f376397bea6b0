// The baseline: an empty main window of the same Qt, as large as ours. Linked
// with quit_at_first_paint.cpp, as the program's own main() is.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    // The size of our window (client area and menu bar), so both paint the
    // same number of pixels.
    window.resize(839, 549);
    window.show();
    return app.exec();
}
