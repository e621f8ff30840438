#include "shell/win32/artwork.h"

#include <wincodec.h>

#include <cctype>
#include <map>
#include <string>
#include <utility>

namespace shell::win32 {

namespace {

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) {
      p->Release();
    }
  }
  T* operator->() const { return p; }
};

std::string ResourceName(std::string_view name) {
  std::string resource;
  for (const char c : name) {
    resource += c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return resource;
}

}  // namespace

HBITMAP LoadPicture(std::string_view name, SIZE& size) {
  HRSRC found = FindResourceA(nullptr, ResourceName(name).c_str(), MAKEINTRESOURCEA(10));
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  auto* bytes = static_cast<BYTE*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes) {
    return nullptr;
  }
  Released<IWICImagingFactory> factory;
  Released<IWICStream> stream;
  Released<IWICBitmapDecoder> decoder;
  Released<IWICBitmapFrameDecode> frame;
  Released<IWICFormatConverter> converter;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory.p))) ||
      FAILED(factory->CreateStream(&stream.p)) ||
      FAILED(stream->InitializeFromMemory(bytes, SizeofResource(nullptr, found))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder.p)) ||
      FAILED(decoder->GetFrame(0, &frame.p)) ||
      FAILED(factory->CreateFormatConverter(&converter.p)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height))) {
    return nullptr;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap || FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                              static_cast<BYTE*>(pixels)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  size = {static_cast<LONG>(width), static_cast<LONG>(height)};
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
