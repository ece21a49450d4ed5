#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/com.h"
#include "platform/unicode.h"

namespace {

constexpr CLSID kSample = GuidFromText("{AAC0577E-969B-4545-BB63-054568E4C600}");
static_assert(kSample.Data1 == 0xAAC0577Eu && kSample.Data2 == 0x969B && kSample.Data3 == 0x4545);
static_assert(kSample.Data4[0] == 0xBB && kSample.Data4[1] == 0x63 && kSample.Data4[7] == 0x00);
static_assert(GuidFromText("aac0577e-969b-4545-bb63-054568e4c600") == kSample);
static_assert(IidOf<IClassFactory>() == GuidFromText("00000001-0000-0000-C000-000000000046"));

TEST(Guid, TextFormsRoundTrip) {
  OLECHAR text[39];
  ASSERT_EQ(StringFromGUID2(kSample, text, 39), 39);
  EXPECT_EQ(std::u16string(text), u"{AAC0577E-969B-4545-BB63-054568E4C600}");
  EXPECT_EQ(StringFromGUID2(kSample, text, 38), 0);
  EXPECT_EQ(GuidToString(IID_IUnknown), u"{00000000-0000-0000-C000-000000000046}");

  CLSID parsed;
  ASSERT_EQ(CLSIDFromString(u"{aac0577e-969b-4545-bb63-054568e4c600}", &parsed), S_OK);
  EXPECT_EQ(parsed, kSample);

  LPOLESTR allocated = nullptr;
  ASSERT_EQ(StringFromCLSID(kSample, &allocated), S_OK);
  EXPECT_EQ(std::u16string(allocated), u"{AAC0577E-969B-4545-BB63-054568E4C600}");
  CoTaskMemFree(allocated);
}

TEST(Guid, MalformedTextGivesNullClsid) {
  const char16_t* bad[] = {
      u"AAC0577E-969B-4545-BB63-054568E4C600",     // no braces
      u"{AAC0577E-969B-4545-BB63-054568E4C60}",    // one digit short
      u"{AAC0577E-969B-4545-BB63-054568E4C600} ",  // trailing blank
      u"{AAC0577E-969B-4545-BB63+054568E4C600}",   // wrong separator
      u"{AAC0577G-969B-4545-BB63-054568E4C600}",   // not hexadecimal
      u"No.Such.ProgId",                           // neither a GUID nor a registered ProgID
  };
  for (const char16_t* text : bad) {
    CLSID parsed = kSample;
    EXPECT_EQ(CLSIDFromString(text, &parsed), CO_E_CLASSSTRING) << Utf16ToUtf8(text);
    EXPECT_EQ(parsed, CLSID_NULL) << Utf16ToUtf8(text);
  }
  CLSID parsed = kSample;
  EXPECT_EQ(CLSIDFromString(u"", &parsed), S_OK);
  EXPECT_EQ(parsed, CLSID_NULL);
  EXPECT_EQ(CLSIDFromString(u"{}", nullptr), E_INVALIDARG);
  EXPECT_EQ(CLSIDFromProgID(u"No.Such.ProgId", &parsed), CO_E_CLASSSTRING);
}

TEST(Bstr, LengthPrefixedUtf16) {
  BSTR text = SysAllocString(u"Привет, мир");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 11u);
  EXPECT_EQ(SysStringByteLen(text), 22u);
  uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<const char*>(text) - 4, 4);
  EXPECT_EQ(prefix, 22u);
  EXPECT_EQ(text[11], u'\0');
  EXPECT_EQ(std::u16string(text), u"Привет, мир");
  EXPECT_EQ(Utf16ToUtf8(text), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80");
  SysFreeString(text);
}

TEST(Bstr, ExplicitLengthKeepsEmbeddedNuls) {
  const OLECHAR source[] = {u'ё', u'\0', u'Ё', u'ж'};
  BSTR text = SysAllocStringLen(source, 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_EQ(std::u16string(text, 3), std::u16string(u"ё\0Ё", 3));
  EXPECT_EQ(text[3], u'\0');
  SysFreeString(text);

  BSTR blank = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(SysStringLen(blank), 4u);
  EXPECT_EQ(std::u16string(blank, 5), std::u16string(5, u'\0'));
  SysFreeString(blank);

  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(Unicode, Utf8AndUtf16) {
  EXPECT_EQ(Utf16ToUtf8(u"ёЁ\U0001F600"), "\xD1\x91\xD0\x81\xF0\x9F\x98\x80");
  std::u16string wide;
  ASSERT_TRUE(Utf8ToUtf16("\xD1\x91\xD0\x81\xF0\x9F\x98\x80", &wide));
  EXPECT_EQ(wide, u"ёЁ\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
  EXPECT_FALSE(Utf8ToUtf16("\xC0\xAF", &wide));          // overlong
  EXPECT_FALSE(Utf8ToUtf16("\xD1", &wide));              // cut short
  EXPECT_FALSE(Utf8ToUtf16("\xED\xA0\x80", &wide));      // surrogate
  EXPECT_FALSE(Utf8ToUtf16("\xEC\xE0\xEC\xE0", &wide));  // Windows-1251
}

TEST(TaskMemory, ReallocKeepsContents) {
  auto* block = static_cast<char*>(CoTaskMemAlloc(4));
  ASSERT_NE(block, nullptr);
  std::memcpy(block, "abc", 4);
  block = static_cast<char*>(CoTaskMemRealloc(block, 4096));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block, "abc");
  CoTaskMemFree(block);
  CoTaskMemFree(nullptr);
}

TEST(CoInitialize, CountedPerThread) {
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), RPC_E_CHANGED_MODE);
  std::thread([] {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CoUninitialize();
  }).join();
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  CoUninitialize();
}

}  // namespace
