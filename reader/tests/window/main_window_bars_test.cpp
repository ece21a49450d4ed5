#include <gtest/gtest.h>

#include <fstream>

#include "platform/window/headless_backend.h"
#include "reader/main_window_bars.h"
#include "reader/reader_dlg.h"

namespace {

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

class MainWindowBarsTest : public testing::Test {
 protected:
  // A reader on the default 480x640 screen with a long document open.
  void Start(const std::string& settings) {
    const std::string settingsFile = testing::TempDir() + "bars.ini";
    std::ofstream(settingsFile, std::ios::binary) << settings;
    const std::string doc = testing::TempDir() + "bars.txt";
    std::ofstream out(doc, std::ios::binary);
    for (int i = 0; i < 600; ++i) out << "Words of a long book go on. ";
    out.close();
    CReaderDlg::Environment environment;
    environment.settingsPath = Wide(settingsFile);
    reader_ = std::make_unique<CReaderDlg>(backend_, environment);
    reader_->OnInitDialog();
    reader_->OpenDocument(Wide(doc));
    host_ = &static_cast<HeadlessHost&>(reader_->Host());
  }
  void TearDown() override {
    if (reader_) reader_->OnDestroy();
  }

  HeadlessBackend backend_;
  std::unique_ptr<CReaderDlg> reader_;
  HeadlessHost* host_ = nullptr;
};

TEST_F(MainWindowBarsTest, ThePanelRestacksTheToolbarAndTheWindowShrinksAboveIt) {
  Start("Toolbar=1\n");
  ASSERT_TRUE(host_->ToolbarShown());
  host_->Send(WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
  // Above the menu bar band: 640 - 26 - 25 = 589.
  EXPECT_EQ(host_->ToolbarRect(), (RECT{-1, 589, 481, 615}));
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 589}));
  const INT linesWithoutPanel = reader_->LinesPerPage();

  backend_.Panel().Show(true);  // 160 pixels from 454 down
  EXPECT_EQ(host_->ToolbarRect(), (RECT{-1, 429, 481, 455}));
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 429}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 403}));
  EXPECT_LT(reader_->LinesPerPage(), linesWithoutPanel);

  backend_.Panel().Show(false);
  EXPECT_EQ(host_->ToolbarRect(), (RECT{-1, 589, 481, 615}));
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 589}));
  EXPECT_EQ(reader_->LinesPerPage(), linesWithoutPanel);
}

TEST_F(MainWindowBarsTest, WithoutToolbarTheWindowReachesTheBandOrThePanel) {
  Start("");
  ASSERT_FALSE(host_->ToolbarShown());
  backend_.Panel().Show(true);
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 454}));
  EXPECT_EQ(host_->ToolbarRect(), RECT{});  // never placed
  backend_.Panel().Show(false);
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 614}));
}

TEST_F(MainWindowBarsTest, InFullScreenTheWindowKeepsTheWholeScreen) {
  Start("Toolbar=1\n");
  reader_->OnFullScreen();
  ASSERT_TRUE(host_->IsFullScreen());
  backend_.Panel().Show(true);
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 0, 480, 640}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 640}));
  // The toolbar is not restacked while the screen is the window's.
  EXPECT_EQ(host_->ToolbarRect(), RECT{});
}

TEST_F(MainWindowBarsTest, AnySettingChangePutsTheWindowBackInItsPlace) {
  Start("Toolbar=1\n");
  host_->Resize(300, 300);
  host_->Send(WM_SETTINGCHANGE, 47, 0);  // not the panel's
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 589}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 563}));
}

TEST_F(MainWindowBarsTest, TogglingTheToolbarRestacksTheWindow) {
  Start("");
  reader_->OnToolbar();
  ASSERT_TRUE(host_->ToolbarShown());
  EXPECT_EQ(host_->ToolbarRect(), (RECT{-1, 589, 481, 615}));
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 589}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 563}));
  const INT linesWithToolbar = reader_->LinesPerPage();

  reader_->OnToolbar();
  ASSERT_FALSE(host_->ToolbarShown());
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 614}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 588}));
  EXPECT_GT(reader_->LinesPerPage(), linesWithToolbar);
}

TEST_F(MainWindowBarsTest, TogglingTheToolbarAboveThePanel) {
  Start("");
  backend_.Panel().Show(true);
  reader_->OnToolbar();
  EXPECT_EQ(host_->ToolbarRect(), (RECT{-1, 429, 481, 455}));
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 429}));
  reader_->OnToolbar();
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 454}));
}

TEST_F(MainWindowBarsTest, LeavingFullScreenRestacksTheToolbarAndTheWindow) {
  Start("Toolbar=1\n");
  reader_->OnFullScreen();
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 0, 480, 640}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 640}));
  EXPECT_EQ(host_->ToolbarRect(), RECT{});

  reader_->OnFullScreen();
  ASSERT_FALSE(host_->IsFullScreen());
  EXPECT_EQ(host_->ToolbarRect(), (RECT{-1, 589, 481, 615}));
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 589}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 563}));
}

TEST_F(MainWindowBarsTest, LeavingFullScreenWithoutToolbarReachesTheBand) {
  Start("");
  reader_->OnFullScreen();
  reader_->OnFullScreen();
  EXPECT_EQ(host_->WindowRect(), (RECT{0, 26, 480, 614}));
  EXPECT_EQ(host_->ClientRect(), (RECT{0, 0, 480, 588}));
}

}  // namespace
