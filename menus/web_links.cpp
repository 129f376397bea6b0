#include "web_links.h"

#include "addresses.h"
#include "controls/window.h"
#include "quiz/question_generation.h"
#include "web_entries.h"

void OpenPage(Window &w, const QUrl &address)
{
    w.services.pages.open(address);
}

void help_Click(Window &w)
{
    // Opened whether or not the page is there; the browser says what it finds.
    OpenPage(w, menus::helpUrl(w.appFolder()));
}

void webEntry_Click(Window &w, const menus::WebEntry &entry)
{
    OpenPage(w, QUrl(menus::webAddress(entry)));
}

void test_word_Click(Window &w, int)
{
    cmdTest_Click(w);
}
