#include <gtest/gtest.h>

#include <cstdint>

#include "system/machine_state.h"

namespace {

TEST(MachineState, OnlyBusyStatesAreFullScreen) {
  // QUNS_NOT_PRESENT 1, ACCEPTS_NOTIFICATIONS 5, QUIET_TIME 6, APP 7 let the desktop change.
  for (int state = 0; state <= 8; ++state) {
    SCOPED_TRACE(state);
    EXPECT_EQ(IsFullScreenState(state), state >= 2 && state <= 4);
  }
}

TEST(MachineState, MeteredCosts) {
  constexpr std::uint32_t kFixed = 0x2, kVariable = 0x4, kCongested = 0x20000,
                          kApproaching = 0x80000;
  const struct {
    std::uint32_t cost;
    bool metered;
  } cases[] = {
      {0, false},  // unknown
      {kCostUnrestricted, false},
      {kCostUnrestricted | kCongested, false},
      {kFixed, true},
      {kVariable, true},
      {kFixed | kApproaching, true},
      {kCostUnrestricted | kCostOverDataLimit, true},
      {kCostUnrestricted | kCostRoaming, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cost);
    EXPECT_EQ(IsMeteredCost(c.cost), c.metered);
  }
}

}  // namespace
