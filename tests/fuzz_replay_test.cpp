#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_entries.h"

namespace {

namespace fs = std::filesystem;

// Every kept input of a fuzz target, run through its entry as the fuzzer would: the seeds, the
// inputs that once failed, and the project's sample files. An entry aborts when a property fails.
int Replay(int (*entry)(const std::uint8_t*, std::size_t), const std::vector<fs::path>& folders,
           const std::string& extension = "") {
  int inputs = 0;
  for (const fs::path& folder : folders) {
    for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
      const bool kept = file.path().filename() != ".keep";
      if (!kept || !file.is_regular_file() ||
          (!extension.empty() && file.path().extension() != extension)) {
        continue;
      }
      std::ifstream in(file.path(), std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
      entry(bytes.data(), bytes.size());
      ++inputs;
    }
  }
  return inputs;
}

const fs::path kFuzz = KP_FUZZ_DIR;
const fs::path kSamples = KP_OWN_SAMPLES_DIR;

TEST(FuzzReplay, KeptInputsStillHoldEveryProperty) {
  EXPECT_GE(Replay(fuzz::Nsl, {kFuzz / "regressions" / "nsl", kFuzz / "seeds" / "nsl"}), 5);
  EXPECT_GE(Replay(fuzz::Nsl, {kSamples}, ".nsl"), 3);
  EXPECT_GE(Replay(fuzz::Nlm, {kFuzz / "regressions" / "nlm", kFuzz / "seeds" / "nlm"}), 4);
  EXPECT_GE(Replay(fuzz::Nlm, {kSamples}, ".nlm"), 4);
  EXPECT_GE(Replay(fuzz::WineRegistry,
                   {kFuzz / "regressions" / "wine_registry", kFuzz / "seeds" / "wine_registry"}),
            2);
  EXPECT_GE(Replay(fuzz::PathRules,
                   {kFuzz / "regressions" / "path_rules", kFuzz / "seeds" / "path_rules"}),
            3);
}

}  // namespace
