#include <windows.h>

#include <gtest/gtest.h>
#include <propsys.h>
#include <shlwapi.h>
#include <thumbcache.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/text_art.h"

// The thumbnail handler as Explorer uses it: the class that the extension's ShellEx key names,
// created in process, initialised with a stream over the file, asked for a bitmap.
namespace {

namespace fs = std::filesystem;

const std::wstring kThumbnailKey = L"\\ShellEx\\{e357fccd-a995-4576-b01f-234630154e96}";
constexpr std::uint32_t kDot = 0x000000, kScreen = 0x7BBD6E;

void SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  ASSERT_EQ(RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

// The keys the installer writes, for the handler just built; taken back at the end. Wine 8 has
// no per-user classes (its HKEY_CLASSES_ROOT is the machine's alone), so they go there as well.
class ThumbnailHandler : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (const auto& [root, classes] : kRoots) {
      for (const auto& [extension, class_id] : kTypes) {
        const std::wstring server = classes + L"CLSID\\" + class_id + L"\\InprocServer32";
        SetValue(root, server, nullptr, fs::absolute(KP_THUMBNAIL_HANDLER).wstring());
        SetValue(root, server, L"ThreadingModel", L"Apartment");
        SetValue(root, classes + extension + kThumbnailKey, nullptr, class_id);
      }
    }
  }
  static void TearDownTestSuite() {
    CoUninitialize();
    for (const auto& [root, classes] : kRoots) {
      for (const auto& [extension, class_id] : kTypes) {
        RegDeleteTreeW(root, (classes + L"CLSID\\" + class_id).c_str());
        RegDeleteTreeW(root, (classes + extension).c_str());
      }
    }
  }

  // A new handler of the class registered for the extension, as Explorer finds it.
  static IInitializeWithStream* HandlerFor(const std::wstring& extension) {
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    CLSID class_id{};
    IInitializeWithStream* handler = nullptr;
    const std::wstring key = extension + kThumbnailKey;
    EXPECT_EQ(
        RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size),
        ERROR_SUCCESS);
    EXPECT_TRUE(SUCCEEDED(CLSIDFromString(text, &class_id)));
    EXPECT_TRUE(SUCCEEDED(
        CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&handler))));
    return handler;
  }

 private:
  static inline const std::pair<HKEY, std::wstring> kRoots[] = {
      {HKEY_CURRENT_USER, L"Software\\Classes\\"}, {HKEY_CLASSES_ROOT, L""}};
  static constexpr std::pair<const wchar_t*, const wchar_t*> kTypes[] = {
      {L".nsl", KP_NSL_THUMBNAILS}, {L".nlm", KP_NLM_THUMBNAILS}};
};

// One character a pixel of the bitmap as it shows, top row first: '#' a dot, '.' the screen, '?'
// anything else.
test_support::Art PixelsOf(HBITMAP bitmap) {
  BITMAP shape{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof(shape), &shape), int(sizeof(shape)));
  EXPECT_EQ(shape.bmBitsPixel, 32);
  const auto width = std::size_t(shape.bmWidth), height = std::size_t(shape.bmHeight);
  BITMAPINFO top_down{};
  top_down.bmiHeader = {
      sizeof(BITMAPINFOHEADER), shape.bmWidth, -shape.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels(width * height);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDIBits(screen, bitmap, 0, UINT(height), pixels.data(), &top_down, DIB_RGB_COLORS),
            int(height));
  ReleaseDC(nullptr, screen);
  test_support::Art art(height, std::string(width, '?'));
  for (std::size_t y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = pixels[y * width + x] & 0xFFFFFF;
      art[y][x] = pixel == kDot ? '#' : pixel == kScreen ? '.' : '?';
    }
  }
  return art;
}

// Each class reads its kind: at 96 pixels, one pixel a dot; at 32, 32 pixels wide.
TEST_F(ThumbnailHandler, EachKindsClassDrawsItsLogo) {
  for (const char* sample : {"kestrel_bird.nsl", "picture_wave.nlm"}) {
    SCOPED_TRACE(sample);
    const fs::path file = test_support::SamplePath(sample);
    IStream* stream = nullptr;
    ASSERT_EQ(SHCreateStreamOnFileEx(fs::absolute(file).wstring().c_str(), STGM_READ,
                                     FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream),
              S_OK);
    IInitializeWithStream* handler = HandlerFor(file.extension().wstring());
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(handler->Initialize(stream, STGM_READ), S_OK);
    stream->Release();
    IThumbnailProvider* provider = nullptr;
    ASSERT_EQ(handler->QueryInterface(IID_PPV_ARGS(&provider)), S_OK);
    HBITMAP bitmap = nullptr;
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    ASSERT_EQ(provider->GetThumbnail(96, &bitmap, &alpha), S_OK);
    EXPECT_EQ(alpha, WTSAT_RGB);
    EXPECT_EQ(PixelsOf(bitmap), test_support::SampleArt(file.stem().string()));
    DeleteObject(bitmap);
    ASSERT_EQ(provider->GetThumbnail(32, &bitmap, &alpha), S_OK);  // the size asked, passed on
    EXPECT_EQ(PixelsOf(bitmap)[0].size(), 32u);
    DeleteObject(bitmap);
    provider->Release();
    handler->Release();
  }
}

// A stream over the bytes that reports `length` in Stat; asking for any byte beyond the first
// `read_limit` fails the test. (COM interfaces have no destructor.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TestStream final : public IStream {
 public:
  TestStream(std::vector<std::uint8_t> bytes, std::uint64_t length, std::uint64_t read_limit)
      : bytes_(std::move(bytes)), length_(length), read_limit_(read_limit) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Read(void* into, ULONG count, ULONG* read) override {
    EXPECT_LE(at_ + count, read_limit_) << "read beyond what a logo can take";
    const ULONG given = ULONG(std::min<std::size_t>(count, bytes_.size() - at_));
    std::memcpy(into, bytes_.data() + at_, given);
    at_ += given;
    *read = given;
    return given < count ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = length_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                   ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t length_, read_limit_;
  std::size_t at_ = 0;
};
#pragma GCC diagnostic pop

TEST_F(ThumbnailHandler, RefusesWhatIsNoLogoReadingNoMoreThanALogoCanTake) {
  constexpr std::uint64_t kLongestNsl = 6 + 0xFFFF, kFiveGigabytes = 5ull << 30;
  using Bytes = std::vector<std::uint8_t>;
  const auto bytes = [](std::string start, std::size_t length) {
    start.resize(length, '\0');
    return Bytes(start.begin(), start.end());
  };
  // The file; its bytes; its length as Stat reports it; how far it may be read.
  for (const auto& [what, extension, content, length, read_limit] :
       {std::tuple<const char*, const wchar_t*, Bytes, std::uint64_t, std::uint64_t>{
            "one byte short of its bitmap", L".nsl", bytes("", 573), 573, 574},
        {"longer than any chunk stream", L".nsl", bytes("FORM\xff\xff", kLongestNsl + 1),
         kLongestNsl + 1, 0},
        {"of no kind's length", L".nlm", bytes("NLM ", 200), 200, 0},
        {"ending before its reported length", L".nlm", bytes("NLM ", 100), 538, 538},
        {"5 GB and a startup logo's length", L".nlm", {}, kFiveGigabytes + 538, 0}}) {
    SCOPED_TRACE(what);
    TestStream stream(content, length, read_limit);
    IInitializeWithStream* handler = HandlerFor(extension);
    ASSERT_NE(handler, nullptr);
    EXPECT_TRUE(FAILED(handler->Initialize(&stream, STGM_READ)));
    IThumbnailProvider* provider = nullptr;
    ASSERT_EQ(handler->QueryInterface(IID_PPV_ARGS(&provider)), S_OK);
    HBITMAP bitmap = nullptr;
    WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
    EXPECT_TRUE(FAILED(provider->GetThumbnail(96, &bitmap, &alpha)));
    EXPECT_EQ(bitmap, nullptr);
    provider->Release();
    handler->Release();
  }
}

}  // namespace
