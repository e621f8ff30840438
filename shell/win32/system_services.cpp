#include "shell/win32/system_services.h"

#include "shell/win32/text.h"

namespace shell::win32 {

void MessageBoxes::Show(std::string_view text, MessageIcon icon) {
  // The style values of the icons are Windows' own.
  MessageBoxW(window_, Wide(text).c_str(), title_.c_str(),
              MB_OK | static_cast<UINT>(static_cast<int>(icon)));
}

std::optional<std::string> ReadLanguageSetting() {
  constexpr wchar_t kKey[] = L"Software\\VB and VBA Program Settings\\IconJAR\\Options";
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, L"Lang", RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, L"Lang", RRF_RT_REG_SZ, nullptr, value.data(),
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') {
    value.pop_back();
  }
  return Utf8(value);
}

}  // namespace shell::win32
