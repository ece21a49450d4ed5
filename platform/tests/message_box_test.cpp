#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

HWND FakeWindow() { return reinterpret_cast<HWND>(uintptr_t{0x1234}); }

TEST(MessageBox, CaptureRecordsEveryBoxAndAnswersDefaultButton) {
  MessageBoxCapture capture;
  EXPECT_EQ(MessageBoxW(nullptr, u"NotLoadBase", u"Error", MB_OK | MB_ICONERROR), IDOK);
  EXPECT_EQ(MessageBoxW(FakeWindow(), u"Parlen will be locked.", u"Parlen", MB_OKCANCEL), IDOK);
  std::thread([] { MessageBoxW(nullptr, u"from a worker", nullptr, MB_YESNO | MB_DEFBUTTON2); })
      .join();

  auto boxes = capture.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].text, u"NotLoadBase");
  EXPECT_EQ(boxes[0].caption, u"Error");
  EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONERROR);
  EXPECT_EQ(boxes[1].owner, FakeWindow());
  EXPECT_EQ(boxes[1].type, MB_OKCANCEL);
  EXPECT_EQ(boxes[2].text, u"from a worker");
  EXPECT_EQ(boxes[2].caption, u"Error");  // null caption
  capture.Clear();
  EXPECT_EQ(capture.Count(), 0u);
}

TEST(MessageBox, ChosenAnswer) {
  MessageBoxCapture capture(IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"Do You wish to delete \"a.txt\"?", u"Confirm.", MB_OKCANCEL),
            IDCANCEL);
  capture.SetAnswer(IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"q", u"c", MB_YESNO), IDNO);
  EXPECT_EQ(capture.Count(), 2u);
}

TEST(MessageBox, DefaultButtons) {
  EXPECT_EQ(DefaultMessageBoxButton(MB_OK), IDOK);
  EXPECT_EQ(DefaultMessageBoxButton(MB_OKCANCEL), IDOK);
  EXPECT_EQ(DefaultMessageBoxButton(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(DefaultMessageBoxButton(MB_ABORTRETRYIGNORE | MB_DEFBUTTON3), IDIGNORE);
  EXPECT_EQ(DefaultMessageBoxButton(MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(DefaultMessageBoxButton(MB_YESNO), IDYES);
  EXPECT_EQ(DefaultMessageBoxButton(MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(DefaultMessageBoxButton(MB_OK | MB_DEFBUTTON3), IDOK);
}

TEST(MessageBox, EightBitTextIsWindows1251) {
  MessageBoxCapture capture;
  // Narrow literals are compiled to Windows-1251 bytes.
  MessageBoxA(nullptr, "Ошибка загрузки базы аббревиатур.", "Glossel module", MB_ICONERROR);
  MessageBoxA(nullptr, "\x80\xB9\xA8\xB8 \x98", nullptr, MB_OK);
  auto boxes = capture.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"Ошибка загрузки базы аббревиатур.");
  EXPECT_EQ(boxes[0].caption, u"Glossel module");
  EXPECT_EQ(boxes[1].text, u"\u0402\u2116\u0401\u0451 \u0098");
  EXPECT_EQ(boxes[1].caption, u"Error");
}

TEST(MessageBox, NestedCapturesAndHandlersRestoreTheirPredecessor) {
  MessageBoxCapture outer;
  {
    MessageBoxCapture inner(IDRETRY);
    EXPECT_EQ(MessageBoxW(nullptr, u"inner", u"c", MB_RETRYCANCEL), IDRETRY);
    EXPECT_EQ(inner.Count(), 1u);
  }
  std::u16string seen;
  MessageBoxHandler previous = SetMessageBoxHandler(
      [&](HWND, const std::u16string& text, const std::u16string&, UINT) {
        seen = text;
        return IDABORT;
      });
  EXPECT_EQ(MessageBoxW(nullptr, u"window", u"c", MB_ABORTRETRYIGNORE), IDABORT);
  EXPECT_EQ(seen, u"window");
  SetMessageBoxHandler(std::move(previous));
  MessageBoxW(nullptr, u"outer", u"c", MB_OK);
  auto boxes = outer.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"outer");
}

TEST(MessageBox, WithoutHandlerGoesToStandardErrorAsUtf8) {
  MessageBoxHandler saved = SetMessageBoxHandler(nullptr);
  testing::internal::CaptureStderr();
  int answer = MessageBoxW(nullptr, u"Неправильный размер", u"Allobase", MB_YESNO | MB_DEFBUTTON2);
  // A text that begins with its caption says it once.
  MessageBoxW(nullptr, u"Warning: 2 files were met!", u"Warning", MB_OK);
  MessageBoxW(nullptr, u"Warnings: 3", u"Warning", MB_OK);
  std::string err = testing::internal::GetCapturedStderr();
  SetMessageBoxHandler(std::move(saved));
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(err,
            "Allobase: \xD0\x9D\xD0\xB5\xD0\xBF\xD1\x80\xD0\xB0\xD0\xB2\xD0\xB8\xD0\xBB\xD1\x8C"
            "\xD0\xBD\xD1\x8B\xD0\xB9 \xD1\x80\xD0\xB0\xD0\xB7\xD0\xBC\xD0\xB5\xD1\x80\n"
            "Warning: 2 files were met!\nWarning: Warnings: 3\n");
}

}  // namespace
