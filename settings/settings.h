// Settings store: the one key-value map of the program's settings, its file config.dat and the
// program's own store.
//
// The keys that the program uses are named in settings_keys.h; what each reader takes from the
// store in one go, with the defaults, in settings_snapshots.h. Keys and values are byte strings
// (ANSI text). Flags are "YES"/"NO"; numbers are decimal
// text read with atoi. The map keeps keys it does not know and writes them back.
#pragma once

#include <map>
#include <string>

class SettingsStore {
 public:
  // Holds the built-in defaults from construction on.
  SettingsStore();

  // Reads path over the current values; false (store unchanged) when the file cannot be opened
  // or read to its end.
  // A save cut short by a crash leaves a temporary file beside path: the running copy removes it
  // at its start (another copy may be saving right now).
  bool Load(const std::string& path);
  // Replaces path with the whole store; false, and the old file untouched, when that fails.
  bool Save(const std::string& path) const;

  bool GetString(const std::string& key, std::string& out) const;
  bool GetInt(const std::string& key, int& out) const;
  bool GetFlag(const std::string& key, bool& out) const;

  // Refused (false), the store unchanged, when key or value holds a CR or LF or the key holds
  // "=": every entry stays one line of the file.
  bool Set(const std::string& key, const std::string& value);
  void SetInt(const std::string& key, int value);
  void SetFlag(const std::string& key, bool value);
  // Drops the key, defaults included: readers then see it as missing.
  void Erase(const std::string& key);

  // The file's text: applies its lines over the store / gives the store as lines.
  void ReadText(const std::string& text);
  std::string ToText() const;

  const std::map<std::string, std::string>& Entries() const { return values_; }

 private:
  // std::string orders by unsigned bytes, a prefix first: the file's line order.
  std::map<std::string, std::string> values_;
};

// The program's one store, holding its defaults before WinMain runs.
SettingsStore& AppSettings();
// Makes sure of AppFolder and reads config.dat into the program's store. False when config.dat
// exists but cannot be read whole: the store keeps its defaults, and no save of this run writes
// over the file.
bool LoadAppSettings();
// Makes sure of AppFolder and saves the store (the program's own by default) as config.dat; false,
// writing nothing, after a load that could not read it.
bool SaveAppSettings(const SettingsStore& store = AppSettings());
