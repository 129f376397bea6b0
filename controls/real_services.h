#pragma once

#include "services.h"

#include <cstdint>
#include <random>

// The services main() hands to the window.

class DialogMessages : public MessageSink {
public:
    void show(const QString &text, const QString &title, MessageIcon icon) override;
};

// Re-seeded from a nanosecond clock mixed with the generator's own state, so
// two presses within one clock tick still differ.
class ClockRandom : public RandomSource {
public:
    ClockRandom();
    void reseed() override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

// The desktop's default browser (xdg-open on Linux); returns at once.
class DesktopPages : public PageOpener {
public:
    void open(const QUrl &address) override;
};
