#include "shell/system/settings_file.h"

#include <algorithm>
#include <cstdlib>

#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"

namespace shell {

namespace {

constexpr std::uintmax_t kLargestSettingsFile = 64 * 1024;
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char Escaped(char c) {
  switch (c) {
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    default:
      return c;  // \\ \" \, \; and the like stand for the character itself
  }
}

// A stored value with its quoting and escapes undone, and blanks outside quotes dropped around
// each part of a list; the parts joined with commas.
std::string Unquoted(std::string_view value) {
  std::string text;
  std::string part;
  std::string blanks;  // outside quotes: kept only when more of the part follows
  bool quoted = false;
  bool started = false;
  for (std::size_t at = 0; at < value.size(); ++at) {
    const char c = value[at];
    if (!quoted && (c == ' ' || c == '\t')) {
      blanks += c;
      continue;
    }
    if (!quoted && c == ',') {
      text += part + ',';
      part.clear();
      blanks.clear();
      started = false;
      continue;
    }
    if (started) {
      part += blanks;
    }
    blanks.clear();
    started = true;
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && at + 1 < value.size()) {
      part += Escaped(value[++at]);
    } else {
      part += c;
    }
  }
  return text + part;
}

}  // namespace

std::optional<std::filesystem::path> SettingsFilePath(const char* xdg_config_home,
                                                      const char* home) {
  const std::filesystem::path configured(xdg_config_home ? xdg_config_home : "");
  if (configured.is_absolute()) {
    return configured / "IconJAR.conf";
  }
  if (home && *home) {
    return std::filesystem::path(home) / ".config" / "IconJAR.conf";
  }
  return std::nullopt;
}

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
  std::optional<std::string> value;
  bool in_section = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.starts_with('[') && line.ends_with(']')) {
      in_section = line.substr(1, line.size() - 2) == section;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (in_section && equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == key) {
      value = Unquoted(Trimmed(line.substr(equals + 1)));
    }
  }
  return value;
}

std::optional<std::string> ReadLanguageSetting() {
  const std::optional<std::filesystem::path> file =
      SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (!file) {
    return std::nullopt;
  }
  try {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(*file, kLargestSettingsFile);
    return IniValue(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                    "Options", "Lang");
  } catch (const FileAccessError&) {
    return std::nullopt;
  }
}

}  // namespace shell
