#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/window/headless_backend.h"
#include "reader/dialogs/bookmarks_dlg.h"
#include "reader/dialogs/find_text_dlg.h"
#include "reader/dialogs/go_to_page_dlg.h"
#include "reader/reader_dlg.h"
#include "reader/settings_sheet/colors_page.h"
#include "reader/settings_sheet/tests/recording_engine.h"
#include "reader/settings_sheet/voice_page.h"

namespace {

std::string Scratch(const std::string& name) { return testing::TempDir() + name; }
std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class MainWindowCommands : public testing::Test {
 protected:
  MainWindowCommands() {
    CReaderDlg::Environment environment;
    environment.engine.create = [this](ITTSEngine** out) {
      engine.AddRef();
      *out = &engine;
      return S_OK;
    };
    environment.engine.listVoices = [] { return std::vector<std::string>{"Анна"}; };
    reader = std::make_unique<CReaderDlg>(backend, std::move(environment));
    reader->OnInitDialog();
    static_cast<HeadlessHost&>(reader->Host()).Resize(240, 320);
    std::string text;
    for (int i = 0; text.size() < 6000; ++i) text += "слово" + std::to_string(i) + " ";
    text += "Иголка в конце.";
    document = Scratch(std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
    std::ofstream(document, std::ios::binary) << text;
    reader->OpenDocument(Wide(document));
  }
  ~MainWindowCommands() override { reader->OnDestroy(); }
  std::vector<std::u16string> Boxes() {
    return backend.MessageBoxes().Texts();
  }

  HeadlessBackend backend;
  RecordingEngine engine;
  std::unique_ptr<CReaderDlg> reader;
  std::string document;
};

TEST_F(MainWindowCommands, BookmarksAndReadMarkGoToTheDocumentsSettings) {
  reader->OnCommand(ID_NEXT_PAGE);
  const INT start = reader->Page().PageStart();
  reader->OnCommand(ID_ADD_BOOKMARK);
  EXPECT_TRUE(reader->PageHasBookmark());
  reader->OnCommand(ID_MARK_READ);
  std::string trc = ReadAll(document + ".trc");
  EXPECT_NE(trc.find("Bookmarks=" + std::to_string(start) + ";\n"), std::string::npos) << trc;
  EXPECT_NE(trc.find("ReadMark=1\n"), std::string::npos);

  reader->OnCommand(ID_PREV_PAGE);
  backend.ExpectDialog([](DialogDriver& d) { d.Click(CBookmarksDlg::IDC_GO); });
  reader->OnCommand(ID_BOOKMARKS);
  EXPECT_LE(reader->Page().PageStart(), start);
  EXPECT_TRUE(reader->PageHasBookmark());

  backend.ExpectDialog([](DialogDriver& d) {
    d.Click(CBookmarksDlg::IDC_DELETE);
    d.Ok();
  });
  reader->OnCommand(ID_BOOKMARKS);
  reader->OnCommand(ID_MARK_UNREAD);
  trc = ReadAll(document + ".trc");
  EXPECT_EQ(trc.find("Bookmarks="), std::string::npos) << trc;
  EXPECT_NE(trc.find("ReadMark=0\n"), std::string::npos);
}

TEST_F(MainWindowCommands, BookmarksOutsideTheFileAreDroppedOnLoad) {
  const INT size = reader->Page().FileSize();
  reader->CloseDocument();
  std::ofstream(document + ".trc", std::ios::binary)
      << "Bookmarks=-5;12;" << size << ";99999999;\nPage=0\n";
  reader->OpenDocument(Wide(document));
  ASSERT_EQ(reader->Bookmarks().size(), 1u);
  // Offset 12 falls inside "слово1": the excerpt starts at the next word.
  const std::string& excerpt = reader->Bookmarks().at(12);
  EXPECT_EQ(excerpt.rfind("слово2 слово3", 0), 0u) << excerpt;
  EXPECT_NE(excerpt.back(), ' ');
}

TEST_F(MainWindowCommands, FindMovesToTheMatchAndReportsWhatIsNotFound) {
  backend.ExpectDialog([](DialogDriver& d) {
    d.Type(CFindTextDlg::IDC_TEXT, u"иголка");
    d.Ok();
  });
  reader->OnCommand(ID_FIND);
  const PageModel& page = reader->Page();
  const INT match = page.FileSize() - 15;
  EXPECT_EQ(page.PageStart() + page.HighlightStart(), match);
  EXPECT_EQ(page.HighlightEnd() - page.HighlightStart(), 6);
  EXPECT_TRUE(Boxes().empty());
  std::string text = "?";
  bool matchCase = true;
  reader->GetFindSettings(text, matchCase);
  EXPECT_EQ(text, "иголка");
  EXPECT_FALSE(matchCase);

  reader->OnCommand(ID_FIND_NEXT);  // the only one: not found again
  backend.ExpectDialog([](DialogDriver& d) {
    d.Type(CFindTextDlg::IDC_TEXT, u"");
    d.Ok();
  });
  reader->OnCommand(ID_FIND);
  reader->OnCommand(ID_FIND_NEXT);
  EXPECT_EQ(Boxes(), (std::vector<std::u16string>{u"Search string \"иголка\" not found.",
                                                   u"Search string \"\" not found.",
                                                   u"Empty search string can't be found"}));
  EXPECT_TRUE(reader->StartSearch("Иголка", true, false));
  reader->GetFindSettings(text, matchCase);
  EXPECT_EQ(text, "Иголка");
  EXPECT_TRUE(matchCase);
}

TEST_F(MainWindowCommands, GoToPageIsBoundedByThePageCount) {
  backend.ExpectDialog([this](DialogDriver& d) {
    EXPECT_EQ(d.Find(CGoToPageDlg::IDC_PAGE)->text, u"1");
    d.Type(CGoToPageDlg::IDC_PAGE, Wide(std::to_string(reader->GetPageCount() + 1)));
    d.Ok();
    EXPECT_FALSE(d.Ended());
    d.Type(CGoToPageDlg::IDC_PAGE, u"3");
    d.Ok();
  });
  reader->OnCommand(ID_GO_TO_PAGE);
  EXPECT_GT(reader->Page().PageStart(), 1900);
  EXPECT_LE(reader->Page().PageStart(), 2000);
}

TEST_F(MainWindowCommands, SettingsApplyOnlyOnOkAndCreateTheEngine) {
  backend.ExpectSheet([](SheetDriver& s) {
    s.SelectPage(3);
    s.Page().Slide(CColorsPage::IDC_GREEN, 255);  // text colour
    s.Cancel();
  });
  reader->OnCommand(ID_SETTINGS);
  EXPECT_EQ(reader->settings.textColor, 0u);

  backend.ExpectSheet([](SheetDriver& s) {
    s.Page().Click(CVoicePage::IDC_ENABLE);
    s.SelectPage(3);
    s.Page().Slide(CColorsPage::IDC_GREEN, 255);
    s.Ok();
  });
  reader->OnCommand(ID_SETTINGS);
  EXPECT_EQ(reader->settings.textColor, 0x00FF00u);
  EXPECT_EQ(reader->settings.colorPresets, "Default\x02" "16777215\x02" "65280");
  EXPECT_TRUE(reader->settings.useTts);
  EXPECT_EQ(reader->Engine(), &engine);
  EXPECT_EQ(engine.calls.front(), "SetEventMask 63");
  EXPECT_EQ(engine.calls[2], "SetVoice Анна");
}

}  // namespace
