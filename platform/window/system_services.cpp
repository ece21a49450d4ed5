#include "platform/window/system_services.h"

#include "platform/sync.h"
#include "platform/window/window_host.h"

#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

namespace {

class SystemClock : public Clock {
 public:
  DWORD TickCount() override { return ::GetTickCount(); }
  SYSTEMTIME LocalTime() override {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm fields{};
    localtime_r(&now.tv_sec, &fields);
    SYSTEMTIME t;
    t.wYear = static_cast<WORD>(fields.tm_year + 1900);
    t.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    t.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    t.wDay = static_cast<WORD>(fields.tm_mday);
    t.wHour = static_cast<WORD>(fields.tm_hour);
    t.wMinute = static_cast<WORD>(fields.tm_min);
    t.wSecond = static_cast<WORD>(fields.tm_sec);
    t.wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
    return t;
  }
};

SystemClock g_system_clock;
std::atomic<Clock*> g_clock{nullptr};

std::mutex g_lock;  // the settable states below
PowerStatusSource g_power_source;
DWORD g_idle_timeouts[3] = {180, 0, 60};
ULONG g_display_state = VideoPowerOn;
std::atomic<unsigned> g_idle_resets{0};

int64_t MillisecondsOf(const SYSTEMTIME& t) {
  std::tm fields{};
  fields.tm_year = t.wYear - 1900;
  fields.tm_mon = t.wMonth - 1;
  fields.tm_mday = t.wDay;
  fields.tm_hour = t.wHour;
  fields.tm_min = t.wMinute;
  fields.tm_sec = t.wSecond;
  return static_cast<int64_t>(timegm(&fields)) * 1000 + t.wMilliseconds;
}

std::string ReadLine(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

bool ReadSysPower(SYSTEM_POWER_STATUS_EX* status) {
  *status = SYSTEM_POWER_STATUS_EX{};
  status->BatteryFlag = BATTERY_FLAG_NO_BATTERY;
  std::error_code error;
  const std::filesystem::path root("/sys/class/power_supply");
  bool battery_seen = false;
  for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
    const std::string type = ReadLine(entry.path() / "type");
    if (type == "Mains") {
      status->ACLineStatus = ReadLine(entry.path() / "online") == "1" ? AC_LINE_ONLINE : AC_LINE_OFFLINE;
    } else if (type == "Battery" && !battery_seen) {
      const std::string capacity = ReadLine(entry.path() / "capacity");
      if (capacity.empty()) continue;
      battery_seen = true;
      int percent = 0;
      try {
        percent = std::stoi(capacity);
      } catch (...) {
        percent = BATTERY_PERCENTAGE_UNKNOWN;
      }
      status->BatteryLifePercent = static_cast<BYTE>(percent < 0 || percent > 255 ? 255 : percent);
      BYTE flag = percent > 33 ? BATTERY_FLAG_HIGH : BATTERY_FLAG_LOW;
      if (ReadLine(entry.path() / "status") == "Charging") flag |= BATTERY_FLAG_CHARGING;
      status->BatteryFlag = flag;
    }
  }
  return true;
}

}  // namespace

Clock* SetClock(Clock* clock) {
  Clock* previous = g_clock.exchange(clock);
  return previous;
}

DWORD UiTickCount() {
  Clock* clock = g_clock.load();
  return (clock ? clock : &g_system_clock)->TickCount();
}

void GetLocalTime(SYSTEMTIME* time) {
  Clock* clock = g_clock.load();
  *time = (clock ? clock : &g_system_clock)->LocalTime();
}

TestClock::TestClock() {
  SYSTEMTIME start;
  start.wYear = 2024;
  start.wMonth = 1;
  start.wDay = 15;
  start.wHour = 12;
  SetLocalTime(start);
}

SYSTEMTIME TestClock::LocalTime() {
  const int64_t ms = base_ms_ + static_cast<int64_t>(now_);
  const time_t seconds = static_cast<time_t>(ms / 1000);
  std::tm fields{};
  gmtime_r(&seconds, &fields);
  SYSTEMTIME t;
  t.wYear = static_cast<WORD>(fields.tm_year + 1900);
  t.wMonth = static_cast<WORD>(fields.tm_mon + 1);
  t.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
  t.wDay = static_cast<WORD>(fields.tm_mday);
  t.wHour = static_cast<WORD>(fields.tm_hour);
  t.wMinute = static_cast<WORD>(fields.tm_min);
  t.wSecond = static_cast<WORD>(fields.tm_sec);
  t.wMilliseconds = static_cast<WORD>(ms % 1000);
  return t;
}

void TestClock::SetLocalTime(const SYSTEMTIME& time) {
  base_ms_ = MillisecondsOf(time) - static_cast<int64_t>(now_);
}

BOOL GetSystemPowerStatusEx(SYSTEM_POWER_STATUS_EX* status, BOOL) {
  if (!status) return FALSE;
  PowerStatusSource source;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    source = g_power_source;
  }
  if (source) {
    *status = SYSTEM_POWER_STATUS_EX{};
    return source(status) ? TRUE : FALSE;
  }
  return ReadSysPower(status) ? TRUE : FALSE;
}

void SetPowerStatusSource(PowerStatusSource source) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_power_source = std::move(source);
}

void SystemIdleTimerReset() { ++g_idle_resets; }
unsigned IdleTimerResetCount() { return g_idle_resets.load(); }

BOOL SystemParametersInfoW(UINT action, UINT, void* value, UINT) {
  int slot = action == SPI_GETBATTERYIDLETIMEOUT    ? 0
             : action == SPI_GETEXTERNALIDLETIMEOUT ? 1
             : action == SPI_GETWAKEUPIDLETIMEOUT   ? 2
                                                    : -1;
  if (slot < 0 || value == nullptr) return FALSE;
  std::lock_guard<std::mutex> guard(g_lock);
  *static_cast<DWORD*>(value) = g_idle_timeouts[slot];
  return TRUE;
}

void SetIdleTimeouts(DWORD battery, DWORD external, DWORD wake_up) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_idle_timeouts[0] = battery;
  g_idle_timeouts[1] = external;
  g_idle_timeouts[2] = wake_up;
}

int ExtEscape(int escape, int input_size, const void* input, int, void*) {
  if (escape == QUERYESCSUPPORT) {
    if (input == nullptr || input_size < static_cast<int>(sizeof(int))) return 0;
    const int asked = *static_cast<const int*>(input);
    return asked == SETPOWERMANAGEMENT || asked == QUERYESCSUPPORT ? 1 : 0;
  }
  if (escape != SETPOWERMANAGEMENT) return 0;
  if (input == nullptr || input_size < static_cast<int>(sizeof(VIDEO_POWER_MANAGEMENT))) return -1;
  const auto* power = static_cast<const VIDEO_POWER_MANAGEMENT*>(input);
  if (power->Length < sizeof(VIDEO_POWER_MANAGEMENT)) return -1;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    g_display_state = power->PowerState;
  }
  WindowHost::SetDisplayPowerOfAll(power->PowerState == VideoPowerOn);
  return 1;
}

ULONG DisplayPowerState() {
  std::lock_guard<std::mutex> guard(g_lock);
  return g_display_state;
}
