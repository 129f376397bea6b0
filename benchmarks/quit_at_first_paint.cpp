// Linked into a program beside its own main(): ends the program once a window
// has painted for the first time. A window paints all its widgets in one
// pass and flushes it to the screen before the event loop runs the queued
// quit, so the whole window is on screen by then. Just before quitting it
// prints "first-frame <ns>", the CLOCK_MONOTONIC time of that moment, for
// benchmarks/launch.py. With BENCH_SMAPS_AT_FIRST_FRAME=<file> it also copies
// /proc/self/smaps there, to see where the memory lies. The filter is installed as soon as the application
// object exists, so main() itself needs no change.
#include <QCoreApplication>
#include <QFile>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

void reportFirstFrame()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first-frame %lld\n",
                static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
    const QString smapsCopy = qEnvironmentVariable("BENCH_SMAPS_AT_FIRST_FRAME");
    if (!smapsCopy.isEmpty()) {
        // Read to the end: a /proc file reports no size, so QFile::copy copies nothing.
        QFile smaps(QStringLiteral("/proc/self/smaps"));
        QFile copy(smapsCopy);
        if (smaps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
            copy.write(smaps.readAll());
    }
    QCoreApplication::quit();
}

class QuitAtFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            seen_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &reportFirstFrame);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

void installQuitAtFirstPaint()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new QuitAtFirstPaint(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installQuitAtFirstPaint)
