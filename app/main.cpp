#include "form1.h"
#include "real_services.h"
#include "start_up.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kidsum"));
    // Matches the window to its desktop entry (icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("kidsum"));
    QApplication::setFont(Form1::dialogFont());

    DialogMessages messages;
    ClockRandom random;
    DesktopPages pages;
    Form1 form({messages, random, pages, QCoreApplication::applicationDirPath()});
    Form_Load(form.window());
    form.show();
    return app.exec();
}
