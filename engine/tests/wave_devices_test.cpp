#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/tests/test_formats.h"
#include "engine/wave_devices.h"

namespace {

// Without a sound card the output falls back to the null sink, which is a
// device all the same.
TEST(WaveDevices, OutputIsThereWithOrWithoutASoundCard) {
  setenv("PARLEN_AUDIO", "null", 1);
  EXPECT_EQ(WaveOutDeviceCount(), 1u);
  EXPECT_EQ(WaveOutDeviceName(0), "Parlen wave out");
  EXPECT_EQ(WaveOutDeviceName(WAVE_MAPPER), "Parlen wave out");
  EXPECT_EQ(WaveOutDeviceName(5), "");
  EXPECT_TRUE(WaveOutAcceptsFormat(0, Pcm(11025, 16, 1)));
  EXPECT_TRUE(WaveOutAcceptsFormat(WAVE_MAPPER, Pcm(22050, 8, 2)));
  EXPECT_FALSE(WaveOutAcceptsFormat(5, Pcm(11025, 16, 1)));
  WaveFormat cleared;
  EXPECT_FALSE(WaveOutAcceptsFormat(0, cleared));
  unsetenv("PARLEN_AUDIO");
}

TEST(WaveDevices, InputQueriesAgreeWithTheCount) {
  const UINT count = WaveInDeviceCount();
  if (count == 0) {
    EXPECT_EQ(WaveInDeviceName(0), "");
    EXPECT_FALSE(WaveInAcceptsFormat(0, Pcm(11025, 16, 1)));
  } else {
    EXPECT_EQ(WaveInDeviceName(0), "Parlen wave in");
  }
  EXPECT_EQ(WaveInDeviceName(1), "");
  EXPECT_FALSE(WaveInAcceptsFormat(1, Pcm(11025, 16, 1)));
}

}  // namespace
