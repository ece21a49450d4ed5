#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/registry.h"
#include "platform/registry_store.h"

namespace {

// Each test works below a key of its own, removed afterwards.
class RegistryApiTest : public testing::Test {
 protected:
  void SetUp() override {
    name_ = u"Software\\PlatformTests\\";
    for (char c : std::string(testing::UnitTest::GetInstance()->current_test_info()->name())) name_ += c;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteKeyW(HKEY_CURRENT_USER, name_.c_str());
  }

  static LONG SetString(HKEY key, const char16_t* name, std::u16string_view value) {
    std::u16string text(value);
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * 2));
  }
  static std::u16string GetString(HKEY key, const char16_t* name) {
    char16_t buffer[256];
    DWORD size = sizeof buffer;
    DWORD type;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
      return u"<missing>";
    }
    return std::u16string(buffer, size / 2 - 1);
  }
  static std::vector<std::u16string> SubkeyNames(HKEY key) {
    std::vector<std::u16string> names;
    char16_t name[64];
    for (DWORD i = 0;; ++i) {
      DWORD chars = 64;
      if (RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, chars);
    }
    return names;
  }

  std::u16string name_;
  HKEY key_ = nullptr;
};

TEST_F(RegistryApiTest, StringsAndDwords) {
  ASSERT_EQ(SetString(key_, u"Path", u"/usr/share/голос"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key_, nullptr, u"default"), ERROR_SUCCESS);
  DWORD number = 0x1F;
  ASSERT_EQ(RegSetValueExW(key_, u"Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4), ERROR_SUCCESS);

  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key_, u"Path", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 34u);  // 16 characters and the NUL
  char16_t small[4];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExW(key_, u"Path", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 34u);
  EXPECT_EQ(GetString(key_, u"path"), u"/usr/share/голос");
  EXPECT_EQ(GetString(key_, u""), u"default");

  DWORD read = 0;
  size = sizeof read;
  EXPECT_EQ(RegQueryValueExW(key_, u"COUNT", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(read, 0x1Fu);
  EXPECT_EQ(RegQueryValueExW(key_, u"Absent", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExW(key_, u"Count", nullptr, &type, reinterpret_cast<BYTE*>(&read), nullptr),
            ERROR_INVALID_PARAMETER);

  ASSERT_EQ(RegDeleteValueW(key_, u"PATH"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key_, u"Path"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetString(key_, u"Path"), u"<missing>");
}

TEST_F(RegistryApiTest, KeyNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  HKEY voice;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(key_, u"Голоса\\Anna", 0, nullptr, 0, KEY_WRITE, nullptr, &voice, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(SetString(voice, u"Lang", u"419"), ERROR_SUCCESS);
  RegCloseKey(voice);
  ASSERT_EQ(RegCreateKeyExW(key_, u"ГОЛОСА\\ANNA", 0, nullptr, 0, KEY_WRITE, nullptr, &voice, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(voice);

  std::u16string path = name_ + u"\\голоса\\ANNA";
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &voice), ERROR_SUCCESS);
  EXPECT_EQ(GetString(voice, u"LANG"), u"419");
  RegCloseKey(voice);
  EXPECT_EQ(SubkeyNames(key_), std::vector<std::u16string>{u"Голоса"});
}

TEST_F(RegistryApiTest, Enumeration) {
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma", u"Ёлка"}) {
    HKEY sub;
    ASSERT_EQ(RegCreateKeyExW(key_, name, 0, nullptr, 0, KEY_WRITE, nullptr, &sub, nullptr), ERROR_SUCCESS);
    RegCloseKey(sub);
  }
  EXPECT_EQ(SubkeyNames(key_), (std::vector<std::u16string>{u"Alpha", u"beta", u"gamma", u"Ёлка"}));
  char16_t name[8];
  DWORD chars = 5;  // "Alpha" needs 6 with its NUL
  EXPECT_EQ(RegEnumKeyExW(key_, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

  ASSERT_EQ(SetString(key_, u"Zeta", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(SetString(key_, u"Alpha", u"22"), ERROR_SUCCESS);
  DWORD number = 7;
  ASSERT_EQ(RegSetValueExW(key_, u"Mid", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4), ERROR_SUCCESS);
  std::vector<std::u16string> values;
  for (DWORD i = 0;; ++i) {
    chars = 8;
    DWORD type;
    BYTE data[16];
    DWORD size = sizeof data;
    LONG error = RegEnumValueW(key_, i, name, &chars, nullptr, &type, data, &size);
    if (error == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(error, ERROR_SUCCESS);
    values.push_back(std::u16string(name, chars) + u":" + static_cast<char16_t>(u'0' + type) + u":" +
                     static_cast<char16_t>(u'0' + size));
  }
  // Values in the order they were made.
  EXPECT_EQ(values, (std::vector<std::u16string>{u"Zeta:1:4", u"Alpha:1:6", u"Mid:4:4"}));
}

TEST_F(RegistryApiTest, DeletingAKeyTakesItsSubtree) {
  HKEY deep;
  ASSERT_EQ(RegCreateKeyExW(key_, u"A\\B\\C", 0, nullptr, 0, KEY_WRITE, nullptr, &deep, nullptr), ERROR_SUCCESS);
  ASSERT_EQ(SetString(deep, u"V", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteKeyW(key_, u"a"), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(key_), std::vector<std::u16string>{});
  EXPECT_EQ(SetString(deep, u"V", u"2"), ERROR_KEY_DELETED);
  EXPECT_EQ(RegQueryValueExW(deep, u"V", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  HKEY again;
  EXPECT_EQ(RegCreateKeyExW(deep, u"D", 0, nullptr, 0, KEY_WRITE, nullptr, &again, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(RegOpenKeyExW(key_, u"A\\B", 0, KEY_READ, &again), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(again, nullptr);
  EXPECT_EQ(RegDeleteKeyW(key_, u"A"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(deep), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(deep), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryApiTest, ClassesRootIsTheMachinesSoftwareClasses) {
  std::u16string below = u"PlatformTests." + name_.substr(name_.rfind(u'\\') + 1);
  HKEY progId;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, below.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &progId, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(SetString(progId, nullptr, u"Test Class"), ERROR_SUCCESS);
  RegCloseKey(progId);
  HKEY same;
  std::u16string full = u"SOFTWARE\\Classes\\" + below;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, full.c_str(), 0, KEY_READ, &same), ERROR_SUCCESS);
  EXPECT_EQ(GetString(same, nullptr), u"Test Class");
  RegCloseKey(same);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, below.c_str()), ERROR_SUCCESS);
}

TEST_F(RegistryApiTest, ChangesReachTheFileAtOnce) {
  ASSERT_EQ(SetString(key_, u"Written", u"сразу"), ERROR_SUCCESS);
  RegistryStore later(RegistryStore::Instance().path());
  RegistryPath path = {u"HKEY_CURRENT_USER", u"software", u"platformtests",
                       u"ChangesReachTheFileAtOnce"};
  DWORD type;
  std::vector<BYTE> data;
  ASSERT_EQ(later.QueryValue(path, u"written", &type, &data), ERROR_SUCCESS);
  EXPECT_EQ(data, (std::vector<BYTE>{0x41, 0x04, 0x40, 0x04, 0x30, 0x04, 0x37, 0x04, 0x43, 0x04, 0, 0}));
}

TEST_F(RegistryApiTest, ThreadsWritingAtOnceLoseNothing) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < 10; ++i) {
        std::u16string name = u"t";
        name += static_cast<char16_t>(u'0' + t);
        name += static_cast<char16_t>(u'0' + i);
        EXPECT_EQ(SetString(key_, name.c_str(), u"x"), ERROR_SUCCESS);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  char16_t name[8];
  DWORD count = 0;
  DWORD chars = 8;
  while (RegEnumValueW(key_, count, name, &chars, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    ++count;
    chars = 8;
  }
  EXPECT_EQ(count, 40u);
}

TEST(RegistryApi, BadHandlesAndArguments) {
  HKEY key = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234));
  EXPECT_EQ(RegOpenKeyExW(key, u"X", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"X", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"No\\Such\\Key", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

}  // namespace
