#include <windows.h>

#include <string>

#include "model/viewer_fixture.h"
#include "shell/base/read_only_file.h"
#include "shell/base/windows_error.h"
#include "shell/system/command_line.h"
#include "shell/system/path_rules.h"

namespace model_test {
namespace {

// What Windows' own path rules would get wrong: device names, long paths, files held locked.
using WindowsFiles = ViewerTest;

TEST_F(WindowsFiles, DeviceNamesAreFilesAndLongPathsOpen) {
  fs::path deep = Folder();
  while (deep.native().size() < 300) {
    deep /= std::wstring(40, L'd');
  }
  fs::create_directories(shell::SystemPath(deep));
  const fs::path cases[] = {Folder() / "CON.nsl", Folder() / "nul.nsl", Folder() / "COM1.nsl",
                            deep / "deep logo.nsl"};
  for (const fs::path& file : cases) {
    Copy("hello_frame.nsl", file);
  }
  for (const fs::path& file : cases) {
    OpenKestrel(file);
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

// Why a file cannot be read, in the same words as on Linux where both have the case.
TEST_F(WindowsFiles, EachFailureToOpenAFileIsToldInItsOwnWords) {
  Copy("hello_frame.nsl", "held.nsl");
  fs::create_directory(Folder() / "folder.nsl");
  const std::wstring pipe = L"\\\\.\\pipe\\kp-" + Folder().filename().native() + L".nsl";
  HANDLE held = CreateFileW((Folder() / "held.nsl").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE server = CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_INBOUND, 0, 1, 0, 0, 0, nullptr);
  ASSERT_TRUE(held != INVALID_HANDLE_VALUE && server != INVALID_HANDLE_VALUE);
  const std::pair<fs::path, const char*> cases[] = {
      {Folder() / "held.nsl", "The file is in use by another program."},
      {pipe, "Not a regular file (a pipe, a device or the like)."},
      {Folder() / "folder.nsl", "This is a folder, not a file."},
      {Folder() / "missing.nsl", "File not found."},
  };
  for (const auto& [file, words] : cases) {
    try {
      shell::ReadOnlyFile opened(file);
      ADD_FAILURE() << file << " opened";
    } catch (const shell::FileAccessError& error) {
      EXPECT_EQ(shell::DescribeFailure(error.Failure(), shell::Language::English), words) << file;
    }
  }
  CloseHandle(server);
  CloseHandle(held);
}

// Windows' own texts come in the user's language, Polish letters and all; the test runs again
// as its own case with Wine's language Polish.
TEST(SystemTexts, AreInTheUsersLanguage) {
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_POLISH) {
    GTEST_SKIP() << "the user's language is not Polish";
  }
  EXPECT_EQ(shell::SystemText(ERROR_SHARING_VIOLATION), "Naruszenie współdzielenia");
  EXPECT_EQ(shell::SystemText(ERROR_FILE_NOT_FOUND), "Nie znaleziono pliku");
}

// The text with each "<F>" the fresh folder, "<D>" its drive and "<Z>" the drive of the
// process's working folder, another one.
std::wstring Filled(std::wstring text, const fs::path& folder) {
  const std::pair<std::wstring, std::wstring> fills[] = {
      {L"<F>", folder.native()}, {L"<D>", folder.native().substr(0, 2)},
      {L"<Z>", fs::current_path().native().substr(0, 2)}};
  for (const auto& [mark, fill] : fills) {
    for (std::size_t at = text.find(mark); at != std::wstring::npos; at = text.find(mark)) {
      text.replace(at, mark.size(), fill);
    }
  }
  return text;
}

// Every form a start-up argument comes in opens its file or falls back quietly (the start-up is
// both programs' one routine; kestrel drives it here).
TEST_F(WindowsFiles, EachFormOfTheStartUpArgumentOpensItsFileOrFallsBack) {
  drives_ = shell::ListDrives();
  ASSERT_NE(Folder().native().substr(0, 2), fs::current_path().native().substr(0, 2));
  fs::create_directory(Folder() / "my logos");
  Copy("hello_frame.nsl", "logo.nsl");
  Copy("hello_frame.nsl", "my logos/logo.nsl");
  enum Shown { kFolder, kMyLogos, kOtherDrivesFolder };
  const fs::path shown[] = {Folder(), Folder() / "my logos", fs::current_path()};
  for (const auto& [form, folder_shown, selected] :
       {std::tuple{L"<F>\\logo.nsl", kFolder, true},
        {L"\"<F>\\my logos\\logo.nsl\"", kMyLogos, true},  // quoted, as Explorer passes it
        {L"<D>logo.nsl", kFolder, true},  // this drive's folder: the working one
        {L"\\\\?\\<F>\\my logos\\logo.nsl", kMyLogos, true},
        {L"<F>\\my logos\\", kMyLogos, false},  // a folder
        {L"<F>\\my logos", kFolder, false},     // a folder, named as a file
        {L"<F>\\missing.nsl", kFolder, false},
        {L"<F>\\missing\\logo.nsl", kFolder, true},   // the scan runs over the list shown
        {L"<Z>logo.nsl", kOtherDrivesFolder, false},  // another drive's current folder
        {L"<Z>\\kp-missing\\logo.nsl", kOtherDrivesFolder, false},
        {L"\\\\nowhere\\share\\logo.nsl", kFolder, true},
        {L"COM1", kFolder, false}, {L"\\\\.\\NUL", kFolder, false}}) {
    const std::wstring argument = shell::WithoutWrappingQuotes(Filled(form, Folder()));
    SCOPED_TRACE(shell::DisplayText(argument));
    OpenKestrel(argument);
    EXPECT_EQ(File1().Path(), shown[folder_shown]);
    EXPECT_EQ(Selected(), selected ? "logo.nsl" : "none");
    EXPECT_EQ(Messages(), "");
  }
}

}  // namespace
}  // namespace model_test
