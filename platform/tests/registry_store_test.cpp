#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "platform/registry.h"
#include "platform/registry_format.h"
#include "platform/registry_store.h"

namespace {

const RegistryPath kKey = {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Morvane", u"Russian"};

std::vector<BYTE> Text(std::u16string_view text) {
  std::vector<BYTE> data;
  for (char16_t c : text) data.insert(data.end(), {static_cast<BYTE>(c & 0xFF), static_cast<BYTE>(c >> 8)});
  data.insert(data.end(), {0, 0});
  return data;
}

LONG Set(RegistryStore& store, const RegistryPath& key, std::u16string_view name, std::u16string_view value) {
  bool created;
  LONG error = store.CreateKey(key, 1, &created);
  if (error != ERROR_SUCCESS) return error;
  std::vector<BYTE> data = Text(value);
  return store.SetValue(key, name, REG_SZ, data.data(), data.size());
}

std::u16string Get(RegistryStore& store, const RegistryPath& key, std::u16string_view name) {
  DWORD type;
  std::vector<BYTE> data;
  if (store.QueryValue(key, name, &type, &data) != ERROR_SUCCESS) return u"<missing>";
  std::u16string text;
  for (size_t i = 0; i + 1 < data.size(); i += 2) text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/registry_store_test.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/config/parlen/registry.reg";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string dir_;
  std::string path_;
};

TEST_F(RegistryStoreTest, MakesItsFoldersOnFirstChangeOnly) {
  RegistryStore store(path_);
  EXPECT_FALSE(store.KeyExists(kKey));
  DWORD type;
  std::vector<BYTE> data;
  EXPECT_EQ(store.QueryValue(kKey, u"Root", &type, &data), ERROR_KEY_DELETED);
  struct stat st;
  EXPECT_NE(stat((dir_ + "/config").c_str(), &st), 0);

  ASSERT_EQ(Set(store, kKey, u"Root", u"/data/"), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(path_),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian]\n"
            "\"Root\"=\"/data/\"\n\n");
}

TEST_F(RegistryStoreTest, AnotherStoreOnTheFileSeesEachChange) {
  RegistryStore writer(path_);
  RegistryStore reader(path_);
  ASSERT_EQ(Set(writer, kKey, u"Root", u"первый"), ERROR_SUCCESS);
  EXPECT_EQ(Get(reader, kKey, u"Root"), u"первый");
  ASSERT_EQ(Set(writer, kKey, u"Root", u"второй"), ERROR_SUCCESS);
  EXPECT_EQ(Get(reader, kKey, u"ROOT"), u"второй");
  ASSERT_EQ(reader.DeleteKey({u"HKEY_LOCAL_MACHINE", u"software", u"morvane"}), ERROR_SUCCESS);
  EXPECT_FALSE(writer.KeyExists(kKey));
  EXPECT_TRUE(writer.KeyExists({u"HKEY_LOCAL_MACHINE", u"SOFTWARE"}));
}

TEST_F(RegistryStoreTest, ChangesOfOtherProcessesAreNotLost) {
  RegistryStore store(path_);
  ASSERT_EQ(Set(store, kKey, u"Parent", u"1"), ERROR_SUCCESS);
  constexpr int kEach = 25;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      RegistryStore own(path_);
      for (int i = 0; i < kEach; ++i) {
        std::string name = "c" + std::to_string(c) + "_" + std::to_string(i);
        if (Set(own, kKey, std::u16string(name.begin(), name.end()), u"x") != ERROR_SUCCESS) _exit(1);
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  // The store that was loaded before the children wrote notices the new file.
  RegistryValue value;
  DWORD count = 0;
  while (store.EnumValue(kKey, count, &value) == ERROR_SUCCESS) ++count;
  EXPECT_EQ(count, 1u + 2 * kEach);
}

TEST_F(RegistryStoreTest, AWriterKilledMidWriteLeavesAWholeFile) {
  RegistryStore store(path_);
  ASSERT_EQ(Set(store, kKey, u"Value", u"before"), ERROR_SUCCESS);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RegistryStore own(path_);
    for (int round = 0;; ++round) {
      std::u16string big(200000, static_cast<char16_t>(u'а' + round % 32));
      if (Set(own, kKey, u"Value", big) != ERROR_SUCCESS) _exit(1);
      if (round == 0 && write(ready[1], "1", 1) != 1) _exit(1);
    }
  }
  close(ready[1]);
  char signal;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  close(ready[0]);
  usleep(20000);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);

  std::vector<std::string> problems;
  RegistryKey root;
  ParseRegistryText(ReadFile(path_), root, &problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  RegistryStore after(path_);
  std::u16string value = Get(after, kKey, u"Value");
  ASSERT_EQ(value.size(), 200000u);
  EXPECT_EQ(value, std::u16string(value.size(), value[0]));
  EXPECT_EQ(Set(after, kKey, u"Value", u"after"), ERROR_SUCCESS);
  EXPECT_EQ(Get(store, kKey, u"Value"), u"after");
  // The killed writer's temporary file is gone with that write.
  for (const auto& entry : std::filesystem::directory_iterator(dir_ + "/config/parlen")) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".registry.reg.")) << entry.path();
  }
}

TEST_F(RegistryStoreTest, LeftoverTemporaryFilesAreIgnoredThenRemovedByTheNextWrite) {
  RegistryStore store(path_);
  ASSERT_EQ(Set(store, kKey, u"Value", u"whole"), ERROR_SUCCESS);
  const std::string folder = dir_ + "/config/parlen/";
  const char* partial = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morv";
  for (const char* name : {".registry.reg.Ab12Cd", ".registry.reg.zz99ZZ", ".other.reg.Ab12Cd",
                           ".registry.reg.Ab12Cde", ".registry.reg.Ab-2Cd", "registry.reg.Ab12Cd"}) {
    std::ofstream(folder + name, std::ios::binary) << partial;
  }
  ASSERT_EQ(symlink("registry.reg", (folder + ".registry.reg.Link01").c_str()), 0);
  RegistryStore fresh(path_);
  EXPECT_EQ(Get(fresh, kKey, u"Value"), u"whole");
  EXPECT_EQ(Set(fresh, kKey, u"Value", u"changed"), ERROR_SUCCESS);
  EXPECT_EQ(Get(store, kKey, u"Value"), u"changed");

  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) left.insert(entry.path().filename());
  // Only this file's temporaries go; other files and links stay.
  EXPECT_EQ(left, (std::set<std::string>{".other.reg.Ab12Cd", ".registry.reg.Ab12Cde", ".registry.reg.Ab-2Cd",
                                         ".registry.reg.Link01", "registry.reg", "registry.reg.Ab12Cd",
                                         "registry.reg.lock"}));
}

TEST_F(RegistryStoreTest, DamagedLinesAreReportedOnceAndKeptOnWrite) {
  std::string folder = dir_ + "/config/parlen";
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
  const std::string damaged =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian]\n"
      "\"Root\"=\"/data/\"\n"
      "Root=/oops\r\n"
      "\"Runemap\"=\"{AAC0577E-969B-4545-BB63-054568E4C600}\"\n"
      "\"Count\"=dword:xyz\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian\\Bro\n"
      "\"Lost\"=\"value\"\n";
  std::ofstream(path_, std::ios::binary) << damaged;
  RegistryStore store(path_);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Get(store, kKey, u"Root"), u"/data/");
  EXPECT_EQ(Get(store, kKey, u"Runemap"), u"{AAC0577E-969B-4545-BB63-054568E4C600}");
  std::string reported = testing::internal::GetCapturedStderr();
  EXPECT_EQ(reported,
            "registry: " + path_ + ": line 5: not a key, a value or a comment: Root=/oops (kept as it is)\n" +
            "registry: " + path_ + ": line 7: bad value data: \"Count\"=dword:xyz (kept as it is)\n" +
            "registry: " + path_ + ": line 9: key without its closing ']': " +
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian\\Bro (kept as it is)\n");

  testing::internal::CaptureStderr();
  ASSERT_EQ(Set(store, kKey, u"Other", u"1"), ERROR_SUCCESS);
  ASSERT_EQ(store.DeleteValue(kKey, u"Root"), ERROR_SUCCESS);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(ReadFile(path_),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane]\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian]\n"
            "Root=/oops\r\n"
            "\"Runemap\"=\"{AAC0577E-969B-4545-BB63-054568E4C600}\"\n"
            "\"Count\"=dword:xyz\n"
            "\"Other\"=\"1\"\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian\\Bro\n"
            "\"Lost\"=\"value\"\n"
            "\n");
  // A second store reads the written file as the first read the damaged one.
  RegistryStore again(path_);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Get(again, kKey, u"Other"), u"1");
  EXPECT_EQ(testing::internal::GetCapturedStderr().find("line 9:"), std::string::npos);
}

TEST_F(RegistryStoreTest, AFailedWriteChangesNothing) {
  // A folder where the file should be: the rename that would replace it fails.
  ASSERT_EQ(std::system(("mkdir -p '" + path_ + "/inside'").c_str()), 0);
  RegistryStore store(path_);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Set(store, kKey, u"Root", u"/data/"), ERROR_REGISTRY_IO_FAILED);
  EXPECT_FALSE(store.KeyExists(kKey));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot write " + path_), std::string::npos);
}

TEST(RegistryStorePath, FromTheEnvironment) {
  std::map<std::string, std::optional<std::string>> saved;
  for (const char* name : {"PARLEN_REGISTRY", "XDG_CONFIG_HOME", "HOME"}) {
    const char* value = std::getenv(name);
    saved[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
  }
  setenv("PARLEN_REGISTRY", "/somewhere/r.reg", 1);
  EXPECT_EQ(RegistryStore::PathFromEnvironment(), "/somewhere/r.reg");
  unsetenv("PARLEN_REGISTRY");
  setenv("XDG_CONFIG_HOME", "/xdg", 1);
  EXPECT_EQ(RegistryStore::PathFromEnvironment(), "/xdg/parlen/registry.reg");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  setenv("HOME", "/home/reader", 1);
  EXPECT_EQ(RegistryStore::PathFromEnvironment(), "/home/reader/.config/parlen/registry.reg");
  for (const auto& [name, value] : saved) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
}

}  // namespace
