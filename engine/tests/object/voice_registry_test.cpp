// The voice and language readers over the test's own registry file.
#include "engine/voices/voice_registry.h"

#include <gtest/gtest.h>

#include "platform/server.h"
#include "platform/testing/test_registry.h"

namespace {

TEST(VoiceRegistry, ReadsVoicesAndLanguageClasses) {
  // Without the voices other cases of this program registered.
  ResetTestRegistry();
  std::vector<std::string> names{"stale"};
  EXPECT_NE(GetVoiceNames(names), 0);
  EXPECT_TRUE(names.empty());

  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Voices\\Ольга", u"Path", u"/v/olga.dat");
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Voices\\Ольга", u"Lang", u"419");
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Voices\\Max", u"Path", u"/v/max.dat");
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Glossel Module\\419", u"CLSID",
                      u"{4DD57616-8871-43E7-9BBC-409CB0A6E00C}");
  WriteRegistryString(HKEY_LOCAL_MACHINE, u"Software\\Morvane\\Glossel Module\\409", u"CLSID",
                      u"{not a class}");

  EXPECT_EQ(GetVoiceNames(names), 0);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Max", "Ольга"}));
  EXPECT_EQ(GetVoicePath("Ольга"), "/v/olga.dat");
  EXPECT_EQ(GetVoiceLang("Ольга"), "419");
  EXPECT_EQ(GetVoiceLang("Max"), "");
  EXPECT_EQ(GetVoicePath("Nobody"), "");
  EXPECT_EQ(GetLanguageClsid("419"), GuidFromText("4DD57616-8871-43E7-9BBC-409CB0A6E00C"));
  EXPECT_EQ(GetLanguageClsid("409"), GUID_NULL);
  EXPECT_EQ(GetLanguageClsid("407"), GUID_NULL);
}

}  // namespace
