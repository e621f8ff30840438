#pragma once

#include <string>
#include <string_view>

#include "shell/base/native_path.h"

namespace shell {

bool IsValidUtf8(std::string_view text);

// The code point of the UTF-8 sequence at `at`, which moves past it. A byte that starts no valid
// sequence comes back alone as kUndecodedByte | byte, a lone surrogate that no character equals.
inline constexpr char32_t kUndecodedByte = 0xDC00;
char32_t NextCodePoint(std::string_view text, std::size_t& at);

// Appends a code point in UTF-8.
void AppendUtf8(std::string& out, char32_t code_point);

// The characters a file or folder name shows as. Names that are not valid UTF-8 come from old
// archives, most of them Polish names written on Windows, so they are read as Windows-1250.
// Only for showing and ordering: files are always opened by their real name.
std::u32string NameCharacters(const NativeString& name);
// The same as UTF-8 text.
std::string DisplayText(const NativeString& name);

}  // namespace shell
