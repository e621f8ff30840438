#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/display_name.h"
#include "shell/drives.h"
#include "shell/folder_listing.h"
#include "shell/navigation.h"
#include "shell/path_rules.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using shell::NativeString;

std::vector<NativeString> Names(std::initializer_list<const char*> names) {
  std::vector<NativeString> native;
  for (const char* name : names) {
    native.push_back(fs::path(name).native());
  }
  return native;
}

#ifndef _WIN32
TEST(PathRules, SplitJoinAndStartupPathsFollowTheSeparator) {
  EXPECT_EQ(shell::SamKatalog("/logos/a.nsl", -1), "/logos");
  EXPECT_EQ(shell::SamKatalog("/logos/a.nsl", 1), "a.nsl");  // every Typ but -1 is the name
  EXPECT_EQ(shell::SamKatalog("/a.nsl", -1), "");
  EXPECT_EQ(shell::SamKatalog("/logos/", 0), "");
  EXPECT_EQ(shell::SamKatalog("//server/share/a.nsl", -1), "//server/share");
  EXPECT_EQ(shell::SamKatalog("a.nsl", 0), "a.nsl");
  EXPECT_THROW(shell::SamKatalog("a.nsl", -1), std::invalid_argument);
  EXPECT_THROW(shell::SamKatalog("", -1), std::invalid_argument);

  EXPECT_EQ(shell::JoinFolderAndName("/logos", "a.nsl"), "/logos/a.nsl");
  EXPECT_EQ(shell::JoinFolderAndName("/", "a.nsl"), "/a.nsl");  // a root already ends with one

  EXPECT_EQ(shell::StartupFilePath("logo.nsl", "/home/me"), fs::path("/home/me/logo.nsl"));
  EXPECT_EQ(shell::StartupFilePath("../x/a.nsl", "/home/me"), fs::path("/home/x/a.nsl"));
  EXPECT_EQ(shell::StartupFilePath("/abs/my logo.nsl", "/home/me"), fs::path("/abs/my logo.nsl"));
  EXPECT_EQ(shell::StartupFolder(""), fs::path("/"));  // the folder half of "/a.nsl"
}

TEST(CommandLine, TheArgumentsAreOneTextJoinedWithBlanks) {
  char program[] = "kestrel";
  char first[] = "/logos/my";
  char second[] = "logo.nsl";
  char* argv[] = {program, first, second};
  EXPECT_EQ(shell::StartupArgumentText(3, argv), "/logos/my logo.nsl");
  EXPECT_EQ(shell::StartupArgumentText(1, argv), "");
  EXPECT_EQ(shell::RequestOf("--help"), shell::StartRequest::Help);
  EXPECT_EQ(shell::RequestOf("--version"), shell::StartRequest::Version);
  EXPECT_EQ(shell::RequestOf("--help me.nsl"), shell::StartRequest::Open);
  EXPECT_EQ(shell::RequestOf("-x.nsl"), shell::StartRequest::Open);
}
#endif

#ifdef _WIN32
TEST(PathRules, WindowsPathsSplitAtTheBackslashAndKeepTheirDrive) {
  EXPECT_EQ(shell::SamKatalog(L"C:\\Logos\\a.nsl", -1), L"C:\\Logos");
  EXPECT_EQ(shell::SamKatalog(L"C:\\a.nsl", -1), L"C:");
  EXPECT_EQ(shell::SamKatalog(L"C:\\Logos\\", 0), L"");
  EXPECT_EQ(shell::SamKatalog(L"\\\\server\\share\\a.nsl", -1), L"\\\\server\\share");
  EXPECT_THROW(shell::SamKatalog(L"a.nsl", -1), std::invalid_argument);
  EXPECT_EQ(shell::JoinFolderAndName(L"C:\\", L"a.nsl"), L"C:\\a.nsl");
  EXPECT_EQ(shell::JoinFolderAndName(L"C:\\Logos", L"a.nsl"), L"C:\\Logos\\a.nsl");
  EXPECT_EQ(shell::StartupFolder(L"C:"), fs::path(L"C:\\"));  // the root, not the drive's folder
  EXPECT_EQ(shell::StartupFilePath(L"a.nsl", L"D:\\work"), fs::path(L"D:\\work\\a.nsl"));
}
#endif

TEST(Navigation, NextAndPreviousWrapAndNeedTwoEntries) {
  EXPECT_EQ(shell::NextIndex(0, -1), std::nullopt);
  EXPECT_EQ(shell::NextIndex(1, -1), std::nullopt);
  EXPECT_EQ(shell::NextIndex(1, 0), std::nullopt);
  EXPECT_EQ(shell::PreviousIndex(1, 0), std::nullopt);
  EXPECT_EQ(shell::NextIndex(3, -1), 0);
  EXPECT_EQ(shell::NextIndex(3, 1), 2);
  EXPECT_EQ(shell::NextIndex(3, 2), 0);
  EXPECT_EQ(shell::PreviousIndex(3, 0), 2);
  EXPECT_EQ(shell::PreviousIndex(3, 2), 1);
  EXPECT_EQ(shell::PreviousIndex(3, -1), 2);  // nothing selected: the last
  EXPECT_EQ(shell::NextIndex(100000, 99999), 0);
}

TEST(FolderListing, RegularFilesMatchAndSortWithoutRegardToCase) {
  test_support::TempFolder folder;
  for (const char* name : {"b.nsl", "A.NSL", "c.Nsl", "B.nsl", "a.nlm", "nsl", "x.nsl.bak"}) {
    folder.Write(name, {0});
  }
  fs::create_directory(folder.Path() / "dir.nsl");
#ifndef _WIN32
  fs::create_symlink("b.nsl", folder.Path() / "link.nsl");
  fs::create_symlink("gone.nsl", folder.Path() / "dangling.nsl");
  fs::create_symlink("loop.nsl", folder.Path() / "loop.nsl");
#endif
  std::error_code error;
  const std::vector<NativeString> files = shell::ListMatchingFiles(folder.Path(), ".nsl", error);
  EXPECT_FALSE(error);
#ifndef _WIN32
  EXPECT_EQ(files, Names({"A.NSL", "B.nsl", "b.nsl", "c.Nsl", "link.nsl"}));
#endif
}

#ifndef _WIN32
TEST(FolderListing, AFolderThatCannotBeReadIsAnErrorNotAnEmptyList) {
  test_support::TempFolder folder;
  fs::create_directory(folder.Path() / "locked");
  folder.Write("locked/a.nsl", {0});
  fs::permissions(folder.Path() / "locked", fs::perms::none);
  // Permissions do not stop root: look as an ordinary user, in a child process.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
      ::_exit(2);
    }
    std::error_code files;
    std::error_code folders;
    const bool empty = shell::ListMatchingFiles(folder.Path() / "locked", ".nsl", files).empty() &&
                       shell::ListSubfolders(folder.Path() / "locked", folders).empty();
    ::_exit(empty && files == std::errc::permission_denied &&
                    folders == std::errc::permission_denied
                ? 0
                : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  fs::permissions(folder.Path() / "locked", fs::perms::owner_all);
}
#endif

TEST(FolderListing, SubfoldersAreSortedAndHiddenOnesLeftOut) {
  test_support::TempFolder folder;
  for (const char* name : {"beta", "Alpha", ".hidden", "gamma"}) {
    fs::create_directory(folder.Path() / name);
  }
  folder.Write("file", {0});
  std::error_code error;
  EXPECT_EQ(shell::ListSubfolders(folder.Path(), error), Names({"Alpha", "beta", "gamma"}));
  shell::ListSubfolders(folder.Path() / "missing", error);
  EXPECT_TRUE(error);
}

#ifndef _WIN32
TEST(ReadableNames, InvalidUtf8IsReadAsWindows1250) {
  EXPECT_EQ(shell::DisplayText("żółw.nsl"), "żółw.nsl");
  EXPECT_EQ(shell::DisplayText("\xBF\xF3\xB3w.nsl"), "żółw.nsl");
  EXPECT_EQ(shell::DisplayText("\x9C\xEA\x9F\xB9"), "śęźą");
  EXPECT_FALSE(shell::IsValidUtf8("\xC0\xAF"));      // an overlong form
  EXPECT_FALSE(shell::IsValidUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_TRUE(shell::IsValidUtf8("plain"));
}
#endif

#ifndef _WIN32
TEST(Drives, MountsAPersonCallsDrivesAndNothingElse) {
  const std::string mountinfo =
      "22 1 0:21 / /proc rw - proc proc rw\n"
      "23 1 0:22 / /sys rw - sysfs sysfs rw\n"
      "25 1 8:1 / / rw shared:1 - ext4 /dev/sda1 rw\n"
      "26 25 8:2 / /home rw shared:2 - ext4 /dev/sda2 rw\n"
      "27 25 0:30 / /run/user/1000 rw - tmpfs tmpfs rw\n"
      "28 25 8:17 / /media/me/MY\\040STICK rw - vfat /dev/sdb1 rw\n"
      "29 25 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
      "30 23 0:26 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
      "31 25 0:40 / /mnt/share rw - nfs4 server:/share rw\n"
      "32 25 8:33 / /run/media/me/CARD rw - exfat /dev/sdc1 rw\n";
  std::vector<std::string> roots;
  for (const shell::Drive& drive : shell::DrivesFromMountInfo(mountinfo)) {
    roots.push_back(drive.root.string());
  }
  EXPECT_EQ(roots, (std::vector<std::string>{"/", "/home", "/media/me/MY STICK", "/mnt/share",
                                             "/run/media/me/CARD"}));
}

#endif

TEST(Drives, AFolderBelongsToTheDriveWithTheLongestRootThatHoldsIt) {
  const std::vector<shell::Drive> drives{{"/", "/"}, {"/home", "/home"}, {"/home/me/usb", "usb"}};
  EXPECT_EQ(shell::DriveIndexOf(drives, "/etc"), 0u);
  EXPECT_EQ(shell::DriveIndexOf(drives, "/home"), 1u);
  EXPECT_EQ(shell::DriveIndexOf(drives, "/home/me/logos"), 1u);
  EXPECT_EQ(shell::DriveIndexOf(drives, "/home/me/usb/logos"), 2u);
  EXPECT_EQ(shell::DriveIndexOf(drives, "/homework"), 0u);

  shell::DriveFolders folders;
  EXPECT_EQ(folders.CurrentFolder(drives[1]), fs::path("/home"));  // at first its root
  folders.Remember(drives[1], "/home/me/logos");
  EXPECT_EQ(folders.CurrentFolder(drives[1]), fs::path("/home/me/logos"));
  EXPECT_EQ(folders.CurrentFolder(drives[0]), fs::path("/"));
}

}  // namespace
