#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "nlm/nlm_file.h"
#include "nlm/show_nlm.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace {

namespace fs = std::filesystem;
using shell::FileFailureKind;
using shell::Language;
using test_support::ArtFromBigScreen;

std::vector<std::uint8_t> NlmFile(std::size_t length, std::uint8_t header_fill = 0,
                                  std::uint8_t data_fill = 0) {
  std::vector<std::uint8_t> file(length, data_fill);
  std::fill(file.begin(),
            file.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(10, length)),
            header_fill);
  return file;
}

int CountColour(const shell::Raster& raster, shell::Rgb colour) {
  int count = 0;
  for (int y = 0; y < raster.Height(); ++y) {
    for (int x = 0; x < raster.Width(); ++x) {
      count += raster.At(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

TEST(BytesToBits, GivesEightDigitsPerByteMostSignificantFirst) {
  EXPECT_EQ(nlm::BytesToBits({0x00, 0x80, 0x01, 0xA5, 0xFF}),
            "0000000010000000000000011010010111111111");
  EXPECT_EQ(nlm::BytesToBits({}), "");
}

TEST(CentredOrigin, CentresTheNarrowPicturesOnTheBigScreen) {
  EXPECT_EQ(nlm::CentredOrigin(505, 72), 36);
  EXPECT_EQ(nlm::CentredOrigin(289, 14), 102);
  EXPECT_EQ(nlm::CentredOrigin(289, 28), 60);
  EXPECT_EQ(nlm::CentredOrigin(506, 72), 36);  // 36.5 goes to the even neighbour
  EXPECT_EQ(nlm::CentredOrigin(508, 72), 38);  // 37.5 too
}

// ShowNlmFile over hand-made files, with what Label1 and the message boxes receive.
class ShowNlm : public testing::Test {
 protected:
  void Show(const std::vector<std::uint8_t>& bytes) {
    path = folder.Write("logo.nlm", bytes);
    ShowPath();
  }
  void ShowPath() {
    label = "...typ grafiki...";
    nlm::ShowNlmFile({path,
                      canvas,
                      texts,
                      [this](const std::string& text) { label = text; },
                      {texts.ErrorPrefix, Language::Polish, messages}});
    canvas.Present();
  }
  const shell::Raster& Screen() { return canvas.BigScreen().Screen(); }
  void ExpectFailure(const std::string& description) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Pojawił się błąd treści:\r\n" + description);
    EXPECT_EQ(messages.shown[0].icon, shell::MessageIcon::Critical);
    EXPECT_EQ(label, "");
    EXPECT_EQ(CountColour(Screen(), shell::kScreenColor), 505 * 289);
    messages.shown.clear();
  }

  test_support::TempFolder folder;
  fs::path path;
  shell::LogoCanvas canvas{shell::LogoCanvas::Preview::None};
  const shell::PloverTexts texts = shell::PloverTextsFor(Language::Polish);
  test_support::RecordingMessages messages;
  std::string label;
};

TEST_F(ShowNlm, AnEmptyOperatorLogoIsItsCentredGridAlone) {
  Show(NlmFile(136));
  EXPECT_EQ(label, "Logo Operatora/Grup");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(CountColour(Screen(), shell::kGridColor), 73 * 85 + 15 * 433 - 73 * 15);
  EXPECT_EQ(Screen().At(36, 102), shell::kGridColor);
  EXPECT_EQ(Screen().At(468, 186), shell::kGridColor);
  EXPECT_EQ(Screen().At(35, 102), shell::kScreenColor);
  EXPECT_EQ(CountColour(Screen(), shell::kDotColor), 0);
}

TEST_F(ShowNlm, TheFirstCellOfEachKindSitsAtItsOrigin) {
  struct Case {
    std::size_t length;
    const char* name;
    int left;
    int top;
  };
  for (const Case& c :
       {Case{136, "Logo Operatora/Grup", 37, 103}, Case{262, "Wiadomość Obrazkowa", 37, 61},
        Case{538, "Logo Startowe", 1, 1}}) {
    std::vector<std::uint8_t> file = NlmFile(c.length);
    file[10] = 0x80;
    canvas.ClearCanvas();
    Show(file);
    EXPECT_EQ(label, c.name);
    EXPECT_EQ(CountColour(Screen(), shell::kDotColor), 25) << c.length;
    EXPECT_EQ(Screen().At(c.left, c.top), shell::kDotColor) << c.length;
    EXPECT_EQ(Screen().At(c.left + 4, c.top + 4), shell::kDotColor) << c.length;
  }
}

TEST_F(ShowNlm, RowsFollowEachOtherWithoutGapsAndStartupRowsSkipTheirLastFourBits) {
  // 72 wide: data byte 9r + c/8; the first byte of row 1 is data byte 9.
  std::vector<std::uint8_t> message = NlmFile(262);
  message[10 + 9] = 0x40;  // row 1, column 1
  Show(message);
  std::vector<std::string> expected(28, std::string(72, '.'));
  expected[1][1] = '#';
  EXPECT_EQ(ArtFromBigScreen(Screen(), 36, 60, 72, 28), expected);

  // 84 wide: every row's 11th byte carries 4 dots and 4 padding bits that never show.
  canvas.ClearCanvas();
  std::vector<std::uint8_t> startup = NlmFile(538, 0, 0xFF);
  Show(startup);
  EXPECT_EQ(ArtFromBigScreen(Screen(), 0, 0, 84, 48),
            std::vector<std::string>(48, std::string(84, '#')));
  canvas.ClearCanvas();
  startup = NlmFile(538);
  for (int row = 0; row < 48; ++row) {
    startup[static_cast<std::size_t>(10 + 11 * row + 10)] = 0x0F;  // padding bits only
  }
  startup[10 + 11 * 47 + 10] = 0x1F;  // and the last dot of the last row
  Show(startup);
  std::vector<std::string> corner(48, std::string(84, '.'));
  corner[47][83] = '#';
  EXPECT_EQ(ArtFromBigScreen(Screen(), 0, 0, 84, 48), corner);
}

TEST_F(ShowNlm, TheHeaderNeverChangesThePicture) {
  std::vector<std::uint8_t> a = NlmFile(262, 0x00);
  std::vector<std::uint8_t> b = NlmFile(262, 0xFF);
  a[100] = b[100] = 0x5A;
  Show(a);
  const shell::Raster first = Screen();
  canvas.ClearCanvas();
  Show(b);
  EXPECT_EQ(Screen(), first);
}

TEST_F(ShowNlm, EveryUnlistedLengthFailsWithItsOwnDescription) {
  for (const std::size_t length : {0u, 9u}) {
    Show(NlmFile(length));
    ExpectFailure("Próba odczytu poza końcem pliku: plik jest za krótki.");
  }
  for (const std::size_t length : {10u, 11u, 137u, 537u, 32767u}) {
    Show(NlmFile(length));
    ExpectFailure("");  // the prefix and CR LF alone
  }
  Show(NlmFile(32768));
  ExpectFailure("Przepełnienie: plik jest za duży.");
}

TEST_F(ShowNlm, AHugeFileIsOverflowWithoutBeingRead) {
  path = folder.Path() / "huge.nlm";
  folder.Write("huge.nlm", {});
  fs::resize_file(path, std::uintmax_t{4} << 30);  // sparse: nothing to read but its length
  ShowPath();
  ExpectFailure("Przepełnienie: plik jest za duży.");
}

TEST_F(ShowNlm, AFailureClearsWhatTheLastFileLeft) {
  Show(NlmFile(538, 0, 0xFF));
  path = folder.Path() / "gone.nlm";
  ShowPath();
  ExpectFailure("Nie znaleziono pliku.");
  EXPECT_FALSE(fs::exists(path));
  fs::create_directory(folder.Path() / "dir.nlm");
  path = folder.Path() / "dir.nlm";
  ShowPath();
  ExpectFailure("To jest folder, a nie plik.");
}

TEST_F(ShowNlm, ImmediateModeDrawsTheGridEachTimeOnAPlainBackground) {
  canvas.SetPresentationMode(shell::PresentationMode::Immediate);
  Show(NlmFile(136));
  EXPECT_EQ(canvas.BigScreen().Screen().At(36, 102), shell::kGridColor);
  EXPECT_EQ(canvas.BigScreen().Retained().At(36, 102), shell::kScreenColor);
  canvas.ClearCanvas();
  EXPECT_EQ(CountColour(Screen(), shell::kScreenColor), 505 * 289);
}

}  // namespace
