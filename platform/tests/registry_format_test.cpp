#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/registry_format.h"

namespace {

std::vector<BYTE> Utf16Bytes(std::u16string_view text, bool withNul = true) {
  std::vector<BYTE> data;
  for (char16_t c : text) {
    data.push_back(static_cast<BYTE>(c & 0xFF));
    data.push_back(static_cast<BYTE>(c >> 8));
  }
  if (withNul) data.insert(data.end(), {0, 0});
  return data;
}

RegistryKey& KeyAt(RegistryKey& root, std::initializer_list<std::u16string_view> path) {
  RegistryKey* key = &root;
  for (auto name : path) key = &key->AddSubkey(name);
  return *key;
}

const RegistryValue* ValueAt(RegistryKey& root, std::initializer_list<std::u16string_view> path,
                             std::u16string_view name) {
  RegistryKey* key = &root;
  for (auto part : path) {
    key = key->FindSubkey(part);
    if (key == nullptr) return nullptr;
  }
  return key->FindValue(name);
}

RegistryKey Parse(std::string_view text, std::vector<std::string>* problems = nullptr) {
  RegistryKey root;
  ParseRegistryText(text, root, problems);
  return root;
}

TEST(RegistryFormat, WritesTheTextOfAnExport) {
  RegistryKey root;
  root.AddSubkey(u"HKEY_CURRENT_USER");  // a root key without values is not written
  RegistryKey& russian = KeyAt(root, {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Morvane", u"Russian"});
  russian.values.push_back({u"", REG_SZ, Utf16Bytes(u"по умолчанию")});
  russian.values.push_back({u"Root", REG_SZ, Utf16Bytes(u"C:\\Data\\")});
  russian.values.push_back({u"Say \"hi\"", REG_SZ, Utf16Bytes(u"\"ok\"")});
  russian.values.push_back({u"Count", REG_DWORD, {0x1F, 0, 0, 0}});
  russian.values.push_back({u"Raw", REG_BINARY, {0x01, 0x02, 0xFF}});
  russian.values.push_back({u"Empty", REG_BINARY, {}});
  russian.values.push_back({u"Path", REG_EXPAND_SZ, Utf16Bytes(u"%A")});
  KeyAt(root, {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Morvane", u"Voices"});

  EXPECT_EQ(FormatRegistryText(root),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Russian]\n"
            "@=\"\xD0\xBF\xD0\xBE \xD1\x83\xD0\xBC\xD0\xBE\xD0\xBB\xD1\x87\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x8E\"\n"
            "\"Root\"=\"C:\\\\Data\\\\\"\n"
            "\"Say \\\"hi\\\"\"=\"\\\"ok\\\"\"\n"
            "\"Count\"=dword:0000001f\n"
            "\"Raw\"=hex:01,02,ff\n"
            "\"Empty\"=hex:\n"
            "\"Path\"=hex(2):25,00,41,00,00,00\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Voices]\n"
            "\n");
}

TEST(RegistryFormat, ValuesComeBackByteForByte) {
  RegistryKey root;
  RegistryKey& key = KeyAt(root, {u"HKEY_CURRENT_USER", u"Software", u"Ключ"});
  std::vector<RegistryValue> values = {
      {u"Имя", REG_SZ, Utf16Bytes(u"мама мыла раму")},
      {u"NoNul", REG_SZ, Utf16Bytes(u"abc", false)},
      {u"Lines", REG_SZ, Utf16Bytes(u"one\r\ntwo")},
      {u"Inner", REG_SZ, Utf16Bytes(std::u16string(u"a\0b", 3))},
      {u"Odd", REG_SZ, {0x41}},
      {u"Lone", REG_SZ, Utf16Bytes(std::u16string(1, char16_t{0xDC00}))},
      {u"Short", REG_DWORD, {1, 2}},
      {u"Big", REG_BINARY, std::vector<BYTE>(300, 0xAB)},
      {u"None", REG_NONE, {}},
      {u"Type42", 0x42, {7}},
  };
  key.values = values;
  std::string text = FormatRegistryText(root);

  std::vector<std::string> problems;
  RegistryKey back = Parse(text, &problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  RegistryKey* parsed = back.FindSubkey(u"HKEY_CURRENT_USER")->FindSubkey(u"Software")->FindSubkey(u"ключ");
  ASSERT_NE(parsed, nullptr);
  EXPECT_EQ(parsed->name, u"Ключ");
  ASSERT_EQ(parsed->values.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(parsed->values[i].name, values[i].name);
    EXPECT_EQ(parsed->values[i].type, values[i].type) << i;
    EXPECT_EQ(parsed->values[i].data, values[i].data) << i;
  }
  EXPECT_EQ(FormatRegistryText(back), text);
  // Long hex data goes on over lines, as an export writes it.
  EXPECT_NE(text.find(",\\\n  ab,"), std::string::npos);
}

TEST(RegistryFormat, ReadsAnExportAsWindowsWritesIt) {
  std::vector<std::string> problems;
  RegistryKey root = Parse(
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
      "\r\n"
      "; a comment\r\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{AAC0577E-969B-4545-BB63-054568E4C600}]\r\n"
      "@=\"RunemapRusSimpleSm Class\"\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane]\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "\"Gone\"=\"x\"\r\n"
      "\"Gone\"=-\r\n"
      "\"Count\" = dword:1f\r\n"
      "\r\n"
      "[hkey_local_machine\\software\\MORVANE\\Old]\r\n"
      "\"A\"=\"1\"\r\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\Old]\r\n",
      &problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  const RegistryValue* description =
      ValueAt(root, {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Classes", u"CLSID", u"{AAC0577E-969B-4545-BB63-054568E4C600}"},
              u"");
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->data, Utf16Bytes(u"RunemapRusSimpleSm Class"));
  const RegistryValue* bytes = ValueAt(root, {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Morvane"}, u"Bytes");
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->data, (std::vector<BYTE>{1, 2, 3, 4}));
  EXPECT_EQ(ValueAt(root, {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Morvane"}, u"Gone"), nullptr);
  const RegistryValue* count = ValueAt(root, {u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Morvane"}, u"count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->type, REG_DWORD);
  EXPECT_EQ(count->data, (std::vector<BYTE>{0x1F, 0, 0, 0}));
  RegistryKey* morvane = root.FindSubkey(u"HKEY_LOCAL_MACHINE")->FindSubkey(u"SOFTWARE")->FindSubkey(u"Morvane");
  EXPECT_EQ(morvane->name, u"Morvane");  // the first spelling stays
  EXPECT_TRUE(morvane->subkeys.empty());

  std::u16string utf16 = u"\uFEFFWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Я]\r\n\"Б\"=\"в\"\r\n";
  std::string bytesLe;
  for (char16_t c : utf16) bytesLe += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  RegistryKey fromUtf16 = Parse(bytesLe, &problems);
  const RegistryValue* cyrillic = ValueAt(fromUtf16, {u"HKEY_CURRENT_USER", u"я"}, u"б");
  ASSERT_NE(cyrillic, nullptr);
  EXPECT_EQ(cyrillic->data, Utf16Bytes(u"в"));
}

// A value given again (in any case) replaces the first in its place, also
// when its key comes back after another key or after a removal moved it.
TEST(RegistryFormat, ALaterLineOfAValueReplacesTheEarlierOne) {
  RegistryKey root = Parse(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\A]\n\"One\"=\"1\"\n\"Two\"=\"2\"\n\"Three\"=\"3\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\B]\n\"One\"=\"b\"\n"
      "[HKEY_LOCAL_MACHINE\\Software\\a]\n\"ONE\"=\"1 again\"\n\"Two\"=-\n\"three\"=\"3 again\"\n"
      "\"Two\"=\"2 again\"\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\B]\n"
      "[HKEY_LOCAL_MACHINE\\Software\\C]\n\"One\"=\"c\"\n\"one\"=\"c again\"\n");
  using Listed = std::vector<std::pair<std::u16string, std::vector<BYTE>>>;
  auto listed = [&](std::u16string_view key) {
    Listed values;
    for (const auto& value : KeyAt(root, {u"HKEY_LOCAL_MACHINE", u"Software", key}).values)
      values.emplace_back(value.name, value.data);
    return values;
  };
  EXPECT_EQ(listed(u"A"), (Listed{{u"One", Utf16Bytes(u"1 again")},
                                  {u"Three", Utf16Bytes(u"3 again")},
                                  {u"Two", Utf16Bytes(u"2 again")}}));
  EXPECT_EQ(listed(u"C"), (Listed{{u"One", Utf16Bytes(u"c again")}}));
  EXPECT_EQ(root.FindSubkey(u"HKEY_LOCAL_MACHINE")->FindSubkey(u"Software")->FindSubkey(u"B"), nullptr);
}

TEST(RegistryFormat, SkipsMalformedLinesAndKeepsTheRest) {
  std::vector<std::string> problems;
  RegistryKey root = Parse(
      "[HKEY_CURRENT_USER\\Good]\n"              // 1: no header before it
      "\"A\"=\"1\"\n"                            // 2
      "\"B\"=\"bad \\escape\"\n"                 // 3
      "\"C\" \"2\"\n"                            // 4
      "\"D\"=dword:123456789\n"                  // 5
      "\"E\"=hex:1,02\n"                         // 6
      "\"F\"=\"unterminated\n"                   // 7
      "just words\n"                             // 8
      "[HKEY_CURRENT_USER\\Unclosed\n"           // 9
      "\"G\"=\"3\"\n"                            // 10: under no key
      "[HKEY_NOWHERE\\Key]\n"                    // 11
      "\"H\"=\"4\"\n"                            // 12: goes with its key, no second report
      "[HKEY_CURRENT_USER\\Good\\\\Twice]\n"     // 13: empty name
      "[HKEY_CURRENT_USER\\Good]\n"              // 14
      "\"I\"=\"5\"\n",                           // 15
      &problems);
  ASSERT_EQ(problems.size(), 10u);
  const char* expectedLines[] = {"line 1:", "line 3:", "line 4:", "line 5:", "line 6:",
                                 "line 7:", "line 8:", "line 9:", "line 11:", "line 13:"};
  for (size_t i = 0; i < problems.size(); ++i) EXPECT_EQ(problems[i].rfind(expectedLines[i], 0), 0u) << problems[i];
  RegistryKey* good = root.FindSubkey(u"HKEY_CURRENT_USER")->FindSubkey(u"Good");
  ASSERT_NE(good, nullptr);
  ASSERT_EQ(good->values.size(), 2u);
  EXPECT_EQ(good->values[0].name, u"A");
  EXPECT_EQ(good->values[1].name, u"I");
  EXPECT_EQ(root.subkeys.size(), 1u);
}

}  // namespace

namespace {

TEST(RegistryFormat, WritesDamagedLinesBackWhereTheyStood) {
  const std::string damaged =
      "REGEDIT4\n"                                // before any key
      "[HKEY_CURRENT_USER\\B]\n"
      "\"A\"=\"1\"\n"
      "  \"Bad\"=hex:1,\\\n"                      // a value over two lines
      "    02\n"
      "\"C\"=\"2\"\n"
      "[HKEY_USERS\\Elsewhere]\n"                 // a damaged key with its lines
      "\"D\"=\"3\"\n"
      "; its comment\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "\"E\"=\"4\"\n"
      "Tail\tline \n";
  RegistryKey root = Parse(damaged);
  const std::string expected =
      "Windows Registry Editor Version 5.00\n\n"
      "REGEDIT4\n"
      "\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "\"E\"=\"4\"\n"
      "Tail\tline \n"
      "\n"
      "[HKEY_CURRENT_USER\\B]\n"
      "\"A\"=\"1\"\n"
      "  \"Bad\"=hex:1,\\\n"
      "    02\n"
      "\"C\"=\"2\"\n"
      "[HKEY_USERS\\Elsewhere]\n"
      "\"D\"=\"3\"\n"
      "; its comment\n"
      "\n";
  EXPECT_EQ(FormatRegistryText(root), expected);
  // Read again, the written text comes back the same.
  std::vector<std::string> problems;
  RegistryKey again = Parse(expected, &problems);
  EXPECT_EQ(problems.size(), 4u);
  EXPECT_EQ(FormatRegistryText(again), expected);
  EXPECT_EQ(ValueAt(again, {u"HKEY_CURRENT_USER", u"B"}, u"C")->data, Utf16Bytes(u"2"));
  EXPECT_EQ(ValueAt(again, {u"HKEY_CURRENT_USER", u"B"}, u"D"), nullptr);
}

}  // namespace
