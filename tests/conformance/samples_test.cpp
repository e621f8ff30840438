#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "nlm/show_nlm.h"
#include "nsl/load_nsl.h"
#include "nsl/nsl_file.h"
#include "support/recording_messages.h"
#include "support/text_art.h"

namespace {

namespace fs = std::filesystem;
using test_support::ArtFromBigScreen;
using test_support::ArtFromPicture;
using Art = std::vector<std::string>;

// Draws an NSL file as kestrel does by default; checks every dot of both surfaces.
void ExpectNslShows(const fs::path& file, const Art& expected) {
  EXPECT_EQ(ArtFromPicture(nsl::ReadNslFile(file)), expected);
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::Present);
  test_support::RecordingMessages messages;
  nsl::LoadNslBuffered({file, {}, canvas, {"Wystąpił błąd:", shell::Language::Polish, messages}});
  canvas.Present();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ArtFromBigScreen(canvas.BigScreen().Screen(), 0, 0, 84, 48), expected);
  EXPECT_EQ(test_support::ArtFromPreview(canvas.PreviewSurface()->Screen(), shell::kDotColor),
            expected);
}

// Shows an NLM file as plover does; checks every dot of its centred picture and its label.
void ExpectNlmShows(const fs::path& file, const Art& expected) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::None);
  test_support::RecordingMessages messages;
  const shell::PloverTexts texts = shell::PloverTextsFor(shell::Language::English);
  std::string label;
  nlm::ShowNlmFile({file,
                    canvas,
                    texts,
                    [&label](const std::string& text) { label = text; },
                    {texts.ErrorPrefix, shell::Language::English, messages}});
  canvas.Present();
  EXPECT_TRUE(messages.shown.empty());
  const int width = static_cast<int>(expected[0].size());
  const int height = static_cast<int>(expected.size());
  const bool startup = width == 84;
  const int oy = startup ? 0 : height == 14 ? 102 : 60;
  EXPECT_EQ(ArtFromBigScreen(canvas.BigScreen().Screen(), startup ? 0 : 36, oy, width, height),
            expected);
  EXPECT_EQ(label, startup        ? "Starting Logo"
                   : height == 14 ? "Operator/Group Logo"
                                  : "Graphical Message");
}

// Every file of the folder with that extension, checked against its art.
template <typename Check>
int CheckAll(const fs::path& folder, const std::string& extension, Check check,
             const std::function<fs::path(const fs::path&)>& art_of) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == extension) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    check(file, ArtFromPicture(test_support::PictureFromArtFile(art_of(file))));
  }
  return static_cast<int>(files.size());
}

TEST(SharedSamples, EveryFileShowsTheDotsAnIndependentReaderDecodes) {
  const fs::path samples = KP_SHARED_SAMPLES_DIR;
  if (!fs::is_directory(samples / "expected")) {
    GTEST_SKIP() << "no real-world samples at " << samples << "; nothing to compare with";
  }
  const auto expected = [&samples](const fs::path& file) {
    return samples / "expected" / (file.filename().string() + ".txt");
  };
  EXPECT_EQ(CheckAll(samples / "nsl", ".nsl", ExpectNslShows, expected), 2);
  EXPECT_EQ(CheckAll(samples / "nlm", ".nlm", ExpectNlmShows, expected), 30);
}

TEST(OwnSamples, EveryFileShowsTheArtItWasMadeFrom) {
  const fs::path samples = KP_OWN_SAMPLES_DIR;
  const auto art = [&samples](const fs::path& file) {
    return samples / "art" / (file.stem().string() + ".txt");
  };
  EXPECT_EQ(CheckAll(samples, ".nsl", ExpectNslShows, art), 3);
  EXPECT_EQ(CheckAll(samples, ".nlm", ExpectNlmShows, art), 4);
}

}  // namespace
