#include <windows.h>

#include "apps/kestrel/form1.h"
#include "model/viewer_fixture.h"
#include "shell/path_rules.h"

namespace model_test {
namespace {

// What Windows' own path rules would get wrong: device names, long paths, files held locked.
class WindowsFiles : public ViewerTest {
 protected:
  // Copies a sample under a name that Windows' path rules would otherwise take for a device.
  void CopyAs(const char* sample, const fs::path& path) {
    fs::copy_file(shell::SystemPath(test_support::SamplePath(sample)), shell::SystemPath(path));
  }
};

TEST_F(WindowsFiles, DeviceNamesAreFilesAndLongPathsOpen) {
  fs::path deep = Folder();
  while (deep.native().size() < 300) {
    deep /= std::wstring(40, L'd');
  }
  fs::create_directories(shell::SystemPath(deep));
  const fs::path cases[] = {Folder() / "CON.nsl", Folder() / "nul.nsl", Folder() / "COM1.nsl",
                            deep / "deep logo.nsl"};
  for (const fs::path& file : cases) {
    CopyAs("hello_frame.nsl", file);
  }
  for (const fs::path& file : cases) {
    Open<kestrel::Form1>(file);
    EXPECT_EQ(Selected(), file.filename().string());
    EXPECT_EQ(BigScreenDiffers(SampleArt("hello_frame"), shell::kGridColor), "") << file;
  }
  EXPECT_EQ(Messages(), "");
  // Beyond the library's own removal, which takes these names for devices: one by one.
  form_.reset();
  for (const fs::path& file : cases) {
    DeleteFileW(shell::SystemPath(file).c_str());
  }
  for (fs::path level = deep; level != Folder(); level = level.parent_path()) {
    RemoveDirectoryW(shell::SystemPath(level).c_str());
  }
}

TEST_F(WindowsFiles, AFileAnotherProgramHoldsLockedGetsOneMessage) {
  CopyAs("hello_frame.nsl", Folder() / "a.nsl");
  CopyAs("kestrel_bird.nsl", Folder() / "b.nsl");
  HANDLE held = CreateFileW((Folder() / "b.nsl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Open<kestrel::Form1>(Folder() / "a.nsl");
  Click("Command3");
  EXPECT_TRUE(Messages().starts_with("Wystąpił błąd:\r\n"));
  EXPECT_EQ(BigScreenDiffers(Blank(), shell::kScreenColor), "");
  CloseHandle(held);
  Click("Command4");  // and the window goes on
  EXPECT_EQ(BigScreenDiffers(SampleArt("hello_frame"), shell::kGridColor), "");
}

}  // namespace
}  // namespace model_test
