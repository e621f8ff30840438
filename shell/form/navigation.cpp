#include "shell/form/navigation.h"

namespace shell {

std::optional<int> NextIndex(int count, int selected) {
  if (count < 2) {
    return std::nullopt;
  }
  return selected == count - 1 ? 0 : selected + 1;
}

std::optional<int> PreviousIndex(int count, int selected) {
  if (count < 2) {
    return std::nullopt;
  }
  return selected <= 0 ? count - 1 : selected - 1;
}

}  // namespace shell
