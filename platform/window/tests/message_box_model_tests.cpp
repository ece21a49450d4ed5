#include "platform/window/message_box_model.h"

#include <gtest/gtest.h>

namespace {

std::u16string Labels(const MessageBoxModel& m) {
  std::u16string out;
  for (const MessageBoxButton& b : m.buttons) out += b.label + u"=" + char16_t(u'0' + b.answer) + u" ";
  return out;
}

TEST(MessageBoxModelTest, ButtonsDefaultsEscapeAndIconFollowTheType) {
  MessageBoxModel ok = MakeMessageBoxModel(MB_OK | MB_ICONSTOP);
  EXPECT_EQ(Labels(ok), u"OK=1 ");
  EXPECT_EQ(ok.escape_answer, IDOK);
  EXPECT_EQ(ok.icon, MessageBoxIcon::Stop);

  MessageBoxModel ask = MakeMessageBoxModel(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
  EXPECT_EQ(Labels(ask), u"OK=1 Cancel=2 ");
  EXPECT_EQ(ask.default_button, 1u);
  EXPECT_EQ(ask.escape_answer, IDCANCEL);
  EXPECT_EQ(ask.icon, MessageBoxIcon::Question);

  MessageBoxModel yes_no = MakeMessageBoxModel(MB_YESNO | MB_ICONEXCLAMATION);
  EXPECT_EQ(Labels(yes_no), u"Yes=6 No=7 ");
  EXPECT_EQ(yes_no.default_button, 0u);
  EXPECT_EQ(yes_no.escape_answer, 0);  // only a button answers
  EXPECT_EQ(yes_no.icon, MessageBoxIcon::Exclamation);

  MessageBoxModel three = MakeMessageBoxModel(MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3);
  EXPECT_EQ(Labels(three), u"Yes=6 No=7 Cancel=2 ");
  EXPECT_EQ(three.default_button, 2u);
  EXPECT_EQ(three.icon, MessageBoxIcon::Information);

  EXPECT_EQ(Labels(MakeMessageBoxModel(MB_ABORTRETRYIGNORE)), u"Abort=3 Retry=4 Ignore=5 ");
  EXPECT_EQ(Labels(MakeMessageBoxModel(MB_RETRYCANCEL)), u"Retry=4 Cancel=2 ");
  EXPECT_EQ(MakeMessageBoxModel(MB_OK).icon, MessageBoxIcon::None);
}

TEST(MessageBoxModelTest, BoxesWithoutACaptionCarryTheProgramsName) {
  MessageBoxCapture boxes;
  MessageBoxW(nullptr, u"без заголовка", nullptr, MB_OK);
  SetDefaultMessageBoxCaption(u"Parlen 2");
  MessageBoxW(nullptr, u"без заголовка", nullptr, MB_OKCANCEL);
  MessageBoxW(nullptr, u"свой", u"Confirm.", MB_OKCANCEL);
  SetDefaultMessageBoxCaption(u"");
  MessageBoxW(nullptr, u"снова", nullptr, MB_OK);
  ASSERT_EQ(boxes.Boxes().size(), 4u);
  EXPECT_EQ(boxes.Boxes()[0].caption, u"Error");
  EXPECT_EQ(boxes.Boxes()[1].caption, u"Parlen 2");
  EXPECT_EQ(boxes.Boxes()[2].caption, u"Confirm.");
  EXPECT_EQ(boxes.Boxes()[3].caption, u"Error");
}

}  // namespace
