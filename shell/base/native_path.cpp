#include "shell/base/native_path.h"

namespace shell {

std::filesystem::path SystemPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& text = path.native();
  if (!path.is_absolute() || text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\")) {
    return path;
  }
  // The prefix turns off the system's own tidying, so the path is tidied here.
  const std::wstring tidy = path.lexically_normal().make_preferred().native();
  if (tidy.starts_with(L"\\\\")) {
    return L"\\\\?\\UNC\\" + tidy.substr(2);  // \\server\share
  }
  return L"\\\\?\\" + tidy;
#else
  return path;
#endif
}

}  // namespace shell
