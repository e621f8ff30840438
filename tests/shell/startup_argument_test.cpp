#include <gtest/gtest.h>

#include <filesystem>

#include "shell/command_line.h"

namespace {

TEST(StartupArgument, OnlyOnePairOfQuotesAroundAllOfItIsRemoved) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\my logos\\a.nsl\"", "C:\\my logos\\a.nsl"},  // as a file association passes it
      {"C:\\my logos\\a.nsl", "C:\\my logos\\a.nsl"},
      {"\"C:\\a.nsl", "\"C:\\a.nsl"},               // not closed
      {"\"a\" \"b\"", "\"a\" \"b\""},               // two pairs
      {"\"\"", ""},
      {"\"", "\""},
      {" \"a.nsl\" ", " \"a.nsl\" "},               // blanks stay, and so do the quotes
      {"'a.nsl'", "'a.nsl'"},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(shell::WithoutWrappingQuotes(std::filesystem::path(text).native()),
              std::filesystem::path(expected).native())
        << text;
  }
}

}  // namespace
