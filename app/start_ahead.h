#pragma once

#include <QImage>

#include <future>
#include <thread>
#include <vector>

// The start-up work that needs no window, done on one other thread while the
// main thread starts Qt and makes the window: first fontconfig's start, while
// QApplication is made; then, once the application exists, Qt's font
// database, the window icon and the background, which go to the next window
// made. One thread for all of it: every further one costs more in the kernel
// (most of all in a virtual machine) than it saves.
class StartAhead {
public:
    // Before QApplication.
    StartAhead();
    ~StartAhead();
    StartAhead(const StartAhead &) = delete;
    StartAhead &operator=(const StartAhead &) = delete;

    // Once QApplication exists and before any text is measured: waits for
    // fontconfig's start, which Qt's first text would otherwise do again,
    // and lets the thread go on.
    void applicationMade();
    // Waits for the thread; before the application ends.
    void finish();

private:
    std::future<void> fontconfigStarted_;
    std::promise<bool> application_;
    bool applicationSet_ = false;
    std::future<std::vector<QImage>> icon_;
    std::future<QImage> background_;
    std::thread thread_;
};
