#include "system/machine_state.h"

bool IsFullScreenState(int notificationState) {
  return notificationState == kNotificationStateBusy ||
         notificationState == kNotificationStateFullScreenD3d ||
         notificationState == kNotificationStatePresentation;
}

bool IsMeteredCost(std::uint32_t cost) {
  if (cost == 0) return false;
  return !(cost & kCostUnrestricted) || (cost & (kCostOverDataLimit | kCostRoaming)) != 0;
}
