#include "platform/window/dialog.h"
#include "platform/window/headless_backend.h"
#include "platform/window/hot_keys.h"

#include <gtest/gtest.h>

namespace {

// A go-to-page style dialog: a number in a range, a text and a flag.
class NumberDialog : public Dialog {
 public:
  NumberDialog() : Dialog(185, u"Перейти к странице") {
    AddControl(1019, ControlKind::Static, u"Номер страницы:");
    AddControl(1020, ControlKind::Edit);
    AddControl(1013, ControlKind::Edit);
    AddControl(1011, ControlKind::CheckBox, u"&Учёт регистра");
    AddControl(IDOK, ControlKind::Button, u"Перейти");
    AddControl(IDCANCEL, ControlKind::Button, u"Отмена");
  }
  void DoDataExchange(DataExchange& dx) override {
    DDX_Text(dx, 1020, page);
    DDV_MinMaxInt(dx, page, 1, last_page);
    DDX_Text(dx, 1013, text);
    DDX_Check(dx, 1011, match_case);
  }
  int page = 0;
  int last_page = 10;
  std::u16string text;
  bool match_case = false;
};

TEST(DialogTest, ScriptedAnswersComeBackThroughTheFields) {
  HeadlessBackend backend;
  NumberDialog dialog;
  dialog.page = 3;
  dialog.text = u"старт";
  backend.ExpectDialog([](DialogDriver& user) {
    EXPECT_EQ(user.Find(1020)->text, u"3");  // fields reached the controls
    EXPECT_EQ(user.Find(1013)->text, u"старт");
    user.Type(1020, u"12");
    user.Ok();  // out of range: stays open with a message
    EXPECT_FALSE(user.Ended());
    user.Type(1020, u" 7 ");
    user.Type(1013, u"поиск");
    user.Click(1011);
    user.Ok();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.page, 7);
  EXPECT_EQ(dialog.text, u"поиск");
  EXPECT_TRUE(dialog.match_case);
  ASSERT_EQ(backend.MessageBoxes().Count(), 1u);
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].text, u"Enter a number from 1 to 10.");
  EXPECT_EQ(backend.MessageBoxes().Boxes()[0].caption, u"Перейти к странице");
  ASSERT_EQ(backend.Dialogs().size(), 1u);
  EXPECT_EQ(backend.Dialogs()[0].template_id, 185u);
  EXPECT_EQ(backend.Dialogs()[0].result, IDOK);
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(DialogTest, CancelAndUnscriptedRunsLeaveTheFields) {
  HeadlessBackend backend;
  NumberDialog dialog;
  dialog.page = 2;
  backend.ExpectDialog([](DialogDriver& user) {
    user.Type(1020, u"abc");
    user.Ok();
    user.Cancel();
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.page, 2);
  EXPECT_EQ(backend.MessageBoxes().Boxes().at(0).text, u"Enter a whole number.");
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // no script
  EXPECT_FALSE(backend.Dialogs()[1].scripted);
}

// A list with its own message map: selection, double tap, delete button,
// a hot key of the dialog's window.
class ListDialog : public Dialog {
 public:
  ListDialog() : Dialog(183, u"Закладки") {
    AddControl(1014, ControlKind::ListBox);
    AddControl(1015, ControlKind::Edit);
    AddControl(1016, ControlKind::Button, u"Удалить");
    OnCommandMessage(1014, LBN_SELCHANGE, [this] { Show(); });
    OnCommandMessage(1014, LBN_DBLCLK, [this] {
      chosen = GetDlgItem(1014)->GetCurSel();
      EndDialog(IDOK);
    });
    OnCommandMessage(1016, BN_CLICKED, [this] {
      Control* list = GetDlgItem(1014);
      list->DeleteString(list->GetCurSel());
      EnableDlgItem(1016, list->GetCount() > 0);
    });
    OnWindowMessage(WM_HOTKEY, [this](WPARAM id, LPARAM) -> LRESULT {
      hot_keys.push_back(static_cast<int>(id));
      return 0;
    });
  }
  BOOL OnInitDialog() override {
    Control* list = GetDlgItem(1014);
    for (const char16_t* s : {u"Page № 0", u"Page № 2", u"Page № 5"}) list->AddString(s);
    RegisterHotKey(GetSafeHwnd(), 1, 0, VK_RETURN);
    return TRUE;
  }
  void Show() { SetDlgItemTextW(1015, GetDlgItem(1014)->GetItemText(GetDlgItem(1014)->GetCurSel())); }
  int chosen = -1;
  std::vector<int> hot_keys;
};

TEST(DialogTest, MessageMapHandlesControlNotificationsAndHotKeys) {
  HeadlessBackend backend;
  ListDialog dialog;
  backend.ExpectDialog([&](DialogDriver& user) {
    user.Select(1014, 1);
    EXPECT_EQ(user.Find(1015)->text, u"Page № 2");
    user.Click(1016);
    EXPECT_EQ(user.Find(1014)->items, (std::vector<std::u16string>{u"Page № 0", u"Page № 5"}));
    user.PressKey(VK_RETURN);
    EXPECT_EQ(dialog.hot_keys, std::vector<int>{1});
    user.DoubleClick(1014, 1);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.chosen, 1);
  // The dialog's hot keys went with its window.
  EXPECT_FALSE(FindHotKey(0, VK_RETURN, nullptr, nullptr));
}

TEST(ControlTest, ListSearchesIgnoreCaseAndWrap) {
  Control combo;
  combo.kind = ControlKind::ComboBox;
  for (const char16_t* s : {u"None", u"Next page", u"Открыть", u"ёлка", u"next"}) combo.AddString(s);
  EXPECT_EQ(combo.FindString(-1, u"NEXT"), 1);
  EXPECT_EQ(combo.FindString(1, u"next"), 4);
  EXPECT_EQ(combo.FindString(4, u"next"), 1);
  EXPECT_EQ(combo.FindString(-1, u"ОТК"), 2);
  EXPECT_EQ(combo.FindString(-1, u"Ёл"), 3);
  EXPECT_EQ(combo.FindStringExact(-1, u"NEXT"), 4);
  EXPECT_EQ(combo.FindString(-1, u"x"), CB_ERR);
  EXPECT_EQ(combo.SetCurSel(2), 2);
  EXPECT_EQ(combo.text, u"Открыть");
  combo.DeleteString(0);
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
  EXPECT_EQ(combo.GetCurSel(), -1);

  Control list;
  list.kind = ControlKind::ListBox;
  list.multi_select = true;
  for (const char16_t* s : {u"a", u"b", u"c", u"d"}) list.AddString(s);
  list.SetSel(1, true);
  list.SetSel(3, true);
  EXPECT_EQ(list.GetSelItems(), (std::vector<int>{1, 3}));
  list.DeleteString(1);
  EXPECT_EQ(list.GetSelItems(), (std::vector<int>{2}));

  Control slider;
  slider.kind = ControlKind::Slider;
  slider.SetRange(-10, 10);
  slider.SetPos(15);
  EXPECT_EQ(slider.GetPos(), 10);
}

class Page : public PropertyPage {
 public:
  Page(UINT id, std::u16string caption, bool fail_on_open = false)
      : PropertyPage(id, std::move(caption)), fail_on_open_(fail_on_open) {
    AddControl(1001, ControlKind::CheckBox, u"flag");
  }
  BOOL OnInitDialog() override {
    ++inits;
    if (fail_on_open_) EndDialog(IDCANCEL);
    return PropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    ++activations;
    return TRUE;
  }
  void DoDataExchange(DataExchange& dx) override { DDX_Check(dx, 1001, flag); }
  void OnOK() override { ++oks; }
  bool flag = false;
  int inits = 0, activations = 0, oks = 0;

 private:
  bool fail_on_open_;
};

TEST(PropertySheetTest, PagesOpenOnFirstUseAndConfirmTogether) {
  HeadlessBackend backend;
  Page voice(189, u"Голос"), text(180, u"Текст"), font(132, u"Шрифт");
  PropertySheet sheet(u"Settings");
  sheet.AddPage(&voice);
  sheet.AddPage(&text);
  sheet.AddPage(&font);
  backend.ExpectSheet([](SheetDriver& user) {
    user.Page().Click(1001);
    EXPECT_TRUE(user.SelectPage(1));
    user.Page().Click(1001);
    EXPECT_TRUE(user.SelectPage(0));
    EXPECT_TRUE(user.Ok());
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(voice.flag);
  EXPECT_TRUE(text.flag);
  EXPECT_EQ(voice.inits, 1);
  EXPECT_EQ(voice.activations, 2);
  EXPECT_EQ(voice.oks, 1);
  EXPECT_EQ(text.oks, 1);
  EXPECT_EQ(font.inits, 0);  // never shown: never initialised, never confirmed
  EXPECT_EQ(font.oks, 0);

  // A page that ends itself while opening ends the sheet.
  Page stress(190, u"Словарь", true);
  PropertySheet lone(u"Stress base");
  lone.AddPage(&stress);
  backend.ExpectSheet([](SheetDriver&) { ADD_FAILURE() << "the sheet should not run"; });
  EXPECT_EQ(lone.DoModal(), IDCANCEL);
  EXPECT_EQ(backend.PendingScripts(), 1u);
}

}  // namespace
