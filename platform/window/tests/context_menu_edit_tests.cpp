#include "platform/window/clipboard.h"
#include "platform/window/context_menu_edit.h"
#include "platform/window/dialog.h"
#include "platform/window/headless_backend.h"

#include <gtest/gtest.h>

namespace {

class EditDialog : public Dialog {
 public:
  EditDialog() : Dialog(181, u"Поиск текста") {
    AddControl(1013, ControlKind::Edit);
    AddControl(1020, ControlKind::Edit);
    CContextMenuEdit::Attach(*this, 1013);
    OnCommandMessage(1013, EN_CHANGE, [this] { changes.push_back(GetDlgItemTextW(1013)); });
  }
  std::vector<std::u16string> changes;
};

TEST(ContextMenuEditTest, HoldOpensTheEditMenuAndItsCommandsCopyCutAndPaste) {
  HeadlessBackend backend;
  EditDialog dialog;
  backend.ExpectDialog([&](DialogDriver& user) {
    user.Type(1013, u"мама мыла раму");
    // A plain edit opens nothing.
    EXPECT_EQ(user.TapAndHold(1020), nullptr);
    const MenuItem* menu = user.TapAndHold(1013);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 3u);
    EXPECT_EQ(menu->items[0].text, u"Копировать");
    EXPECT_EQ(menu->items[1].text, u"Вырезать");
    EXPECT_EQ(menu->items[2].text, u"Вставить");
    EXPECT_EQ(CContextMenuEdit::MessageOf(menu->items[0].id), WM_COPY);
    EXPECT_EQ(CContextMenuEdit::MessageOf(menu->items[1].id), WM_CUT);
    EXPECT_EQ(CContextMenuEdit::MessageOf(menu->items[2].id), WM_PASTE);

    user.SelectText(1013, 5, 10);  // "мыла "
    user.ChooseEditCommand(1013, CContextMenuEdit::ID_EDIT_COPY);
    std::u16string clip;
    EXPECT_TRUE(backend.ReadClipboardText(&clip));
    EXPECT_EQ(clip, u"мыла ");
    EXPECT_EQ(dialog.changes.size(), 1u);  // copying changes nothing

    user.ChooseEditCommand(1013, CContextMenuEdit::ID_EDIT_CUT);
    EXPECT_EQ(user.Find(1013)->text, u"мама раму");
    EXPECT_EQ(user.Find(1013)->sel_start, 5);
    EXPECT_EQ(user.Find(1013)->sel_end, 5);

    backend.SetClipboard(u"вымыла\r\nпотом");
    user.SelectText(1013, 9, 9);
    user.ChooseEditCommand(1013, CContextMenuEdit::ID_EDIT_PASTE);
    EXPECT_EQ(user.Find(1013)->text, u"мама рамувымыла");  // one line only
    EXPECT_EQ(user.Find(1013)->sel_end, 15);
    user.Ok();
  });
  dialog.DoModal();
  ASSERT_EQ(dialog.changes.size(), 3u);
  EXPECT_EQ(dialog.changes[1], u"мама раму");
  EXPECT_EQ(dialog.changes[2], u"мама рамувымыла");
}

TEST(ContextMenuEditTest, NothingIsCutWithoutASelectionAndPastingAnEmptyClipboardChangesNothing) {
  HeadlessBackend backend;
  Control edit;
  edit.kind = ControlKind::Edit;
  edit.context_menu = true;
  edit.SetText(u"текст");
  edit.SetSelection(2, 2);
  EXPECT_FALSE(CContextMenuEdit::HandleMessage(edit, WM_CUT));
  EXPECT_EQ(edit.text, u"текст");
  backend.ClearClipboard();
  EXPECT_FALSE(CContextMenuEdit::HandleMessage(edit, WM_PASTE));
  EXPECT_EQ(edit.text, u"текст");
  // A selection beyond the text is clamped to it.
  edit.SetSelection(9, 3);
  EXPECT_EQ(edit.sel_start, 3);
  EXPECT_EQ(edit.sel_end, 5);
  edit.multi_line = true;
  backend.SetClipboard(u"а\nб");
  EXPECT_TRUE(CContextMenuEdit::HandleMessage(edit, WM_PASTE));
  EXPECT_EQ(edit.text, u"тека\nб");
}

}  // namespace
