#include "system/machine_state_win.h"

#include <netlistmgr.h>
#include <shellapi.h>
#include <wrl/client.h>
#include <wtsapi32.h>

#include "base/seam.h"

static_assert(QUNS_BUSY == kNotificationStateBusy &&
              QUNS_RUNNING_D3D_FULL_SCREEN == kNotificationStateFullScreenD3d &&
              QUNS_PRESENTATION_MODE == kNotificationStatePresentation);
static_assert(NLM_CONNECTION_COST_UNRESTRICTED == kCostUnrestricted &&
              NLM_CONNECTION_COST_OVERDATALIMIT == kCostOverDataLimit &&
              NLM_CONNECTION_COST_ROAMING == kCostRoaming);

namespace {

// CLSID_NetworkListManager; the uuid library of MinGW does not carry it.
constexpr CLSID kNetworkListManager = {
    0xdcb00c01, 0x570f, 0x4a9b, {0x8d, 0x69, 0x19, 0x9f, 0xdb, 0xa5, 0x72, 0x3b}};

bool QueryFullScreen() {
  QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
  return SUCCEEDED(::SHQueryUserNotificationState(&state)) && IsFullScreenState(state);
}

bool QueryBatterySaver() {
  SYSTEM_POWER_STATUS status = {};
  // MinGW's headers name SystemStatusFlag Reserved1; bit 0 is battery saver.
  return ::GetSystemPowerStatus(&status) && (status.Reserved1 & 1) != 0;
}

// COM for the call's length, on a thread that may not have it yet; a thread that has it in
// another mode keeps it as it is.
class ComForCall {
 public:
  ComForCall() : started_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComForCall() {
    if (started_) ::CoUninitialize();
  }
  ComForCall(const ComForCall&) = delete;
  ComForCall& operator=(const ComForCall&) = delete;

 private:
  bool started_;
};

bool QueryMetered() {
  const ComForCall com;
  Microsoft::WRL::ComPtr<INetworkCostManager> costs;
  // Before Windows 8 there is no such object: every connection counts as unmetered.
  if (FAILED(::CoCreateInstance(kNetworkListManager, nullptr, CLSCTX_ALL,
                                IID_PPV_ARGS(costs.GetAddressOf())))) {
    return false;
  }
  DWORD cost = 0;
  return SUCCEEDED(costs->GetCost(&cost, nullptr)) && IsMeteredCost(cost);
}

Seam<MachineProbe> g_fullScreen(QueryFullScreen);
Seam<MachineProbe> g_batterySaver(QueryBatterySaver);
Seam<MachineProbe> g_metered(QueryMetered);

}  // namespace

bool FullScreenRuns() { return g_fullScreen.Get()(); }
MachineProbe SetFullScreenProbe(MachineProbe replacement) {
  return g_fullScreen.Replace(replacement);
}

bool BatterySaverOn() { return g_batterySaver.Get()(); }
MachineProbe SetBatterySaverProbe(MachineProbe replacement) {
  return g_batterySaver.Replace(replacement);
}

bool ConnectionMetered() { return g_metered.Get()(); }
MachineProbe SetMeteredProbe(MachineProbe replacement) { return g_metered.Replace(replacement); }

void WatchSessionLock(HWND window) {
  ::WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
}

void StopWatchingSessionLock(HWND window) { ::WTSUnRegisterSessionNotification(window); }
