#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace shell::win32 {

// GDI objects the window makes and owns: deleted when their owner goes, on every path.
struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;

}  // namespace shell::win32
