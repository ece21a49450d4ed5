#include "platform/window/headless_backend.h"
#include "platform/window/system_services.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemServicesTest, TestClockKeepsLocalTimeWithTicks) {
  TestClock clock;
  SYSTEMTIME t = clock.LocalTime();
  EXPECT_EQ(t.wYear, 2024);
  EXPECT_EQ(t.wMonth, 1);
  EXPECT_EQ(t.wDay, 15);
  EXPECT_EQ(t.wDayOfWeek, 1);  // a Monday
  EXPECT_EQ(t.wHour, 12);
  EXPECT_EQ(t.wMinute, 0);
  clock.Advance(61500);
  t = clock.LocalTime();
  EXPECT_EQ(t.wMinute, 1);
  EXPECT_EQ(t.wSecond, 1);
  EXPECT_EQ(t.wMilliseconds, 500);
  SYSTEMTIME late;
  late.wYear = 2024;
  late.wMonth = 2;
  late.wDay = 29;
  late.wHour = 23;
  late.wMinute = 59;
  late.wSecond = 30;
  clock.SetLocalTime(late);
  clock.Advance(45000);
  t = clock.LocalTime();
  EXPECT_EQ(t.wMonth, 3);
  EXPECT_EQ(t.wDay, 1);
  EXPECT_EQ(t.wMinute, 0);
  EXPECT_EQ(t.wSecond, 15);

  HeadlessBackend backend;
  backend.Clock().Advance(59000);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(now.wMinute, 0);
  EXPECT_EQ(now.wSecond, 59);
  EXPECT_EQ(UiTickCount(), 60000u);
}

TEST(SystemServicesTest, PowerIdleAndDisplaySeams) {
  SetPowerStatusSource([](SYSTEM_POWER_STATUS_EX* s) {
    s->BatteryLifePercent = 42;
    return true;
  });
  SYSTEM_POWER_STATUS_EX status;
  ASSERT_TRUE(GetSystemPowerStatusEx(&status, TRUE));
  EXPECT_EQ(status.BatteryLifePercent, 42);
  SetPowerStatusSource([](SYSTEM_POWER_STATUS_EX*) { return false; });
  EXPECT_FALSE(GetSystemPowerStatusEx(&status, TRUE));
  SetPowerStatusSource(nullptr);
  EXPECT_TRUE(GetSystemPowerStatusEx(&status, TRUE));  // whatever this machine has

  SetIdleTimeouts(180, 0, 60);
  DWORD value = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, &value, 0));
  EXPECT_EQ(value, 180u);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWAKEUPIDLETIMEOUT, 0, &value, 0));
  EXPECT_EQ(value, 60u);
  EXPECT_FALSE(SystemParametersInfoW(1, 0, &value, 0));
  const unsigned resets = IdleTimerResetCount();
  SystemIdleTimerReset();
  EXPECT_EQ(IdleTimerResetCount(), resets + 1);

  HeadlessBackend backend;
  auto host = backend.CreateMainWindow(u"Parlen 2");
  int escape = SETPOWERMANAGEMENT;
  EXPECT_EQ(ExtEscape(QUERYESCSUPPORT, sizeof escape, &escape, 0, nullptr), 1);
  escape = 0x1234;
  EXPECT_EQ(ExtEscape(QUERYESCSUPPORT, sizeof escape, &escape, 0, nullptr), 0);
  VIDEO_POWER_MANAGEMENT power;
  power.PowerState = VideoPowerOff;
  EXPECT_EQ(ExtEscape(SETPOWERMANAGEMENT, sizeof power, &power, 0, nullptr), 1);
  EXPECT_FALSE(host->DisplayOn());
  EXPECT_EQ(DisplayPowerState(), VideoPowerOff);
  power.PowerState = VideoPowerOn;
  ExtEscape(SETPOWERMANAGEMENT, sizeof power, &power, 0, nullptr);
  EXPECT_TRUE(host->DisplayOn());
}

}  // namespace
