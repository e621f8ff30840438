#include "thumbnail_provider.h"

#include <propsys.h>
#include <thumbcache.h>

#include <climits>
#include <cstring>
#include <new>
#include <optional>

#include "com_object.h"
#include "shell/canvas/thumbnail.h"

namespace thumbnails {

namespace {

// A 32-bit top-down DIB section of the raster's pixels, or none when the system has no room.
HBITMAP DibOf(const shell::Raster& raster) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = raster.Width();
  info.bmiHeader.biHeight = -raster.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    // 0xFFRRGGBB in memory is the DIB's blue, green, red, opaque.
    std::memcpy(
        bits, raster.Pixels(),
        static_cast<std::size_t>(raster.Width()) * 4 * static_cast<std::size_t>(raster.Height()));
  }
  return bitmap;
}

class ThumbnailProvider final : public ComObject<IInitializeWithStream, IThumbnailProvider> {
 public:
  explicit ThumbnailProvider(LogoKind kind) : kind_(kind) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = nullptr;
    if (id == IID_IUnknown || id == __uuidof(IInitializeWithStream)) {
      return Hand(static_cast<IInitializeWithStream*>(this), object);
    }
    if (id == __uuidof(IThumbnailProvider)) {
      return Hand(static_cast<IThumbnailProvider*>(this), object);
    }
    return E_NOINTERFACE;
  }

  // The logo is read here, once: the stream is the caller's only for this call.
  HRESULT STDMETHODCALLTYPE Initialize(IStream* stream, DWORD) override {
    if (stream == nullptr) {
      return E_INVALIDARG;
    }
    if (dots_) {
      return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
    }
    try {
      dots_ = ReadLogo(*stream, kind_);
      return S_OK;
    } catch (const StreamError& error) {
      return error.result;
    } catch (...) {
      return E_FAIL;
    }
  }

  HRESULT STDMETHODCALLTYPE GetThumbnail(UINT size, HBITMAP* bitmap,
                                         WTS_ALPHATYPE* alpha) override {
    if (bitmap == nullptr || alpha == nullptr) {
      return E_POINTER;
    }
    *bitmap = nullptr;
    if (!dots_) {
      return E_UNEXPECTED;
    }
    if (size == 0 || size > INT_MAX) {
      return E_INVALIDARG;
    }
    try {
      *bitmap = DibOf(shell::Thumbnail(*dots_, static_cast<int>(size)));
    } catch (...) {
      return E_FAIL;
    }
    *alpha = WTSAT_RGB;
    return *bitmap != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 private:
  LogoKind kind_;
  std::optional<shell::DotPicture> dots_;
};

}  // namespace

HRESULT CreateProvider(LogoKind kind, REFIID id, void** object) {
  return HandOver(new (std::nothrow) ThumbnailProvider(kind), id, object);
}

}  // namespace thumbnails
