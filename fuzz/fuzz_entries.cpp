#include "fuzz/fuzz_entries.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "nlm/ansi_bytes.h"
#include "nlm/reg_module.h"
#include "nlm/show_nlm.h"
#include "nlm/wine_registry.h"
#include "nsl/load_nsl.h"
#include "shell/path_rules.h"

namespace fuzz {

namespace {

void Require(bool holds) {
  if (!holds) {
    std::abort();
  }
}

class CountingMessages : public shell::MessageBoxService {
 public:
  void Show(std::string_view text, shell::MessageIcon icon) override {
    ++shown;
    last = std::string(text);
    critical = icon == shell::MessageIcon::Critical;
  }
  int shown = 0;
  std::string last;
  bool critical = false;
};

// The input as a file with a path, in memory: a memfd reached through /proc/self/fd.
std::string AsFile(const std::uint8_t* data, std::size_t size) {
  static const int fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
  Require(fd >= 0 && ::ftruncate(fd, 0) == 0);
  Require(::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

int Nsl(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = AsFile(data, size);
  const nsl::DrawingMembers drawing;
  shell::LogoCanvas buffered(shell::LogoCanvas::Preview::Present);
  CountingMessages buffered_messages;
  nsl::LoadNslBuffered(
      {file, drawing, buffered, {"E:", shell::Language::English, buffered_messages}});
  buffered.Present();

  shell::LogoCanvas direct(shell::LogoCanvas::Preview::Present);
  direct.DrawGrid(0, 0, 84, 48, shell::kGridColor);
  direct.SetPresentationMode(shell::PresentationMode::Immediate);
  CountingMessages direct_messages;
  nsl::LoadNslDirect({file, drawing, direct, {"E:", shell::Language::English, direct_messages}});

  // At most one message, the same from both routines, and the same big screen either way.
  Require(buffered_messages.shown <= 1 && buffered_messages.shown == direct_messages.shown);
  Require(buffered_messages.last == direct_messages.last);
  Require(buffered_messages.shown == 0 || buffered_messages.critical);
  if (buffered_messages.shown == 0) {
    Require(buffered.BigScreen().Screen() == direct.BigScreen().Screen());
  } else {  // a failure leaves nothing of the logo
    Require(buffered.BigScreen().Screen() == shell::Raster(505, 289, shell::kScreenColor));
    Require(direct.BigScreen().Screen() == direct.BigScreen().Retained());
  }
  return 0;
}

int Nlm(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = AsFile(data, size);
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::None);
  CountingMessages messages;
  const shell::PloverTexts texts = shell::PloverTextsFor(shell::Language::English);
  std::string label = "unset";
  nlm::ShowNlmFile({file,
                    canvas,
                    texts,
                    [&label](const std::string& text) { label = text; },
                    {texts.ErrorPrefix, shell::Language::English, messages}});
  canvas.Present();
  const bool listed = size == 136 || size == 262 || size == 538;
  Require(messages.shown == (listed ? 0 : 1));
  Require(listed ? label != "unset" && !label.empty() : label.empty());
  if (!listed) {
    Require(canvas.BigScreen().Screen() == shell::Raster(505, 289, shell::kScreenColor));
  }
  return 0;
}

int WineRegistry(const std::uint8_t* data, std::size_t size) {
  nlm::WineRegistry registry =
      nlm::WineRegistry::FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    const std::string value = nlm::RegModule(registry).GetRegString(
        nlm::kHkeyLocalMachine,
        "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\LogoManager.exe", "");
    Require(nlm::AnsiByteCount(value, registry.AnsiCodePage()) < 255);
    Require(value.find('\0') == std::string::npos);
    Require(value.empty() || value.front() != ' ');
  } catch (const std::invalid_argument&) {
    // A value filling the whole buffer without an end: the lookup skips it.
  }
  return 0;
}

int PathRules(const std::uint8_t* data, std::size_t size) {
  const shell::NativeString path(reinterpret_cast<const char*>(data), size);
  const shell::NativeString name = shell::SamKatalog(path, 0);
  Require(name.find(shell::kSeparator) == shell::NativeString::npos);
  try {
    const shell::NativeString folder = shell::SamKatalog(path, -1);
    Require(folder + shell::kSeparator + name == path);  // the two halves make the whole
    const shell::NativeString joined = shell::JoinFolderAndName(folder, name);
    Require(joined == path || (!folder.empty() && folder.back() == shell::kSeparator));
  } catch (const std::invalid_argument&) {
    Require(path.find(shell::kSeparator) == shell::NativeString::npos);
  }
  return 0;
}

}  // namespace fuzz
