#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "wallpaper/auto_change_day.h"

namespace {

constexpr std::uint64_t kMinuteMs = 60000;

// In the order of ChangeHold.
constexpr const char* kHoldNames[] = {"none", "locked", "full", "battery"};

// Plays a day written as words, with automatic change on every `interval` minutes: "t" a
// minute's tick, "sN" N minutes of sleep (the clock runs, no ticks), "w" a wake, "u" an unlock,
// "l" a lock, "r" the delayed run's timer, "f+"/"f-" full-screen on and off, "b+"/"b-" battery
// saver, "off"/"on" automatic change. Answers a word for each: "." nothing, "C" a change (made at
// once), "D" the delayed run started, "n" not due, "p:WHY" postponed.
std::string PlayDay(const std::string& script, int interval = 10) {
  AutoChangeDay day(5 * kMinuteMs);
  AutoChangeSettings settings = {true, interval};
  MachineState machine;
  std::uint64_t now = 5 * kMinuteMs;
  std::istringstream words(script);
  std::string word;
  std::string answer;
  while (words >> word) {
    DayStep step;
    if (word == "t") {
      now += kMinuteMs;
      step = day.Tick(settings, machine);
    } else if (word[0] == 's') {
      now += std::stoull(word.substr(1)) * kMinuteMs;
    } else if (word == "w") {
      step = day.Wake(settings, now);
    } else if (word == "u") {
      step = day.Unlock(settings, now);
    } else if (word == "l") {
      day.Lock();
    } else if (word == "r") {
      step = day.DelayedRun(settings, machine);
    } else if (word == "f+" || word == "f-") {
      machine.fullScreen = word[1] == '+';
    } else if (word == "b+" || word == "b-") {
      machine.batterySaver = word[1] == '+';
    } else {
      settings.enabled = word == "on";
    }
    if (step.action == DayAction::Change) day.Changed(now);
    // Only the messages and ticks answer.
    if (std::string("twur").find(word[0]) == std::string::npos) continue;
    const char* told[] = {".", "C", "D", "n", "p:"};
    answer += (answer.empty() ? "" : " ") + std::string(told[static_cast<int>(step.action)]);
    if (step.action == DayAction::Postpone) answer += kHoldNames[static_cast<int>(step.hold)];
  }
  return answer;
}

struct DayCase {
  const char* name;
  const char* script;
  const char* answer;
};

TEST(AutoChangeDay, ThroughADay) {
  const DayCase cases[] = {
      {"ticks alone change at the interval, as the counter does", "t t t t t t t t t t t",
       ". . . . . . . . . C ."},
      {"a wake after the interval makes the change due, run later once, the count from it",
       "t t s20 w t r t t t t t t t t t t", ". . D . C . . . . . . . . . C"},
      {"a wake before the interval changes nothing and keeps the count", "t t t s3 w t t t t t t t",
       ". . . n . . . . . . C"},
      {"a second wake while the run waits, and one after it, make one change", "s15 w w r w",
       "D . C n"},
      {"an unlock after the interval makes the change due", "s15 u r", "D C"},
      {"the run's timer without a wake, or twice, changes nothing", "s15 r w r r", ". D C ."},
      {"locked, the due tick waits and the unlock makes it due", "l t t t t t t t t t t t u r",
       ". . . . . . . . . p:locked . D C"},
      {"a wake while locked waits for the unlock", "l s20 w w u u r", "p:locked . D . C"},
      {"the delayed run finding the session locked waits for the unlock", "s20 w l r u r",
       "D p:locked D C"},
      {"full-screen postpones to the first tick after it ends", "t t t f+ t t t t t t t t f- t t",
       ". . . . . . . . . p:full . C ."},
      {"full-screen at the delayed run postpones it to the next tick", "s20 w f+ r t f- t",
       "D p:full . C"},
      {"battery saver postpones as full-screen does; a new reason is told",
       "s20 w f+ r b+ f- t b- t", "D p:full p:battery C"},
      {"while off nothing is due and the count stands", "off s20 w t t on t t t t t t t t t t",
       ". . . . . . . . . . . . C"},
  };
  for (const DayCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(PlayDay(row.script), row.answer);
  }
}

TEST(AutoChangeDay, AnIntervalOfZeroIsAMinuteOnTheClock) {
  EXPECT_EQ(PlayDay("w s1 w r", 0), "n D C");
  EXPECT_EQ(PlayDay("w s1 w r", -4), "n D C");
}

}  // namespace
