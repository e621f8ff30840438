#include "nlm/ansi_bytes.h"

#include "shell/base/display_name.h"

namespace nlm {

std::uint32_t AnsiByteCount(std::string_view text, unsigned code_page) {
  if (code_page == 65001) {
    return static_cast<std::uint32_t>(text.size());
  }
  const bool double_byte =
      code_page == 932 || code_page == 936 || code_page == 949 || code_page == 950;
  std::uint32_t bytes = 0;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = shell::NextCodePoint(text, at);
    bytes += double_byte && c >= 0x80 ? 2 : 1;
  }
  return bytes;
}

}  // namespace nlm
