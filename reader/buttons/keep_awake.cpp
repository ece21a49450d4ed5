#include "reader/buttons/keep_awake.h"

#include "platform/window/system_services.h"
#include "platform/window/window_host.h"
#include "reader/command_ids.h"

UINT KeepAwakePeriod(DWORD battery, DWORD external, DWORD wakeUp) {
  DWORD timeout = battery;
  if (external != 0 && external < battery) {
    timeout = external;
  } else if (wakeUp != 0 && wakeUp < battery) {
    timeout = wakeUp;
  }
  return timeout < 2 ? 5000 : timeout * 1000 - 1000;
}

void StartKeepAwake(HWND window) {
  KillTimer(window, kKeepAwakeTimer);
  DWORD battery = 0;
  DWORD external = 0;
  DWORD wakeUp = 0;
  SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, &battery, 0);
  SystemParametersInfoW(SPI_GETEXTERNALIDLETIMEOUT, 0, &external, 0);
  SystemParametersInfoW(SPI_GETWAKEUPIDLETIMEOUT, 0, &wakeUp, 0);
  SetTimer(window, kKeepAwakeTimer, KeepAwakePeriod(battery, external, wakeUp));
}

void StopKeepAwake(HWND window) { KillTimer(window, kKeepAwakeTimer); }
