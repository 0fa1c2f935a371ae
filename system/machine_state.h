// What the machine is doing, as the automatic change must know it: a full-screen program or a
// presentation, battery saver, a metered connection. The rules that read the system's answers are
// Windows-free; the probes, each behind a seam (Wine answers a plain desktop machine), and the
// session's lock notifications are in machine_state_win.h.
#pragma once

#include <cstdint>

// The shell's QUERY_USER_NOTIFICATION_STATE, as SHQueryUserNotificationState answers it.
constexpr int kNotificationStateBusy = 2;           // QUNS_BUSY: a full-screen program
constexpr int kNotificationStateFullScreenD3d = 3;  // QUNS_RUNNING_D3D_FULL_SCREEN: a game
constexpr int kNotificationStatePresentation = 4;   // QUNS_PRESENTATION_MODE
// The NLM_CONNECTION_COST flags of INetworkCostManager::GetCost.
constexpr std::uint32_t kCostUnrestricted = 0x1;
constexpr std::uint32_t kCostOverDataLimit = 0x10000;
constexpr std::uint32_t kCostRoaming = 0x40000;

// True for the states in which nothing should change on the screen.
bool IsFullScreenState(int notificationState);
// A cost other than unrestricted, or over its data limit, or roaming. An unknown cost (0) is
// unmetered: nothing says that the connection costs anything.
bool IsMeteredCost(std::uint32_t cost);
