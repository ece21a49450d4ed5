#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "documents/common/auto_conversion.h"
#include "documents/common/conversion_mark.h"
#include "documents/common/convert_dialog.h"
#include "documents/common/output_file.h"
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

// A converter killed half-way through its target.
bool KilledWhileWriting(const char16_t*, const char16_t* target) {
  OutputFile out;
  if (out.Create(target)) out.Write(std::string("half"));
  _exit(0);
}

constexpr ConverterMethod kKilledMethods[] = {{"From RTF to TXT", KilledWhileWriting}};

// The dialog's conversion is marked as an opening one is: killed, its
// temporary beside the target goes with a later start, once left alone for
// 10 minutes; a file of the user's that only looks like one stays.
TEST(ConvertDialogTest, AKilledConversionLeavesNothingForGood) {
  const std::string folder = Scratch("killed-dialog/");
  std::filesystem::create_directories(folder);
  const std::string source = folder + "a.rtf";
  WriteBytes(source, "abc");
  const std::string mine = folder + "a.rtf.txt.partAbC123";
  WriteBytes(mine, "mine");
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    CConvertDlg dialog(kKilledMethods);
    dialog.sourcePath = Wide(source);
    dialog.OnInitDialog();
    dialog.RunConversion("From RTF to TXT", Wide(source));
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::vector<std::filesystem::path> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) left.push_back(entry.path());
  ASSERT_EQ(left.size(), 3u);  // the source, the user's file and the temporary
  const std::string marks = std::string(std::getenv("XDG_CACHE_HOME")) + "/parlen/conversions";
  for (const auto& entry : std::filesystem::directory_iterator(marks)) left.push_back(entry.path());
  for (const auto& file : left) {
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::minutes(20));
  }
  RemoveMarkedConversionLeftovers();
  EXPECT_EQ(ReadBytes(source), "abc");
  EXPECT_EQ(ReadBytes(mine), "mine");
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 2u);
  EXPECT_TRUE(std::filesystem::is_empty(marks));
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

  // UTF-8 FB2: the intermediate file exists only during the conversion,
  // under a name of its own: the user's "<document>.utf8" stays as it was.
  KindConverters utf8 = upper;
  utf8.isUtf8 = AlwaysUtf8;
  const std::string fb2 = Scratch("book.fb2");
  WriteBytes(fb2, "book");
  WriteBytes(fb2 + ".utf8", "mine");
  opened = ConvertForReading(Wide(fb2), utf8);
  EXPECT_TRUE(opened.converted);
  EXPECT_EQ(ReadBytes(fb2 + ".auto"), "BOOK");
  EXPECT_EQ(ReadBytes(fb2 + ".utf8"), "mine");
  const std::string cache = std::string(std::getenv("XDG_CACHE_HOME")) + "/parlen/conversions";
  for (const auto& entry : std::filesystem::directory_iterator(cache))
    EXPECT_EQ(entry.path().filename().string().find("intermediate"), std::string::npos);

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
