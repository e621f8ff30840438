#include "nlm/wine_registry.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "shell/base/display_name.h"
#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"

namespace nlm {

namespace {

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// Reads escaped text from `at` up to the unescaped `end` character, which it passes; empty when
// the line ends first.
std::optional<std::string> Unescape(std::string_view line, std::size_t& at, char end) {
  std::string text;
  while (at < line.size()) {
    const char c = line[at++];
    if (c == end) {
      return text;
    }
    if (c != '\\' || at == line.size()) {
      text += c;
      continue;
    }
    const char escaped = line[at++];
    switch (escaped) {
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      case '0':
        text += '\0';
        break;
      case 'x': {
        char32_t code = 0;
        int digits = 0;
        for (; digits < 4 && at < line.size() && HexDigit(line[at]) >= 0; ++digits, ++at) {
          code = code * 16 + static_cast<char32_t>(HexDigit(line[at]));
        }
        if (digits == 0) {
          text += 'x';
        } else {
          shell::AppendUtf8(text, code);
        }
        break;
      }
      default:
        text += escaped;  // \\ and \" and anything else stand for themselves
    }
  }
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> HexBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::istringstream parts{std::string(text)};
  for (std::string part; std::getline(parts, part, ',');) {
    if (part.size() != 2 || HexDigit(part[0]) < 0 || HexDigit(part[1]) < 0) {
      return std::nullopt;
    }
    bytes.push_back(static_cast<std::uint8_t>(HexDigit(part[0]) * 16 + HexDigit(part[1])));
  }
  return bytes;
}

// The data after "=": a string, str(N):"...", hex:..., hex(N):... or dword:...
std::optional<WineRegistry::Value> ParseData(std::string_view data) {
  std::uint32_t type = kRegSz;
  if (data.starts_with("str(")) {
    const std::size_t close = data.find("):");
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    type = static_cast<std::uint32_t>(
        std::strtoul(std::string(data.substr(4, close - 4)).c_str(), nullptr, 16));
    data.remove_prefix(close + 2);
  }
  if (data.starts_with('"')) {
    std::size_t at = 1;
    const std::optional<std::string> text = Unescape(data, at, '"');
    if (!text) {
      return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(text->begin(), text->end());
    bytes.push_back(0);
    return WineRegistry::Value{type, bytes};
  }
  if (data.starts_with("dword:")) {
    const std::uint32_t number =
        static_cast<std::uint32_t>(std::strtoul(std::string(data.substr(6)).c_str(), nullptr, 16));
    return WineRegistry::Value{
        4,
        {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
         static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
  }
  if (data.starts_with("hex")) {
    type = 3;
    if (data.starts_with("hex(")) {
      type = static_cast<std::uint32_t>(
          std::strtoul(std::string(data.substr(4)).c_str(), nullptr, 16));
    }
    const std::size_t colon = data.find(':');
    if (colon == std::string_view::npos) {
      return std::nullopt;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = HexBytes(data.substr(colon + 1));
    return bytes ? std::optional(WineRegistry::Value{type, *bytes}) : std::nullopt;
  }
  return std::nullopt;
}

// A link is a key whose SymbolicLinkValue names the target, in UTF-16 and from the root of
// all hives: \Registry\Machine\System\ControlSet001 for CurrentControlSet.
std::optional<std::string> LinkTarget(const std::map<std::string, WineRegistry::Value>& key) {
  const auto link = key.find("symboliclinkvalue");
  if (link == key.end() || link->second.type != kRegLink) {
    return std::nullopt;
  }
  std::string target;
  const std::vector<std::uint8_t>& units = link->second.data;
  for (std::size_t at = 0; at + 1 < units.size(); at += 2) {
    shell::AppendUtf8(target, static_cast<char32_t>(units[at] | units[at + 1] << 8));
  }
  constexpr std::string_view kMachine = "\\registry\\machine\\";
  target = Folded(target);
  return target.starts_with(kMachine) ? std::optional(target.substr(kMachine.size()))
                                      : std::nullopt;
}

// The ACP value of the Nls\CodePage key; Windows-1252 when there is none.
unsigned CodePageOf(const std::map<std::string, WineRegistry::Value>* code_pages) {
  if (!code_pages || !code_pages->contains("acp")) {
    return kWindows1252;
  }
  const std::vector<std::uint8_t>& acp = code_pages->at("acp").data;
  const unsigned long number =
      std::strtoul(std::string(acp.begin(), acp.end()).c_str(), nullptr, 10);
  return number > 0 ? static_cast<unsigned>(number) : kWindows1252;
}

// Takes the next line off the front of the text, without its line feed; false at the end.
bool NextLine(std::string_view& text, std::string_view& line) {
  if (text.empty()) {
    return false;
  }
  const std::size_t end = std::min(text.find('\n'), text.size());
  line = text.substr(0, end);
  text.remove_prefix(std::min(end + 1, text.size()));
  return true;
}

bool IsString(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

WineRegistry WineRegistry::FromText(std::string_view text) {
  WineRegistry registry;
  std::string_view line;
  if (!NextLine(text, line) || !line.starts_with("WINE REGISTRY Version 2")) {
    return registry;
  }
  Values* key = nullptr;
  std::string joined;
  while (NextLine(text, line)) {
    // Long binary values go on over several lines, each but the last ending in a backslash.
    if (line.ends_with('\\')) {
      joined.assign(line);
      for (std::string_view more; joined.ends_with('\\') && NextLine(text, more);) {
        joined.pop_back();
        joined += more.substr(std::min(more.find_first_not_of(" \t"), more.size()));
      }
      line = joined;
    }
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    std::size_t at = 1;
    if (line.starts_with('[')) {
      const std::optional<std::string> name = Unescape(line, at, ']');
      key = name ? &registry.keys_[Folded(*name)] : nullptr;
    } else if (key && (line.starts_with("@=") || line.starts_with('"'))) {
      std::optional<std::string> name = std::string();
      if (line.starts_with('"')) {
        name = Unescape(line, at, '"');
      }
      const std::size_t equals = line.starts_with("@=") ? 1 : at;
      if (name && equals < line.size() && line[equals] == '=') {
        if (std::optional<Value> value = ParseData(line.substr(equals + 1))) {
          (*key)[Folded(*name)] = std::move(*value);
        }
      }
    }
  }
  registry.code_page_ =
      CodePageOf(registry.FindKey("system\\currentcontrolset\\control\\nls\\codepage"));
  return registry;
}

WineRegistry WineRegistry::FromFile(const std::filesystem::path& system_reg) {
  try {
    const std::vector<std::uint8_t> bytes = shell::ReadWholeFile(system_reg, kLargestRegistry);
    return FromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const shell::FileAccessError&) {
    return {};  // missing, unreadable, not a file or far too large: no keys
  }
}

// The path with its first link, if it has one, replaced by the key that the link names.
std::optional<std::string> WineRegistry::ThroughFirstLink(const std::string& folded_path) const {
  for (std::size_t end = folded_path.find('\\');; end = folded_path.find('\\', end + 1)) {
    const auto key = keys_.find(folded_path.substr(0, end));
    if (key != keys_.end()) {
      if (const std::optional<std::string> target = LinkTarget(key->second)) {
        return *target + (end == std::string::npos ? "" : folded_path.substr(end));
      }
    }
    if (end == std::string::npos) {
      return std::nullopt;
    }
  }
}

const WineRegistry::Values* WineRegistry::FindKey(std::string folded_path) const {
  for (int links = 0; links < 16; ++links) {  // a ring of links leads nowhere
    const std::optional<std::string> followed = ThroughFirstLink(folded_path);
    if (!followed) {
      const auto key = keys_.find(folded_path);
      return key == keys_.end() ? nullptr : &key->second;
    }
    folded_path = *followed;
  }
  return nullptr;
}

long WineRegistry::OpenKey(RegKey root, const std::string& sub_key, std::uint32_t, RegKey& opened) {
  const Values* key = root == kHkeyLocalMachine ? FindKey(Folded(sub_key)) : nullptr;
  if (!key) {
    return kErrorFileNotFound;
  }
  open_keys_.push_back(key);
  opened = open_keys_.size();
  return kErrorSuccess;
}

long WineRegistry::QueryValue(RegKey key, const std::string& value_name, std::uint32_t& type,
                              std::string& data, std::uint32_t& size) {
  if (key == 0 || key > open_keys_.size()) {
    return kErrorInvalidHandle;
  }
  const Values& values = *open_keys_[key - 1];
  const auto found = values.find(Folded(value_name));
  if (found == values.end()) {
    return kErrorFileNotFound;
  }
  const Value& value = found->second;
  const std::string bytes(value.data.begin(), value.data.end());
  const std::uint32_t ansi_size = IsString(value.type) ? AnsiByteCount(bytes, code_page_)
                                                       : static_cast<std::uint32_t>(bytes.size());
  if (ansi_size > size) {
    return kErrorMoreData;
  }
  data = bytes;
  size = ansi_size;
  type = value.type;
  return kErrorSuccess;
}

std::optional<std::filesystem::path> WinePrefix() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) {
    return prefix;
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".wine";
  }
  return std::nullopt;
}

}  // namespace nlm
