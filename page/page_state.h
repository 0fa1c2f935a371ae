// The outcome of the latest login attempt, kept by the settings window.
#pragma once

#include <string>

struct PageState {
  bool loggedIn = false;      // the service accepted the login
  std::string authorization;  // the code the service returned (UTF-8)
  std::string message;        // what to tell the user when the attempt failed (UTF-8)
};
