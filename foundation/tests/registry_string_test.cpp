#include "foundation/registry_string.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/code_pages.h"

namespace {

// Each test has a key of its own under HKEY_LOCAL_MACHINE (CTest may run the
// tests of this program side by side over one registry file).

class RegistryStringTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // CTest names a registry file for this program; a direct run gets one
    // of its own rather than the user's registry.
    if (getenv("PARLEN_REGISTRY") == nullptr) {
      static std::string path = ::testing::TempDir() + "registry_string_test.reg";
      setenv("PARLEN_REGISTRY", path.c_str(), 1);
    }
  }

  void SetUp() override {
    keyPath_ = std::string("SOFTWARE\\ParlenTest\\RegistryString\\") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    keyPathWide_.assign(keyPath_.begin(), keyPath_.end());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPathWide_.c_str());
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPathWide_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }

  void TearDown() override {
    if (key_) RegCloseKey(key_);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPathWide_.c_str());
  }

  void SetBytes(const char16_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }

  // A string value with its terminating NUL, as Windows stores one.
  void SetString(const char16_t* name, const std::u16string& text) {
    SetBytes(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  }

  // The test's key path, as 8-bit and UTF-16 text (ASCII).
  std::string keyPath_;
  std::u16string keyPathWide_;
  HKEY key_ = nullptr;
};

TEST_F(RegistryStringTest, ReadsAStringNarrowedToWindows1251) {
  SetString(u"Root", u"C:\\Данные\\");
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Root"));
  EXPECT_EQ(out, "C:\\Данные\\");
}

TEST_F(RegistryStringTest, MissingValueOrKeyGivesEmptyString) {
  std::string out = "stale";
  EXPECT_FALSE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Missing"));
  EXPECT_EQ(out, "");
  out = "stale";
  EXPECT_FALSE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, "SOFTWARE\\ParlenTest\\NoSuchKey", "Root"));
  EXPECT_EQ(out, "");
}

TEST_F(RegistryStringTest, KeyPathAndValueNameAreWidenedFromWindows1251) {
  HKEY sub = nullptr;
  ASSERT_EQ(RegCreateKeyExW(key_, u"Ключ", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &sub, nullptr),
            ERROR_SUCCESS);
  const std::u16string text = u"значение";
  ASSERT_EQ(RegSetValueExW(sub, u"Имя", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(char16_t))),
            ERROR_SUCCESS);
  RegCloseKey(sub);
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_ + "\\Ключ", "Имя"));
  EXPECT_EQ(out, "значение");
}

TEST_F(RegistryStringTest, DataWithoutTerminatorIsBoundedByItsSize) {
  const char16_t data[] = u"abcdef";
  SetBytes(u"Unterminated", REG_SZ, data, 3 * sizeof(char16_t));
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Unterminated"));
  EXPECT_EQ(out, "abc");
}

TEST_F(RegistryStringTest, OddByteCountDropsTheHalfCharacter) {
  const char16_t data[] = u"xyz";
  SetBytes(u"Odd", REG_BINARY, data, 5);
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Odd"));
  EXPECT_EQ(out, "xy");
}

TEST_F(RegistryStringTest, DataEndsAtTheFirstNul) {
  const char16_t data[] = u"ab\0cd";
  SetBytes(u"Embedded", REG_SZ, data, sizeof data);
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Embedded"));
  EXPECT_EQ(out, "ab");
}

TEST_F(RegistryStringTest, TypePlaysNoPart) {
  const DWORD number = 0x00420041;  // "AB" as little-endian UTF-16
  SetBytes(u"Number", REG_DWORD, &number, sizeof number);
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Number"));
  EXPECT_EQ(out, "AB");
}

TEST_F(RegistryStringTest, EmptyValueAndDefaultValue) {
  SetBytes(u"Empty", REG_SZ, nullptr, 0);
  SetString(u"", u"default");
  std::string out = "stale";
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Empty"));
  EXPECT_EQ(out, "");
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, ""));
  EXPECT_EQ(out, "default");
}

TEST_F(RegistryStringTest, CharacterWithoutByteBecomesTheDefaultCharacter) {
  SetString(u"Foreign", u"a\u4E2Db");
  std::string out;
  EXPECT_TRUE(ReadRegistryString(out, HKEY_LOCAL_MACHINE, keyPath_, "Foreign"));
  EXPECT_EQ(out, WideToNarrow(u"a\u4E2Db"));
  EXPECT_EQ(out.size(), 3u);
}

TEST(AnsiToWideBufferTest, ConvertsWindows1251) {
  char16_t buffer[16];
  EXPECT_EQ(AnsiToWideBuffer(buffer, "Привет", 16, 1251), buffer);
  EXPECT_EQ(std::u16string(buffer), u"Привет");
  AnsiToWideBuffer(buffer, "ёЁ", 16, 0);
  EXPECT_EQ(std::u16string(buffer), u"ёЁ");
}

TEST(AnsiToWideBufferTest, OtherRussianCodePages) {
  char16_t buffer[8];
  AnsiToWideBuffer(buffer, "\x8F\xE0\xA8", 8, 866);
  EXPECT_EQ(std::u16string(buffer), u"При");
  AnsiToWideBuffer(buffer, "\xF0\xD2\xC9", 8, 20866);
  EXPECT_EQ(std::u16string(buffer), u"При");
  AnsiToWideBuffer(buffer, "\xBF\xE0\xD8", 8, 28595);
  EXPECT_EQ(std::u16string(buffer), u"При");
  AnsiToWideBuffer(buffer, reinterpret_cast<const char*>(u8"При"), 8, 65001);
  EXPECT_EQ(std::u16string(buffer), u"При");
}

TEST(AnsiToWideBufferTest, TerminatorCountsAgainstTheLength) {
  char16_t buffer[8];
  std::memset(buffer, 0x55, sizeof buffer);
  AnsiToWideBuffer(buffer, "abc", 4, 1251);
  EXPECT_EQ(std::u16string(buffer), u"abc");
  AnsiToWideBuffer(buffer, "abcd", 4, 1251);
  EXPECT_EQ(std::u16string(buffer), u"");
  AnsiToWideBuffer(buffer, "", 1, 1251);
  EXPECT_EQ(std::u16string(buffer), u"");
}

TEST(AnsiToWideBufferTest, UnknownCodePageOrNoTextLeavesTheBufferEmpty) {
  char16_t buffer[8] = u"stale";
  AnsiToWideBuffer(buffer, "abc", 8, 12345);
  EXPECT_EQ(std::u16string(buffer), u"");
  std::memcpy(buffer, u"stale", sizeof(u"stale"));
  AnsiToWideBuffer(buffer, nullptr, 8, 1251);
  EXPECT_EQ(std::u16string(buffer), u"");
  EXPECT_EQ(AnsiToWideBuffer(nullptr, "abc", 8, 1251), nullptr);
}

}  // namespace
