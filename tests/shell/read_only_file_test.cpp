#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
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
using test_support::TempFolder;

FileFailureKind FailureOpening(const fs::path& path) {
  try {
    ReadOnlyFile file(path);
  } catch (const shell::FileAccessError& error) {
    return error.Failure().kind;
  }
  ADD_FAILURE() << path << " opened";
  return FileFailureKind::System;
}

TEST(ReadOnlyFile, ReadsUpToTheEndAndNoFurther) {
  TempFolder folder;
  const fs::path path = folder.Write("a.nsl", {1, 2, 3, 4, 5});
  ReadOnlyFile file(path);
  EXPECT_EQ(file.ReadUpTo(3), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(file.ReadUpTo(10), (std::vector<std::uint8_t>{4, 5}));
  EXPECT_TRUE(file.ReadUpTo(10).empty());
}

TEST(ReadOnlyFile, AMissingFileIsReportedAndNotCreated) {
  TempFolder folder;
  EXPECT_EQ(FailureOpening(folder.Path() / "gone.nsl"), FileFailureKind::NotFound);
  EXPECT_FALSE(fs::exists(folder.Path() / "gone.nsl"));
  EXPECT_EQ(FailureOpening(folder.Path() / "no-folder" / "x.nsl"), FileFailureKind::NotFound);
  EXPECT_EQ(FailureOpening(""), FileFailureKind::NotFound);
}

TEST(ReadOnlyFile, AFolderNamedLikeALogoIsRefused) {
  TempFolder folder;
  fs::create_directory(folder.Path() / "x.nsl");
  EXPECT_EQ(FailureOpening(folder.Path() / "x.nsl"), FileFailureKind::IsFolder);
}

#ifndef _WIN32
TEST(ReadOnlyFile, AFifoIsRefusedWithoutWaitingForAWriter) {
  TempFolder folder;
  const fs::path fifo = folder.Path() / "x.nsl";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(FailureOpening(fifo), FileFailureKind::NotRegularFile);
}

TEST(ReadOnlyFile, ADeviceIsRefused) {
  EXPECT_EQ(FailureOpening("/dev/null"), FileFailureKind::NotRegularFile);
}

TEST(ReadOnlyFile, AnyByteStringNameOpens) {
  TempFolder folder;
  // "żółw.nsl" in Windows-1250, which is not valid UTF-8.
  const fs::path name(std::string("\xBF\xF3\xB3w.nsl"));
  folder.Write(name, {42});
  ReadOnlyFile file(folder.Path() / name);
  EXPECT_EQ(file.ReadUpTo(1), (std::vector<std::uint8_t>{42}));
}

TEST(ReadOnlyFile, LinksAreFollowedAndADanglingOneIsMissing) {
  TempFolder folder;
  folder.Write("real.nsl", {7});
  fs::create_symlink("real.nsl", folder.Path() / "link.nsl");
  fs::create_symlink("nowhere.nsl", folder.Path() / "dangling.nsl");
  EXPECT_EQ(ReadOnlyFile(folder.Path() / "link.nsl").ReadUpTo(1), std::vector<std::uint8_t>{7});
  EXPECT_EQ(FailureOpening(folder.Path() / "dangling.nsl"), FileFailureKind::NotFound);
  EXPECT_FALSE(fs::exists(folder.Path() / "nowhere.nsl"));
}

TEST(ReadOnlyFile, AnUnreadableFileIsReportedAsSuch) {
  TempFolder folder;
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
    try {
      ReadOnlyFile file(path);
    } catch (const shell::FileAccessError& error) {
      ::_exit(error.Failure().kind == FileFailureKind::PermissionDenied ? 0 : 1);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: opened or wrong failure, 2: could not drop privileges";
}

TEST(ReadOnlyFile, AFileThatReportsNoSizeIsStillReadToItsEnd) {
  ASSERT_EQ(fs::file_size("/proc/self/status"), 0u);
  ReadOnlyFile file("/proc/self/status");
  EXPECT_GT(file.ReadUpTo(4096).size(), 0u);
}
#endif

}  // namespace
