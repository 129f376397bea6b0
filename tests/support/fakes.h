#pragma once

#include "controls/services.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

// Stand-ins for the window's services, recording what the window asked of them.

struct ShownMessage {
    QString text;
    QString title;
    MessageIcon icon;
    friend bool operator==(const ShownMessage &, const ShownMessage &) = default;
};

// How QCOMPARE prints a box that differs.
inline char *toString(const ShownMessage &m)
{
    return qstrdup(QStringLiteral("\"%1\" titled \"%2\", icon %3")
                       .arg(m.text, m.title)
                       .arg(int(m.icon))
                       .toUtf8()
                       .constData());
}

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

// Exactly count message boxes were shown, each with this text, title and icon.
#define EXPECT_MESSAGES(recorded, count, text_, title_, icon_)                               \
    do {                                                                                   \
        QCOMPARE((recorded).shown.size(), count);                                          \
        for (const ShownMessage &m_ : std::as_const((recorded).shown)) {                   \
            QCOMPARE(m_.text, QString(text_));                                             \
            QCOMPARE(m_.title, QString(title_));                                           \
            QCOMPARE(m_.icon, icon_);                                                      \
        }                                                                                  \
    } while (false)

// Exactly one message box was shown, with this text, title and icon.
#define EXPECT_MESSAGE(recorded, text_, title_, icon_)                                       \
    EXPECT_MESSAGES(recorded, 1, text_, title_, icon_)

// Replays a list of r values; records re-seeds and how many values were used.
// A cycling script starts again from its first value once used up; a plain
// one then gives the fallback.
class ScriptedRandom : public RandomSource {
public:
    void reseed() override { ++reseeds; }
    double next() override
    {
        ++used;
        if (values.empty())
            values.assign(cycle_.begin(), cycle_.end());
        if (values.empty()) {
            ++exhausted;
            return fallback;
        }
        const double r = values.front();
        values.pop_front();
        return r;
    }
    void script(std::initializer_list<double> rs) { script<>(rs); }
    template <class Values>
    void script(const Values &rs)
    {
        values.assign(rs.begin(), rs.end());
        cycle_.clear();
    }
    template <class Values>
    void scriptCycling(const Values &rs)
    {
        script(rs);
        cycle_.assign(rs.begin(), rs.end());
    }
    // The same values for a pure rule that takes the generator as a function.
    std::function<double()> draws() { return [this] { return next(); }; }

    std::deque<double> values;
    double fallback = 0.0;
    int reseeds = 0;
    int used = 0;
    int exhausted = 0;

private:
    std::vector<double> cycle_;
};

class RecordingPages : public PageOpener {
public:
    void open(const QUrl &address) override { opened.append(address); }
    QList<QUrl> opened;
};
