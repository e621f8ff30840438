#include <gtest/gtest.h>

#include "fuzz/fuzz_entries.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace {

namespace fs = std::filesystem;

// Every kept input of each fuzz target through its entry, as the fuzzer runs it: the seeds, the
// inputs that once failed and, for the decoders, the sample files. An entry aborts when a
// property fails.
TEST(FuzzReplay, KeptInputsStillHoldEveryProperty) {
  for (const auto& [target, entry, samples, at_least] :
       {std::tuple{"nsl", &fuzz::Nsl, ".nsl", 8}, {"nlm", fuzz::Nlm, ".nlm", 8},
        {"wine_registry", fuzz::WineRegistry, "none", 2},
        {"path_rules", fuzz::PathRules, "none", 3}}) {
    int inputs = 0;
    const fs::path kept = KP_FUZZ_DIR;  // samples: "none" takes no sample file
    for (const auto& [folder, extension] : {std::pair{kept / "seeds" / target, ""},
                                            {kept / "regressions" / target, ""},
                                            {test_support::SamplePath(""), samples}}) {
      for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
        const fs::path& path = file.path();
        if (path.filename() != ".keep" && (!*extension || path.extension() == extension)) {
          const auto bytes = test_support::ReadBytes(path);
          entry(bytes.data(), bytes.size());
          ++inputs;
        }
      }
    }
    EXPECT_GE(inputs, at_least) << target;
  }
}

}  // namespace
