#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/allobase.h"
#include "engine/tests/test_files.h"
#include "engine/voice_writer.h"
#include "phonetic/debug_log.h"
#include "platform/message_box.h"

namespace {

// Header of the voices below: magic (7 bytes), "d1" (3), "" (1), then the
// five header fields at offsets 11 (flags), 15 (rate), 19 (U), 23 (M) and
// 27 (S); the marks begin at 31.
constexpr size_t kFlagsAt = 11;
constexpr size_t kRateAt = 15;
constexpr size_t kUnitsAt = 19;
constexpr size_t kMarksAt = 23;
constexpr size_t kDataAt = 27;
constexpr DWORD kFirstMark = 31;

VoiceData TwoUnitVoice(bool adpcm) {
  VoiceData voice;
  voice.description1 = "d1";
  voice.adpcm = adpcm;
  voice.units.push_back({"A0", std::vector<int16_t>(1000, 7), std::vector<int32_t>(12, 3)});
  voice.units.push_back({"B", {100, 200, -50}, {1, 2}});
  return voice;
}

void PutInt(std::string& bytes, size_t at, int32_t value) { std::memcpy(&bytes[at], &value, 4); }

class AllobaseTest : public ::testing::Test {
 protected:
  // Writes raw bytes and loads them.
  HRESULT LoadBytes(const std::string& bytes) {
    {
      std::ofstream out(file_.Narrow(), std::ios::binary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return voice_.Load(file_.Wide());
  }

  std::string Encoded(const VoiceData& data) {
    std::string bytes;
    EXPECT_TRUE(EncodeVoiceDatabase(data, bytes));
    return bytes;
  }

  void ExpectRefused(const std::string& bytes, const char16_t* text) {
    MessageBoxCapture boxes;
    EXPECT_EQ(LoadBytes(bytes), E_ABORT);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, text);
    EXPECT_EQ(boxes.Boxes()[0].caption, u"Allobase");
    EXPECT_EQ(boxes.Boxes()[0].type, MB_ICONSTOP);
    EXPECT_EQ(voice_.UnitCount(), 0u);
    EXPECT_EQ(voice_.SampleRate(), 8000);
    EXPECT_EQ(voice_.VoiceKind(), 1);
  }

  ScratchFile file_{"allobase_test.voice"};
  Allobase voice_;
};

TEST_F(AllobaseTest, PcmUnitsAreLocatedAndReadOnDemand) {
  ASSERT_TRUE(WriteVoiceDatabase(file_.Wide(), TwoUnitVoice(false)));
  ASSERT_EQ(voice_.Load(file_.Wide()), S_OK);
  EXPECT_EQ(voice_.FirstDescription(), "d1");
  EXPECT_EQ(voice_.SampleRate(), 11025);

  UnitRecord a;
  UnitRecord b;
  ASSERT_TRUE(voice_.FindUnit("A0", a));
  ASSERT_TRUE(voice_.FindUnit("B", b));
  EXPECT_FALSE(voice_.FindUnit("a0", b));
  const DWORD firstData = kFirstMark + 4 * 14;
  EXPECT_EQ(a.marksOffset, kFirstMark);
  EXPECT_EQ(a.dataOffset, firstData);
  EXPECT_EQ(b.marksOffset, kFirstMark + 48);
  EXPECT_EQ(b.dataOffset, firstData + 2000);
  EXPECT_EQ(b.dataSize, 3);
  EXPECT_EQ(b.used, 1);

  std::vector<int16_t> samples = {9};
  EXPECT_EQ(voice_.ReadSamples(b, samples), 3u);
  EXPECT_EQ(samples, (std::vector<int16_t>{9, 100, 200, -50}));
  std::vector<int32_t> marks;
  voice_.ReadMarks(b, marks);
  EXPECT_EQ(marks, (std::vector<int32_t>{1, 2}));
}

TEST_F(AllobaseTest, AdpcmUnitsDecodeAndEmptyUnitsStayEmpty) {
  VoiceData data = TwoUnitVoice(true);
  data.units.push_back({"E", {}, {}});
  ASSERT_TRUE(WriteVoiceDatabase(file_.Wide(), data));
  ASSERT_EQ(voice_.Load(file_.Wide()), S_OK);

  UnitRecord a;
  UnitRecord b;
  UnitRecord e;
  ASSERT_TRUE(voice_.FindUnit("A0", a) && voice_.FindUnit("B", b) && voice_.FindUnit("E", e));
  EXPECT_EQ(a.dataSize, 501);
  EXPECT_EQ(b.dataOffset, a.dataOffset + 501);
  EXPECT_EQ(b.dataSize, 3);

  std::vector<int16_t> samples;
  EXPECT_EQ(voice_.ReadSamples(b, samples), 3u);
  EXPECT_EQ(samples, (std::vector<int16_t>{11, 41, -22}));
  EXPECT_EQ(voice_.ReadSamples(e, samples), 0u);
  UnitRecord noBytes = e;
  noBytes.dataSize = 0;
  EXPECT_EQ(voice_.ReadSamples(noBytes, samples), 0u);
  EXPECT_EQ(voice_.ReadSamples(a, samples), 1000u);
}

TEST_F(AllobaseTest, FlagsGiveVoiceKindAndLaterDuplicateWins) {
  const struct {
    int32_t flags;
    int kind;
    bool adpcm;
  } cases[] = {{6, 0, false}, {2, 0, false}, {4, 2, false}, {1, 1, true}, {0, 1, false}};
  for (const auto& c : cases) {
    std::string bytes = Encoded(TwoUnitVoice(c.adpcm));
    PutInt(bytes, kFlagsAt, c.flags);
    ASSERT_EQ(LoadBytes(bytes), S_OK) << c.flags;
    EXPECT_EQ(voice_.VoiceKind(), c.kind) << c.flags;
    EXPECT_EQ(voice_.IsAdpcm(), c.adpcm) << c.flags;
  }

  VoiceData twice = TwoUnitVoice(false);
  twice.units[1].name = "A0";
  ASSERT_EQ(LoadBytes(Encoded(twice)), S_OK);
  UnitRecord unit;
  ASSERT_TRUE(voice_.FindUnit("A0", unit));
  EXPECT_EQ(unit.dataSize, 3);
  EXPECT_EQ(voice_.UnitCount(), 1u);
}

TEST_F(AllobaseTest, WrongMagicIsRefused) {
  std::string bytes = Encoded(TwoUnitVoice(false));
  bytes[6] = '8';
  ExpectRefused(bytes, u"Invalid VoiceData file version");
  ExpectRefused("", u"Invalid VoiceData file version");
}

TEST_F(AllobaseTest, ContentsThatDoNotFitTheFileAreRefused) {
  const char16_t* damaged = u"Damaged VoiceData file";
  const std::string good = Encoded(TwoUnitVoice(false));
  const size_t directoryAt = good.size() - (1 + 2 + 8) - (1 + 1 + 8);

  ExpectRefused(good.substr(0, 9), damaged);        // inside a description
  ExpectRefused(good.substr(0, kDataAt + 2), damaged);  // inside the header
  ExpectRefused(good.substr(0, good.size() - 3), damaged);  // inside the directory

  struct Patch {
    size_t at;
    int32_t value;
  };
  const Patch patches[] = {
      {kUnitsAt, -1},   {kMarksAt, -1},        {kDataAt, -1},
      {kUnitsAt, 3},    {kUnitsAt, 0x7FFFFFFF},  // more entries than the directory holds
      {kMarksAt, 1000}, {kDataAt, 100000},     // regions beyond the end of the file
      {directoryAt + 3, -1}, {directoryAt + 7, -2},  // negative counts of the first unit
      {directoryAt + 3, 13}, {directoryAt + 7, 1004},  // units claiming more than the totals
      {kRateAt, 0}, {kRateAt, -11025}, {kRateAt, 192001},  // rates no device plays
  };
  for (const Patch& patch : patches) {
    std::string bytes = good;
    PutInt(bytes, patch.at, patch.value);
    SCOPED_TRACE(testing::Message() << "offset " << patch.at << " value " << patch.value);
    ExpectRefused(bytes, damaged);
  }

  // A refused load leaves nothing behind that spoils the next one.
  ASSERT_EQ(LoadBytes(good), S_OK);
  EXPECT_EQ(voice_.UnitCount(), 2u);
}

// A voice written anew is renamed over the old file, so a voice loaded from
// it reads on as before; one cut short in place gives shorter units and
// logs each short read.
TEST_F(AllobaseTest, FileReplacedOrCutShortWhileLoaded) {
  ASSERT_TRUE(WriteVoiceDatabase(file_.Wide(), TwoUnitVoice(false)));
  ASSERT_EQ(voice_.Load(file_.Wide()), S_OK);
  // The new file keeps the old one's permissions, whatever the umask.
  std::filesystem::permissions(file_.Narrow(), std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_write |
                                                   std::filesystem::perms::others_read);
  VoiceData other = TwoUnitVoice(false);
  other.units[0].samples.assign(1000, 9);
  ASSERT_TRUE(WriteVoiceDatabase(file_.Wide(), other));
  EXPECT_EQ(std::filesystem::status(file_.Narrow()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::others_read);
  UnitRecord a;
  UnitRecord b;
  ASSERT_TRUE(voice_.FindUnit("A0", a) && voice_.FindUnit("B", b));
  std::vector<int16_t> samples;
  EXPECT_EQ(voice_.ReadSamples(a, samples), 1000u);
  EXPECT_EQ(samples, std::vector<int16_t>(1000, 7));

  // The log lives in the test program's folder, as every debug log does.
  const std::string logName = "allobase-log-" + std::to_string(getpid()) + ".txt";
  const auto logPath = std::filesystem::read_symlink("/proc/self/exe").parent_path() / logName;
  DebugLog log;
  ASSERT_TRUE(log.OpenLogFile(std::u16string(logName.begin(), logName.end())));
  log.SetVerbosity(1);
  ASSERT_EQ(voice_.Load(file_.Wide()), S_OK);
  voice_.SetDebugLog(&log);
  ASSERT_TRUE(voice_.FindUnit("A0", a) && voice_.FindUnit("B", b));
  // Cut inside the first unit's samples: 400 of them and a half are left.
  std::filesystem::resize_file(file_.Narrow(), a.dataOffset + 801);
  samples = {5};
  EXPECT_EQ(voice_.ReadSamples(a, samples), 400u);
  EXPECT_EQ(voice_.ReadSamples(b, samples), 0u);
  std::vector<int16_t> expected(401, 9);
  expected[0] = 5;
  EXPECT_EQ(samples, expected);
  std::vector<int32_t> marks = {1};
  voice_.ReadMarks(b, marks);
  EXPECT_EQ(marks, (std::vector<int32_t>{1, 2}));
  // Cut inside the first unit's marks.
  std::filesystem::resize_file(file_.Narrow(), kFirstMark + 4 * 5 + 2);
  voice_.ReadMarks(a, marks);
  EXPECT_EQ(marks, std::vector<int32_t>(5, 3));
  voice_.ReadMarks(b, marks);
  EXPECT_TRUE(marks.empty());

  std::stringstream text;
  text << std::ifstream(logPath, std::ios::binary).rdbuf();
  std::filesystem::remove(logPath);
  const std::string prefix = "12:00\tError\t" + file_.Narrow() + ": ";
  const std::string suffix = " read: the file changed while in use\r\n";
  EXPECT_EQ(text.str(), prefix + "801 of 2000 bytes at offset 87" + suffix +
                            prefix + "0 of 6 bytes at offset 2087" + suffix +
                            prefix + "22 of 48 bytes at offset 31" + suffix +
                            prefix + "0 of 8 bytes at offset 79" + suffix);
}

}  // namespace
