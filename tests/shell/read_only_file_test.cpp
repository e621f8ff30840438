#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "shell/file_failure.h"
#include "shell/read_only_file.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using shell::FileFailureKind;
using shell::ReadOnlyFile;
using Bytes = std::vector<std::uint8_t>;

FileFailureKind FailureOpening(const fs::path& path) {
  try {
    ReadOnlyFile file(path);
  } catch (const shell::FileAccessError& error) {
    return error.Failure().kind;
  }
  return FileFailureKind::System;  // opened: no test expects that
}

TEST(ReadOnlyFile, ReadsUpToTheEndAndNoFurther) {
  test_support::TempFolder folder;
  ReadOnlyFile file(folder.Write("a.nsl", {1, 2, 3, 4, 5}));
  EXPECT_EQ(file.ReadUpTo(3), (Bytes{1, 2, 3}));
  EXPECT_EQ(file.ReadUpTo(10), (Bytes{4, 5}));
  EXPECT_TRUE(file.ReadUpTo(10).empty());
}

TEST(ReadOnlyFile, RefusesWhatIsNoExistingRegularFileAndCreatesNothing) {
  test_support::TempFolder folder;
  EXPECT_EQ(FailureOpening(folder.Path() / "gone.nsl"), FileFailureKind::NotFound);
  EXPECT_FALSE(fs::exists(folder.Path() / "gone.nsl"));
  EXPECT_EQ(FailureOpening(folder.Path() / "no-folder" / "x.nsl"), FileFailureKind::NotFound);
  fs::create_directory(folder.Path() / "x.nsl");
  EXPECT_EQ(FailureOpening(folder.Path() / "x.nsl"), FileFailureKind::IsFolder);
#ifndef _WIN32
  const fs::path fifo = folder.Path() / "fifo.nsl";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(FailureOpening(fifo), FileFailureKind::NotRegularFile);  // and no wait for a writer
  EXPECT_EQ(FailureOpening("/dev/null"), FileFailureKind::NotRegularFile);
  fs::create_symlink("nowhere.nsl", folder.Path() / "dangling.nsl");
  EXPECT_EQ(FailureOpening(folder.Path() / "dangling.nsl"), FileFailureKind::NotFound);
  EXPECT_FALSE(fs::exists(folder.Path() / "nowhere.nsl"));
#endif
}

#ifndef _WIN32
TEST(ReadOnlyFile, AnyByteStringNameOpensAndLinksAreFollowed) {
  test_support::TempFolder folder;
  const fs::path name(std::string("\xBF\xF3\xB3w.nsl"));  // "żółw.nsl" in Windows-1250
  folder.Write(name, {42});
  fs::create_symlink(name, folder.Path() / "link.nsl");
  EXPECT_EQ(ReadOnlyFile(folder.Path() / name).ReadUpTo(1), Bytes{42});
  EXPECT_EQ(ReadOnlyFile(folder.Path() / "link.nsl").ReadUpTo(1), Bytes{42});
}

TEST(ReadOnlyFile, AnUnreadableFileIsReportedAsSuch) {
  test_support::TempFolder folder;
  const fs::path path = folder.Write("locked.nsl", {1});
  fs::permissions(path, fs::perms::none);
  if (::geteuid() != 0) {
    EXPECT_EQ(FailureOpening(path), FileFailureKind::PermissionDenied);
    return;
  }
  // Permissions do not stop root: try as an ordinary user in a child process.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
      ::_exit(2);
    }
    ::_exit(FailureOpening(path) == FileFailureKind::PermissionDenied ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "1: opened or another failure, 2: could not drop privileges";
}

TEST(ReadOnlyFile, AFileThatReportsNoSizeIsStillReadToItsEnd) {
  ASSERT_EQ(shell::FileLength("/proc/self/status"), 0u);
  EXPECT_GT(ReadOnlyFile("/proc/self/status").ReadUpTo(4096).size(), 0u);
}
#endif

}  // namespace
