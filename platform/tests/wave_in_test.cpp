#include "platform/wave_in.h"

#include <gtest/gtest.h>

#include <string>

namespace {

WAVEFORMATEX Pcm(DWORD rate, WORD channels, WORD bits) {
  const WORD block = static_cast<WORD>(channels * bits / 8);
  return WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * block, block, bits, 0};
}

// Whether the machine has a capture device or not, the queries agree with
// the count and never fail loudly.
TEST(WaveIn, QueriesAgreeWithTheDeviceCount) {
  const UINT count = waveInGetNumDevs();
  ASSERT_LE(count, 1u);
  WAVEINCAPSW caps{};
  const WAVEFORMATEX format = Pcm(11025, 1, 16);
  const MMRESULT caps0 = waveInGetDevCapsW(0, &caps, sizeof caps);
  const MMRESULT query = waveInOpen(nullptr, 0, &format, 0, 0, WAVE_FORMAT_QUERY);
  if (count == 0) {
    EXPECT_EQ(caps0, MMSYSERR_BADDEVICEID);
    EXPECT_EQ(query, MMSYSERR_BADDEVICEID);
  } else {
    ASSERT_EQ(caps0, MMSYSERR_NOERROR);
    EXPECT_EQ(std::u16string(caps.szPname), u"Parlen wave in");
    EXPECT_TRUE(query == MMSYSERR_NOERROR || query == WAVERR_BADFORMAT);
  }
}

TEST(WaveIn, RefusesBadArgumentsBeforeAskingTheDevice) {
  WAVEINCAPSW caps{};
  EXPECT_EQ(waveInGetDevCapsW(1, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveInGetDevCapsW(0, nullptr, sizeof caps), MMSYSERR_INVALPARAM);
  EXPECT_EQ(waveInGetDevCapsW(WAVE_MAPPER, &caps, sizeof caps - 1), MMSYSERR_INVALPARAM);
  WAVEFORMATEX format = Pcm(11025, 1, 16);
  EXPECT_EQ(waveInOpen(nullptr, 2, &format, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(waveInOpen(nullptr, 0, nullptr, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_INVALPARAM);
  format.nBlockAlign = 4;
  EXPECT_EQ(waveInOpen(nullptr, 0, &format, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
  // Recording is not offered.
  HWAVEIN device = nullptr;
  const WAVEFORMATEX good = Pcm(11025, 1, 16);
  EXPECT_EQ(waveInOpen(&device, 0, &good, 0, 0, 0), MMSYSERR_NOTSUPPORTED);
  EXPECT_EQ(device, nullptr);
}

}  // namespace
