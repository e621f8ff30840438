#include "shell/system/folder_listing.h"

#include <algorithm>
#include <string_view>
#include <type_traits>
#include <utility>

#include "shell/base/display_name.h"
#include "shell/system/folder_entries.h"

namespace shell {

namespace {

using Char = std::filesystem::path::value_type;

Char FoldCase(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// The Polish alphabet: each letter with a diacritic right after its base letter.
constexpr std::u32string_view kAlphabet = U"aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż";
constexpr std::u32string_view kCapitals = U"AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ";
constexpr char32_t kFirstAfterZ = U'z' + 1;

// Where a character sorts: letters of the alphabet by their place in it, whatever their case;
// characters before "a" by their code; every other one after the alphabet, by its code.
char32_t Weight(char32_t c) {
  std::size_t place = kAlphabet.find(c);
  if (place == std::u32string_view::npos) {
    place = kCapitals.find(c);
  }
  if (place != std::u32string_view::npos) {
    return U'a' + static_cast<char32_t>(place);
  }
  return c < U'a' ? c : c - kFirstAfterZ + U'a' + static_cast<char32_t>(kAlphabet.size());
}

std::u32string SortKey(const NativeString& name) {
  std::u32string key = NameCharacters(name);
  for (char32_t& c : key) {
    c = Weight(c);
  }
  return key;
}

}  // namespace

void SortNamesForReader(std::vector<NativeString>& names) {
  // Each key is made once: a folder may hold a hundred thousand names.
  std::vector<std::pair<std::u32string, NativeString>> keyed;
  keyed.reserve(names.size());
  for (NativeString& name : names) {
    keyed.emplace_back(SortKey(name), std::move(name));
  }
  std::sort(keyed.begin(), keyed.end());  // names equal but for case by their code units
  for (std::size_t i = 0; i < names.size(); ++i) {
    names[i] = std::move(keyed[i].second);
  }
}

bool StartsWithLetter(const NativeString& name, char32_t letter) {
  const std::u32string characters = NameCharacters(name);
  return !characters.empty() && Weight(characters.front()) == Weight(letter);
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
  ForEachEntry(folder, error, [&](const FolderEntry& entry) {
    if (MatchesExtension(entry.Name(), extension) && entry.IsRegularFile()) {
      names.push_back(entry.Name());
    }
  });
  SortNamesForReader(names);
  return names;
}

std::vector<NativeString> ListSubfolders(const std::filesystem::path& folder,
                                         std::error_code& error) {
  std::vector<NativeString> names;
  ForEachEntry(folder, error, [&](const FolderEntry& entry) {
    const NativeString& name = entry.Name();
    if (!name.empty() && name.front() != '.' && entry.IsFolder()) {
      names.push_back(name);
    }
  });
  SortNamesForReader(names);
  return names;
}

}  // namespace shell
