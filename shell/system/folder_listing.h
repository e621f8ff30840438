#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "shell/system/path_rules.h"

namespace shell {

// Orders names as a Polish reader expects, by the characters they show as: each letter with a
// diacritic right after its base letter (a ą b c ć ... z ź ż), case ignored.
void SortNamesForReader(std::vector<NativeString>& names);

// Whether the name, as it shows, starts with the letter, case ignored as in the reader's order.
bool StartsWithLetter(const NativeString& name, char32_t letter);

// Whether a name ends with the extension (".nsl"), without regard to case, as the file
// pattern "*.nsl" matches on the programs' native platform.
bool MatchesExtension(const NativeString& name, std::string_view extension);

// The names of the folder's regular files (links followed) that match the extension, sorted.
// An entry that vanishes or cannot be examined while the folder is read is left out; a folder
// that cannot be read at all sets `error`.
std::vector<NativeString> ListMatchingFiles(const std::filesystem::path& folder,
                                            std::string_view extension, std::error_code& error);

// The names of the folder's subfolders (links followed), sorted; hidden ones (a leading dot)
// are left out, as file managers do.
std::vector<NativeString> ListSubfolders(const std::filesystem::path& folder,
                                         std::error_code& error);

}  // namespace shell
