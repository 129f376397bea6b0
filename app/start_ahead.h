#pragma once

#include <QImage>
#include <QString>

#include <future>
#include <thread>
#include <vector>

// The start-up work that needs no window, done on one other thread while the
// main thread starts Qt and makes the window: first fontconfig's start and
// the program's own faces, while QApplication is made; then, once the
// application exists, Qt's font
// database, the window icon and the background, which go to the next window
// made. One thread for all of it: with a thread for each part the window
// was no sooner on screen, and each thread has a stack and a heap of its own.
//
// On Windows all of it stays on the main thread, done where the window needs
// it: there a thread that had read a picture crashed as it ended, in Qt
// Core's clean-up of its thread-local data (about one run in two under Wine).
class StartAhead {
public:
    // Before QApplication. The own faces are taken from facesFolder (the
    // program's is faces::ownFacesFolder()); none when it is empty.
    explicit StartAhead(const QString &facesFolder = QString());
    ~StartAhead();
    StartAhead(const StartAhead &) = delete;
    StartAhead &operator=(const StartAhead &) = delete;

    // Once QApplication exists and before any text is measured: waits for
    // fontconfig's start, which Qt's first text would otherwise do again,
    // and for the own faces, which Qt's font database must find, and lets
    // the thread go on.
    void applicationMade();
    // Waits for the thread; before the application ends.
    void finish();

private:
    // Lets the thread go on past fontconfig (true) or end there (false); once.
    void release(bool goOn);

    std::future<void> fontconfigStarted_;
    std::promise<bool> application_;
    bool released_ = false;
    std::future<std::vector<QImage>> icon_;
    std::future<QImage> background_;
    std::thread thread_;
};
