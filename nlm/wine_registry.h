#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nlm/ansi_bytes.h"
#include "nlm/registry.h"

namespace nlm {

// One hive of a Wine prefix, from the text file Wine keeps it in (system.reg holds
// HKEY_LOCAL_MACHINE). Key and value names compare without regard to case, as the registry's
// do, and keys are found through the links Wine keeps (System\CurrentControlSet). A file that
// is missing, unreadable or not a Wine registry holds no keys. Strings are counted as the A call
// counts them, in the prefix's ANSI code page.
class WineRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    std::vector<std::uint8_t> data;  // strings in UTF-8 with their NUL, as the A calls give them
  };

  // A registry far larger than any Wine writes is not read at all.
  static constexpr std::uintmax_t kLargestRegistry = std::uintmax_t{64} << 20;

  static WineRegistry FromText(std::string_view text);
  static WineRegistry FromFile(const std::filesystem::path& system_reg);

  long OpenKey(RegKey root, const std::string& sub_key, std::uint32_t access,
               RegKey& opened) override;
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t& type, std::string& data,
                  std::uint32_t& size) override;

  // The ACP value under System\CurrentControlSet\Control\Nls\CodePage; Windows-1252 without one.
  unsigned AnsiCodePage() const { return code_page_; }

 private:
  using Values = std::map<std::string, Value>;  // by folded name; "" is the default value

  const Values* FindKey(std::string folded_path) const;
  std::optional<std::string> ThroughFirstLink(const std::string& folded_path) const;

  std::map<std::string, Values> keys_;    // by folded path
  std::vector<const Values*> open_keys_;  // a handle is its index + 1
  unsigned code_page_ = kWindows1252;
};

// The prefix Wine uses: $WINEPREFIX, or ~/.wine; none without either.
std::optional<std::filesystem::path> WinePrefix();

}  // namespace nlm
