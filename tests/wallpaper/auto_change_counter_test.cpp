#include <gtest/gtest.h>

#include <vector>

#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "wallpaper/auto_change_counter.h"

namespace {

constexpr AutoChangeSettings kOn10 = {true, 10};
constexpr AutoChangeSettings kOff10 = {false, 10};

// The minutes (1-based ticks) at which a change came, over `minutes` ticks of `settingsAt`.
template <typename SettingsAt, typename BeforeTick>
std::vector<int> ChangeMinutes(int minutes, SettingsAt settingsAt, BeforeTick beforeTick) {
  AutoChangeCounter counter;
  std::vector<int> changes;
  for (int minute = 1; minute <= minutes; ++minute) {
    beforeTick(counter, minute);
    if (counter.Tick(settingsAt(minute))) changes.push_back(minute);
  }
  return changes;
}

void NoUserChange(AutoChangeCounter&, int) {}

TEST(AutoChangeCounter, IntervalTenChangesAtEveryTenthTick) {
  EXPECT_EQ(ChangeMinutes(
                30, [](int) { return kOn10; }, NoUserChange),
            (std::vector<int>{10, 20, 30}));
}

TEST(AutoChangeCounter, UserChangeAtMinuteSevenMovesTheNextToSeventeen) {
  // The user's change comes after the tick of minute 7.
  const auto userChangeAfterSeven = [](AutoChangeCounter& counter, int minute) {
    if (minute == 8) counter.Reset();
  };
  EXPECT_EQ(ChangeMinutes(
                27, [](int) { return kOn10; }, userChangeAfterSeven),
            (std::vector<int>{17, 27}));
}

TEST(AutoChangeCounter, PausedCountResumesWhereItStood) {
  // Off after the tick of minute 5, on again after the tick of minute 8.
  const auto offFromSixToEight = [](int minute) {
    return minute >= 6 && minute <= 8 ? kOff10 : kOn10;
  };
  const auto countStandsAtFiveAfterThePause = [](AutoChangeCounter& counter, int minute) {
    if (minute == 9) {
      EXPECT_EQ(counter.Minutes(), 5);
    }
  };
  EXPECT_EQ(ChangeMinutes(23, offFromSixToEight, countStandsAtFiveAfterThePause),
            (std::vector<int>{13, 23}));
}

TEST(AutoChangeCounter, NeverChangesWhileOff) {
  EXPECT_TRUE(ChangeMinutes(
                  30,
                  [](int) {
                    return AutoChangeSettings{false, 0};
                  },
                  NoUserChange)
                  .empty());
}

TEST(AutoChangeCounter, IntervalChangedDownBelowTheCountChangesAtOnce) {
  AutoChangeCounter counter;
  for (int minute = 1; minute <= 7; ++minute) ASSERT_FALSE(counter.Tick(kOn10)) << minute;
  EXPECT_TRUE(counter.Tick(AutoChangeSettings{true, 5}));
  EXPECT_EQ(counter.Minutes(), 0);
}

SettingsStore StoreWith(const char* autoChange, const char* interval) {
  SettingsStore store;
  store.Set(kAutoChangeKey, autoChange);
  store.Set(kChangeIntervalKey, interval);
  return store;
}

TEST(AutoChangeCounter, IntervalsReadingAsZeroOrBelowChangeAtEveryTick) {
  for (const char* interval : {"0", "-3", "x", "", "1"}) {
    SCOPED_TRACE(interval);
    const AutoChangeSettings settings = ReadAutoChangeSettings(StoreWith("YES", interval));
    EXPECT_EQ(ChangeMinutes(
                  3, [&](int) { return settings; }, NoUserChange),
              (std::vector<int>{1, 2, 3}))
        << "interval \"" << interval << "\"";
  }
}

TEST(AutoChangeSettingsFromStore, OnlyAnUpperCaseYesTurnsItOn) {
  EXPECT_TRUE(ReadAutoChangeSettings(StoreWith("YES", "10")).enabled);
  for (const char* flag : {"yes", "Yes", "NO", "", "1"}) {
    EXPECT_FALSE(ReadAutoChangeSettings(StoreWith(flag, "10")).enabled) << flag;
  }
  EXPECT_EQ(ReadAutoChangeSettings(StoreWith("YES", " 15min")).interval, 15);
}

TEST(AutoChangeSettingsFromStore, MissingKeysMeanOffAndEveryMinute) {
  SettingsStore store = StoreWith("YES", "10");
  store.Erase(kChangeIntervalKey);
  EXPECT_EQ(ReadAutoChangeSettings(store).interval, 0);
  store.Erase(kAutoChangeKey);
  EXPECT_FALSE(ReadAutoChangeSettings(store).enabled);
}

}  // namespace
