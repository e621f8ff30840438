#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

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
    fs::copy_file(shell::SystemPath(fs::path(KP_OWN_SAMPLES_DIR) / sample), shell::SystemPath(path));
  }
  kestrel::Form1& Open(const fs::path& argument) {
    form_ = std::make_unique<kestrel::Form1>(Services());
    form_->Form_Load(argument.native());
    return *form_;
  }
  std::unique_ptr<kestrel::Form1> form_;
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
    Open(file);
    SCOPED_TRACE(file.string());
    EXPECT_EQ(Selected(ControlOf<shell::FileList>(*form_, "File1")), file.filename().string());
    EXPECT_EQ(BigScreen(form_->Canvas()), Sample("hello_frame.txt"));
  }
  EXPECT_TRUE(messages_.shown.empty());
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
  Open(Folder() / "a.nsl");
  ControlOf<shell::Button>(*form_, "Command3").Click();
  EXPECT_TRUE(OneMessage().starts_with("Wystąpił błąd:\r\n"));
  EXPECT_EQ(BigScreen(form_->Canvas()), Blank());
  CloseHandle(held);
  ControlOf<shell::Button>(*form_, "Command4").Click();  // and the window goes on
  EXPECT_EQ(BigScreen(form_->Canvas()), Sample("hello_frame.txt"));
}

}  // namespace
}  // namespace model_test
