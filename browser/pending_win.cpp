// Placeholder until the settings window lands.
#include "browser/browser.h"

void OpenSettingsWindow() {}
