#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "foundation/code_pages.h"
#include "platform/registry.h"
#include "platform/unicode.h"
#include "platform/window/headless_backend.h"
#include "reader/settings_sheet/ce_property_sheet.h"
#include "reader/settings_sheet/tests/recording_engine.h"
#include "reader/settings_sheet/user_stress_base_dlg.h"

namespace {

constexpr const char16_t* kKey = u"SOFTWARE\\Morvane\\Glossel Module\\419";

class UserStressBasePage : public ::testing::Test {
 protected:
  UserStressBasePage() {
    path = std::string(std::getenv("TEST_TMPDIR")) + "user_stress.txt";
    std::ofstream(path, std::ios::binary) << "мама+\n*о+сть\nкоро+ва\nмолоко+\n";
    SetPathValue(path);
  }
  static void SetPathValue(const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    std::u16string wide;
    Utf8ToUtf16(value, &wide);
    RegSetValueExW(key, u"UserStressBase", 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
  }
  static DWORD Generation() {
    HKEY key = nullptr;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    if (RegQueryValueExW(key, u"UserStressBaseGeneration", nullptr, nullptr,
                         reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS)
      value = 0;
    RegCloseKey(key);
    return value;
  }
  std::string File() const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  HeadlessBackend backend;
  std::string path;
};

TEST_F(UserStressBasePage, ListsAddsAndDeletesInTheSharedFile) {
  RecordingEngine engine;
  const DWORD before = Generation();
  backend.ExpectSheet([this](SheetDriver& s) {
    DialogDriver d = s.Page();
    const Control* list = d.Find(CUserStressBaseDlg::IDC_WORDS);
    // Patterns show the mark on their stressed letter, after the "*".
    EXPECT_EQ(list->items, (std::vector<std::u16string>{u"*о+сть", u"коро+ва", u"мама+", u"молоко+"}));
    // The wait cursor came and went while the page opened.
    EXPECT_EQ(backend.WaitCursorChanges(), (std::vector<bool>{true, false}));

    d.Type(CUserStressBaseDlg::IDC_WORD, u"наприме");  // no mark: refused
    d.Click(CUserStressBaseDlg::IDC_ADD);
    EXPECT_EQ(list->items.size(), 4u);
    d.Type(CUserStressBaseDlg::IDC_WORD, u"Наприме+р");
    d.Click(CUserStressBaseDlg::IDC_ADD);
    EXPECT_EQ(list->items.front(), u"Наприме+р");

    d.SelectItems(CUserStressBaseDlg::IDC_WORDS, {1, 3, 4});
    d.Click(CUserStressBaseDlg::IDC_DELETE);
    EXPECT_EQ(list->items, (std::vector<std::u16string>{u"Наприме+р", u"коро+ва"}));
    s.Ok();
  });
  RunUserStressBaseSheet(&engine);
  EXPECT_EQ(File(), "мама+\n*о+сть\nкоро+ва\nмолоко+\nнаприме+р\n*ость\nмама\nмолоко\n");
  EXPECT_EQ(Generation(), before + 4);
  EXPECT_EQ(engine.calls, (std::vector<std::string>{"ReloadUserBase"}));
  EXPECT_EQ(backend.MessageBoxes().Count(), 0u);
}

TEST_F(UserStressBasePage, EachPatternShowsItsOwnStress) {
  // "*ма" sorts first and its core ends "*яма" too: the list still shows
  // the stress stored for "*яма".
  std::ofstream(path, std::ios::binary) << "*ма+\n*я+ма\nя+ма*\n*я+м*\n";
  backend.ExpectSheet([](SheetDriver& s) {
    EXPECT_EQ(s.Page().Find(CUserStressBaseDlg::IDC_WORDS)->items,
              (std::vector<std::u16string>{u"*ма+", u"*я+м*", u"*я+ма", u"я+ма*"}));
    s.Ok();
  });
  RunUserStressBaseSheet(nullptr);
}

TEST_F(UserStressBasePage, NoChangeNoReloadAndAFailedReloadIsReported) {
  RecordingEngine engine;
  const DWORD before = Generation();
  backend.ExpectSheet([](SheetDriver& s) { s.Ok(); });
  RunUserStressBaseSheet(&engine);
  EXPECT_TRUE(engine.calls.empty());
  EXPECT_EQ(Generation(), before);

  engine.reloadResult = E_FAIL;
  backend.ExpectSheet([](SheetDriver& s) {
    s.Page().Type(CUserStressBaseDlg::IDC_WORD, u"во+да");
    s.Page().Click(CUserStressBaseDlg::IDC_ADD);
    s.Cancel();  // the file has changed all the same
  });
  RunUserStressBaseSheet(&engine);
  ASSERT_EQ(backend.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].text, u"Can't reload user stress base");
}

TEST_F(UserStressBasePage, AMissingFileEndsThePageWithCancel) {
  SetPathValue(path + ".missing");
  CCePropertySheet sheet(u"Stress base");
  CUserStressBaseDlg page;
  sheet.AddPage(&page);
  backend.ExpectSheet([](SheetDriver& s) { s.Ok(); });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  ASSERT_EQ(backend.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].text, u"Path to stress base not found!");
  EXPECT_EQ(backend.WaitCursorChanges(), (std::vector<bool>{true, false}));
  EXPECT_FALSE(page.changed);
}

}  // namespace
