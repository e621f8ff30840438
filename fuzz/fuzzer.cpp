// libFuzzer target of the entry that KP_FUZZ_ENTRY names (see fuzz_entries.h); the build makes
// one executable an entry.
#include "fuzz/fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::KP_FUZZ_ENTRY(data, size);
}
