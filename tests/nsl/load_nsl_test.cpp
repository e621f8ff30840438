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
using shell::Language;
using shell::LogoCanvas;
using shell::PresentationMode;
using shell::Raster;
using shell::Rgb;
using test_support::ArtFromBigScreen;
using test_support::ArtFromPreview;

constexpr Rgb kWindowText{0, 0, 128};

// Every pixel of the big screen, worked out from the cell geometry: grid lines on multiples of 6,
// and each cell's 5 x 5 interior dark when its dot is.
void ExpectBigScreen(const Raster& screen, const std::vector<std::string>& art, bool grid) {
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

std::vector<std::string> Blank(int width, int height) {
  return std::vector<std::string>(static_cast<std::size_t>(height),
                                  std::string(static_cast<std::size_t>(width), '.'));
}

class LoadNsl : public testing::Test {
 protected:
  LoadNsl() { canvas.SetPreviewForeground(kWindowText); }

  void Load(void (*routine)(const nsl::NslLoad&)) {
    routine({path, drawing, canvas, failures});
    canvas.Present();  // the handler returns
  }
  void LoadBytes(void (*routine)(const nsl::NslLoad&), const std::vector<std::uint8_t>& bytes) {
    path = folder.Write("logo.nsl", bytes);
    Load(routine);
  }
  // What switching "Don't show while drawing" off leaves: the grid as the Immediate background.
  void EnterImmediateWithGrid() {
    canvas.ClearCanvas();
    canvas.DrawGrid(0, 0, 84, 48, kGridColor);
    canvas.SetPresentationMode(PresentationMode::Immediate);
  }
  const Raster& BigScreen() { return canvas.BigScreen().Screen(); }
  const Raster& Preview() { return canvas.PreviewSurface()->Screen(); }

  test_support::TempFolder folder;
  fs::path path;
  nsl::DrawingMembers drawing;
  LogoCanvas canvas{LogoCanvas::Preview::Present};
  test_support::RecordingMessages messages;
  shell::FailureReporter failures{"Wystąpił błąd:", Language::Polish, messages};

  // Corner dots, a band boundary and a mixed byte, as dot rows.
  const std::vector<std::uint8_t> bitmap =
      Bitmap({{0, 0x81}, {83, 0x01}, {84, 0x01}, {2 * 84 + 10, 0xA5}, {503, 0x80}});
  std::vector<std::string> Art() {
    std::vector<std::string> art = Blank(84, 48);
    for (const auto& [c, r] : std::vector<std::pair<int, int>>{
             {0, 0}, {0, 7}, {83, 0}, {0, 8}, {10, 16}, {10, 18}, {10, 21}, {10, 23}, {83, 47}}) {
      art[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = '#';
    }
    return art;
  }
};

TEST_F(LoadNsl, BufferedDrawsGridDotsAndPreviewInTheForegroundColour) {
  LoadBytes(nsl::LoadNslBuffered, PlainFile(70, 0, bitmap));
  ExpectBigScreen(BigScreen(), Art(), true);
  EXPECT_EQ(ArtFromPreview(Preview(), kWindowText), Art());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LoadNsl, AnEmptyBitmapShowsOnlyTheGridAndAFullOneEveryDot) {
  LoadBytes(nsl::LoadNslBuffered, PlainFile(70, 0, Bitmap()));
  ExpectBigScreen(BigScreen(), Blank(84, 48), true);
  EXPECT_EQ(ArtFromPreview(Preview(), kScreenColor),
            std::vector<std::string>(48, std::string(84, '#')));

  canvas.ClearCanvas();
  LoadBytes(nsl::LoadNslBuffered, PlainFile(70, 0, std::vector<std::uint8_t>(504, 0xFF)));
  ExpectBigScreen(BigScreen(), std::vector<std::string>(48, std::string(84, '#')), true);
  EXPECT_EQ(ArtFromPreview(Preview(), kWindowText),
            std::vector<std::string>(48, std::string(84, '#')));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LoadNsl, DirectDrawsTheSameDotsOnTheGridBackgroundAndLeavesTheRetainedImage) {
  EnterImmediateWithGrid();
  LoadBytes(nsl::LoadNslDirect, PlainFile(70, 0, bitmap));
  ExpectBigScreen(BigScreen(), Art(), true);
  EXPECT_EQ(ArtFromPreview(Preview(), kDotColor), Art());  // DotColor, not the foreground
  EXPECT_TRUE(messages.shown.empty());

  canvas.ClearCanvas();  // the next selection: back to the empty grid and a plain preview
  ExpectBigScreen(BigScreen(), Blank(84, 48), true);
  EXPECT_EQ(ArtFromPreview(Preview(), kScreenColor),
            std::vector<std::string>(48, std::string(84, '#')));
}

TEST_F(LoadNsl, WithoutTheBigScreenOptionOnlyThePreviewIsDrawn) {
  drawing.ShowOnBigScreen = 0;
  canvas.FillCell(0, 0, 40, 20, kDotColor);  // whatever the big screen shows stays
  LoadBytes(nsl::LoadNslBuffered, PlainFile(70, 0, bitmap));
  std::vector<std::string> untouched = Blank(84, 48);
  untouched[20][40] = '#';
  ExpectBigScreen(BigScreen(), untouched, false);
  EXPECT_EQ(ArtFromPreview(Preview(), kWindowText), Art());

  EnterImmediateWithGrid();
  drawing.ShowOnBigScreen = 2;  // only 1 means the big screen
  LoadBytes(nsl::LoadNslDirect, PlainFile(70, 0, bitmap));
  ExpectBigScreen(BigScreen(), Blank(84, 48), true);
  EXPECT_EQ(ArtFromPreview(Preview(), kDotColor), Art());
}

TEST_F(LoadNsl, AShortFileClearsBothSurfacesAndShowsOneMessage) {
  std::vector<std::uint8_t> short_file = PlainFile(70, 0, bitmap);
  short_file.pop_back();
  LoadBytes(nsl::LoadNslBuffered, short_file);
  ExpectBigScreen(BigScreen(), Blank(84, 48), false);
  EXPECT_EQ(ArtFromPreview(Preview(), kScreenColor),
            std::vector<std::string>(48, std::string(84, '#')));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Wystąpił błąd:\r\n" +
                shell::DescribeFailure({shell::FileFailureKind::ReadPastEnd}, Language::Polish));
  EXPECT_EQ(messages.shown[0].icon, shell::MessageIcon::Critical);
}

TEST_F(LoadNsl, AFailureInImmediateModeGoesBackToTheGridBackground) {
  EnterImmediateWithGrid();
  LoadBytes(nsl::LoadNslDirect, std::vector<std::uint8_t>(69, 0));
  ExpectBigScreen(BigScreen(), Blank(84, 48), true);
  ASSERT_EQ(messages.shown.size(), 1u);
}

TEST_F(LoadNsl, AFileDeletedBeforeItIsReadIsReportedAndNotCreated) {
  test_support::RecordingMessages english_messages;
  const shell::FailureReporter english{"An ERROR occured:", Language::English, english_messages};
  path = folder.Write("gone.nsl", PlainFile(70, 0, bitmap));
  fs::remove(path);
  nsl::LoadNslBuffered({path, drawing, canvas, english});
  ASSERT_EQ(english_messages.shown.size(), 1u);
  EXPECT_EQ(english_messages.shown[0].text, "An ERROR occured:\r\nFile not found.");
  EXPECT_FALSE(fs::exists(path));
}

}  // namespace
