#pragma once
#include <string>

// The publisher's pages the window links to.
enum WebPage : int {
    calendarPage = 1,
    homePage = 2,
};

// The full link of a page, tagged with the program's version; empty for a
// number that is no page.
std::string webPageLink(int target);

// Opens the page in the default browser without waiting for it. An unknown
// number opens nothing.
void openWebPage(int target);
