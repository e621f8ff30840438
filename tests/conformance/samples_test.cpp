#include "model/viewer_fixture.h"

namespace model_test {
namespace {

using Samples = ViewerTest;

// Each logo file of the real-world samples opened in its viewer must show every dot that an
// independent reader decoded for it (expected/NAME.txt), on its grid and in the preview.
TEST_F(Samples, EachRealWorldFileShowsTheDotsAnIndependentReaderDecodes) {
  const fs::path shared = KP_SHARED_SAMPLES_DIR;
  if (!fs::is_directory(shared / "expected")) {
    GTEST_SKIP() << "no real-world samples at " << shared << "; nothing to compare with";
  }
  for (const auto& [kind, count] : {std::pair<std::string, int>{".nsl", 2}, {".nlm", 30}}) {
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(shared / kind.substr(1))) {
      const fs::path file = fs::absolute(entry.path()).lexically_normal();  // as the system has it
      if (file.extension() != kind) {
        continue;
      }
      SCOPED_TRACE(file);
      ++files;
      const Art art = test_support::ReadArt(shared / "expected" / (file.filename() += ".txt"));
      const int ox = art[0].size() == 72 ? 36 : 0, oy = ox == 0 ? 0 : art.size() == 14 ? 102 : 60;
      if (kind == ".nsl") {
        OpenKestrel(file);
        EXPECT_EQ(Preview(), art);
      } else {
        OpenPlover(file);
      }
      EXPECT_EQ(BigScreenDiffers(art, shell::kGridColor, ox, oy), "");
    }
    EXPECT_EQ(files, count) << kind;
  }
}

}  // namespace
}  // namespace model_test
