#include <functional>

#include "model/viewer_fixture.h"

namespace model_test {
namespace {

// Each logo file of a folder opened in its viewer, which must show every dot of the art that
// art_of names for it, on its grid and in the preview; returns how many files there were.
class Samples : public ViewerTest {
 protected:
  int ExpectEachShows(const fs::path& folder, std::function<fs::path(const fs::path&)> art_of) {
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      const fs::path file = fs::absolute(entry.path()).lexically_normal();  // as the system has it
      if (file.extension() != ".nsl" && file.extension() != ".nlm") {
        continue;
      }
      SCOPED_TRACE(file);
      ++files;
      const Art art = test_support::ReadArt(art_of(file));
      const int ox = art[0].size() == 72 ? 36 : 0, oy = ox == 0 ? 0 : art.size() == 14 ? 102 : 60;
      if (file.extension() == ".nsl") {
        OpenKestrel(file);
        EXPECT_EQ(Preview(), art);
      } else {
        OpenPlover(file);
      }
      EXPECT_EQ(BigScreenDiffers(art, shell::kGridColor, ox, oy), "");
    }
    return files;
  }
};

TEST_F(Samples, EachRealWorldFileShowsTheDotsAnIndependentReaderDecodes) {
  const fs::path shared = KP_SHARED_SAMPLES_DIR;
  if (!fs::is_directory(shared / "expected")) {
    GTEST_SKIP() << "no real-world samples at " << shared << "; nothing to compare with";
  }
  const auto expected = [&](const fs::path& file) {
    return shared / "expected" / (file.filename().string() + ".txt");
  };
  EXPECT_EQ(ExpectEachShows(shared / "nsl", expected), 2);
  EXPECT_EQ(ExpectEachShows(shared / "nlm", expected), 30);
}

}  // namespace
}  // namespace model_test
