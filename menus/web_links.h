#pragma once

#include <QUrl>

class Window;

namespace menus {
struct WebEntry;
}

// The help page, the website entries and the test menu entry. Each website
// choice hands one more address to the browser and waits for nothing.

// Hands the address to the page opener.
void OpenPage(Window &w, const QUrl &address);

void help_Click(Window &w);

// The Click handler of every website entry (menus::webEntries()): opens the
// entry's page.
void webEntry_Click(Window &w, const menus::WebEntry &entry);

// "出题测试(&C)": makes a question exactly as "出题".
void test_word_Click(Window &w, int index);
