#include "shell/folder_listing.h"

#include <algorithm>
#include <functional>
#include <type_traits>

namespace shell {

namespace {

using Char = std::filesystem::path::value_type;

Char FoldCase(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// Bytes above 0x7F sort after ASCII whatever the signedness of char.
auto Unsigned(Char c) {
  return static_cast<std::make_unsigned_t<Char>>(c);
}

// Calls `visit` for each entry of the folder; stops with `error` set when the folder cannot be
// read.
void ForEachEntry(const std::filesystem::path& folder, std::error_code& error,
                  const std::function<void(const std::filesystem::directory_entry&)>& visit) {
  std::filesystem::directory_iterator entries(folder, error);
  for (const std::filesystem::directory_iterator end; !error && entries != end;
       entries.increment(error)) {
    visit(*entries);
  }
}

}  // namespace

bool NameLessIgnoringCase(const NativeString& a, const NativeString& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = Unsigned(FoldCase(a[i]));
    const auto y = Unsigned(FoldCase(b[i]));
    if (x != y) {
      return x < y;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return a < b;
}

void SortNamesIgnoringCase(std::vector<NativeString>& names) {
  std::sort(names.begin(), names.end(), NameLessIgnoringCase);
}

bool MatchesExtension(const NativeString& name, std::string_view extension) {
  if (name.size() < extension.size()) {
    return false;
  }
  return std::equal(extension.begin(), extension.end(),
                    name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                    [](char e, Char n) { return FoldCase(static_cast<Char>(e)) == FoldCase(n); });
}

std::vector<NativeString> ListMatchingFiles(const std::filesystem::path& folder,
                                            std::string_view extension, std::error_code& error) {
  std::vector<NativeString> names;
  ForEachEntry(folder, error, [&](const std::filesystem::directory_entry& entry) {
    NativeString name = entry.path().filename().native();
    std::error_code ignored;
    if (MatchesExtension(name, extension) && entry.is_regular_file(ignored)) {
      names.push_back(std::move(name));
    }
  });
  SortNamesIgnoringCase(names);
  return names;
}

std::vector<NativeString> ListSubfolders(const std::filesystem::path& folder,
                                         std::error_code& error) {
  std::vector<NativeString> names;
  ForEachEntry(folder, error, [&](const std::filesystem::directory_entry& entry) {
    NativeString name = entry.path().filename().native();
    std::error_code ignored;
    if (!name.empty() && name.front() != '.' && entry.is_directory(ignored)) {
      names.push_back(std::move(name));
    }
  });
  SortNamesIgnoringCase(names);
  return names;
}

}  // namespace shell
