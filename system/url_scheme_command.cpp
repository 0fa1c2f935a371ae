#include "system/system.h"

std::string UrlSchemeCommand(const std::string& programPath) {
  return "\"" + programPath + "\" \"%1\"";
}
