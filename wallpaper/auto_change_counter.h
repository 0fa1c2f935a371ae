// The minute counter behind automatic wallpaper changes. Windows-free.
#pragma once

class SettingsStore;

// What the timer tick reads from the settings, fresh on every tick.
struct AutoChangeSettings {
  bool enabled;  // "AUTO_CHANGE" is "YES" (a missing key counts as off)
  int interval;  // "CHANGE_INTERVAL" in minutes, read as atoi does (a missing key counts as 0)
};
AutoChangeSettings ReadAutoChangeSettings(const SettingsStore& settings);

class AutoChangeCounter {
 public:
  // One minute has passed. True when the wallpaper is due; the count then starts again.
  bool Tick(const AutoChangeSettings& settings);
  // A change was made at the user's request: the next automatic one is a full interval away.
  void Reset() { minutes_ = 0; }
  int Minutes() const { return minutes_; }

 private:
  int minutes_ = 0;
};
