// What the settings page shows in each login state.
#pragma once

#include <string>

class PageDocument;

// Shows the login fields and buttons, or the logout button, the logged-in line and the user's
// pool groups; then writes the logged-in line (userName, UTF-8, goes in as it is).
void ShowLoginState(PageDocument& page, bool loggedIn, const std::string& userName);
