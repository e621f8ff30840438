// Loads through the real windows (offscreen), from the click to the new picture painted:
// Next in each presentation mode, Next in big folders, and opening a big folder.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>

#include "apps/kestrel/form1.h"
#include "apps/plover/form1.h"
#include "shell/qt/window_layer.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = KP_OWN_SAMPLES_DIR;

template <typename T>
T* Control(QWidget* window, const char* name) {
  return window->findChild<T*>(QString::fromLatin1(name));
}

class NoMessages : public shell::MessageBoxService {
 public:
  void Show(std::string_view, shell::MessageIcon) override {}
};

// A window on screen as the programs make it: its model, and the Qt window over it.
template <typename Form>
struct ShownViewer {
  NoMessages messages;
  std::unique_ptr<Form> form;
  std::unique_ptr<shell::QtWindow> window;

  QWidget& operator*() { return *window; }
  QWidget* get() { return window.get(); }
  template <typename T>
  T& Model(const char* name) {
    return form->ControlNamed<T>(name);
  }
};

// A folder of `count` logos: hard links to the samples, so that even 100 000 take no space.
fs::path MakeFolder(const fs::path& parent, int count, const std::string& extension) {
  const fs::path folder = parent / (std::to_string(count) + extension);
  if (fs::exists(folder)) {
    return folder;
  }
  fs::create_directory(folder);
  const fs::path first = kSamples / (extension == ".nsl" ? "kestrel_bird.nsl" : "picture_wave.nlm");
  const fs::path second =
      kSamples / (extension == ".nsl" ? "hello_frame.nsl" : "startup_sunrise.nlm");
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "logo%06d", i);
    fs::create_hard_link(i % 2 == 0 ? first : second, folder / (name + extension));
  }
  return folder;
}

QTemporaryDir& Scratch() {
  static QTemporaryDir scratch;
  return scratch;
}

// Presses Next and lets the window paint the new picture.
[[gnu::noinline]] void NextAndPaint(QWidget& window) {
  Control<QAbstractButton>(&window, "Command3")->click();
  QCoreApplication::processEvents();
}

template <typename Form>
std::unique_ptr<ShownViewer<Form>> OpenShown(const fs::path& folder) {
  fs::current_path(folder);
  auto shown = std::make_unique<ShownViewer<Form>>();
  shell::ViewerServices services{.messages = shown->messages,
                                 .read_language_setting = [] { return std::nullopt; }};
  if constexpr (std::is_same_v<Form, plover::Form1>) {
    shown->form = std::make_unique<Form>(
        services, plover::ExportServices{[] { return nlm::LogoManagerLookup{"", false}; },
                                         [](const std::string&, const fs::path&) { return false; }});
  } else {
    shown->form = std::make_unique<Form>(services);
  }
  shown->window = std::make_unique<shell::QtWindow>(*shown->form);
  shown->form->Form_Load({});
  shown->window->show();
  QCoreApplication::processEvents();
  return shown;
}

// Next in a folder of 100 files of the program's kind, Deferred (0) or Immediate (1).
template <typename Form>
void NextInMode(benchmark::State& state, const std::string& extension) {
  const auto form = OpenShown<Form>(MakeFolder(Scratch().path().toStdString(), 100, extension));
  if (state.range(0) == 1) {
    form->template Model<shell::CheckBox>("Check1").SetValue(0);
  }
  for (auto _ : state) {
    NextAndPaint(**form);
  }
}
void KestrelNext(benchmark::State& state) {
  NextInMode<kestrel::Form1>(state, ".nsl");
}
void PloverNext(benchmark::State& state) {
  NextInMode<plover::Form1>(state, ".nlm");
}
BENCHMARK(KestrelNext)->ArgName("immediate")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(PloverNext)->ArgName("immediate")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void NextInFolder(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const auto form =
      OpenShown<kestrel::Form1>(MakeFolder(Scratch().path().toStdString(), count, ".nsl"));
  auto& file1 = form->template Model<shell::FileList>("File1");
  file1.SetSelectedIndex(count - 2);  // so that the steps cross the wrap-around too
  for (auto _ : state) {
    NextAndPaint(**form);
  }
  state.counters["entries"] = file1.Count();
}
BENCHMARK(NextInFolder)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Opening the folder from the folder list: listing, sorting and the first paint.
void OpenFolder(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const fs::path parent = Scratch().path().toStdString();
  MakeFolder(parent, count, ".nsl");
  const auto form = OpenShown<kestrel::Form1>(parent);
  auto* dir1 = Control<QListWidget>(form->get(), "Dir1");
  const auto& rows = form->template Model<shell::FolderList>("Dir1").Rows();
  const int parent_row = dir1->currentRow();
  for (auto _ : state) {
    for (int row = parent_row + 1; row < dir1->count(); ++row) {
      if (rows[static_cast<std::size_t>(row)].folder.filename() ==
          std::to_string(count) + ".nsl") {
        dir1->setCurrentRow(row);
        break;
      }
    }
    QTest::keyClick(dir1, Qt::Key_Return);
    QCoreApplication::processEvents();
    state.PauseTiming();
    dir1->setCurrentRow(parent_row);  // back up, untimed
    QTest::keyClick(dir1, Qt::Key_Return);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(OpenFolder)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
