#include <gtest/gtest.h>

#include <string>

#include "nsl/load_nsl.h"
#include "nsl/nsl_test_files.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace {

namespace fs = std::filesystem;
using nsl_test::Bitmap;
using nsl_test::PlainFile;
using shell::kDotColor;
using shell::kGridColor;
using shell::kScreenColor;
using shell::Raster;
using shell::Rgb;
using Art = std::vector<std::string>;

constexpr Rgb kWindowText{0, 0, 128};

// Every pixel of the big screen from the cell geometry: grid lines on multiples of 6 (or
// background without a grid), each cell's 5 x 5 interior dark when its dot is.
void ExpectBigScreen(const Raster& screen, const Art& art, bool grid) {
  for (int y = 0; y < 289; ++y) {
    for (int x = 0; x < 505; ++x) {
      Rgb want = kScreenColor;
      if (x % 6 == 0 || y % 6 == 0) {
        want = grid ? kGridColor : kScreenColor;
      } else if (art[static_cast<std::size_t>(y / 6)][static_cast<std::size_t>(x / 6)] == '#') {
        want = kDotColor;
      }
      ASSERT_EQ(screen.At(x, y), want) << "pixel " << x << "," << y;
    }
  }
}

const Art kBlank(48, std::string(84, '.'));

class LoadNsl : public testing::Test {
 protected:
  LoadNsl() { canvas.SetPreviewForeground(kWindowText); }

  void Load(void (*routine)(const nsl::NslLoad&), const std::vector<std::uint8_t>& bytes) {
    path = folder.Write("logo.nsl", bytes);
    routine({path, drawing, canvas, failures});
    canvas.Present();  // the handler returns
  }
  // What switching "Don't show while drawing" off leaves: the grid as the Immediate background.
  void EnterImmediateWithGrid() {
    canvas.ClearCanvas();
    canvas.DrawGrid(0, 0, 84, 48, kGridColor);
    canvas.SetPresentationMode(shell::PresentationMode::Immediate);
  }
  const Raster& BigScreen() { return canvas.BigScreen().Screen(); }
  Art Preview(Rgb dot) {
    return test_support::ArtFromPreview(canvas.PreviewSurface()->Screen(), dot);
  }

  test_support::TempFolder folder;
  fs::path path;
  nsl::DrawingMembers drawing;
  shell::LogoCanvas canvas{shell::LogoCanvas::Preview::Present};
  test_support::RecordingMessages messages;
  shell::FailureReporter failures{"Wystąpił błąd:", shell::Language::Polish, messages};

  // Corner dots, a band boundary and a mixed byte: bit k of byte 84b + c is dot (c, 8b + k).
  const std::vector<std::uint8_t> bitmap =
      Bitmap({{0, 0x81}, {83, 0x01}, {84, 0x01}, {2 * 84 + 10, 0xA5}, {503, 0x80}});
  Art Expected() const {
    Art art = kBlank;
    for (const auto& [c, r] : std::vector<std::pair<int, int>>{
             {0, 0}, {0, 7}, {83, 0}, {0, 8}, {10, 16}, {10, 18}, {10, 21}, {10, 23}, {83, 47}}) {
      art[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = '#';
    }
    return art;
  }
};

TEST_F(LoadNsl, BufferedDrawsTheGridTheDotsAndThePreviewInTheForegroundColour) {
  Load(nsl::LoadNslBuffered, PlainFile(70, 0, bitmap));
  ExpectBigScreen(BigScreen(), Expected(), true);
  EXPECT_EQ(Preview(kWindowText), Expected());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LoadNsl, DirectDrawsTheSameDotsOnTheGridBackgroundAndLeavesTheRetainedImage) {
  EnterImmediateWithGrid();
  Load(nsl::LoadNslDirect, PlainFile(70, 0, bitmap));
  ExpectBigScreen(BigScreen(), Expected(), true);
  EXPECT_EQ(Preview(kDotColor), Expected());  // DotColor, not the foreground
  canvas.ClearCanvas();  // the next selection: back to the empty grid and a plain preview
  ExpectBigScreen(BigScreen(), kBlank, true);
  EXPECT_EQ(Preview(kDotColor), kBlank);
}

TEST_F(LoadNsl, WithoutTheBigScreenOptionOnlyThePreviewIsDrawn) {
  drawing.ShowOnBigScreen = 0;
  canvas.FillCell(0, 0, 40, 20, kDotColor);  // whatever the big screen shows stays
  Load(nsl::LoadNslBuffered, PlainFile(70, 0, bitmap));
  Art untouched = kBlank;
  untouched[20][40] = '#';
  ExpectBigScreen(BigScreen(), untouched, false);
  EXPECT_EQ(Preview(kWindowText), Expected());

  EnterImmediateWithGrid();
  drawing.ShowOnBigScreen = 2;  // only 1 means the big screen
  Load(nsl::LoadNslDirect, PlainFile(70, 0, bitmap));
  ExpectBigScreen(BigScreen(), kBlank, true);
  EXPECT_EQ(Preview(kDotColor), Expected());
}

TEST_F(LoadNsl, AShortFileClearsBothSurfacesAndShowsOneMessage) {
  std::vector<std::uint8_t> short_file = PlainFile(70, 0, bitmap);
  short_file.pop_back();
  Load(nsl::LoadNslBuffered, short_file);
  ExpectBigScreen(BigScreen(), kBlank, false);
  EXPECT_EQ(Preview(kWindowText), kBlank);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Wystąpił błąd:\r\n" + shell::DescribeFailure({shell::FileFailureKind::ReadPastEnd},
                                                          shell::Language::Polish));
  EXPECT_EQ(messages.shown[0].icon, shell::MessageIcon::Critical);

  EnterImmediateWithGrid();  // in Immediate mode the clear goes back to the grid
  Load(nsl::LoadNslDirect, std::vector<std::uint8_t>(69, 0));
  ExpectBigScreen(BigScreen(), kBlank, true);
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(LoadNsl, AFileDeletedBeforeItIsReadIsReportedInTheLanguageAndNotCreated) {
  test_support::RecordingMessages english_messages;
  path = folder.Write("gone.nsl", PlainFile(70, 0, bitmap));
  fs::remove(path);
  nsl::LoadNslBuffered(
      {path, drawing, canvas, {"An ERROR occured:", shell::Language::English, english_messages}});
  ASSERT_EQ(english_messages.shown.size(), 1u);
  EXPECT_EQ(english_messages.shown[0].text, "An ERROR occured:\r\nFile not found.");
  EXPECT_FALSE(fs::exists(path));
}

}  // namespace
