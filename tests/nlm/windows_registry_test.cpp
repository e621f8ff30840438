#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "nlm/logo_manager.h"
#include "nlm/reg_module.h"
#include "support/temp_folder.h"

namespace {

using namespace std::string_literals;

// The key the test set-up adds with `wine reg add`, read back through the real advapi32.
TEST(WindowsRegistry, FindsLogoManagerWhereAppPathsRegistersIt) {
  const std::unique_ptr<nlm::Registry> registry = nlm::SystemRegistry();
  EXPECT_EQ(nlm::RegModule(*registry).GetRegString(nlm::kHkeyLocalMachine, nlm::kAppPathsKey, ""),
            "C:\\windows\\notepad.exe");  // the blanks before it are gone
  const nlm::LogoManagerLookup lookup = nlm::LookUpLogoManager(*registry);
  EXPECT_TRUE(lookup.usable);
  EXPECT_EQ(nlm::RegModule(*registry).GetRegString(nlm::kHkeyLocalMachine, "Software\\Missing", ""),
            "");
}

// App Paths' value := text, through advapi32.
void Register(const std::string& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, nlm::kAppPathsKey, 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

// Only an existing program file enables the export, found by Windows' own path rules.
TEST(WindowsRegistry, OnlyAnExistingProgramFileWhereWindowsFindsItEnablesTheExport) {
  const test_support::TempFolder folder;
  std::ofstream(folder.Path() / "LOGOMAN.EXE") << "MZ";
  std::filesystem::create_directory(folder.Path() / "folder.exe");
  const std::string here = folder.Path().string() + "\\";
  for (const auto& [value, usable] :
       {std::pair{"C:\\windows\\notepad.exe  "s, true},  // the blanks after it kept, then dropped
        {"C:\\windows\\notepad.exe. ."s, true}, {here + "LOGOMAN.EXE", true},
        {here + "folder.exe", false}, {"C:\\windows\\missing.exe"s, false},
        {"\\\\?\\C:\\windows\\notepad.exe "s, false}}) {  // taken as written
    Register(value);
    EXPECT_EQ(nlm::LookUpLogoManager(*nlm::SystemRegistry()).usable, usable) << value;
  }
  Register("  C:\\windows\\notepad.exe");  // as the set-up left it
}

}  // namespace
