#include "reader/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "documents/common/output_limits.h"
#include "platform/atomic_file.h"
#include "platform/message_box.h"

namespace {

std::string Scratch(const std::string& name) { return testing::TempDir() + name; }
std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(SettingsStore, WritesSortedLinesAndReadsThemBack) {
  const std::string path = Scratch("round.ini");
  CSettingsStore store;
  EXPECT_EQ(store.Load(Wide(path)), 1);
  EXPECT_EQ(store.Save(), 1);  // unchanged: nothing written
  EXPECT_FALSE(std::filesystem::exists(path));
  store.SetString("ColorPreset", "Default");
  store.SetInt("Rate", -5);
  store.SetBool("Toolbar", true);
  store.SetInt("BackColor", 16777215);
  store.SetWideString("File", u"/книги/Война.txt");
  store.SetString("Buttons", "0,Next page,");
  store.SetString("\xC0z", "high");  // bytes above 0x7F sort after ASCII
  ASSERT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(path),
            "BackColor=16777215\nButtons=0,Next page,\nColorPreset=Default\n"
            "File=/\xEA\xED\xE8\xE3\xE8/\xC2\xEE\xE9\xED\xE0.txt\nRate=-5\nToolbar=1\n\xC0z=high\n");

  CSettingsStore again;
  again.Load(Wide(path));
  INT rate = 0;
  bool toolbar = false;
  std::u16string file;
  EXPECT_EQ(again.GetInt("Rate", rate), 1);
  EXPECT_EQ(rate, -5);
  EXPECT_EQ(again.GetBool("Toolbar", toolbar), 1);
  EXPECT_TRUE(toolbar);
  EXPECT_EQ(again.GetWideString("File", file), 1);
  EXPECT_EQ(file, u"/книги/Война.txt");
  std::string missing = "x";
  EXPECT_EQ(again.GetString("rate", missing), 0);  // case-sensitive
  EXPECT_EQ(missing, "");
}

TEST(SettingsStore, DamagedFileLoadsWhatItCan) {
  const std::string path = Scratch("damaged.ini");
  WriteAll(path,
           "#Font=1,0,0,0,0,Commented\n"
           "Font = -20,0,1,0,0,Tahoma \n"
           "garbage line without separator\n"
           "a=b=c\n"
           "Empty=   \n"
           "\x01\x02\xFF=\xFE\n"
           "Rate=12abc\n"
           "Volume=2\n"
           "Font=-18,1,0,0,1,Arial\n"
           "Voice=\xCC\xE0\xF8\xE0");  // last line without line end
  CSettingsStore store;
  store.Load(Wide(path));
  std::string text;
  EXPECT_EQ(store.GetString("Font", text), 1);
  EXPECT_EQ(text, "-18,1,0,0,1,Arial");
  EXPECT_EQ(store.GetString("a", text), 0);
  EXPECT_EQ(store.GetString("Empty", text), 0);
  EXPECT_EQ(store.GetString("Voice", text), 1);
  EXPECT_EQ(text, "\xCC\xE0\xF8\xE0");
  INT number = 0;
  EXPECT_EQ(store.GetInt("Rate", number), 1);
  EXPECT_EQ(number, 12);
  bool flag = true;
  EXPECT_EQ(store.GetBool("Volume", flag), 1);
  EXPECT_FALSE(flag);
  EXPECT_EQ(store.Size(), 5u);  // Font, the binary key, Rate, Volume, Voice
  EXPECT_FALSE(store.IsDirty());
}

TEST(SettingsStore, RefusesValuesThatWouldBreakTheFile) {
  const std::string path = Scratch("refuse.ini");
  CSettingsStore store;
  store.Load(Wide(path));
  store.SetString("Find", "good");
  EXPECT_FALSE(store.SetString("Find", "two\nlines=evil"));
  EXPECT_FALSE(store.SetString("Voice", "a=b"));
  EXPECT_FALSE(store.SetString("Voice", " padded"));
  EXPECT_FALSE(store.SetString("Bad\rKey", "x"));
  EXPECT_FALSE(store.SetString("#Key", "x"));
  EXPECT_TRUE(store.SetString("Page", "7"));
  ASSERT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(path), "Find=good\nPage=7\n");
  // An empty value reads back as no entry, so it removes the entry.
  EXPECT_TRUE(store.SetString("Find", ""));
  ASSERT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(path), "Page=7\n");
}

TEST(SettingsStore, FailedSaveKeepsTheOldFileAndStaysDirty) {
  const std::string dir = Scratch("locked/");
  std::filesystem::create_directories(dir);
  const std::string path = dir + "s.ini";
  WriteAll(path, "Page=1\n");
  CSettingsStore store;
  store.Load(Wide(path));
  store.SetInt("Page", 2);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool writable = std::ofstream(dir + "probe").good();  // root ignores permissions
  if (!writable) {
    EXPECT_EQ(store.Save(), 0);
    EXPECT_TRUE(store.IsDirty());
    EXPECT_EQ(ReadAll(path), "Page=1\n");
  }
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
  EXPECT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(path), "Page=2\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  CSettingsStore pathless;
  pathless.SetInt("Page", 3);
  EXPECT_EQ(pathless.Save(), 0);
}

TEST(SettingsStore, SaveNeverWritesThroughALinkBesideTheFile) {
  const std::string dir = Scratch("links/");
  std::filesystem::create_directories(dir);
  const std::string path = dir + "book.txt.trc";
  const std::string victim = dir + "victim";
  WriteAll(victim, "precious\n");
  // The old fixed temporary name, planted as a link to another file.
  std::filesystem::create_symlink(victim, path + ".tmp");
  CSettingsStore store;
  store.Load(Wide(path));
  store.SetInt("Page", 4);
  ASSERT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(victim), "precious\n");
  EXPECT_EQ(ReadAll(path), "Page=4\n");
  // A link in the file's own place is replaced, not followed.
  std::filesystem::remove(path);
  std::filesystem::create_symlink(victim, path);
  store.SetInt("Page", 5);
  ASSERT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(victim), "precious\n");
  EXPECT_FALSE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadAll(path), "Page=5\n");
  // No temporary is left beside it.
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) files += entry.exists() ? 1 : 0;
  EXPECT_EQ(files, 3u);  // the victim, the planted link and the settings file
}

// The settings and the per-document files are the reader's own small files:
// no conversion's free-space budget holds them back, and a character with
// no Windows-1251 byte at either end of a value becomes a blank there.
TEST(SettingsStore, SavesOnAnAlmostFullDiskAndBlanksWhatHasNoByte) {
  OutputLimits limits;
  limits.freeSpace = [](const std::string&) { return int64_t{1} << 20; };
  ScopedOutputLimits oneMegabyteFree(std::move(limits));
  MessageBoxCapture boxes;
  const std::string path = Scratch("full-card.ini");
  CSettingsStore store;
  store.Load(Wide(path));
  const std::u16string voice = u"😀Анна ü";
  const std::u16string face = u"Ÿ";
  EXPECT_TRUE(store.SetWideString("Voice", voice));
  EXPECT_TRUE(store.SetWideString("Face", face));
  store.SetInt("Page", 12);
  ASSERT_EQ(store.Save(), 1);
  EXPECT_EQ(ReadAll(path), "Face= \nPage=12\nVoice=  \xC0\xED\xED\xE0  \n");
  EXPECT_EQ(boxes.Count(), 0u);
  CSettingsStore again;
  again.Load(Wide(path));
  std::u16string read;
  EXPECT_EQ(again.GetWideString("Voice", read), 1);
  EXPECT_EQ(read, u"Анна");
  EXPECT_EQ(again.Size(), 2u);  // a blank alone reads back as no value
}

// A name that is there and is no file (a folder, a pipe, a device) is never
// replaced by the file written over it; a link in the file's place is
// replaced (above).
TEST(SettingsStore, ATargetThatIsNoFileIsRefused) {
  const std::string dir = Scratch("nofile/");
  std::filesystem::create_directories(dir + "folder.trc");
  ASSERT_EQ(mkfifo((dir + "pipe.trc").c_str(), 0600), 0);
  for (const std::string name : {"folder.trc", "pipe.trc"}) {
    CSettingsStore store;
    store.Load(Wide(dir + name));
    store.SetInt("Page", 1);
    EXPECT_EQ(store.Save(), 0) << name;
    EXPECT_TRUE(store.IsDirty());
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir + "folder.trc"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir + "pipe.trc"));
  std::string reason;
  EXPECT_FALSE(WriteFileAtomically(dir + "pipe.trc", "x", &reason));
  EXPECT_EQ(reason, "it is not a regular file");
  EXPECT_FALSE(WriteFileAtomically("/dev/null", "x", &reason));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 2u);  // no temporary left
}

// Paths keep every character through the file: Windows-1251 where there is
// a byte for it, 0x98 and four hex digits elsewhere; values written before
// (which never hold 0x98) read back as they were.
TEST(SettingsStore, PathsKeepEveryCharacterAndOldValuesReadAsBefore) {
  const std::u16string path = u"/книги/naïve 文件 😀.fb2";
  const std::string stored = CSettingsStore::StorablePath(path);
  EXPECT_EQ(stored,
            "/\xEA\xED\xE8\xE3\xE8/na\x98" "00EFve \x98" "6587\x98" "4EF6 \x98" "D83D\x98"
            "DE00.fb2");
  EXPECT_EQ(CSettingsStore::PathFromStored(stored), path);
  // What the line or a list could not hold, and the escape itself.
  const std::u16string awkward = u" a=b;c\u0098d\t";
  EXPECT_EQ(CSettingsStore::StorablePath(awkward),
            "\x98" "0020a\x98" "003Db\x98" "003Bc\x98" "0098d\x98" "0009");
  EXPECT_EQ(CSettingsStore::PathFromStored(CSettingsStore::StorablePath(awkward)), awkward);
  EXPECT_EQ(CSettingsStore::PathFromStored("/\xEA\xED\xE8\xE3\xE8/a b.txt"), u"/книги/a b.txt");
  EXPECT_EQ(CSettingsStore::PathFromStored("x\x98" "12"), u"x\u009812");
  EXPECT_EQ(CSettingsStore::PathFromStored("x\x98" "00e9"), u"x\u009800e9");

  const std::string file = Scratch("paths.ini");
  CSettingsStore store;
  store.Load(Wide(file));
  EXPECT_TRUE(store.SetPath("File", path));
  // A line the reader could not take whole is refused.
  const std::u16string tooLong(2000, u'\u6587');
  EXPECT_FALSE(store.SetPath("Long", tooLong));
  ASSERT_EQ(store.Save(), 1);
  CSettingsStore again;
  again.Load(Wide(file));
  std::u16string read;
  EXPECT_EQ(again.GetPath("File", read), 1);
  EXPECT_EQ(read, path);
  EXPECT_EQ(again.Size(), 1u);
}

TEST(SettingsStore, AtoiSemantics) {
  EXPECT_EQ(SettingsAtoi("  -42x"), -42);
  EXPECT_EQ(SettingsAtoi("+7"), 7);
  EXPECT_EQ(SettingsAtoi("abc"), 0);
  EXPECT_EQ(SettingsAtoi("99999999999"), INT32_MAX);
  EXPECT_EQ(SettingsAtoi("-99999999999"), INT32_MIN);
}

}  // namespace
