#pragma once

#include <cstdint>
#include <string_view>

namespace nlm {

inline constexpr unsigned kWindows1252 = 1252;

// How many bytes RegQueryValueExA hands over for text that the registry holds (here in UTF-8)
// when the ANSI code page is `code_page`: in UTF-8 (65001) the text's own bytes; in the
// double-byte code pages of East Asia (932, 936, 949, 950) two for each character beyond ASCII;
// in every other code page one a character, since one it lacks becomes a single '?'.
std::uint32_t AnsiByteCount(std::string_view text, unsigned code_page);

}  // namespace nlm
