#include "fuzz/fuzz_entries.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include "nlm/ansi_bytes.h"
#include "nlm/logo_manager.h"
#include "nlm/reg_module.h"
#include "nlm/show_nlm.h"
#include "nlm/wine_registry.h"
#include "nsl/load_nsl.h"
#include "shell/system/path_rules.h"
#include "shell/system/windows_full_path.h"
#include "support/recording_messages.h"

namespace fuzz {

namespace {

void Require(bool holds) {
  if (!holds) {
    std::abort();
  }
}

// The input as a file with a path, in memory: a memfd reached through /proc/self/fd.
std::filesystem::path AsFile(const std::uint8_t* data, std::size_t size) {
  static const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
  Require(fd >= 0 && ::ftruncate(fd, 0) == 0 && ::pwrite(fd, data, size, 0) == ssize_t(size));
  return "/proc/self/fd/" + std::to_string(fd);
}

const shell::Raster kBlank(505, 289, shell::kScreenColor);
using Said = test_support::RecordingMessages;

}  // namespace

int Nsl(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = AsFile(data, size);
  const nsl::DrawingMembers drawing;  // as kestrel starts: on the big screen
  shell::LogoCanvas buffered(shell::LogoCanvas::Preview::Present);
  shell::LogoCanvas direct(shell::LogoCanvas::Preview::Present);
  direct.DrawGrid(0, 0, 84, 48, shell::kGridColor);  // as switching the option off leaves it
  direct.SetPresentationMode(shell::PresentationMode::Immediate);
  Said said, said_direct;
  nsl::LoadNslBuffered({file, drawing, buffered, {"E:", shell::Language::English, said}});
  buffered.Present();
  nsl::LoadNslDirect({file, drawing, direct, {"E:", shell::Language::English, said_direct}});
  // Both routines say the same, at most one box, and show the same big screen, or after a
  // failure nothing of the logo.
  Require(said.shown.size() <= 1 && said.shown.size() == said_direct.shown.size());
  Require(said.shown.empty() || (said.shown[0].text == said_direct.shown[0].text &&
                                 said.shown[0].icon == shell::MessageIcon::Critical));
  Require(said.shown.empty() ? buffered.BigScreen().Screen() == direct.BigScreen().Screen()
                             : buffered.BigScreen().Screen() == kBlank &&
                                   direct.BigScreen().Screen() == direct.BigScreen().Retained());
  return 0;
}

int Nlm(const std::uint8_t* data, std::size_t size) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::None);
  Said said;
  const shell::PloverTexts texts = shell::PloverTextsFor(shell::Language::English);
  std::string label = "unset";
  nlm::ShowNlmFile({AsFile(data, size), canvas, texts,
                    [&label](const std::string& text) { label = text; },
                    {texts.ErrorPrefix, shell::Language::English, said}});
  canvas.Present();
  // The listed lengths name a kind; any other gets one box, an empty label and nothing drawn.
  const bool listed = size == 136 || size == 262 || size == 538;
  Require(said.shown.size() == (listed ? 0u : 1u) &&
          (listed || said.shown[0].icon == shell::MessageIcon::Critical));
  Require(listed ? label != "unset" && !label.empty()
                 : label.empty() && canvas.BigScreen().Screen() == kBlank);
  return 0;
}

int WineRegistry(const std::uint8_t* data, std::size_t size) {
  nlm::WineRegistry registry =
      nlm::WineRegistry::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  try {  // a value read back fits the 255-byte buffer with its end, holds no NUL, starts no blank
    const std::string value =
        nlm::RegModule(registry).GetRegString(nlm::kHkeyLocalMachine, nlm::kAppPathsKey, "");
    Require(nlm::AnsiByteCount(value, registry.AnsiCodePage()) < 255 &&
            value.find('\0') == std::string::npos && !value.starts_with(' '));
  } catch (const std::invalid_argument&) {
    // A value filling the whole buffer without an end: the lookup skips it.
  }
  return 0;
}

int PathRules(const std::uint8_t* data, std::size_t size) {
  const shell::NativeString path(reinterpret_cast<const char*>(data), size);
  const shell::NativeString name = shell::SamKatalog(path, 0);
  Require(name.find(shell::kSeparator) == shell::NativeString::npos);
  try {  // the two halves make the whole, and joined again give it back
    const shell::NativeString folder = shell::SamKatalog(path, -1);
    Require(folder + shell::kSeparator + name == path);
    Require(shell::JoinFolderAndName(folder, name) == path ||
            (!folder.empty() && folder.back() == shell::kSeparator));
  } catch (const std::invalid_argument&) {
    Require(path.find(shell::kSeparator) == shell::NativeString::npos);
  }
  // Any start-up argument comes out a full path, so start-up always has both halves.
  const std::wstring argument(data, data + size);
  const std::wstring full = shell::WindowsFullPath(argument, L"C:\\work", [](wchar_t drive) {
    return std::wstring{drive, L':', L'\\'};
  });
  Require(full.find(L'\\') != std::wstring::npos);
  return 0;
}

}  // namespace fuzz
