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
using shell::kDotColor;
using shell::kGridColor;
using shell::kScreenColor;
using Art = std::vector<std::string>;

// A file of that length: a header of `header` bytes, then data bytes of `data`.
std::vector<std::uint8_t> NlmFile(std::size_t length, std::uint8_t data = 0,
                                  std::uint8_t header = 0) {
  std::vector<std::uint8_t> file(length, data);
  std::fill_n(file.begin(), std::min<std::size_t>(10, length), header);
  return file;
}

TEST(NlmRules, BitsAndCentring) {
  EXPECT_EQ(nlm::BytesToBits({0x00, 0x80, 0x01, 0xA5}), "00000000100000000000000110100101");
  EXPECT_EQ(nlm::CentredOrigin(505, 72), 36);
  EXPECT_EQ(nlm::CentredOrigin(289, 14), 102);
  EXPECT_EQ(nlm::CentredOrigin(289, 28), 60);
  EXPECT_EQ(nlm::CentredOrigin(506, 72), 36);  // 36.5 goes to the even neighbour
  EXPECT_EQ(nlm::CentredOrigin(508, 72), 38);  // and 37.5 too
}

// ShowNlmFile over hand-made files, with what Label1 and the message boxes receive.
class ShowNlm : public testing::Test {
 protected:
  void Show(const std::vector<std::uint8_t>& bytes) { ShowPath(folder.Write("logo.nlm", bytes)); }
  void ShowPath(const fs::path& path) {
    canvas.ClearCanvas();  // as File1_Click does
    label = "...typ grafiki...";
    nlm::ShowNlmFile({path,
                      canvas,
                      texts,
                      [this](const std::string& text) { label = text; },
                      {texts.ErrorPrefix, shell::Language::Polish, messages}});
    canvas.Present();
  }
  const shell::Raster& Screen() { return canvas.BigScreen().Screen(); }
  Art Dots(int ox, int oy, int width, int height) {
    return test_support::ArtFromBigScreen(Screen(), ox, oy, width, height);
  }
  void ExpectFailure(const std::string& description) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Pojawił się błąd treści:\r\n" + description);
    EXPECT_EQ(messages.shown[0].icon, shell::MessageIcon::Critical);
    EXPECT_EQ(label, "");
    EXPECT_EQ(Screen(), shell::Raster(505, 289, kScreenColor));
    messages.shown.clear();
  }

  test_support::TempFolder folder;
  shell::LogoCanvas canvas{shell::LogoCanvas::Preview::None};
  const shell::PloverTexts texts = shell::PloverTextsFor(shell::Language::Polish);
  test_support::RecordingMessages messages;
  std::string label;
};

TEST_F(ShowNlm, AnEmptyOperatorLogoIsItsCentredGridAlone) {
  Show(NlmFile(136));
  EXPECT_EQ(label, "Logo Operatora/Grup");
  EXPECT_TRUE(messages.shown.empty());
  for (int y = 0; y < 289; ++y) {
    for (int x = 0; x < 505; ++x) {
      // 73 vertical lines from x = 36 to 468, 15 horizontal ones from y = 102 to 186.
      const bool inside = x >= 36 && x <= 468 && y >= 102 && y <= 186;
      const bool line = inside && ((x - 36) % 6 == 0 || (y - 102) % 6 == 0);
      ASSERT_EQ(Screen().At(x, y), line ? kGridColor : kScreenColor) << x << "," << y;
    }
  }
}

TEST_F(ShowNlm, EachKindHasItsNameOriginAndRowLayout) {
  struct Case {
    std::size_t length;
    const char* name;
    int ox, oy, width, height, row_bytes;
  };
  for (const Case& c : {Case{136, "Logo Operatora/Grup", 36, 102, 72, 14, 9},
                        Case{262, "Wiadomość Obrazkowa", 36, 60, 72, 28, 9},
                        Case{538, "Logo Startowe", 0, 0, 84, 48, 11}}) {
    // Dot (c, r) is bit 7 - c % 8 of data byte row_bytes * r + c / 8.
    std::vector<std::uint8_t> file = NlmFile(c.length, 0, 0xFF);
    file[10] = 0x80;                                               // (0, 0)
    file[10 + static_cast<std::size_t>(c.row_bytes) + 1] |= 0x01;  // (15, 1)
    Show(file);
    Art expected(static_cast<std::size_t>(c.height),
                 std::string(static_cast<std::size_t>(c.width), '.'));
    expected[0][0] = expected[1][15] = '#';
    EXPECT_EQ(label, c.name);
    EXPECT_EQ(Dots(c.ox, c.oy, c.width, c.height), expected) << c.length;
    EXPECT_EQ(Screen().At(c.ox + 1, c.oy + 1), kDotColor);  // the first square's corners
    EXPECT_EQ(Screen().At(c.ox + 5, c.oy + 5), kDotColor);
    const shell::Raster with_header = Screen();
    std::fill_n(file.begin(), 10, std::uint8_t{0});  // the same file but for its header
    Show(file);
    EXPECT_EQ(Screen(), with_header);
  }
}

TEST_F(ShowNlm, StartupRowsSkipTheirLastFourBits) {
  Show(NlmFile(538, 0xFF));
  EXPECT_EQ(Dots(0, 0, 84, 48), Art(48, std::string(84, '#')));
  std::vector<std::uint8_t> padding = NlmFile(538);
  for (std::size_t row = 0; row < 48; ++row) {
    padding[10 + 11 * row + 10] = 0x0F;  // the padding bits of every row, and no dot
  }
  Show(padding);
  EXPECT_EQ(Dots(0, 0, 84, 48), Art(48, std::string(84, '.')));
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
  const fs::path huge = folder.Write("huge.nlm", {});
  fs::resize_file(huge, std::uintmax_t{4} << 30);  // sparse: overflow from its length alone
  ShowPath(huge);
  ExpectFailure("Przepełnienie: plik jest za duży.");
}

TEST_F(ShowNlm, AFileThatReportsNoLengthButHasContentIsReadPastItsEnd) {
  ShowPath("/proc/self/status");  // length 0, yet a read of the header succeeds
  ExpectFailure("Próba odczytu poza końcem pliku: plik jest za krótki.");
}

TEST_F(ShowNlm, AFailureClearsTheScreenAndTheLabel) {
  Show(NlmFile(538, 0xFF));
  ShowPath(folder.Path() / "gone.nlm");
  ExpectFailure("Nie znaleziono pliku.");
  EXPECT_FALSE(fs::exists(folder.Path() / "gone.nlm"));
  fs::create_directory(folder.Path() / "dir.nlm");
  ShowPath(folder.Path() / "dir.nlm");
  ExpectFailure("To jest folder, a nie plik.");
}

TEST_F(ShowNlm, InImmediateModeTheGridIsDrawnOnScreenAtEachLoad) {
  canvas.SetPresentationMode(shell::PresentationMode::Immediate);
  Show(NlmFile(136));
  EXPECT_EQ(Screen().At(36, 102), kGridColor);
  EXPECT_EQ(canvas.BigScreen().Retained(), shell::Raster(505, 289, kScreenColor));
}

}  // namespace
