#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/file_failure.h"
#include "shell/texts.h"

namespace {

using shell::Language;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(LanguageSetting, OnlyAnExactEnglishCodeGivesEnglish) {
  EXPECT_EQ(shell::LanguageCode(std::nullopt), "pl");
  EXPECT_EQ(shell::LanguageCode("en-GB"), "en");
  EXPECT_EQ(shell::LanguageCode("e"), "e ");
  EXPECT_EQ(shell::LanguageCode(""), "  ");  // present but empty is not absent
  for (const char* english : {"en", "en-GB", "english"}) {
    EXPECT_EQ(shell::ChooseLanguage(english), Language::English) << english;
  }
  for (const char* polish : {"pl", "EN", "En", "e", "", " en", "de"}) {
    EXPECT_EQ(shell::ChooseLanguage(polish), Language::Polish) << polish;
  }
  EXPECT_EQ(shell::ChooseLanguage(std::nullopt), Language::Polish);
}

TEST(AboutTexts, KestrelHasThreeLinesAndPloverFiveWithOneEmptyBeforeTheAuthor) {
  for (const Language language : {Language::Polish, Language::English}) {
    const auto kestrel = SplitCrLf(shell::KestrelTextsFor(language).AboutText);
    ASSERT_EQ(kestrel.size(), 3u);
    EXPECT_FALSE(kestrel[0].empty() || kestrel[1].empty());
    EXPECT_EQ(kestrel[2], "E-Mail: logos@example.org");
    const auto plover = SplitCrLf(shell::PloverTextsFor(language).AboutText);
    ASSERT_EQ(plover.size(), 5u);
    EXPECT_TRUE(plover[2].empty());
    EXPECT_FALSE(plover[0].empty() || plover[1].empty() || plover[3].empty());
    EXPECT_EQ(plover[4], "E-Mail: logos@example.org");
    for (const std::string& line : kestrel) {
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);  // no stray line breaks
    }
  }
  EXPECT_EQ(SplitCrLf(shell::KestrelTextsFor(Language::Polish).AboutText)[1],
            "Autor: " + std::string(shell::kAuthorName));
  EXPECT_EQ(SplitCrLf(shell::PloverTextsFor(Language::English).AboutText)[3],
            "Author: " + std::string(shell::kAuthorName));
}

TEST(Captions, EnglishReplacesThemInTheirFixedOrder) {
  std::vector<std::string_view> kestrel;
  for (const shell::Caption& caption : shell::kKestrelCaptions) {
    kestrel.push_back(caption.control);
  }
  EXPECT_EQ(kestrel, (std::vector<std::string_view>{"Label3", "Label4", "Label2", "Command1"}));
  std::vector<std::string_view> plover;
  for (const shell::Caption& caption : shell::kPloverCaptions) {
    plover.push_back(caption.control);
  }
  EXPECT_EQ(plover,
            (std::vector<std::string_view>{"Label4", "Label5", "Label1", "Label2", "Command1"}));
}

TEST(FailureTexts, EveryDescriptionExistsInBothLanguagesAndPolishIsNotEnglish) {
  using Kind = shell::FileFailureKind;
  for (const Kind kind : {Kind::NotFound, Kind::PermissionDenied, Kind::IsFolder,
                          Kind::NotRegularFile, Kind::ReadPastEnd, Kind::Overflow}) {
    const std::string polish = shell::DescribeFailure({kind}, Language::Polish);
    EXPECT_FALSE(polish.empty());
    EXPECT_NE(polish, shell::DescribeFailure({kind}, Language::English));
  }
  EXPECT_EQ(shell::DescribeFailure({Kind::UnlistedLength}, Language::Polish), "");
  const shell::FileFailure other{Kind::System, 5, "Input/output error"};
  EXPECT_EQ(shell::DescribeFailure(other, Language::English),
            "System error 5: Input/output error.");
  EXPECT_EQ(shell::DescribeFailure(other, Language::Polish), "Błąd systemu 5: Input/output error.");
  EXPECT_EQ(shell::FailureMessage("An ERROR occured:", ""), "An ERROR occured:\r\n");
}

}  // namespace
