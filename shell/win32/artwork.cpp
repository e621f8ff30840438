#include "shell/win32/artwork.h"

#include <cctype>
#include <map>
#include <string>
#include <utility>

namespace shell::win32 {

namespace {

std::string ResourceName(std::string_view name) {
  std::string resource;
  for (const char c : name) {
    resource += c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return resource;
}

}  // namespace

HBITMAP LoadPicture(std::string_view name, SIZE& size) {
  auto* bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleW(nullptr),
                                                 ResourceName(name).c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_CREATEDIBSECTION));
  BITMAP facts{};
  if (bitmap && GetObjectW(bitmap, sizeof facts, &facts)) {
    size = {facts.bmWidth, facts.bmHeight};
  }
  return bitmap;
}

HICON LoadGlyph(std::string_view name, int size) {
  static std::map<std::pair<std::string, int>, HICON> loaded;  // kept for the program's life
  HICON& icon = loaded[{ResourceName(name), size}];
  if (!icon) {
    icon = static_cast<HICON>(LoadImageA(GetModuleHandleW(nullptr), ResourceName(name).c_str(),
                                         IMAGE_ICON, size, size, 0));
  }
  return icon;
}

}  // namespace shell::win32
