#pragma once

#include <optional>

namespace shell {

// The entry Next selects in a list of `count` entries with `selected` selected (-1 for none):
// the following one, wrapping from the last to the first. Nothing with fewer than two entries.
std::optional<int> NextIndex(int count, int selected);

// The entry Previous selects: the one before, wrapping from the first to the last; with nothing
// selected, the last. Nothing with fewer than two entries.
std::optional<int> PreviousIndex(int count, int selected);

}  // namespace shell
