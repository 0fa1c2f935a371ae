// Keeps the settings page's form and the settings store in step: the automatic-change switch,
// its interval and the pool, and the login state that the page shows.
#pragma once

#include <functional>

class PageDocument;
class SettingsStore;

// Both do nothing unless the settings page is the one shown (not the recent page) and there is a
// store.

// Writes the stored values into the form, enables its fields as the switch and the login allow,
// and shows the login state.
void FillOptionsPage(PageDocument& page, const SettingsStore* settings, bool onOptionsPage);

// Reads the form into the store, disabled fields included; a field that cannot be read leaves its
// key alone. Then hands the store to save, whether or not anything changed.
void SaveOptionsForm(PageDocument& page, SettingsStore* settings, bool onOptionsPage,
                     const std::function<void(const SettingsStore&)>& save);
