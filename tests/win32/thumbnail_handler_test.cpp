#include <windows.h>

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <thumbcache.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/text_art.h"

// The thumbnail handler as Explorer uses it: the kind's class made by the DLL's class factory
// (as COM does for the class the extension's ShellEx key names), initialised with a stream over
// the file, asked for a bitmap.
namespace {

// The kind's new handler, given the stream: what Initialize says, and its thumbnail provider.
std::pair<HRESULT, IThumbnailProvider*> Handler(const wchar_t* kind, IStream* stream) {
  static const HMODULE dll = LoadLibraryW(std::filesystem::absolute(KP_THUMBNAIL_HANDLER).c_str());
  const auto get_class = reinterpret_cast<decltype(&DllGetClassObject)>(
      reinterpret_cast<void (*)()>(GetProcAddress(dll, "DllGetClassObject")));
  CLSID id{};
  IClassFactory* factory = nullptr;
  IInitializeWithStream* handler = nullptr;
  IThumbnailProvider* provider = nullptr;
  EXPECT_EQ(CLSIDFromString(kind, &id), S_OK);
  EXPECT_EQ(get_class(id, IID_PPV_ARGS(&factory)), S_OK);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&handler)), S_OK);
  factory->Release();
  const HRESULT initialised = handler->Initialize(stream, STGM_READ);
  EXPECT_EQ(handler->QueryInterface(IID_PPV_ARGS(&provider)), S_OK);
  handler->Release();
  return {initialised, provider};
}

// One character a pixel of the bitmap, top row first: '#' a dot (black), '.' the screen (green),
// '?' anything else.
test_support::Art PixelsOf(HBITMAP bitmap) {
  BITMAP shape{};
  GetObjectW(bitmap, sizeof shape, &shape);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, shape.bmWidth, -shape.bmHeight, 1, 32, BI_RGB, 0, 0,
                    0, 0, 0};
  std::vector<std::uint32_t> pixels(std::size_t(shape.bmWidth) * std::size_t(shape.bmHeight));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, UINT(shape.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  test_support::Art art(std::size_t(shape.bmHeight));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint32_t pixel = pixels[i] & 0xFFFFFF;
    art[i / std::size_t(shape.bmWidth)] += pixel == 0 ? '#' : pixel == 0x7BBD6E ? '.' : '?';
  }
  return art;
}

// Each class reads its kind: at 96 pixels, one pixel a dot; at 32, 32 pixels wide.
TEST(ThumbnailHandler, EachKindsClassDrawsItsLogo) {
  for (const auto& [sample, kind] : {std::pair{"kestrel_bird.nsl", KP_NSL_THUMBNAILS},
                                     std::pair{"picture_wave.nlm", KP_NLM_THUMBNAILS}}) {
    SCOPED_TRACE(sample);
    const std::filesystem::path file = test_support::SamplePath(sample);
    for (const UINT size : {96u, 32u}) {  // the size asked, passed on
      IStream* stream = nullptr;
      ASSERT_EQ(SHCreateStreamOnFileEx(std::filesystem::absolute(file).c_str(), STGM_READ,
                                       FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream),
                S_OK);
      const auto [initialised, provider] = Handler(kind, stream);
      stream->Release();
      EXPECT_EQ(initialised, S_OK);
      HBITMAP bitmap = nullptr;
      WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
      ASSERT_EQ(provider->GetThumbnail(size, &bitmap, &alpha), S_OK);
      EXPECT_EQ(alpha, WTSAT_RGB);
      const test_support::Art shown = PixelsOf(bitmap);
      if (size == 96) {
        EXPECT_EQ(shown, test_support::SampleArt(file.stem().string()));
      } else {
        EXPECT_EQ(shown[0].size(), 32u);
      }
      DeleteObject(bitmap);
      provider->Release();
    }
  }
}

// A stream over the bytes that reports `length` in Stat; asking for any byte beyond the first
// `read_limit` fails the test. (COM interfaces have no destructor.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TestStream final : public IStream {
  using Large = ULARGE_INTEGER;

 public:
  TestStream(std::vector<std::uint8_t> bytes, std::uint64_t length, std::uint64_t read_limit)
      : bytes_(std::move(bytes)), length_(length), read_limit_(read_limit) {}

  HRESULT STDMETHODCALLTYPE Read(void* into, ULONG count, ULONG* read) override {
    EXPECT_LE(at_ + count, read_limit_) << "read beyond what a logo can take";
    *read = ULONG(std::min<std::size_t>(count, bytes_.size() - at_));
    std::memcpy(into, bytes_.data() + at_, *read);
    at_ += *read;
    return *read < count ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    *stat = STATSTG{};
    stat->cbSize.QuadPart = length_;
    return S_OK;
  }
  // Nothing else is needed of a stream that lives on the test's stack.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, Large*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSize(Large) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, Large, Large*, Large*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(Large, Large, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRegion(Large, Large, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t length_, read_limit_;
  std::size_t at_ = 0;
};
#pragma GCC diagnostic pop

TEST(ThumbnailHandler, RefusesWhatIsNoLogoReadingNoMoreThanALogoCanTake) {
  constexpr std::uint64_t kLongestNsl = 6 + 0xFFFF, kFiveGigabytes = 5ull << 30;
  using Bytes = std::vector<std::uint8_t>;
  const auto bytes = [](std::string start, std::size_t length) {
    start.resize(length, '\0');
    return Bytes(start.begin(), start.end());
  };
  // The file; its kind; its bytes; its length as Stat reports it; how far it may be read.
  for (const auto& [what, kind, content, length, read_limit] :
       {std::tuple<const char*, const wchar_t*, Bytes, std::uint64_t, std::uint64_t>{
            "one byte short of its bitmap", KP_NSL_THUMBNAILS, bytes("", 573), 573, 574},
        {"longer than any chunk stream", KP_NSL_THUMBNAILS, bytes("FORM\xff\xff", kLongestNsl + 1),
         kLongestNsl + 1, 0},
        {"of no kind's length", KP_NLM_THUMBNAILS, bytes("NLM ", 200), 200, 0},
        {"ending before its reported length", KP_NLM_THUMBNAILS, bytes("NLM ", 100), 538, 538},
        {"5 GB and a startup logo's length", KP_NLM_THUMBNAILS, {}, kFiveGigabytes + 538, 0}}) {
    SCOPED_TRACE(what);
    TestStream stream(content, length, read_limit);
    const auto [initialised, provider] = Handler(kind, &stream);
    EXPECT_TRUE(FAILED(initialised));
    HBITMAP bitmap = nullptr;
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    EXPECT_TRUE(FAILED(provider->GetThumbnail(96, &bitmap, &alpha)));
    EXPECT_EQ(bitmap, nullptr);
    provider->Release();
  }
}

}  // namespace
