#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "nlm/nlm_file.h"
#include "nlm/show_nlm.h"
#include "nsl/load_nsl.h"
#include "nsl/nsl_file.h"
#include "support/recording_messages.h"
#include "support/text_art.h"

namespace {

namespace fs = std::filesystem;
using test_support::ArtFromBigScreen;
using test_support::ArtFromPicture;
using test_support::ArtFromPreview;
using test_support::PictureFromArtFile;

std::vector<fs::path> FilesWithExtension(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == extension) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Draws the file as kestrel does by default and checks every dot of both surfaces.
void ExpectNslShows(const fs::path& file, const shell::DotPicture& expected) {
  SCOPED_TRACE(file.filename().string());
  EXPECT_EQ(ArtFromPicture(nsl::ReadNslFile(file)), ArtFromPicture(expected));

  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::Present);
  test_support::RecordingMessages messages;
  const shell::FailureReporter failures{"Wystąpił błąd:", shell::Language::Polish, messages};
  const nsl::DrawingMembers drawing;
  nsl::LoadNslBuffered({file, drawing, canvas, failures});
  canvas.Present();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ArtFromBigScreen(canvas.BigScreen().Screen(), 0, 0, 84, 48), ArtFromPicture(expected));
  EXPECT_EQ(ArtFromPreview(canvas.PreviewSurface()->Screen(), shell::kDotColor),
            ArtFromPicture(expected));
}

// Shows the file as plover does and checks every dot of its centred picture and its label.
void ExpectNlmShows(const fs::path& file, const shell::DotPicture& expected) {
  SCOPED_TRACE(file.filename().string());
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
  const int width = expected.Width();
  const int height = expected.Height();
  const bool startup = width == 84;
  const int ox = startup ? 0 : 36;
  const int oy = startup ? 0 : height == 14 ? 102 : 60;
  EXPECT_EQ(ArtFromBigScreen(canvas.BigScreen().Screen(), ox, oy, width, height),
            ArtFromPicture(expected));
  const char* kind = startup        ? "Starting Logo"
                     : height == 14 ? "Operator/Group Logo"
                                    : "Graphical Message";
  EXPECT_EQ(label, kind);
}

TEST(SharedSamples, EveryNlmFileShowsTheDotsAnIndependentReaderDecodes) {
  const fs::path samples = KP_SHARED_SAMPLES_DIR;
  if (!fs::is_directory(samples / "nlm")) {
    GTEST_SKIP() << "no real-world samples at " << samples << "; nothing to compare with";
  }
  const std::vector<fs::path> files = FilesWithExtension(samples / "nlm", ".nlm");
  EXPECT_EQ(files.size(), 30u);
  for (const fs::path& file : files) {
    ExpectNlmShows(file,
                   PictureFromArtFile(samples / "expected" / (file.filename().string() + ".txt")));
  }
}

TEST(OwnSamples, EveryNlmFileShowsTheArtItWasMadeFrom) {
  const fs::path samples = KP_OWN_SAMPLES_DIR;
  const std::vector<fs::path> files = FilesWithExtension(samples, ".nlm");
  ASSERT_GE(files.size(), 4u);
  for (const fs::path& file : files) {
    ExpectNlmShows(file, PictureFromArtFile(samples / "art" / (file.stem().string() + ".txt")));
  }
}

TEST(SharedSamples, EveryNslFileShowsTheDotsAnIndependentReaderDecodes) {
  const fs::path samples = KP_SHARED_SAMPLES_DIR;
  if (!fs::is_directory(samples / "nsl")) {
    GTEST_SKIP() << "no real-world samples at " << samples << "; nothing to compare with";
  }
  const std::vector<fs::path> files = FilesWithExtension(samples / "nsl", ".nsl");
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    const fs::path art = samples / "expected" / (file.filename().string() + ".txt");
    ExpectNslShows(file, PictureFromArtFile(art));
  }
}

TEST(OwnSamples, EveryNslFileShowsTheArtItWasMadeFrom) {
  const fs::path samples = KP_OWN_SAMPLES_DIR;
  const std::vector<fs::path> files = FilesWithExtension(samples, ".nsl");
  ASSERT_GE(files.size(), 3u);
  for (const fs::path& file : files) {
    ExpectNslShows(file, PictureFromArtFile(samples / "art" / (file.stem().string() + ".txt")));
  }
}

}  // namespace
