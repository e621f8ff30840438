// What one file selection costs the core, from the page cache to a finished canvas, beside the
// floor: clearing the big screen's image and writing its 4032 cells once, nothing else.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "nlm/logo_manager.h"
#include "nlm/show_nlm.h"
#include "nlm/wine_registry.h"
#include "nsl/load_nsl.h"
#include "support/recording_messages.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = KP_OWN_SAMPLES_DIR;

// The worst case, every dot dark: a file of `length` bytes whose data after the header is 0xFF.
fs::path AllDots(const char* name, std::size_t header, std::size_t length) {
  const fs::path file = fs::temp_directory_path() / name;
  std::string bytes(length, '\xFF');
  std::fill_n(bytes.begin(), header, '\0');
  std::ofstream(file, std::ios::binary) << bytes;
  return file;
}

void Floor(benchmark::State& state) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::Present);
  for (auto _ : state) {
    canvas.BigScreen().Clear();
    for (int row = 0; row < 48; ++row) {
      for (int column = 0; column < 84; ++column) {
        canvas.FillCell(0, 0, column, row, shell::kDotColor);
      }
    }
    benchmark::DoNotOptimize(canvas.BigScreen().Retained().Pixels());
  }
}
BENCHMARK(Floor);

void Nsl(benchmark::State& state, void (*routine)(const nsl::NslLoad&), bool immediate,
         const fs::path& file) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::Present);
  if (immediate) {  // as "Don't show while drawing" switched off leaves it
    canvas.DrawGrid(0, 0, 84, 48, shell::kGridColor);
    canvas.SetPresentationMode(shell::PresentationMode::Immediate);
  }
  test_support::RecordingMessages messages;
  const nsl::DrawingMembers drawing;
  for (auto _ : state) {
    canvas.ClearCanvas();
    routine({file, drawing, canvas, {"", shell::Language::Polish, messages}});
    benchmark::DoNotOptimize(canvas.BigScreen().Screen().Pixels());
  }
  if (!messages.shown.empty()) {
    state.SkipWithError("the sample did not load");
  }
}
BENCHMARK_CAPTURE(Nsl, LoadNslBuffered, nsl::LoadNslBuffered, false, kSamples / "kestrel_bird.nsl");
BENCHMARK_CAPTURE(Nsl, LoadNslDirect, nsl::LoadNslDirect, true, kSamples / "kestrel_bird.nsl");
BENCHMARK_CAPTURE(Nsl, LoadNslBuffered_AllDots, nsl::LoadNslBuffered, false,
                  AllDots("all-dots.nsl", 70, 574));
BENCHMARK_CAPTURE(Nsl, LoadNslDirect_AllDots, nsl::LoadNslDirect, true,
                  AllDots("all-dots.nsl", 70, 574));

void Nlm(benchmark::State& state, const fs::path& file) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::None);
  test_support::RecordingMessages messages;
  const shell::PloverTexts texts = shell::PloverTextsFor(shell::Language::Polish);
  for (auto _ : state) {
    canvas.ClearCanvas();
    nlm::ShowNlmFile({file,
                      canvas,
                      texts,
                      [](const std::string&) {},
                      {texts.ErrorPrefix, shell::Language::Polish, messages}});
    benchmark::DoNotOptimize(canvas.BigScreen().Retained().Pixels());
  }
  if (!messages.shown.empty()) {
    state.SkipWithError("the sample did not load");
  }
}
BENCHMARK_CAPTURE(Nlm, ShowNlmFile_OperatorLogo, kSamples / "operator_plover.nlm");
BENCHMARK_CAPTURE(Nlm, ShowNlmFile_PictureMessage, kSamples / "picture_wave.nlm");
BENCHMARK_CAPTURE(Nlm, ShowNlmFile_StartupLogo, kSamples / "startup_sunrise.nlm");
BENCHMARK_CAPTURE(Nlm, ShowNlmFile_StartupLogo_AllDots, AllDots("all-dots.nlm", 10, 538));

// plover's start-up lookup in a Wine prefix's system.reg of `state.range(0)` MiB: keys as Wine
// writes them, LogoManager's among the last.
void Registry(benchmark::State& state) {
  const fs::path file = fs::temp_directory_path() / "bench-system.reg";
  const std::size_t size = static_cast<std::size_t>(state.range(0)) << 20;
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
  for (int key = 0; text.size() < size; ++key) {
    text += "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(key) +
            "}] 1796591584\n#time=1da2b3c4d5e6f70\n@=\"Component " + std::to_string(key) +
            "\"\n\"ThreadingModel\"=\"Both\"\n\"Flags\"=dword:00000001\n\n";
  }
  text += "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\"
          "LogoManager.exe] 1796591584\n@=\"C:\\\\LogoManager\\\\LogoManager.exe\"\n";
  std::ofstream(file, std::ios::binary) << text;
  for (auto _ : state) {
    nlm::WineRegistry registry = nlm::WineRegistry::FromFile(file);
    benchmark::DoNotOptimize(nlm::LookUpLogoManager(registry).LogoManagerPath);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(Registry)->Arg(1)->Arg(16)->Arg(60)->Unit(benchmark::kMillisecond);

}  // namespace
