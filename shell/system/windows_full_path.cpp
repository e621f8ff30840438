#include "shell/system/windows_full_path.h"

#include <algorithm>
#include <vector>

namespace shell {

namespace {

bool StartsWithDrive(std::wstring_view path) {
  return path.size() >= 2 && path[1] == L':' &&
         ((path[0] >= L'a' && path[0] <= L'z') || (path[0] >= L'A' && path[0] <= L'Z'));
}

wchar_t Capital(wchar_t letter) {
  return letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

// `\\server\share` of a share path, `\\server` when it names no share.
std::size_t ShareRootLength(std::wstring_view path) {
  const std::size_t server_end = path.find(L'\\', 2);
  return server_end == std::wstring_view::npos
             ? path.size()
             : std::min(path.find(L'\\', server_end + 1), path.size());
}

// The names below a root, resolved and trimmed, each after a separator.
std::wstring ResolvedNames(std::wstring_view rest) {
  std::vector<std::wstring> names;
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find(L'\\', start), rest.size());
    std::wstring name(rest.substr(start, end - start));
    start = end + 1;
    if (name == L"..") {
      if (!names.empty()) {
        names.pop_back();
      }
      continue;
    }
    if (end == rest.size()) {
      name.erase(name.find_last_not_of(L" .") + 1);
    } else if (name.ends_with(L'.') && name != L".") {
      name.pop_back();
    }
    if (!name.empty() && name != L".") {
      names.push_back(std::move(name));
    }
  }
  std::wstring joined;
  for (const std::wstring& name : names) {
    joined += L'\\' + name;
  }
  if (rest.ends_with(L'\\') && !names.empty()) {
    joined += L'\\';
  }
  return joined;
}

// The root a rooted path begins with: `C:` (its separator follows) or `\\server\share`.
std::wstring RootOf(std::wstring_view full) {
  if (StartsWithDrive(full)) {
    return {Capital(full[0]), L':'};
  }
  return full.starts_with(L"\\\\") ? std::wstring(full.substr(0, ShareRootLength(full)))
                                   : std::wstring();
}

std::wstring WithinRoot(const std::wstring& root, std::wstring_view rest) {
  const std::wstring names = ResolvedNames(rest);
  const bool drive = root.size() == 2 && root[1] == L':';
  return root + (names.empty() && (drive || rest.ends_with(L'\\')) ? L"\\" : names);
}

}  // namespace

std::wstring WindowsFullPath(std::wstring_view path, std::wstring_view working_folder,
                             const std::function<std::wstring(wchar_t drive)>& drive_folder) {
  if (path.starts_with(L"\\\\?\\")) {
    const std::wstring_view rest = path.substr(4);
    if (rest.starts_with(L"UNC\\")) {
      return L"\\\\" + std::wstring(rest.substr(4));
    }
    if (StartsWithDrive(rest) && rest.size() > 2 && rest[2] == L'\\') {
      return Capital(rest[0]) + std::wstring(rest.substr(1));
    }
    return std::wstring(path);
  }
  std::wstring text(path);
  std::replace(text.begin(), text.end(), L'/', L'\\');
  if (text.starts_with(L"\\\\")) {
    const std::size_t root = ShareRootLength(text);
    return WithinRoot(text.substr(0, root), std::wstring_view(text).substr(root));
  }
  const std::wstring working_root = RootOf(working_folder);
  if (StartsWithDrive(text)) {
    const std::wstring root{Capital(text[0]), L':'};
    const std::wstring_view rest = std::wstring_view(text).substr(2);
    if (rest.starts_with(L'\\')) {
      return WithinRoot(root, rest);
    }
    // Relative to the drive's current folder, when that is a full path on the drive.
    const std::wstring base =
        root == working_root ? std::wstring(working_folder) : drive_folder(root[0]);
    const bool on_drive = RootOf(base) == root && base.size() > 2 && base[2] == L'\\';
    const std::wstring below_root = on_drive ? base.substr(2) : L"";
    return WithinRoot(root, rest.empty() ? below_root : below_root + L'\\' + std::wstring(rest));
  }
  if (text.starts_with(L'\\')) {
    return WithinRoot(working_root, text);
  }
  const std::wstring_view below_root = working_folder.substr(working_root.size());
  return WithinRoot(working_root, std::wstring(below_root) + L'\\' + text);
}

}  // namespace shell
