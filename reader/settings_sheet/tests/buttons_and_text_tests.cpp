#include <gtest/gtest.h>

#include "platform/window/headless_backend.h"
#include "platform/window/hot_keys.h"
#include "reader/settings_sheet/buttons_page.h"
#include "reader/settings_sheet/ce_property_sheet.h"
#include "reader/settings_sheet/misc_page.h"

namespace {

class ButtonsPage : public ::testing::Test {
 protected:
  ButtonsPage() {
    page.actions[6] = "Next page";
    page.actions[1] = "Unknown action";
    sheet.AddPage(&other);
    sheet.AddPage(&page);
  }
  HeadlessBackend backend;
  CCePropertySheet sheet{u"Settings"};
  CMiscPage other;
  CButtonsPage page;
};

TEST_F(ButtonsPage, ScanningBindsThePressedButton) {
  // The main window holds the up key; the page takes it while it is active.
  HWND main = CreateWindowHandle([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; }, {});
  ASSERT_TRUE(RegisterHotKey(main, 6, 0, VK_UP));
  backend.ExpectSheet([&](SheetDriver& s) {
    ASSERT_TRUE(s.SelectPage(1));
    DialogDriver d = s.Page();
    const Control* combo = d.Find(CButtonsPage::IDC_ACTION);
    EXPECT_EQ(combo->items.size(), 25u);
    EXPECT_EQ(combo->items[24], u"Exit");

    // Not scanning: neither a key nor a choice changes anything.
    d.PressKey(VK_DOWN);
    d.Select(CButtonsPage::IDC_ACTION, 14);
    EXPECT_EQ(d.Find(CButtonsPage::IDC_ACTION)->GetCurSel(), 14);

    d.Click(CButtonsPage::IDC_SCAN);
    EXPECT_EQ(d.Find(CButtonsPage::IDC_SCAN)->text, u"Cancel");
    d.Select(CButtonsPage::IDC_ACTION, 14);  // no button pressed yet
    d.PressKey(VK_UP);
    EXPECT_EQ(page.SelectedButton(), 6);
    EXPECT_EQ(combo->text, u"Next page");
    d.PressKey(0xC1, MOD_WIN);  // id 1: an action the list lacks
    EXPECT_EQ(combo->text, u"None");
    d.PressKey(VK_DOWN);  // id 7: no action
    EXPECT_EQ(combo->text, u"None");
    d.Select(CButtonsPage::IDC_ACTION, 14);  // "Find" for id 7
    d.PressKey(VK_UP);
    d.Select(CButtonsPage::IDC_ACTION, 0);  // "None" for id 6
    d.PressKey(0xCF, MOD_WIN);              // id 20
    d.Select(CButtonsPage::IDC_ACTION, 21);

    // Leaving the page releases the buttons and stops scanning.
    ASSERT_TRUE(s.SelectPage(0));
    EXPECT_FALSE(page.Scanning());
    EXPECT_EQ(page.SelectedButton(), -1);
    HWND owner = nullptr;
    int id = 0;
    EXPECT_FALSE(FindHotKey(0, VK_UP, &owner, &id));
    s.Ok();
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(page.actions[6], "");
  EXPECT_EQ(page.actions[7], "Find");
  EXPECT_EQ(page.actions[20], "Lock & read (1 push to unlock)");
  EXPECT_EQ(page.actions[1], "Unknown action");
  EXPECT_EQ(page.actions[0], "");
  DestroyWindowHandle(main);
}

TEST(MiscParams, ReadBackAsTheTextPageLeavesThem) {
  ReaderSettings settings;
  settings.orientation = 2;
  settings.pagesMode = kPagesPercent;
  settings.codePage = 3;
  settings.showTime = false;
  MiscParams params = GetMiscParams(settings);
  EXPECT_EQ(params[u"Orientation"], u"Turned 180%");
  EXPECT_EQ(params[u"Pages"], u"Percent");
  EXPECT_EQ(params[u"Code page"], u"KOI8R");
  EXPECT_EQ(params[u"Time"], u"No");
  EXPECT_EQ(params[u"Justify"], u"Yes");

  params[u"Justify"] = u"yes";  // only "Yes" is on
  params[u"Orientation"] = u"Sideways";
  params[u"Pages"] = u"Digits";
  params[u"Code page"] = u"Auto";
  params[u"Time"] = u"Yes";
  SetMiscParams(params, settings);
  EXPECT_FALSE(settings.justify);
  EXPECT_EQ(settings.orientation, 2);
  EXPECT_EQ(settings.pagesMode, kPagesDigits);
  EXPECT_EQ(settings.codePage, 0);
  EXPECT_TRUE(settings.showTime);
}

TEST(TextPage, ShowsChoicesPerParameterAndStoresTheChosenValue) {
  HeadlessBackend backend;
  CCePropertySheet sheet(u"Settings");
  CMiscPage page;
  page.params = {{u"Pages", u"Sometimes"}, {u"Pane", u"maybe"}, {u"Code page", u"DOS"}};
  sheet.AddPage(&page);
  backend.ExpectSheet([](SheetDriver& s) {
    DialogDriver d = s.Page();
    const Control* names = d.Find(CMiscPage::IDC_PARAMETERS);
    const Control* values = d.Find(CMiscPage::IDC_VALUES);
    EXPECT_EQ(names->items.size(), 13u);
    EXPECT_EQ(names->GetCurSel(), 0);
    EXPECT_TRUE(values->items.empty());

    d.Select(CMiscPage::IDC_PARAMETERS, 10);  // Pages: no choice matches
    EXPECT_EQ(values->items, (std::vector<std::u16string>{u"No", u"Digits", u"Percent"}));
    EXPECT_EQ(values->GetCurSel(), -1);
    d.Select(CMiscPage::IDC_PARAMETERS, 8);  // Pane: anything but "Yes" is "No"
    EXPECT_EQ(values->GetCurSel(), 1);
    d.Select(CMiscPage::IDC_PARAMETERS, 5);  // Code page by its index
    EXPECT_EQ(values->GetCurSel(), 2);
    d.Select(CMiscPage::IDC_PARAMETERS, 4);  // Orientation: no value, the default
    EXPECT_EQ(values->text.empty() ? values->GetItemText(values->GetCurSel()) : values->text,
              u"Normal");
    d.Select(CMiscPage::IDC_VALUES, 3);
    d.Select(CMiscPage::IDC_PARAMETERS, 7);  // a heading: no choices
    EXPECT_TRUE(values->items.empty());
    d.Select(CMiscPage::IDC_VALUES, 0);
    s.Ok();
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(page.params.size(), 4u);
  EXPECT_EQ(page.params[u"Orientation"], u"Turned 270%");
}

}  // namespace
