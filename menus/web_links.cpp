#include "web_links.h"

#include "addresses.h"
#include "app/window.h"
#include "quiz/question_generation.h"

namespace {
void openSite(Window &w, menus::Site site)
{
    OpenPage(w, QUrl(menus::siteAddress(site)));
}
} // namespace

void OpenPage(Window &w, const QUrl &address)
{
    w.services.pages.open(address);
}

void help_Click(Window &w)
{
    // Opened whether or not the page is there; the browser says what it finds.
    OpenPage(w, menus::helpUrl(w.appFolder()));
}

void update_Click(Window &w, int) { openSite(w, menus::Site::Update); }
void yijian_Click(Window &w) { openSite(w, menus::Site::Yijian); }
void sb_Click(Window &w) { openSite(w, menus::Site::Sb); }
void tools_Click(Window &w) { openSite(w, menus::Site::Tools); }
void vod_Click(Window &w) { openSite(w, menus::Site::Vod); }
void tv_Click(Window &w) { openSite(w, menus::Site::Tv); }
void music_Click(Window &w) { openSite(w, menus::Site::Music); }
void kso_Click(Window &w) { openSite(w, menus::Site::Kso); }
void pc_Click(Window &w) { openSite(w, menus::Site::Pc); }
void ebook_Click(Window &w) { openSite(w, menus::Site::Ebook); }
void so_Click(Window &w) { openSite(w, menus::Site::So); }
void cp_Click(Window &w) { openSite(w, menus::Site::Cp); }
void wz_Click(Window &w) { openSite(w, menus::Site::Wz); }

void test_word_Click(Window &w, int)
{
    cmdTest_Click(w);
}
