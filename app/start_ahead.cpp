#include "start_ahead.h"

#include "faces.h"
#include "pictures.h"

StartAhead::StartAhead(const QString &facesFolder)
{
#ifndef Q_OS_WIN
    std::promise<void> fontconfigStarted;
    std::promise<std::vector<QImage>> icon;
    std::promise<QImage> background;
    fontconfigStarted_ = fontconfigStarted.get_future();
    icon_ = icon.get_future();
    background_ = background.get_future();
    thread_ = std::thread([facesFolder, fontconfigStarted = std::move(fontconfigStarted),
                           application = application_.get_future(), icon = std::move(icon),
                           background = std::move(background)]() mutable {
        faces::startFontconfig();
        faces::addOwnFaces(facesFolder);
        fontconfigStarted.set_value();
        if (!application.get())
            return;
        // In the order the window needs them: its first text, the icon at
        // the end of its making, the background at its first paint.
        faces::fillDatabase();
        icon.set_value(pictures::iconSizes());
        background.set_value(pictures::background());
    });
#else
    Q_UNUSED(facesFolder);
#endif
}

StartAhead::~StartAhead()
{
    finish();
}

void StartAhead::applicationMade()
{
    if (!thread_.joinable())
        return;
    fontconfigStarted_.wait();
    pictures::expect(std::move(icon_), std::move(background_));
    release(true);
}

void StartAhead::finish()
{
    release(false);
    if (thread_.joinable())
        thread_.join();
}

void StartAhead::release(bool goOn)
{
    if (released_)
        return;
    application_.set_value(goOn);
    released_ = true;
}
