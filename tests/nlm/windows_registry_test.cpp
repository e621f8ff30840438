#include <windows.h>

#include <gtest/gtest.h>

#include "nlm/logo_manager.h"
#include "nlm/reg_module.h"

namespace {

// The key the test set-up adds with `wine reg add`, read back through the real advapi32.
TEST(WindowsRegistry, FindsLogoManagerWhereAppPathsRegistersIt) {
  EXPECT_EQ(reinterpret_cast<HKEY>(nlm::kHkeyLocalMachine), HKEY_LOCAL_MACHINE);
  const std::unique_ptr<nlm::Registry> registry = nlm::SystemRegistry();
  EXPECT_EQ(nlm::RegModule(*registry).GetRegString(nlm::kHkeyLocalMachine, nlm::kAppPathsKey, ""),
            "C:\\windows\\notepad.exe");  // the blanks before it are gone
  const nlm::LogoManagerLookup lookup = nlm::LookUpLogoManager(*registry);
  EXPECT_TRUE(lookup.usable);
  EXPECT_EQ(nlm::RegModule(*registry).GetRegString(nlm::kHkeyLocalMachine, "Software\\Missing", ""),
            "");
}

TEST(WindowsRegistry, TheExportCommandLineIsTheProgramABlankAndTheFileUnquoted) {
  const nlm::ExportLaunch launch =
      nlm::LogoManagerLaunch("C:\\Program Files\\LM\\LogoManager.exe", L"D:\\my logos\\a.nlm");
  EXPECT_EQ(launch.program, L"C:\\Program Files\\LM\\LogoManager.exe");
  EXPECT_EQ(launch.command_line, L"C:\\Program Files\\LM\\LogoManager.exe D:\\my logos\\a.nlm");
}

}  // namespace
