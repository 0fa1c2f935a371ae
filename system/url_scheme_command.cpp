#include "system/url_scheme_command.h"

std::string UrlSchemeCommand(const std::string& programPath) {
  return "\"" + programPath + "\" \"%1\"";
}
