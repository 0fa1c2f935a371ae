#include "wallpaper/auto_change_counter.h"

#include "settings/settings.h"
#include "settings/settings_keys.h"

AutoChangeSettings ReadAutoChangeSettings(const SettingsStore& settings) {
  AutoChangeSettings result = {false, 0};
  settings.GetFlag(kAutoChangeKey, result.enabled);
  settings.GetInt(kChangeIntervalKey, result.interval);
  return result;
}

bool AutoChangeCounter::Tick(const AutoChangeSettings& settings) {
  // While automatic change is off the count pauses; it does not start again.
  if (!settings.enabled) return false;
  ++minutes_;
  // An interval of 0 or below means every minute.
  if (minutes_ < settings.interval) return false;
  minutes_ = 0;
  return true;
}
