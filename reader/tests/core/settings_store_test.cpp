#include "reader/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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

TEST(SettingsStore, AtoiSemantics) {
  EXPECT_EQ(SettingsAtoi("  -42x"), -42);
  EXPECT_EQ(SettingsAtoi("+7"), 7);
  EXPECT_EQ(SettingsAtoi("abc"), 0);
  EXPECT_EQ(SettingsAtoi("99999999999"), INT32_MAX);
  EXPECT_EQ(SettingsAtoi("-99999999999"), INT32_MIN);
}

}  // namespace
