#include "real_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>

#include <chrono>

void DialogMessages::show(const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Warning;
    switch (icon) {
    case MessageIcon::Exclamation: boxIcon = QMessageBox::Warning; break;
    case MessageIcon::Stop: boxIcon = QMessageBox::Critical; break;
    case MessageIcon::Information: boxIcon = QMessageBox::Information; break;
    }
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

ClockRandom::ClockRandom()
{
    reseed();
}

void ClockRandom::reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::uint64_t>(now) ^ engine_());
}

double ClockRandom::next()
{
    // 53 random bits: uniform in [0, 1), never 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void DesktopPages::open(const QUrl &address)
{
    // No message when no browser starts: the window stays as it is.
    QDesktopServices::openUrl(address);
}
