#pragma once

#include "core/choices.h"
#include "services.h"

#include <QString>

#include <array>
#include <functional>
#include <map>

class ImageBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;

// The one window's controls, by their given names, and the services. Every
// handler works on this directly. Form1 creates the controls and fills it in;
// the handlers in quiz/, feedback/ and menus/ only read and write it, so they
// depend on this header and not on Form1.
class Window {
public:
    explicit Window(const Services &services) : services(services) {}
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    Services services;

    QMainWindow *Form1 = nullptr;

    QGroupBox *fraControl = nullptr;
    QCheckBox *chkAuto = nullptr;
    QPushButton *cmdAnswer = nullptr;
    QComboBox *cboPic = nullptr;
    QComboBox *cboCode = nullptr;
    QComboBox *cbo2nd = nullptr;
    QComboBox *cbo1st = nullptr;
    QPushButton *cmdTest = nullptr;
    QLabel *lblpic = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;

    QGroupBox *fraDisplay = nullptr;
    QGroupBox *fraPic = nullptr;
    ImageBox *Pic1 = nullptr;
    QLabel *lblDeng2 = nullptr;
    QLabel *lblCode2 = nullptr;
    std::array<ImageBox *, 40> img3{};
    std::array<ImageBox *, 20> img2{};
    std::array<ImageBox *, 20> img1{};
    QLineEdit *txtAnswer = nullptr;
    QLineEdit *txtTest2 = nullptr;
    QLineEdit *txtTest1 = nullptr;
    ImageBox *ImgOk = nullptr;
    QLabel *lblDeng1 = nullptr;
    QLabel *lblCode = nullptr;

    // Assigning a list's position runs its Click handler at once, before this
    // returns, just as a pick by the user does. Every programmatic selection
    // goes through here.
    void setListIndex(QComboBox *list, int index);
    void setClickHandler(QComboBox *list, std::function<void()> handler);
    std::function<void()> clickHandler(QComboBox *list) const;
    void runClickHandler(QComboBox *list);

    // A modal message box; an empty title shows the application title.
    void message(const QString &text, MessageIcon icon, const QString &title = QString());

    const QString &appFolder() const { return services.appFolder; }

    // Whether the check box reads 1 (ticked).
    bool autoNextTicked() const;

    // The operation and the hint kind chosen in the lists, read as choices.
    Operation operation() const;
    HintKind hintKind() const;

private:
    std::map<QComboBox *, std::function<void()>> clickHandlers_;
};
