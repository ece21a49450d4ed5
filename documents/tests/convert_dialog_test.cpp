#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "documents/common/auto_conversion.h"
#include "documents/common/convert_dialog.h"
#include "documents/tests/test_files.h"
#include "platform/message_box.h"
#include "platform/unicode.h"
#include "platform/wait_cursor.h"

namespace {

// What the user saw: the wait cursor's changes and the conversions.
std::vector<std::string> g_seen;

// A converter that copies the source upper-cased, and one that fails.
bool UpperCopy(const char16_t* source, const char16_t* target) {
  g_seen.push_back(WaitCursorShown() ? "convert waiting" : "convert");
  std::string text = ReadBytes(Utf16ToUtf8(source));
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  WriteBytes(Utf16ToUtf8(target), text);
  return true;
}
bool Fails(const char16_t*, const char16_t*) { return false; }
bool NeverUtf8(const char16_t*) { return false; }
bool AlwaysUtf8(const char16_t*) { return true; }

constexpr ConverterMethod kTestMethods[] = {
    {"From XML/HTML to TXT", Fails},
    {"From RTF to TXT", UpperCopy},
};

TEST(ConvertDialogTest, InitOpenStartAndDelete) {
  MessageBoxCapture boxes;
  g_seen.clear();
  // The boxes come after the cursor is back.
  const WaitCursorHandler previous = SetWaitCursorHandler([&boxes](bool shown) {
    g_seen.push_back(shown ? "wait" : "arrow after " + std::to_string(boxes.Count()) + " boxes");
  });
  CConvertDlg empty(kTestMethods);
  EXPECT_TRUE(empty.OnInitDialog());
  EXPECT_EQ(empty.controls.methodList.size(), 7u);
  EXPECT_EQ(empty.controls.methodList.front(), "From XML/HTML to TXT");
  EXPECT_EQ(empty.controls.methodList[5], "From Rb to TXT");
  EXPECT_EQ(empty.controls.targetEdit, u"");

  const std::string source = Scratch("a.rtf");
  WriteBytes(source, "abc");
  CConvertDlg dialog(kTestMethods);
  dialog.OnInitDialog();
  OpenFileChoice choice;
  choice.chosenPath = Wide(source);
  dialog.OnOpenSource(choice);
  EXPECT_EQ(dialog.controls.targetEdit, Wide(source + ".txt"));

  dialog.OnStart();  // the first method fails
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, u"Conversion FAILED!");
  EXPECT_TRUE(dialog.convertedPath.empty());

  dialog.controls.selectedMethod = 6;  // "From RTF to TXT"
  dialog.controls.deleteSourceCheck = true;
  dialog.OnStart();
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].text, u"File was successfully converted!");
  EXPECT_EQ(ReadBytes(source + ".txt"), "ABC");
  EXPECT_FALSE(Exists(source));
  EXPECT_TRUE(dialog.controls.sourceEdit.empty());
  EXPECT_TRUE(dialog.convertedPath.empty());

  dialog.OnStart();  // no source any more: nothing happens
  EXPECT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"wait", "arrow after 0 boxes", "wait", "convert waiting",
                                              "arrow after 1 boxes"}));
  SetWaitCursorHandler(previous);
}

std::filesystem::file_time_type Modified(const std::string& path) {
  return std::filesystem::last_write_time(path);
}

void SetModified(const std::string& path, std::filesystem::file_time_type time) {
  std::filesystem::last_write_time(path, time);
}

TEST(AutoConversionTest, KindsUtf8StepAndFailures) {
  const KindConverters upper{UpperCopy, UpperCopy, UpperCopy, UpperCopy, UpperCopy,
                             UpperCopy, UpperCopy, UpperCopy, NeverUtf8};
  const std::string rtf = Scratch("doc.rtf");
  WriteBytes(rtf, "rich");
  OpenedText opened = ConvertForReading(Wide(rtf), upper);
  EXPECT_TRUE(opened.converted);
  EXPECT_EQ(opened.path, Wide(rtf + ".auto"));
  EXPECT_EQ(ReadBytes(rtf + ".auto"), "RICH");
  // A copy that carries the document's time is taken as it is...
  WriteBytes(rtf + ".auto", "kept");
  SetModified(rtf + ".auto", Modified(rtf));
  EXPECT_EQ(ConvertForReading(Wide(rtf), upper).path, Wide(rtf + ".auto"));
  EXPECT_EQ(ReadBytes(rtf + ".auto"), "kept");
  // ...and converted again once the document changes.
  WriteBytes(rtf, "newer");
  SetModified(rtf, Modified(rtf + ".auto") + std::chrono::seconds(5));
  EXPECT_EQ(ConvertForReading(Wide(rtf), upper).path, Wide(rtf + ".auto"));
  EXPECT_EQ(ReadBytes(rtf + ".auto"), "NEWER");

  const std::string text = Scratch("plain.txt");
  WriteBytes(text, "plain");
  opened = ConvertForReading(Wide(text), upper);
  EXPECT_FALSE(opened.converted);
  EXPECT_EQ(opened.path, Wide(text));

  // UTF-8 FB2: the intermediate file exists only during the conversion.
  KindConverters utf8 = upper;
  utf8.isUtf8 = AlwaysUtf8;
  const std::string fb2 = Scratch("book.fb2");
  WriteBytes(fb2, "book");
  opened = ConvertForReading(Wide(fb2), utf8);
  EXPECT_TRUE(opened.converted);
  EXPECT_EQ(ReadBytes(fb2 + ".auto"), "BOOK");
  EXPECT_FALSE(Exists(fb2 + ".utf8"));

  KindConverters failing = upper;
  failing.rtf = Fails;
  const std::string bad = Scratch("bad.rtf");
  WriteBytes(bad, "x");
  opened = ConvertForReading(Wide(bad), failing);
  EXPECT_FALSE(opened.converted);
  EXPECT_EQ(opened.path, Wide(bad));
  EXPECT_FALSE(Exists(bad + ".auto"));
}

}  // namespace
