// The probes of the machine's state (machine_state.h has their rules) and the session's lock
// notifications for a window. Each probe goes through a seam, so that tests stand in for a
// full-screen program, battery saver or a metered connection.
#pragma once

#include <windows.h>

#include "system/machine_state.h"

using MachineProbe = bool (*)();

// SHQueryUserNotificationState: a full-screen program, a game or a presentation.
bool FullScreenRuns();
MachineProbe SetFullScreenProbe(MachineProbe replacement);
// GetSystemPowerStatus: battery saver is on.
bool BatterySaverOn();
MachineProbe SetBatterySaverProbe(MachineProbe replacement);
// INetworkCostManager::GetCost of the machine's connections; false where the interface is missing
// (before Windows 8) or does not answer.
bool ConnectionMetered();
MachineProbe SetMeteredProbe(MachineProbe replacement);

// WTSRegisterSessionNotification for the window's own session: it receives WM_WTSSESSION_CHANGE.
// The window must stop before it is destroyed.
void WatchSessionLock(HWND window);
void StopWatchingSessionLock(HWND window);
