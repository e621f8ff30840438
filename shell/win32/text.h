#pragma once

#include <string>
#include <string_view>

namespace shell::win32 {

// The interface's texts are UTF-8; Windows' W calls take UTF-16.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace shell::win32
