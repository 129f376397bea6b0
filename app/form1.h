#pragma once

#include "controls/window.h"

#include <QMainWindow>

#include <map>
#include <string_view>

class QAction;
class QMenu;

// The one window. Creates every control at its place with its texts, fonts,
// colours and switches, the menus and the tab order, and wires each event to
// its handler. The handlers themselves live in quiz/, feedback/, menus/ and
// start_up.h and work on window(); this class holds no state of its own.
//
// Who calls whom: the lists, buttons, answer box, slots and menu entries call
// their handlers here. Question generation writes the answer box (running the
// answer check, nested) and draws the hints; the answer check calls question
// generation after a right answer; the reveal writes the answer box. Every
// handler started here runs behind a guard, so no failure leaves the event
// loop.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(const Services &services, QWidget *parent = nullptr);

    Window &window() { return w_; }

    // The menu entries, by their given names; the website's thirteen are
    // made from menus::webEntries() and found by name.
    QAction *test_word = nullptr;
    QAction *help = nullptr;
    QMenu *site = nullptr;
    QAction *exitit = nullptr;
    QAction *webAction(std::string_view name) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControlPanel(QWidget *client);
    void buildDisplay(QWidget *client);
    void buildPictureFrame();
    void buildMenus();
    void setTabOrder();
    void setAccessibleTexts();
    void wire();
    void wireList(QComboBox *list, void (*handler)(Window &));
    void wireSlots();
    void wireMenus();

    Window w_;
    std::map<std::string_view, QAction *> webActions_;
};
