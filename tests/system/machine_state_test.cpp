#include <gtest/gtest.h>

#include <cstdint>

#include "system/machine_state.h"

namespace {

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
