#pragma once

#include <QUrl>

class Window;

// The help page, the website entries and the test menu entry. Each website
// choice hands one more address to the browser and waits for nothing.

// Hands the address to the page opener.
void OpenPage(Window &w, const QUrl &address);

void help_Click(Window &w);
void update_Click(Window &w, int index);
void yijian_Click(Window &w);
void sb_Click(Window &w);
void tools_Click(Window &w);
void vod_Click(Window &w);
void tv_Click(Window &w);
void music_Click(Window &w);
void kso_Click(Window &w);
void pc_Click(Window &w);
void ebook_Click(Window &w);
void so_Click(Window &w);
void cp_Click(Window &w);
void wz_Click(Window &w);

// "出题测试(&C)": makes a question exactly as "出题".
void test_word_Click(Window &w, int index);
