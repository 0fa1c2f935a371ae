#include "wallpaper/auto_change_day.h"

namespace {

constexpr std::uint64_t kMinuteMs = 60000;

}  // namespace

DayStep AutoChangeDay::Tick(const AutoChangeSettings& settings, const MachineState& machine) {
  if (!settings.enabled) return {};
  // The delayed run is the due change; the count starts again from it.
  if (delayed_) return {};
  if (pending_ || counter_.Tick(settings)) return Due(machine);
  return {};
}

DayStep AutoChangeDay::Wake(const AutoChangeSettings& settings, std::uint64_t nowMs) {
  if (!settings.enabled || delayed_) return {};
  if (!pending_ && !IntervalPassed(settings, nowMs)) return {DayAction::NotDue};
  if (locked_) return Hold(ChangeHold::Locked);
  delayed_ = true;
  return {DayAction::Delay};
}

DayStep AutoChangeDay::Unlock(const AutoChangeSettings& settings, std::uint64_t nowMs) {
  locked_ = false;
  return Wake(settings, nowMs);
}

DayStep AutoChangeDay::DelayedRun(const AutoChangeSettings& settings, const MachineState& machine) {
  if (!delayed_) return {};
  delayed_ = false;
  if (!settings.enabled) return {};
  return Due(machine);
}

void AutoChangeDay::Changed(std::uint64_t nowMs) {
  counter_.Reset();
  lastChangeMs_ = nowMs;
  delayed_ = false;
  pending_ = false;
  told_ = ChangeHold::None;
}

DayStep AutoChangeDay::Due(const MachineState& machine) {
  if (locked_) return Hold(ChangeHold::Locked);
  if (machine.fullScreen) return Hold(ChangeHold::FullScreen);
  if (machine.batterySaver) return Hold(ChangeHold::BatterySaver);
  return {DayAction::Change};
}

DayStep AutoChangeDay::Hold(ChangeHold why) {
  // One change, made late: the ticks that find it still held say nothing more.
  pending_ = true;
  if (told_ == why) return {};
  told_ = why;
  return {DayAction::Postpone, why};
}

bool AutoChangeDay::IntervalPassed(const AutoChangeSettings& settings, std::uint64_t nowMs) const {
  // As the counter: an interval of 0 or below is a minute.
  const std::uint64_t minutes = settings.interval > 1 ? settings.interval : 1;
  return nowMs >= lastChangeMs_ && nowMs - lastChangeMs_ >= minutes * kMinuteMs;
}
