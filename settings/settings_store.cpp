#include "settings/settings.h"

#include <cstdio>
#include "base/text.h"
#include "settings/settings_keys.h"

SettingsStore::SettingsStore() {
  Set(kAutoChangeKey, "NO");
  Set(kAutoStartKey, "YES");
  Set(kChangeIntervalKey, "10");
  Set(kCurrentIdKey, "-1");
  Set(kUserKey, "");
  Set(kCategoryKey, "0");
  Set(kPasswordKey, "");
  Set(kAuthorizationKey, "");
  Set(kLoggedInKey, "NO");
  Set(kSaveKey, "NO");
}

bool SettingsStore::GetString(const std::string& key, std::string& out) const {
  auto it = values_.find(key);
  if (it == values_.end()) return false;
  out = it->second;
  return true;
}

bool SettingsStore::GetInt(const std::string& key, int& out) const {
  auto it = values_.find(key);
  if (it == values_.end()) return false;
  out = ReadDecimal(it->second);
  return true;
}

bool SettingsStore::GetFlag(const std::string& key, bool& out) const {
  auto it = values_.find(key);
  if (it == values_.end()) return false;
  out = it->second == "YES";
  return true;
}

namespace {

// A line break would end the line early and start a line of its own: a value from outside could
// then write any setting. A key also may not hold the "=" that ends it.
bool FitsOneLine(const std::string& text) {
  return text.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

bool SettingsStore::Set(const std::string& key, const std::string& value) {
  if (!FitsOneLine(key) || !FitsOneLine(value) || key.find('=') != std::string::npos) return false;
  values_[key] = value;
  return true;
}

void SettingsStore::SetInt(const std::string& key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  Set(key, text);
}

void SettingsStore::SetFlag(const std::string& key, bool value) { Set(key, value ? "YES" : "NO"); }

void SettingsStore::Erase(const std::string& key) { values_.erase(key); }

void SettingsStore::ReadText(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    // A text-mode stream turns CR LF into LF; a lone LF ends a line just the same.
    if (end < text.size() && !line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (equals != std::string::npos) Set(line.substr(0, equals), line.substr(equals + 1));
    start = end + 1;
  }
}

std::string SettingsStore::ToText() const {
  std::string text;
  for (const auto& [key, value] : values_) {
    text += key;
    text += '=';
    text += value;
    text += "\r\n";
  }
  return text;
}
