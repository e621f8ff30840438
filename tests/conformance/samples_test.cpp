#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
