#include <gtest/gtest.h>

#include <filesystem>

#include "shell/base/display_name.h"
#include "shell/system/command_line.h"
#include "shell/system/windows_full_path.h"

namespace {

TEST(StartupArgument, OnlyOnePairOfQuotesAroundAllOfItIsRemoved) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\my logos\\a.nsl\"", "C:\\my logos\\a.nsl"},  // as a file association passes it
      {"C:\\my logos\\a.nsl", "C:\\my logos\\a.nsl"}, {"\"C:\\a.nsl", "\"C:\\a.nsl"},  // not closed
      {"\"a\" \"b\"", "\"a\" \"b\""}, {"\"\"", ""}, {"\"", "\""}, {"'a.nsl'", "'a.nsl'"},
      {" \"a.nsl\" ", " \"a.nsl\" "},  // blanks stay, and so do the quotes
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(shell::WithoutWrappingQuotes(std::filesystem::path(text).native()),
              std::filesystem::path(expected).native())
        << text;
  }
}

// Windows' reading of every form a start-up argument comes in, from the working folder C:\work,
// where D: keeps D:\logos as its current folder and other drives their root.
TEST(StartupArgument, EveryFormIsReadAsWindowsReadsIt) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\logos\\a.nsl", L"C:\\logos\\a.nsl"}, {L"C:/logos/a.nsl", L"C:\\logos\\a.nsl"},
      {L"z:/logos//a.nsl", L"Z:\\logos\\a.nsl"}, {L"a.nsl", L"C:\\work\\a.nsl"},
      {L"..\\..\\..\\a.nsl", L"C:\\a.nsl"},  // never above the root
      {L".\\x\\..\\a.nsl", L"C:\\work\\a.nsl"}, {L"\\logos\\a.nsl", L"C:\\logos\\a.nsl"},
      {L"C:a.nsl", L"C:\\work\\a.nsl"},  // the drive's current folder is the working one
      {L"d:a.nsl", L"D:\\logos\\a.nsl"}, {L"D:..\\a.nsl", L"D:\\a.nsl"}, {L"E:a.nsl", L"E:\\a.nsl"},
      {L"C:\\my logos.\\a.nsl. .", L"C:\\my logos\\a.nsl"},
      {L"C:\\my logos..\\a b.nsl", L"C:\\my logos.\\a b.nsl"},  // one dot of a folder's name
      {L"C:\\logos \\", L"C:\\logos \\"},                       // a folder's blank stays
      {L"C:\\logos\\...", L"C:\\logos"}, {L"C:", L"C:\\work"}, {L"C:\\", L"C:\\"},
      {L"C:\\..", L"C:\\"}, {L"\\\\server", L"\\\\server"},
      {L"\\\\server\\share\\logos\\a.nsl", L"\\\\server\\share\\logos\\a.nsl"},
      {L"//server/share/../../a.nsl", L"\\\\server\\share\\a.nsl"},
      {L"\\\\?\\c:\\logos\\a.nsl", L"C:\\logos\\a.nsl"},
      {L"\\\\?\\C:\\logos\\a.nsl. ", L"C:\\logos\\a.nsl. "},  // as written
      {L"\\\\?\\UNC\\server\\share\\a.nsl", L"\\\\server\\share\\a.nsl"},
      {L"\\\\?\\Volume{1}\\a.nsl", L"\\\\?\\Volume{1}\\a.nsl"}, {L"\\\\.\\NUL", L"\\\\.\\NUL"},
      {L"COM1", L"C:\\work\\COM1"},  // a name: files are opened by their own names
      {L"\"C:\\a.nsl\"", L"C:\\work\\\"C:\\a.nsl\""},
  };
  const auto drive_folder = [](wchar_t drive) {
    return drive == L'D' ? std::wstring(L"D:\\logos") : std::wstring{drive, L':', L'\\'};
  };
  for (const auto& [argument, expected] : cases) {
    EXPECT_EQ(shell::WindowsFullPath(argument, L"C:\\work", drive_folder), expected)
        << shell::DisplayText(std::filesystem::path(argument).native());
  }
  EXPECT_EQ(shell::WindowsFullPath(L"\\a.nsl", L"\\\\server\\share\\work", drive_folder),
            L"\\\\server\\share\\a.nsl");
  EXPECT_EQ(shell::WindowsFullPath(L"a.nsl", L"\\\\server\\share\\work", drive_folder),
            L"\\\\server\\share\\work\\a.nsl");
}

}  // namespace
