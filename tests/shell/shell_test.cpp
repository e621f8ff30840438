#include <gtest/gtest.h>

#include <algorithm>

#include "shell/base/display_name.h"
#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"
#include "shell/canvas/device_image.h"
#include "shell/canvas/logo_canvas.h"
#include "shell/canvas/thumbnail.h"
#include "shell/system/command_line.h"
#include "shell/system/drives.h"
#include "shell/texts/texts.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

#ifndef _WIN32
#include "shell/system/settings_file.h"
#endif

// The shell's rules that need no window: the canvas, paths, drives, the language, failure texts.
namespace {

namespace fs = std::filesystem;
using shell::kDotColor;
using shell::kGridColor;
using shell::kScreenColor;
using shell::Language;

TEST(Canvas, DeferredShowsOnReturnAndImmediateOnScreenWhereAClearBringsBackTheRetainedImage) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::Present);
  const shell::Raster& screen = canvas.BigScreen().Screen();
  const shell::Raster& preview = canvas.PreviewSurface()->Screen();
  canvas.FillCell(0, 0, 0, 0, kDotColor);
  canvas.SetPreviewDot(0, 0);
  EXPECT_EQ(screen.At(1, 1), kScreenColor);  // not before the handler returns
  canvas.Present();
  EXPECT_TRUE(screen.At(1, 1) == kDotColor && preview.At(0, 0) == kDotColor);

  canvas.ClearCanvas();
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  const shell::Raster grid = canvas.BigScreen().Retained();
  canvas.SetPresentationMode(shell::PresentationMode::Immediate);
  EXPECT_EQ(screen, grid);  // what was drawn before the switch is on screen
  canvas.FillCell(0, 0, 10, 10, kDotColor);
  canvas.SetPreviewDot(10, 10, kDotColor);
  EXPECT_TRUE(screen.At(61, 61) == kDotColor && preview.At(10, 10) == kDotColor);  // at once
  EXPECT_EQ(canvas.BigScreen().Retained(), grid);
  canvas.ClearCanvas();
  EXPECT_EQ(screen, grid);
  EXPECT_EQ(preview, shell::Raster(84, 48, kScreenColor));
}

// At every scale each cell is as wide as every other in whole device pixels, the grid lines too,
// and the picture is centred in the surface's scaled box; the preview keeps whole pixels a dot.
TEST(Canvas, AtEveryScaleEveryCellIsTheSameWholeNumberOfDevicePixels) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::Present);
  canvas.DrawGrid(0, 0, 84, 48, kGridColor);
  const std::vector<std::pair<int, int>> dots{{0, 0}, {41, 23}, {83, 47}};
  for (const auto& [c, r] : dots) {
    canvas.FillCell(0, 0, c, r, kDotColor);
    canvas.SetPreviewDot(c, r);
  }
  canvas.Present();
  for (const auto& [scale, width, height, pitch, line, left, top, dot] :  // worked out by hand
       {std::tuple{1.0, 505, 289, 6, 1, 0, 0, 1}, {1.25, 631, 361, 7, 1, 21, 12, 1},
        {1.5, 758, 434, 9, 1, 0, 0, 1}, {1.75, 884, 506, 10, 1, 21, 12, 1},
        {2.0, 1010, 578, 12, 2, 0, 0, 2}}) {
    SCOPED_TRACE(scale);
    const shell::Raster big = shell::BigScreenAtScale(canvas.BigScreen().Screen(), scale);
    EXPECT_TRUE(big.Width() == width && big.Height() == height);  // the box
    EXPECT_TRUE(left == 0 || big.At(left - 1, top + 1) == kScreenColor);  // centred in it
    EXPECT_TRUE(top == 0 || big.At(left + 1, top - 1) == kScreenColor);
    for (int r = 0; r < 48; ++r) {
      for (int c = 0; c < 84; ++c) {
        const bool dark = std::ranges::count(dots, std::pair{c, r}) > 0;
        const int x = left + c * pitch, y = top + r * pitch;
        for (const auto& [at_x, at_y, colour] :
             {std::tuple{x, y + line, kGridColor}, {x + line - 1, y + pitch - 1, kGridColor},
              {x + line, y + line, dark ? kDotColor : kScreenColor},
              {x + pitch - 1, y + pitch - 1, dark ? kDotColor : kScreenColor}}) {
          ASSERT_EQ(big.At(at_x, at_y), colour) << c << "," << r;
        }
      }
    }
    const shell::Raster preview = shell::PreviewAtScale(canvas.PreviewSurface()->Screen(), scale);
    const int px = (preview.Width() - 84 * dot) / 2, py = (preview.Height() - 48 * dot) / 2;
    for (const auto& [c, r] : dots) {
      EXPECT_EQ(preview.At(px + c * dot + dot - 1, py + r * dot + dot - 1), kDotColor);
      EXPECT_EQ(preview.At(px + c * dot - 1 + (c == 0 ? dot + 1 : 0), py + r * dot), kScreenColor);
    }
  }
}

// A view's pixels: the screen image itself at scale 1; at another scale, made again once the
// screen changed, in either mode.
TEST(Canvas, AViewShowsTheScreenAsItIsNowAtItsScale) {
  shell::LogoCanvas canvas(shell::LogoCanvas::Preview::None);
  shell::ScreenAtScale shown(canvas.BigScreen(), true);
  EXPECT_EQ(&shown.At(1), &canvas.BigScreen().Screen());
  EXPECT_EQ(shown.At(1.5).At(1, 1), kScreenColor);
  canvas.FillCell(0, 0, 0, 0, kDotColor);
  canvas.Present();
  EXPECT_EQ(shown.At(1.5).At(1, 1), kDotColor);  // the cell's square, 9 pixels a dot
  canvas.SetPresentationMode(shell::PresentationMode::Immediate);
  canvas.FillCell(0, 0, 0, 0, kScreenColor);
  EXPECT_EQ(shown.At(1.5).At(1, 1), kScreenColor);
}

// A file manager's thumbnail: each dot a square of whole pixels, a one-pixel grid around them
// from four pixels a dot; with fewer pixels than dots, the dot each pixel falls in, aspect kept.
TEST(Thumbnail, WholePixelsADotAGridFromFourPixelsAndTheNearestDotBelowOne) {
  for (const auto& [sample, size, width, height, grid] :  // worked out by hand; grid: its pitch
       {std::tuple{"kestrel_bird", 512, 505, 289, 6}, {"kestrel_bird", 337, 337, 193, 4},
        {"kestrel_bird", 336, 336, 192, 0}, {"kestrel_bird", 32, 32, 18, 0},
        {"picture_wave", 512, 505, 197, 7}, {"picture_wave", 32, 32, 12, 0},
        {"operator_plover", 144, 144, 28, 0}}) {
    SCOPED_TRACE(sample + (" at " + std::to_string(size)));
    const test_support::Art art = test_support::SampleArt(sample);
    const int columns = int(art[0].size()), rows = int(art.size());
    const auto dark = [&art](int c, int r) { return art[std::size_t(r)][std::size_t(c)] == '#'; };
    shell::DotPicture dots(columns, rows);
    for (int i = 0; i < columns * rows; ++i) {
      dots.Set(i % columns, i / columns, dark(i % columns, i / columns));
    }
    shell::Raster expected(width, height, kScreenColor);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int c = grid ? x / grid : x * columns / width;
        const int r = grid ? y / grid : y * rows / height;
        if (grid && (x % grid == 0 || y % grid == 0)) {
          expected.SetPixel(x, y, kGridColor);
        } else if (dark(c, r)) {
          expected.SetPixel(x, y, kDotColor);
        }
      }
    }
    EXPECT_EQ(test_support::Difference(shell::Thumbnail(dots, size), expected), "");
  }
}

// The text with each '/' the system's separator.
shell::NativeString N(std::string_view text) {
  shell::NativeString native(text.begin(), text.end());
  std::replace(native.begin(), native.end(), shell::NativeString::value_type{'/'},
               shell::kSeparator);
  return native;
}

TEST(PathRules, SplitAtTheLastSeparatorAndJoinWithExactlyOne) {
  for (const auto& [path, folder, name] :  // the folder half is Typ -1, the name half any other
       {std::tuple{"/logos/a.nsl", "/logos", "a.nsl"}, {"/a.nsl", "", "a.nsl"},
        {"C:/a.nsl", "C:", "a.nsl"}, {"/logos/", "/logos", ""},
        {"//server/share/a.nsl", "//server/share", "a.nsl"}}) {
    EXPECT_EQ(shell::SamKatalog(N(path), -1), N(folder)) << path;
    EXPECT_EQ(shell::SamKatalog(N(path), 0), N(name)) << path;
    EXPECT_EQ(shell::SamKatalog(N(path), 1), N(name)) << path;
  }
  EXPECT_EQ(shell::SamKatalog(N("a.nsl"), 0), N("a.nsl"));
  EXPECT_THROW(shell::SamKatalog(N("a.nsl"), -1), std::invalid_argument);
  EXPECT_THROW(shell::SamKatalog(N(""), -1), std::invalid_argument);
  for (const auto& [folder, joined] : {std::pair{"/logos", "/logos/a.nsl"}, {"/", "/a.nsl"},
                                       {"C:/", "C:/a.nsl"}, {"", "/a.nsl"}}) {
    EXPECT_EQ(shell::JoinFolderAndName(N(folder), N("a.nsl")), N(joined)) << folder;
  }
#ifdef _WIN32
  EXPECT_EQ(shell::StartupFolder(L"C:"), fs::path(L"C:\\"));  // the root, not the drive's folder
#endif
}

#ifndef _WIN32
TEST(StartUp, TheArgumentsAreOnePathTakenFromTheWorkingFolder) {
  const auto root = [](const fs::path& drive) { return drive; };
  EXPECT_EQ(shell::StartupFilePath("../x/a.nsl", "/home/me", root), fs::path("/home/x/a.nsl"));
  EXPECT_EQ(shell::StartupFolder(""), fs::path("/"));  // the folder half of "/a.nsl"
  char program[] = "kestrel", first[] = "/logos/my", second[] = "logo.nsl";
  char* argv[] = {program, first, second};
  EXPECT_EQ(shell::StartupArgumentText(3, argv), "/logos/my logo.nsl");
  EXPECT_EQ(shell::StartupArgumentText(1, argv), "");
  for (const auto& [argument, request] :
       {std::pair{"--help", shell::StartRequest::Help}, {"--version", shell::StartRequest::Version},
        {"--help me.nsl", shell::StartRequest::Open}, {"-x.nsl", shell::StartRequest::Open}}) {
    EXPECT_EQ(shell::RequestOf(argument), request) << argument;
  }
}

TEST(ReadableNames, AnInvalidUtf8FormIsReadAsWindows1250) {
  EXPECT_EQ(shell::DisplayText("\xC1\x9C.nsl"), "Áś.nsl");  // not an overlong '\\'
  EXPECT_EQ(shell::DisplayText("\xED\xA0\x80"), "í\u00A0€");  // a surrogate
}

TEST(Drives, MountsAPersonCallsDrivesAndNothingElse) {
  std::vector<std::string> roots;
  for (const shell::Drive& drive : shell::DrivesFromMountInfo(
           "22 1 0:21 / /proc rw - proc proc rw\n"
           "25 1 8:1 / / rw shared:1 - ext4 /dev/sda1 rw\n"
           "26 25 8:2 / /home rw shared:2 - ext4 /dev/sda2 rw\n"
           "27 25 0:30 / /run/user/1000 rw - tmpfs tmpfs rw\n"
           "28 25 8:17 / /media/me/MY\\040STICK rw - vfat /dev/sdb1 rw\n"
           "29 25 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
           "31 25 0:40 / /mnt/share rw - nfs4 server:/share rw\n"
           "32 25 8:33 / /run/media/me/CARD rw - exfat /dev/sdc1 rw\n")) {
    roots.push_back(drive.root.string());
  }
  EXPECT_EQ(roots, (std::vector<std::string>{"/", "/home", "/media/me/MY STICK", "/mnt/share",
                                             "/run/media/me/CARD"}));
}

// A file the user did not choose to trust is read only when it is a regular file, never past
// the length it reports, never when that is more than its kind allows, and never waiting (a
// FIFO, a folder, a missing file and one that reports no length: the decoders' tests).
TEST(FileLayer, OnlyARegularFileIsReadAndOnlyAsFarAsItsLengthAndItsKindAllow) {
  using Kind = shell::FileFailureKind;
  using Bytes = std::vector<std::uint8_t>;
  test_support::TempFolder folder;
  fs::create_symlink("/dev/zero", folder.Path() / "zero");
  for (const auto& [path, failure, length] :  // failure none: read whole, `length` bytes
       {std::tuple<fs::path, std::optional<Kind>, std::size_t>{
            folder.Write("full", Bytes(1000, 7)), {}, 1000},  // as long as its kind allows
        {folder.Write("long", Bytes(1001, 7)), Kind::Overflow, 0},
        {folder.Path() / "zero", Kind::NotRegularFile, 0}}) {  // a link to a device
    try {
      EXPECT_EQ(shell::ReadWholeFile(path, 1000), Bytes(length, 7)) << path;
      EXPECT_EQ(failure, std::nullopt) << path;
    } catch (const shell::FileAccessError& error) {
      EXPECT_EQ(error.Failure().kind, failure) << path;
    }
  }
}

TEST(LanguageSetting, TheSettingsFileIsWhereTheXdgRulesPutIt) {
  const char* none = nullptr;
  for (const auto& [config, home, file] :
       {std::tuple{"/cfg", "/home/me", std::optional<fs::path>("/cfg/IconJAR.conf")},
        {"", "/home/me", "/home/me/.config/IconJAR.conf"},
        {none, "/home/me", "/home/me/.config/IconJAR.conf"},
        {"cfg", "/home/me", "/home/me/.config/IconJAR.conf"},  // relative: ignored
        {"/cfg", none, "/cfg/IconJAR.conf"}, {none, none, {}}, {"cfg", "", {}}}) {
    EXPECT_EQ(shell::SettingsFilePath(config, home), file) << (config ? config : "unset");
  }
}

TEST(LanguageSetting, ReadAsStoredFromAFileOfItsOwnKindAndNothingWritten) {
  using Setting = std::optional<std::string>;
  for (const auto& [text, setting] : std::vector<std::pair<std::string, Setting>>{
           {"[Options]\nLang=en\n", "en"}, {"[Options]\nLang=\n", ""},
           {"[Options]\nLang=en-GB\n", "en-GB"}, {"[Options]\nLang=EN\n", "EN"},
           {"[Options]\nLang=en,pl\n", "en,pl"}, {"[Options]\r\n Lang = en \r\n", "en"},
           {"[Options]\nLang=\" en\"\n", " en"}, {"[Options]\nLang=\"e\\\"n\"\n", "e\"n"},
           {"[General]\nLang=pl\n[Options]\nLang=en\n", "en"}, {"[Options]\nlang=en\n", {}},
           {"[Options]\nOther=en\n", {}}, {"[Elsewhere]\nLang=en\n", {}},
           {"not an ini file\n", {}}}) {
    EXPECT_EQ(shell::IniValue(text, "Options", "Lang"), setting) << text;
  }
  test_support::TempFolder config;
  setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  const fs::path file = config.Path() / "IconJAR.conf";
  EXPECT_EQ(shell::ReadLanguageSetting(), std::nullopt);
  EXPECT_TRUE(fs::is_empty(config.Path()));  // nothing created for an absent setting
  std::ofstream(file) << "[Options]\nLang=en\n";
  const auto written = fs::last_write_time(file);
  EXPECT_EQ(shell::ReadLanguageSetting(), "en");
  EXPECT_EQ(fs::last_write_time(file), written);
  fs::resize_file(file, 64 * 1024 + 1);  // larger than any settings file
  EXPECT_EQ(shell::ReadLanguageSetting(), std::nullopt);
  unsetenv("XDG_CONFIG_HOME");
}
#endif

TEST(Drives, AFolderBelongsToTheDriveWithTheLongestRootThatHoldsIt) {
  const std::vector<shell::Drive> drives{{"/", "/"}, {"/home", "/home"}, {"/home/me/usb", "usb"}};
  for (const auto& [folder, drive] : {std::pair{"/etc", 0u}, {"/home", 1u}, {"/home/me/logos", 1u},
                                      {"/home/me/usb/logos", 2u}, {"/homework", 0u}}) {
    EXPECT_EQ(shell::DriveIndexOf(drives, folder), drive) << folder;
  }
}

TEST(LanguageSetting, TheFirstTwoCharactersAndExactlyEnGiveEnglish) {
  const Language pl = Language::Polish, en = Language::English;
  for (const auto& [stored, language] :
       {std::pair{std::optional<std::string>(), pl}, {"", pl}, {"en", en}, {"en-GB", en},
        {"english", en}, {"e", pl}, {"EN", pl}, {"En", pl}, {" en", pl}, {"de", pl}}) {
    EXPECT_EQ(shell::ChooseLanguage(stored), language) << stored.value_or("absent");
  }
}

TEST(FailureTexts, ThePrefixCrLfAndWhyForEachKindInBothLanguages) {
  using Kind = shell::FileFailureKind;
  for (const auto& [kind, polish, english] :
       {std::tuple{Kind::NotFound, "Nie znaleziono pliku.", "File not found."},
        {Kind::PermissionDenied, "Brak uprawnień do odczytu pliku.",
         "Permission denied: the file cannot be read."},
        {Kind::InUse, "Plik jest używany przez inny program.",
         "The file is in use by another program."},
        {Kind::IsFolder, "To jest folder, a nie plik.", "This is a folder, not a file."},
        {Kind::NotRegularFile, "To nie jest zwykły plik (np. potok lub urządzenie).",
         "Not a regular file (a pipe, a device or the like)."},
        {Kind::ReadPastEnd, "Próba odczytu poza końcem pliku: plik jest za krótki.",
         "Input past end of file: the file is too short."},
        {Kind::Overflow, "Przepełnienie: plik jest za duży.",
         "Overflow: the file is too large."}}) {
    EXPECT_EQ(shell::DescribeFailure({kind}, Language::Polish), polish);
    EXPECT_EQ(shell::DescribeFailure({kind}, Language::English), english);
  }
  const shell::FileFailure other{Kind::System, 5, "I/O error"};
  EXPECT_EQ(shell::DescribeFailure(other, Language::English), "System error 5: I/O error.");
  EXPECT_EQ(shell::DescribeFailure(other, Language::Polish), "Błąd systemu 5: I/O error.");
  EXPECT_EQ(shell::FailureMessage("An ERROR occured:", "Why."), "An ERROR occured:\r\nWhy.");
  const auto folder = [](std::errc error, Language language) {
    return shell::FolderFailureMessage("/x", std::make_error_code(error), language);
  };
  EXPECT_EQ(folder(std::errc::no_such_file_or_directory, Language::English),
            "Cannot open the folder:\r\n/x\r\nThe folder does not exist (any more).");
  EXPECT_EQ(folder(std::errc::permission_denied, Language::Polish),
            "Nie można otworzyć folderu:\r\n/x\r\nBrak uprawnień do odczytu folderu.");
  EXPECT_EQ(folder(std::errc::permission_denied, Language::English),
            "Cannot open the folder:\r\n/x\r\nPermission denied: the folder cannot be read.");
  for (const auto& [error, kind] : {std::pair{std::errc::no_such_file_or_directory, Kind::NotFound},
                                    {std::errc::not_a_directory, Kind::NotFound},
                                    {std::errc::permission_denied, Kind::PermissionDenied},
                                    {std::errc::operation_not_permitted, Kind::PermissionDenied},
                                    {std::errc::is_a_directory, Kind::IsFolder},
                                    {std::errc::io_error, Kind::System}}) {
    EXPECT_EQ(shell::FailureFromError(std::make_error_code(error)).kind, kind);
  }
}

}  // namespace
