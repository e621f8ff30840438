#pragma once

#include <optional>
#include <string>

namespace shell {

// The per-user setting "Lang" of section "Options" of application "IconJAR", which both viewers
// read and neither writes. Empty when absent; a present but empty value is an empty text.
std::optional<std::string> ReadLanguageSetting();

}  // namespace shell
