#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "nlm/logo_manager.h"
#include "nlm/reg_module.h"
#include "nlm/wine_prefix.h"
#include "nlm/wine_registry.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using nlm::kAppPathsKey;
using nlm::kHkeyLocalMachine;

std::string AppPaths(const std::string& values) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
         "[Software\\\\Classes\\\\.nlm] 1700000000\n@=\"nlmfile\"\n\n"
         "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\LogoManager.exe] "
         "1796591584\n#time=1da2b3c4d5e6f70\n" +
         values + "\n";
}

// GetRegString over a registry written as Wine writes it.
std::string Lookup(const std::string& text, const std::string& value_name = "") {
  nlm::WineRegistry registry = nlm::WineRegistry::FromText(text);
  return nlm::RegModule(registry).GetRegString(kHkeyLocalMachine, kAppPathsKey, value_name);
}

TEST(WineRegistry, ReadsStringsWithTheirEscapes) {
  EXPECT_EQ(Lookup(AppPaths("@=\"C:\\\\Program Files\\\\LogoManager\\\\LogoManager.exe\"")),
            "C:\\Program Files\\LogoManager\\LogoManager.exe");
  EXPECT_EQ(Lookup(AppPaths("@=\"say \\\"hi\\\"\\ttab \\x17c\\x00f3\\x142w\"")),
            "say \"hi\"\ttab żółw");
  EXPECT_EQ(Lookup(AppPaths("@=str(2):\"%ProgramFiles%\\\\LM.exe\"")), "%ProgramFiles%\\LM.exe");
  EXPECT_EQ(Lookup(AppPaths("\"Path\"=\"C:\\\\LM\"\n@=\"C:\\\\LM\\\\LM.exe\""), "PATH"),
            "C:\\LM");  // value names compare without regard to case
}

TEST(WineRegistry, KeyNamesCompareWithoutRegardToCaseAndOtherValuesDoNotDisturb) {
  const std::string text =
      "WINE REGISTRY Version 2\n\n[SOFTWARE\\\\microsoft\\\\windows\\\\currentversion\\\\"
      "app paths\\\\logomanager.EXE] 1\n\"Blob\"=hex:00,01,02,\\\n  03,04\n\"Size\"=dword:"
      "0000002a\n@=\"C:\\\\LM.exe\"\n";
  EXPECT_EQ(Lookup(text), "C:\\LM.exe");
}

TEST(WineRegistry, AnythingElseReadsAsNotRegistered) {
  EXPECT_EQ(Lookup(AppPaths("\"Path\"=\"C:\\\\LM\"")), "");                     // no default value
  EXPECT_EQ(Lookup("WINE REGISTRY Version 2\n\n[Software] 1\n@=\"x\"\n"), "");  // no key
  EXPECT_EQ(Lookup("[Software\\\\Microsoft] 1\n@=\"x\"\n"), "");  // not a registry at all
  EXPECT_EQ(Lookup(""), "");
}

TEST(RegModule, LeadingBlanksGoTrailingOnesStayAndTheBufferHolds254Characters) {
  EXPECT_EQ(Lookup(AppPaths("@=\"   C:\\\\LM.exe  \"")), "C:\\LM.exe  ");
  const std::string longest(254, 'a');  // with its NUL, exactly the 255-byte buffer
  EXPECT_EQ(Lookup(AppPaths("@=\"" + longest + "\"")), longest);
  EXPECT_EQ(Lookup(AppPaths("@=\"" + longest + "a\"")), "");  // needs 256 bytes
}

// A prefix with the usual drive links and a LogoManager installed in it.
class WinePrefixTest : public testing::Test {
 protected:
  WinePrefixTest() {
    fs::create_directories(prefix() / "drive_c" / "Program Files" / "LogoManager");
    std::ofstream(prefix() / "drive_c" / "Program Files" / "LogoManager" / "LogoManager.exe");
    fs::create_directories(prefix() / "dosdevices");
    fs::create_symlink("../drive_c", prefix() / "dosdevices" / "c:");
    fs::create_symlink("/", prefix() / "dosdevices" / "z:");
  }
  fs::path prefix() const { return folder.Path() / "prefix"; }
  test_support::TempFolder folder;
};

TEST_F(WinePrefixTest, WindowsPathsMapThroughTheDriveLinksWithoutRegardToCase) {
  const auto program = nlm::UnixPathOf("c:\\PROGRAM FILES\\logomanager\\LogoManager.exe", prefix());
  ASSERT_TRUE(program);
  EXPECT_TRUE(fs::is_regular_file(*program));
  EXPECT_EQ(nlm::UnixPathOf("C:\\Program Files\\Missing.exe", prefix()), std::nullopt);
  EXPECT_EQ(nlm::UnixPathOf("D:\\LM.exe", prefix()), std::nullopt);
  // A file of this system as Wine names it: through z:, or through c: when c: holds it.
  EXPECT_EQ(nlm::WindowsPathOf("/usr/share/logo.nlm", prefix()), "Z:\\usr\\share\\logo.nlm");
  EXPECT_EQ(nlm::WindowsPathOf(prefix() / "drive_c" / "a b.nlm", prefix()), "C:\\a b.nlm");
}

TEST_F(WinePrefixTest, StartDetachedPassesEachArgumentIntactWithoutAShell) {
  const fs::path record = folder.Path() / "record";
  const fs::path stand_in = folder.Path() / "stand-in";
  std::ofstream(stand_in) << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \""
                          << record.string() << ".tmp\" && mv \"" << record.string() << ".tmp\" \""
                          << record.string() << "\"\n";
  fs::permissions(stand_in, fs::perms::owner_all);
  const nlm::ExportLaunch launch{
      stand_in.native(), {"C:\\LM.exe", "/a b/$(touch x); 'q\".nlm"}, {}};
  ASSERT_TRUE(nlm::StartDetached(launch));
  for (int i = 0; i < 500 && !fs::exists(record); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(record);
  const std::string got{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(got, "[C:\\LM.exe]\n[/a b/$(touch x); 'q\".nlm]\n");
  EXPECT_FALSE(fs::exists("x"));
  EXPECT_FALSE(nlm::StartDetached({(folder.Path() / "no-such-program").native(), {}, {}}));
}

}  // namespace
