#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nlm/registry.h"

namespace nlm {

// One hive of a Wine prefix, from the text file Wine keeps it in (system.reg holds
// HKEY_LOCAL_MACHINE). Key and value names compare without regard to case, as the registry's
// do. A file that is missing, unreadable or not a Wine registry holds no keys.
class WineRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    std::vector<std::uint8_t> data;  // strings in UTF-8 with their NUL, as the A calls give them
  };

  static WineRegistry FromText(std::string_view text);
  static WineRegistry FromFile(const std::filesystem::path& system_reg);

  long OpenKey(RegKey root, const std::string& sub_key, std::uint32_t access,
               RegKey& opened) override;
  long QueryValue(RegKey key, const std::string& value_name, std::uint32_t& type,
                  std::uint8_t* data, std::uint32_t& size) override;

 private:
  using Values = std::map<std::string, Value>;  // by folded name; "" is the default value
  std::map<std::string, Values> keys_;          // by folded path
  std::vector<const Values*> open_keys_;        // a handle is its index + 1
};

// The prefix Wine uses: $WINEPREFIX, or ~/.wine.
std::filesystem::path WinePrefix();

}  // namespace nlm
