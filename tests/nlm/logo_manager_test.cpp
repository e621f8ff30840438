#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

// system.reg as Wine writes it: App Paths holding `values`, and the ANSI code page `acp` (none
// when empty) under the control set that CurrentControlSet links to.
std::string SystemReg(const std::string& values, const std::string& acp = "") {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
         "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\LogoManager.exe] "
         "1796591584\n#time=1da2b3c4d5e6f70\n" +
         values + "\n\n[System\\\\ControlSet001\\\\Control\\\\Nls\\\\CodePage] 1796591584\n" +
         (acp.empty() ? "" : "\"ACP\"=\"" + acp + "\"\n") +
         "\"OEMCP\"=\"852\"\n\n[System\\\\CurrentControlSet] 1796591584\n#time=1da2b3c4d5e6f70\n"
         "#link\n\"SymbolicLinkValue\"=hex(6):"
         "5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,00,\\\n"
         "  5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,79,00,73,00,74,00,\\\n"
         "  65,00,6d,00,5c,00,43,00,6f,00,6e,00,74,00,72,00,6f,00,6c,00,53,00,65,00,74,00,\\\n"
         "  30,00,30,00,31,00\n";
}

// GetRegString over a registry written as Wine writes it.
std::string Lookup(const std::string& text, const std::string& value_name = "") {
  nlm::WineRegistry registry = nlm::WineRegistry::FromText(text);
  return nlm::RegModule(registry).GetRegString(kHkeyLocalMachine, kAppPathsKey, value_name);
}

TEST(WineRegistry, ReadsTheValueAsRegQueryValueExADoes) {
  const std::tuple<std::string, std::string, std::string> cases[] = {  // text, name, value
      {SystemReg("@=\"C:\\\\Program Files\\\\LogoManager\\\\LogoManager.exe\""), "",
       "C:\\Program Files\\LogoManager\\LogoManager.exe"},
      {SystemReg("@=\"say \\\"hi\\\"\\ttab \\x17c\\x00f3\\x142w\""), "", "say \"hi\"\ttab żółw"},
      {SystemReg("@=str(2):\"%ProgramFiles%\\\\LM.exe\""), "", "%ProgramFiles%\\LM.exe"},
      {SystemReg("\"Path\"=\"C:\\\\LM\"\n@=\"C:\\\\LM\\\\LM.exe\""), "PATH", "C:\\LM"},
      {SystemReg("@=\"   C:\\\\LM.exe  \""), "", "C:\\LM.exe  "},  // only blanks before it go
      // Key names in any case, other kinds of values around it.
      {"WINE REGISTRY Version 2\n\n[SOFTWARE\\\\microsoft\\\\windows\\\\currentversion\\\\"
       "app paths\\\\logomanager.EXE] 1\n\"Blob\"=hex:00,01,02,\\\n  03,04\n\"Size\"=dword:"
       "0000002a\n@=\"C:\\\\LM.exe\"\n",
       "", "C:\\LM.exe"},
      // Read as not registered: no default value, no key, not a registry at all.
      {SystemReg("\"Path\"=\"C:\\\\LM\""), "", ""},
      {"WINE REGISTRY Version 2\n\n[Software] 1\n@=\"x\"\n", "", ""},
      {SystemReg("@=\"x\"").substr(24), "", ""},  // without its first line
  };
  for (const auto& [text, value_name, expected] : cases) {
    EXPECT_EQ(Lookup(text, value_name), expected) << text;
  }
}

// The buffer holds 255 bytes of the prefix's ANSI code page, the value's NUL among them.
TEST(WineRegistry, TheBufferHolds254CharactersOfTheAnsiCodePage) {
  // The code page; the letter as the file writes it and as it is; how many in C:\...exe; fits.
  const std::tuple<std::string, std::string, std::string, int, bool> cases[] = {
      {"1250", "\\x142", "ł", 247, true},  // 3 + 247 + 4 bytes and the NUL, where UTF-8 takes 502
      {"1250", "\\x142", "ł", 248, false},
      {"", "\\x142", "ł", 247, true},  // Windows-1252 when none is named: ł becomes one '?'
      {"932", "\\x3042", "あ", 123, true}, {"932", "\\x3042", "あ", 124, false},  // two bytes each
      {"65001", "\\x142", "ł", 123, true}, {"65001", "\\x142", "ł", 124, false},  // UTF-8 too
  };
  for (const auto& [acp, escaped, letter, count, fits] : cases) {
    std::string written, value;
    for (int i = 0; i < count; ++i) {
      written += escaped;
      value += letter;
    }
    EXPECT_EQ(Lookup(SystemReg("@=\"C:\\\\" + written + ".exe\"", acp)),
              fits ? "C:\\" + value + ".exe" : "") << acp << " " << letter << " " << count;
  }
}

// A Wine prefix with the usual drive links and LogoManager installed in it, set as the prefix
// Wine uses; PATH holds only a folder for a stand-in `wine`.
class WinePrefixTest : public testing::Test {
 protected:
  WinePrefixTest() {
    for (const char* name : {"Program Files/LogoManager", "Żółw", "folder.exe"}) {
      fs::create_directories(prefix() / "drive_c" / name);
    }
    for (const char* name : {"Program Files/LogoManager/LogoManager.exe", "Żółw/LM.exe", "\xF3.exe",
                             "LM.cmd", "LM.EXE.txt", "Tool.EXE"}) {
      std::ofstream(prefix() / "drive_c" / name) << "MZ";
    }
    fs::create_directories(prefix() / "dosdevices");
    fs::create_symlink("../drive_c", prefix() / "dosdevices" / "c:");
    fs::create_symlink("/", prefix() / "dosdevices" / "z:");
    fs::create_directories(bin());
    setenv("WINEPREFIX", prefix().c_str(), 1);
    setenv("PATH", bin().c_str(), 1);
  }
  ~WinePrefixTest() override {
    setenv("PATH", path_.c_str(), 1);
    unsetenv("WINEPREFIX");
  }
  fs::path prefix() const { return folder.Path() / "prefix"; }
  fs::path program() const { return prefix() / "drive_c/Program Files/LogoManager/LogoManager.exe"; }
  fs::path bin() const { return folder.Path() / "bin"; }

  test_support::TempFolder folder;
  const std::string path_ = std::getenv("PATH");
};

TEST_F(WinePrefixTest, TheProgramFileIsFoundAsWineFindsIt) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\Program Files\\LogoManager\\LogoManager.exe", true},
      {"c:\\PROGRAM FILES\\logomanager\\LogoManager.EXE", true},
      {"C:\\żÓŁW\\lm.exe", true},  // Polish letters without regard to case too
      {"C:/Program Files/LogoManager/LogoManager.exe", true},
      {"C:\\Program Files\\LogoManager\\LogoManager.exe. .", true},
      {"C:\\Program Files.\\\\LogoManager\\LogoManager.exe", true},  // a folder's one dot
      {"C:\\Windows\\..\\Program Files\\.\\LogoManager\\LogoManager.exe", true},
      {"\\\\?\\C:\\Program Files\\LogoManager\\LogoManager.exe", true},
      {"\\??\\c:\\program files\\logomanager\\logomanager.exe", true},
      {"C:\\Program Files..\\LogoManager\\LogoManager.exe", false},  // only one dot goes there
      {"C:\\Program Files \\LogoManager\\LogoManager.exe", false},   // and no blank
      {"\\\\?\\C:\\Program Files\\LogoManager\\LogoManager.exe ", false},  // taken as written
      {"\\??\\C:\\Program Files/LogoManager\\LogoManager.exe", false},
      {"\\\\?\\C:\\Program Files\\..\\Program Files\\LogoManager\\LogoManager.exe", false},
      {"C:\\Tool.EXE", true}, {"C:\\LM.cmd", false},  // a batch file runs through cmd
      {"C:\\LM.EXE.txt", false}, {"C:\\folder.exe", false},
      {"C:\\Program Files\\LogoManager", false}, {"C:\\ó.exe", false},  // not \xF3.exe: no UTF-8
      {"C:\\Program Files\\LogoManager\\Missing.exe", false}, {"D:\\LogoManager.exe", false},
      {"LogoManager.exe", false},
  };
  for (const auto& [windows_path, found] : cases) {
    EXPECT_EQ(nlm::ProgramFileExists(windows_path), found) << windows_path;
  }
  // A file of this system as Wine names it: through z:, or through c: when c: holds it.
  EXPECT_EQ(nlm::WindowsPathOf("/usr/share/logo.nlm", prefix()), "Z:\\usr\\share\\logo.nlm");
  EXPECT_EQ(nlm::WindowsPathOf(prefix() / "drive_c" / "a b.nlm", prefix()), "C:\\a b.nlm");
}

// Start-up always reaches its window: a system.reg far too large (read by the bounded reader, which
// refuses what is no file as well), or no prefix at all, is read as LogoManager not registered.
TEST_F(WinePrefixTest, ARegistryThatCannotBeReadMeansNotRegistered) {
  const fs::path reg = prefix() / "system.reg";
  const std::string home = std::getenv("HOME");
  const fs::path working_folder = fs::current_path();
  const auto usable = [] {
    const nlm::LogoManagerLookup lookup = nlm::LookUpLogoManager(*nlm::SystemRegistry());
    EXPECT_EQ(lookup.LogoManagerPath.empty(), !lookup.usable);
    return lookup.usable;
  };
  const std::string registered =
      SystemReg("@=\"C:\\\\Program Files\\\\LogoManager\\\\LogoManager.exe\"");
  std::ofstream(reg) << registered;
  EXPECT_TRUE(usable());
  fs::resize_file(reg, (std::uintmax_t{64} << 20) + 1);  // larger than any registry; sparse
  EXPECT_FALSE(usable());
  std::ofstream(reg) << registered;
  fs::create_symlink(prefix(), folder.Path() / ".wine");  // in the working folder, and no
  fs::current_path(folder.Path());                        // WINEPREFIX and no HOME
  unsetenv("WINEPREFIX");
  unsetenv("HOME");
  EXPECT_FALSE(usable());
  EXPECT_EQ(nlm::WinePrefix(), std::nullopt);
  setenv("HOME", home.c_str(), 1);
  fs::current_path(working_folder);
}

// The export runs `wine` with LogoManager and the file, each argument intact and without a
// shell, only while both can be started; a failure is never reported as a start.
TEST_F(WinePrefixTest, TheExportStartsLogoManagerOnlyWhenItCanRun) {
  const std::string program_path = "C:\\Program Files\\LogoManager\\LogoManager.exe ";
  const fs::path file = folder.Path() / "a b$(touch x); 'q\"&mkdir X&.nlm";
  std::string file_for_wine = "Z:" + file.string();
  std::replace(file_for_wine.begin(), file_for_wine.end(), '/', '\\');
  const fs::path record = folder.Path() / "record";
  std::ofstream(bin() / "wine") << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; "
                                << "done > \"$0.tmp\" && /bin/mv \"$0.tmp\" \"" << record.string()
                                << "\"\n";
  fs::permissions(bin() / "wine", fs::perms::owner_all);
  EXPECT_TRUE(nlm::StartLogoManager(program_path, file));
  setenv("PATH", (folder.Path() / "nothing").c_str(), 1);  // no wine
  EXPECT_FALSE(nlm::StartLogoManager(program_path, file));
  setenv("PATH", bin().c_str(), 1);
  fs::remove(program());  // LogoManager.exe removed after start-up
  EXPECT_FALSE(nlm::StartLogoManager(program_path, file));
  for (int i = 0; i < 500 && !fs::exists(record); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(record);
  const std::string got{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(got, "[" + program_path + "]\n[" + file_for_wine + "]\n");
  EXPECT_FALSE(fs::exists("x"));
}

}  // namespace
