#include "shell/base/display_name.h"

#include <array>
#include <cstdint>

namespace shell {

namespace {

// Windows-1250, the code page of Polish file names written on Windows, bytes 0x80 to 0xFF.
constexpr std::array<char16_t, 128> kWindows1250{{
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
}};

// The code point of the UTF-8 sequence at `at` and the sequence's length; a length of 0 when no
// valid sequence starts there.
struct Decoded {
  char32_t code_point;
  std::size_t length;
};
Decoded DecodeUtf8(std::string_view text, std::size_t at) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  std::size_t length = 0;
  char32_t lowest = 0;
  if (lead < 0x80) {
    return {lead, 1};
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, lowest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, lowest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, lowest = 0x10000;
  } else {
    return {0, 0};
  }
  if (at + length > text.size()) {
    return {0, 0};
  }
  char32_t c = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      return {0, 0};
    }
    c = c << 6 | (next & 0x3F);
  }
  const bool valid = c >= lowest && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  return {c, valid ? length : 0};
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const Decoded decoded = DecodeUtf8(text, at);
  if (decoded.length == 0) {
    return kUndecodedByte | static_cast<std::uint8_t>(text[at++]);
  }
  at += decoded.length;
  return decoded.code_point;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = DecodeUtf8(text, at).length;
    if (length == 0) {
      return false;
    }
    at += length;
  }
  return true;
}

std::u32string NameCharacters(const NativeString& name) {
  std::u32string characters;
#ifdef _WIN32
  for (std::size_t at = 0; at < name.size(); ++at) {
    char32_t c = name[at];
    // A lone surrogate stays as it is; a pair is one character.
    if (c >= 0xD800 && c < 0xDC00 && at + 1 < name.size() && name[at + 1] >= 0xDC00 &&
        name[at + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (name[++at] - 0xDC00);
    }
    characters += c;
  }
#else
  if (IsValidUtf8(name)) {
    for (std::size_t at = 0; at < name.size();) {
      const Decoded decoded = DecodeUtf8(name, at);
      characters += decoded.code_point;
      at += decoded.length;
    }
    return characters;
  }
  for (const char byte : name) {
    const auto b = static_cast<std::uint8_t>(byte);
    characters += b < 0x80 ? char32_t{b} : char32_t{kWindows1250[b - 0x80u]};
  }
#endif
  return characters;
}

std::string DisplayText(const NativeString& name) {
#ifndef _WIN32
  if (IsValidUtf8(name)) {
    return name;
  }
#endif
  std::string text;
  for (const char32_t c : NameCharacters(name)) {
    AppendUtf8(text, c);
  }
  return text;
}

}  // namespace shell
