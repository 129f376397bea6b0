// Linked into a program beside its own main(): ends the program once a window
// has painted for the first time. A window paints all its widgets in one
// pass and the quit is queued behind that pass, so the whole window is on
// screen before the program ends. The filter is installed as soon as the
// application object exists, so main() itself needs no change.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class QuitAtFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            seen_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
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
