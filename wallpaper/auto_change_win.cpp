#include "wallpaper/auto_change_win.h"

#include <string>
#include <vector>

#include "base/log.h"
#include "base/path.h"
#include "base/seam.h"
#include "system/machine_state_win.h"
#include "system/notification_icon_win.h"
#include "wallpaper/auto_change_day.h"
#include "wallpaper/desktop_wallpaper.h"
#include "wallpaper/logged_change_win.h"

namespace {

// GetTickCount64 runs on through sleep and hibernation and ignores changes of the clock's time.
Seam<AutoChangeClock> g_clock(::GetTickCount64);
AutoChangeDay g_day;

std::uint64_t Now() { return g_clock.Get()(); }

AutoChangeSettings CurrentSettings() { return ReadAutoChangeSettings(AppSettings()); }

MachineState CurrentMachineState() { return {FullScreenRuns(), BatterySaverOn()}; }

const char* HoldText(ChangeHold hold) {
  switch (hold) {
    case ChangeHold::Locked:
      return "the session is locked";
    case ChangeHold::FullScreen:
      return "a full-screen program or a presentation runs";
    case ChangeHold::BatterySaver:
      return "battery saver is on";
    case ChangeHold::None:
      break;
  }
  return "";
}

bool IsGone(const std::string& path) {
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Without the service, the automatic change shows what the store has: the wallpaper shown
// longest ago, the last of the list (each showing moves a wallpaper to the front). The front one
// is on the desktop now, so a store of fewer than two has nothing to show. A picture that cannot
// be read is passed over for the next oldest, or the desktop would never change again; one that
// is gone leaves the list with its thumbnail.
void ShowLongestUnshown(WallpaperList& list, const char* why) {
  std::vector<std::string> oldestFirst;
  for (auto entry = list.Entries().rbegin(); entry != list.Entries().rend(); ++entry) {
    oldestFirst.push_back(entry->name);
  }
  if (!oldestFirst.empty()) oldestFirst.pop_back();  // the front
  for (const std::string& name : oldestFirst) {
    if (list.Entries().size() < 2) return;
    const std::string path = JoinPath(list.DataFolder(), name);
    if (IsGone(path)) {
      WriteLog(AnsiToUtf8(name) + " is gone from the store: it leaves the list");
      list.Remove(name);
      continue;
    }
    const ChangeOutcome shown =
        LoggedChange(ChangeOrigin::Timer, std::string(why) + ", stored " + name,
                     [&] { return ChangeOutcome(ApplyDesktopImage(path)); });
    if (shown) {
      RefreshStoredWallpaper(list, name);
      return;
    }
    // Only the picture's own fault is passed over: the desktop refusing wall.bmp would refuse any.
    if (shown.failure != ChangeFailure::NotImage && shown.failure != ChangeFailure::CannotConvert) {
      return;
    }
  }
}

void MakeAutomaticChange() {
  // First, so that a wake answered while the change runs finds it made.
  g_day.Changed(Now());
  BusyTrayIcon busy;
  WallpaperList& list = AppWallpapers();
  if (ConnectionMetered()) {
    // Nothing downloaded on a metered connection.
    if (list.Entries().size() < 2) WriteLog("metered connection: no stored wallpaper to show");
    ShowLongestUnshown(list, "metered");
    return;
  }
  const ChangeOutcome outcome =
      LoggedPoolChange(ChangeOrigin::Timer, WallpaperPool::FromSettings, false);
  // Only when the service cannot be reached: an answer, even a refusal, is the service's word.
  if (IsUnreachable(outcome.failure)) ShowLongestUnshown(list, "offline");
}

void CarryOut(const DayStep& step) {
  if (step.action == DayAction::Change) {
    MakeAutomaticChange();
  } else if (step.action == DayAction::Postpone) {
    WriteLog(std::string("automatic change postponed: ") + HoldText(step.hold));
  }
}

// A wake's or an unlock's step; true when the delayed run is to start.
bool DueAfter(const DayStep& step, const char* event) {
  if (step.action == DayAction::Delay) {
    WriteLog(std::string(event) + ": the automatic change is due");
    return true;
  }
  if (step.action == DayAction::NotDue) {
    WriteLog(std::string(event) + ": the automatic change is not due yet");
  }
  CarryOut(step);
  return false;
}

}  // namespace

AutoChangeClock SetAutoChangeClock(AutoChangeClock replacement) {
  return g_clock.Replace(replacement);
}

void StartAutoChangeClock() { g_day = AutoChangeDay(Now()); }

void RestartAutoChangeCount() { g_day.Changed(Now()); }

void ChangeWallpaperIfDue() { CarryOut(g_day.Tick(CurrentSettings(), CurrentMachineState())); }

bool AutoChangeDueAfterWake() { return DueAfter(g_day.Wake(CurrentSettings(), Now()), "wake"); }

bool AutoChangeDueAfterUnlock() {
  return DueAfter(g_day.Unlock(CurrentSettings(), Now()), "unlock");
}

void NoteSessionLocked() { g_day.Lock(); }

void RunDelayedAutoChange() {
  CarryOut(g_day.DelayedRun(CurrentSettings(), CurrentMachineState()));
}
