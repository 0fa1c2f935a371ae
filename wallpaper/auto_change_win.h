// The automatic change as the program carries it out (auto_change_day.h has its rules). Its
// change draws from the stored pool; when the service cannot be reached at all, or the connection
// is metered, the stored wallpaper shown longest ago is shown instead, if the store holds two or
// more. Each step that matters writes its line in the log.
#pragma once

#include <windows.h>

// The clock that tells whether the interval has passed after a wake; tests stand in for it.
using AutoChangeClock = ULONGLONG(WINAPI*)();
AutoChangeClock SetAutoChangeClock(AutoChangeClock replacement);
// The count and the clock start with the timer.
void StartAutoChangeClock();
// A change the user made from the menu or the page: the next automatic one is an interval away.
void RestartAutoChangeCount();
// One minute of the automatic-change timer: the change when it is due and nothing holds it.
void ChangeWallpaperIfDue();
// After a resume from sleep or an unlock: true when the change is due and is to run a few seconds
// later, through RunDelayedAutoChange.
bool AutoChangeDueAfterWake();
bool AutoChangeDueAfterUnlock();
void NoteSessionLocked();
void RunDelayedAutoChange();
