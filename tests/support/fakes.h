#pragma once

#include "controls/services.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <initializer_list>

// Stand-ins for the window's services, recording what the window asked of them.

struct ShownMessage {
    QString text;
    QString title;
    MessageIcon icon;
};

class RecordingMessages : public MessageSink {
public:
    void show(const QString &text, const QString &title, MessageIcon icon) override
    {
        shown.append({text, title, icon});
        if (onShow)
            onShow(shown.last());
    }
    QList<ShownMessage> shown;
    // Runs while the "box" is open, as a user acting on the modal box would.
    std::function<void(const ShownMessage &)> onShow;
};

// Exactly one message box was shown, with this text, title and icon.
#define EXPECT_MESSAGE(recorded, text_, title_, icon_)                                       \
    do {                                                                                   \
        QCOMPARE((recorded).shown.size(), 1);                                              \
        QCOMPARE((recorded).shown[0].text, QString(text_));                                \
        QCOMPARE((recorded).shown[0].title, QString(title_));                              \
        QCOMPARE((recorded).shown[0].icon, icon_);                                         \
    } while (false)

// Replays a list of r values; records re-seeds and how many values were used.
class ScriptedRandom : public RandomSource {
public:
    void reseed() override { ++reseeds; }
    double next() override
    {
        ++used;
        if (values.empty()) {
            ++exhausted;
            return fallback;
        }
        const double r = values.front();
        values.pop_front();
        return r;
    }
    void script(std::initializer_list<double> rs) { values.assign(rs.begin(), rs.end()); }
    template <class Values>
    void script(const Values &rs) { values.assign(rs.begin(), rs.end()); }
    // The same values for a pure rule that takes the generator as a function.
    std::function<double()> draws() { return [this] { return next(); }; }

    std::deque<double> values;
    double fallback = 0.0;
    int reseeds = 0;
    int used = 0;
    int exhausted = 0;
};

class RecordingPages : public PageOpener {
public:
    void open(const QUrl &address) override { opened.append(address); }
    QList<QUrl> opened;
};
