#pragma once

#include <QString>

#include <span>
#include <string_view>

// The thirteen menu entries that open a page of the website, in one table:
// the menus, their handler and the tests are built from it. Adding a page is
// adding a row.
namespace menus {

enum class Base { Main, Second };

// Where the entry stands: on the menu bar (reached by its access key) or in
// the submenu "作者网站(&W)" (reached by its function key).
enum class Place { MenuBar, SiteMenu };

struct WebEntry {
    std::string_view name;     // the entry's given name, also its object name
    std::u16string_view caption;
    Place place;
    int key;                   // a Qt::Key for the function key; 0 for none
    Base base;
    std::string_view path;     // begins with "/"
};

// In menu order: the menu bar's two, then the submenu's eleven.
std::span<const WebEntry> webEntries();

QString mainBase();
QString secondBase();

// base + path, e.g. mainBase() + "/tools/".
QString webAddress(const WebEntry &entry);

} // namespace menus
