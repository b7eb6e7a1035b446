#include "app/website_links.h"

#include "app/desktop_actions.h"
#include "app/window_state.h"
#include "calendar/publisher.h"

std::string webPageLink(int target)
{
    const char* path = nullptr;
    switch (target) {
    case calendarPage:
        path = "/calendar/index.php?v=";
        break;
    case homePage:
        path = "/index.php?v=";
        break;
    default:
        return {};
    }
    return std::string(publisherSite) + path + versionTag;
}

void openWebPage(int target)
{
    if (const std::string link = webPageLink(target); !link.empty())
        desktopActions().openLink(link);
}
