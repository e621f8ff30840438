// libFuzzer target: see fuzz_entries.h.
#include "fuzz/fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::PathRules(data, size);
}
