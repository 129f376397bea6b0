#pragma once

#include <QString>
#include <QUrl>

// The seams between the window and the world: message boxes, the random
// generator, the page opener and the application folder. main() builds the
// real ones (real_services.h); tests hand in fakes.

enum class MessageIcon { Exclamation, Stop, Information };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal box with an OK button; returns when it is closed.
    virtual void show(const QString &text, const QString &title, MessageIcon icon) = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // Uniform in [0, 1).
    virtual double next() = 0;
};

class PageOpener {
public:
    virtual ~PageOpener() = default;
    // Hands the address to a browser and returns at once.
    virtual void open(const QUrl &address) = 0;
};

struct Services {
    MessageSink &messages;
    RandomSource &random;
    PageOpener &pages;
    QString appFolder;
};
