// The automatic change through the machine's day: the minute counter, and besides it the clock
// since the last automatic change (or the start), sleep and wake, a locked session and the states
// in which a change must wait. Windows-free: the caller passes the time, the settings and the
// machine's state, and carries out what the step asks for.
#pragma once

#include <cstdint>

#include "wallpaper/auto_change_counter.h"

// Why a due automatic change waits.
enum class ChangeHold {
  None,
  Locked,        // the session is locked: nobody sees the desktop
  FullScreen,    // a full-screen program or a presentation runs
  BatterySaver,  // battery saver is on
};

// What the machine is doing when a change comes due.
struct MachineState {
  bool fullScreen = false;
  bool batterySaver = false;
};

enum class DayAction {
  None,
  Change,    // make the automatic change now, then call Changed
  Delay,     // due after a wake or an unlock: start the delayed run (a few seconds' wait)
  NotDue,    // a wake or an unlock before the interval has passed: nothing changes
  Postpone,  // the change waits, for the step's reason; told once for each reason
};

struct DayStep {
  DayAction action = DayAction::None;
  ChangeHold hold = ChangeHold::None;
};

class AutoChangeDay {
 public:
  // The clock starts at startMs, a time in milliseconds of a clock that runs on through sleep.
  explicit AutoChangeDay(std::uint64_t startMs = 0) : lastChangeMs_(startMs) {}

  // The minute's tick.
  DayStep Tick(const AutoChangeSettings& settings, const MachineState& machine);
  // Resume from sleep or hibernation, and the session's unlock; a second message of either while
  // the delayed run waits does nothing.
  DayStep Wake(const AutoChangeSettings& settings, std::uint64_t nowMs);
  DayStep Unlock(const AutoChangeSettings& settings, std::uint64_t nowMs);
  void Lock() { locked_ = true; }
  // The delayed run's timer: only a run that Wake or Unlock started counts.
  DayStep DelayedRun(const AutoChangeSettings& settings, const MachineState& machine);
  // An automatic change was made, or the user made one that restarts the count: the next
  // automatic change is a full interval away, and nothing waits any longer.
  void Changed(std::uint64_t nowMs);

  bool DelayedRunWaits() const { return delayed_; }
  int Minutes() const { return counter_.Minutes(); }

 private:
  DayStep Due(const MachineState& machine);
  DayStep Hold(ChangeHold why);
  bool IntervalPassed(const AutoChangeSettings& settings, std::uint64_t nowMs) const;

  AutoChangeCounter counter_;
  std::uint64_t lastChangeMs_;
  bool locked_ = false;
  bool delayed_ = false;                // a delayed run waits for its timer
  bool pending_ = false;                // a due change waits for its hold to end
  ChangeHold told_ = ChangeHold::None;  // the hold last told
};
