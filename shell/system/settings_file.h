#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// The per-user settings file of the programs of this family, IconJAR.conf in the user's
// configuration folder: $XDG_CONFIG_HOME, or ~/.config. A relative XDG_CONFIG_HOME is ignored, as
// the XDG rules say; without a home either there is no file. Arguments are the variables' values
// (null when unset).
std::optional<std::filesystem::path> SettingsFilePath(const char* xdg_config_home,
                                                      const char* home);

// The value of `key` in `[section]` of a settings text as Qt's settings files are written: the
// last such line counts, blanks around it go, quotes and backslash escapes are undone, and the
// parts of a list (separated by unquoted commas) are joined with commas. Nothing when absent.
std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// The setting "Lang" of section "Options", which both viewers read and neither writes. Nothing
// when it is absent or its file cannot be read: missing, not a regular file (a FIFO never holds
// the start-up), or far larger than any settings file.
std::optional<std::string> ReadLanguageSetting();

}  // namespace shell
