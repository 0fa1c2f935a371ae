// Placeholder until the HTTP transfer lands: nothing can be fetched.
#include "net/net.h"

bool FetchToFile(const std::string&, const std::string&) {
  return false;
}
std::string FetchToString(const std::string&) {
  return std::string();
}
bool FetchImage(std::string&, const std::string&, size_t) {
  return false;
}
