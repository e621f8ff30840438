#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <functional>

#include "shell/canvas/logo_canvas.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The thumbnailer run as a file manager runs it, its PNG read back pixel by pixel.
class ThumbnailerTest : public QObject {
  Q_OBJECT

 private:
  // Runs it as a file manager does, its input a pipe that stays open; as root, as the user
  // nobody, so that a file nobody may write is one it may not write either. The exit code (-1
  // for a crash) and what it said on stderr.
  static std::pair<int, QByteArray> Run(const QString& size, const fs::path& input,
                                        const fs::path& output) {
    QStringList arguments{size, QString::fromStdString(input), QString::fromStdString(output)};
    QString program = KP_THUMBNAILER;
    if (::geteuid() == 0) {
      arguments = QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", program} +
                  arguments;
      program = "setpriv";
    }
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);  // a hang is the test runner's timeout to catch
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError()};
  }

 private slots:
  // What a hostile folder or caller can hand it: each refused at once with a reason, and nothing
  // anywhere changed, OUTPUT included. A regular file of its own at OUTPUT is replaced whole by
  // the PNG, read back pixel by pixel.
  void refusesWhatIsNoLogoOrNoPlaceForItAndWritesOnlyItsPng() {
    test_support::TempFolder temp;
    const fs::path folder = temp.Path();
    fs::permissions(folder, fs::perms::all);  // open to the user nobody
    const fs::path bird = folder / "bird.nsl", png = folder / "png";
    fs::copy_file(test_support::SamplePath("kestrel_bird.nsl"), bird);
    fs::permissions(bird, fs::perms::owner_all | fs::perms::others_read | fs::perms::group_read);
    const auto file = [&folder](const char* name, std::string_view text) {
      std::ofstream(folder / name) << text;
      return folder / name;
    };
    QVERIFY(::mkfifo((folder / "fifo").c_str(), 0666) == 0);
    const fs::path unlisted = file("unlisted.nlm", "NLM " + std::string(96, '\0'));
    const fs::path target = file("target", "kept"), read_only = file("read-only", "kept");
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::others_read);
    fs::create_symlink(target, folder / "link");
    fs::create_symlink(folder / "nowhere", folder / "dangling");
    fs::create_directory(folder / "folder");
    const auto same = [](const fs::path& path) {  // still "kept"
      return [path] { return test_support::ReadBytes(path) == Bytes{'k', 'e', 'p', 't'}; };
    };
    const auto absent = [](const fs::path& path) { return [path] { return !fs::exists(path); }; };
    const auto png_only = [&] { return absent(png)() && fs::exists(bird); };
    // What is refused; INPUT and OUTPUT; the reason given; that nothing changed.
    const std::tuple<const char*, fs::path, fs::path, QByteArray, std::function<bool()>> cases[] = {
        {"a FIFO without extension", folder / "fifo", png, "Not a regular file", png_only},
        {"an NLM of no listed length", unlisted, png,
         "not a logo: no kind of picture has this file's length.", png_only},
        {"OUTPUT a file it may not write", bird, read_only, "not written", same(read_only)},
        {"OUTPUT a link", bird, folder / "link", "symbolic link", same(target)},
        {"OUTPUT a dangling link", bird, folder / "dangling", "symbolic link",
         absent(folder / "nowhere")},
        {"OUTPUT in no folder", bird, folder / "no" / "a.png", "not written", png_only},
        {"OUTPUT a folder", bird, folder / "folder", "not a regular file",
         [&] { return fs::is_directory(folder / "folder"); }},
        {"OUTPUT is INPUT", bird, bird, "the input file itself",
         [&] { return test_support::ReadBytes(bird).size() == 574; }},
    };
    for (const auto& [what, input, output, why, unchanged] : cases) {
      const auto [code, said] = Run("128", input, output);
      QVERIFY2(code == 1 && said.contains(why), what + (": " + said));
      QVERIFY2(unchanged(), what);
    }
    for (const char* size : {"12abc", "1e3", "0", "-1", "1025", "4294967424"}) {
      const auto [code, said] = Run(size, bird, png);
      QVERIFY2(code == 2 && said.contains("usage") && png_only(), size);
    }
    // Its own earlier thumbnail is replaced, and nothing but OUTPUT is left in the folder: at
    // 512 the big screen's dots and grid, at the largest size 1009 x 577 pixels.
    const fs::path earlier = file("earlier.png", "an earlier thumbnail");
    fs::permissions(earlier, fs::perms::others_write, fs::perm_options::add);
    const auto before = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    QCOMPARE(Run("512", bird, earlier).first, 0);
    const QImage image(QString::fromStdString(earlier));
    const shell::Raster screen =
        test_support::ScreenOf(test_support::SampleArt("kestrel_bird"), 0, 0, shell::kGridColor);
    QCOMPARE(image.size(), QSize(screen.Width(), screen.Height()));
    for (int i = 0, width = screen.Width(); i < width * screen.Height(); ++i) {
      QCOMPARE(image.pixel(i % width, i / width), screen.Pixels()[std::size_t(i)]);
    }
    QCOMPARE(Run("1024", bird, earlier).first, 0);
    QCOMPARE(QImage(QString::fromStdString(earlier)).size(), QSize(1009, 577));
    QCOMPARE(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), before);
  }
};

QTEST_GUILESS_MAIN(ThumbnailerTest)
#include "thumbnailer_test.moc"
