#pragma once

#include <string>
#include <string_view>

#include "shell/system/path_rules.h"

namespace shell {

// The whole text after the program name, as the platform delivers it: on Windows the rest of
// the command line untouched; on Linux the arguments joined with single blanks, so that an
// unquoted path with blanks arrives whole, as it does on Windows.
NativeString StartupArgumentText(int argc, char** argv);

// The start-up text with the one pair of double quotes that wraps all of it removed, as Explorer
// and file associations ("%1") pass a path; any other text, blanks and quotes included, as it is.
NativeString WithoutWrappingQuotes(const NativeString& text);

enum class StartRequest { Open, Help, Version };

// "--help" and "--version" are requests only when they are the whole argument.
StartRequest RequestOf(const NativeString& argument);

// What --help prints for a viewer.
std::string UsageText(std::string_view program, std::string_view what_it_shows,
                      std::string_view pattern);

}  // namespace shell
