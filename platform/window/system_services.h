// The handheld's system services that the reader calls besides its window:
// the clock, the battery, the idle timer, the soft input panel and the
// display power. Each has a test seam.
#pragma once

#include "platform/window/soft_input_panel.h"
#include "platform/window/window_types.h"

#include <functional>

// Time as the reader's window sees it: the real clock, or a test clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DWORD TickCount() = 0;        // milliseconds, wrapping at 2^32
  virtual SYSTEMTIME LocalTime() = 0;
};

// Installs the clock (null: the system clock) and returns the previous one.
Clock* SetClock(Clock* clock);
// The window clock's tick count (GetTickCount of the window services: the
// test clock under the headless back end).
DWORD UiTickCount();
void GetLocalTime(SYSTEMTIME* time);

// A clock that moves only when told, from a fixed local time.
class TestClock : public Clock {
 public:
  // Starts at tick 1000 on 2024-01-15 12:00:00.000 local time.
  TestClock();
  DWORD TickCount() override { return static_cast<DWORD>(now_); }
  SYSTEMTIME LocalTime() override;
  // Sets the local time that belongs to the current tick.
  void SetLocalTime(const SYSTEMTIME& time);
  void Advance(uint64_t milliseconds) { now_ += milliseconds; }
  uint64_t Now() const { return now_; }
  void SetNow(uint64_t now) { now_ = now; }

 private:
  uint64_t now_ = 1000;
  int64_t base_ms_ = 0;  // local time at tick 0, milliseconds since 1970 (as UTC fields)
};

// Battery state.
constexpr BYTE AC_LINE_OFFLINE = 0;
constexpr BYTE AC_LINE_ONLINE = 1;
constexpr BYTE AC_LINE_UNKNOWN = 0xFF;
constexpr BYTE BATTERY_FLAG_HIGH = 0x01;
constexpr BYTE BATTERY_FLAG_LOW = 0x02;
constexpr BYTE BATTERY_FLAG_CHARGING = 0x08;
constexpr BYTE BATTERY_FLAG_NO_BATTERY = 0x80;
constexpr BYTE BATTERY_FLAG_UNKNOWN = 0xFF;
constexpr BYTE BATTERY_PERCENTAGE_UNKNOWN = 0xFF;
constexpr DWORD BATTERY_LIFE_UNKNOWN = 0xFFFFFFFF;

struct SYSTEM_POWER_STATUS_EX {
  BYTE ACLineStatus = AC_LINE_UNKNOWN;
  BYTE BatteryFlag = BATTERY_FLAG_UNKNOWN;
  BYTE BatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
  BYTE Reserved1 = 0;
  DWORD BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  DWORD BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
  BYTE Reserved2 = 0;
  BYTE BackupBatteryFlag = BATTERY_FLAG_UNKNOWN;
  BYTE BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
  BYTE Reserved3 = 0;
  DWORD BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  DWORD BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
};

// Reads the first battery of /sys/class/power_supply (capacity, status,
// AC adapter). Without a battery: TRUE, BATTERY_FLAG_NO_BATTERY and the
// percentage unknown (255). `update` is accepted and ignored.
BOOL GetSystemPowerStatusEx(SYSTEM_POWER_STATUS_EX* status, BOOL update);
// Tests: replaces the source (empty restores /sys); returning false makes the
// call fail.
using PowerStatusSource = std::function<bool(SYSTEM_POWER_STATUS_EX*)>;
void SetPowerStatusSource(PowerStatusSource source);

// Keeps the device awake: counted here (no suspend timer to reset on a desktop).
void SystemIdleTimerReset();
unsigned IdleTimerResetCount();

// SPI_GET*IDLETIMEOUT into a DWORD (seconds); other actions fail.
BOOL SystemParametersInfoW(UINT action, UINT param, void* value, UINT win_ini);
// Defaults: battery 180, external 0, wake-up 60 seconds.
void SetIdleTimeouts(DWORD battery, DWORD external, DWORD wake_up);

// Display escapes of the screen: QUERYESCSUPPORT (input: the escape as an
// int) answers 1 for SETPOWERMANAGEMENT; SETPOWERMANAGEMENT (input: a
// VIDEO_POWER_MANAGEMENT) switches the display: the windows' hosts blank
// their screens while it is off. Other escapes answer 0.
int ExtEscape(int escape, int input_size, const void* input, int output_size, void* output);
// The last power state set (VideoPowerOn at start).
ULONG DisplayPowerState();
