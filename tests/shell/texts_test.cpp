#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/file_failure.h"
#include "shell/texts.h"

namespace {

using shell::ChooseLanguage;
using shell::Language;
using shell::LanguageCode;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(LanguageSetting, StoredValueBecomesATwoCharacterCode) {
  EXPECT_EQ(LanguageCode(std::nullopt), "pl");
  EXPECT_EQ(LanguageCode("en"), "en");
  EXPECT_EQ(LanguageCode("en-GB"), "en");
  EXPECT_EQ(LanguageCode("e"), "e ");
  EXPECT_EQ(LanguageCode(""), "  ");
}

TEST(LanguageSetting, OnlyAnExactEnglishCodeGivesEnglish) {
  EXPECT_EQ(ChooseLanguage(std::nullopt), Language::Polish);
  EXPECT_EQ(ChooseLanguage("en"), Language::English);
  EXPECT_EQ(ChooseLanguage("en-GB"), Language::English);
  EXPECT_EQ(ChooseLanguage("english"), Language::English);
  EXPECT_EQ(ChooseLanguage("EN"), Language::Polish);
  EXPECT_EQ(ChooseLanguage("En"), Language::Polish);
  EXPECT_EQ(ChooseLanguage("e"), Language::Polish);
  EXPECT_EQ(ChooseLanguage(""), Language::Polish);
  EXPECT_EQ(ChooseLanguage(" en"), Language::Polish);
  EXPECT_EQ(ChooseLanguage("pl"), Language::Polish);
  EXPECT_EQ(ChooseLanguage("de"), Language::Polish);
}

TEST(AboutTexts, KestrelHasThreeLinesAndNoEmptyOne) {
  for (const Language language : {Language::Polish, Language::English}) {
    const std::vector<std::string> lines = SplitCrLf(shell::KestrelTextsFor(language).AboutText);
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) {
      EXPECT_FALSE(line.empty());
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
    EXPECT_EQ(lines[2], "E-Mail: " + std::string(shell::kContactAddress));
  }
  const auto polish = SplitCrLf(shell::KestrelTextsFor(Language::Polish).AboutText);
  EXPECT_EQ(polish[0], "kestrel to program do przeglądania plików NSL (Nokia Startup Logo).");
  EXPECT_EQ(polish[1], "Autor: " + std::string(shell::kAuthorName));
  const auto english = SplitCrLf(shell::KestrelTextsFor(Language::English).AboutText);
  EXPECT_EQ(english[0], "Kestrel is a program to view <Nokia Startup Logo> files.");
  EXPECT_EQ(english[1], "Author: " + std::string(shell::kAuthorName));
}

TEST(AboutTexts, PloverHasFiveLinesWithTheEmptyOneBeforeTheAuthor) {
  for (const Language language : {Language::Polish, Language::English}) {
    const std::vector<std::string> lines = SplitCrLf(shell::PloverTextsFor(language).AboutText);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[2].empty());
    for (const std::size_t i : {0u, 1u, 3u, 4u}) {
      EXPECT_FALSE(lines[i].empty()) << i;
    }
    EXPECT_EQ(lines[4], shell::EmailLine());
  }
  const auto polish = SplitCrLf(shell::PloverTextsFor(Language::Polish).AboutText);
  EXPECT_EQ(polish[0],
            "plover to program do przeglądania plików z rozszerzeniem NLM, zapisywanych przez "
            "LogoManagera.");
  EXPECT_EQ(polish[3], "Autor: " + std::string(shell::kAuthorName));
  const auto english = SplitCrLf(shell::PloverTextsFor(Language::English).AboutText);
  EXPECT_EQ(english[1], "It can show Operator/Group Logo, Start Logo and a Graphic Message.");
  EXPECT_EQ(english[3], "Author: " + std::string(shell::kAuthorName));
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
  EXPECT_EQ(shell::kKestrelCaptions[1].In(Language::Polish), "Rysuj na dużym ekranie");
  EXPECT_EQ(shell::kKestrelCaptions[1].In(Language::English), "Show on Big Screen");
}

TEST(FailureTexts, EveryDescriptionExistsInBothLanguagesAndPolishIsNotEnglish) {
  using Kind = shell::FileFailureKind;
  for (const Kind kind : {Kind::NotFound, Kind::PermissionDenied, Kind::IsFolder,
                          Kind::NotRegularFile, Kind::ReadPastEnd, Kind::Overflow}) {
    const std::string polish = shell::DescribeFailure({kind}, Language::Polish);
    const std::string english = shell::DescribeFailure({kind}, Language::English);
    EXPECT_FALSE(polish.empty());
    EXPECT_FALSE(english.empty());
    EXPECT_NE(polish, english);
  }
}

TEST(FailureTexts, OtherSystemErrorsCarryTheSystemsNumberAndText) {
  const shell::FileFailure failure{shell::FileFailureKind::System, 5, "Input/output error"};
  EXPECT_EQ(shell::DescribeFailure(failure, Language::English),
            "System error 5: Input/output error.");
  EXPECT_EQ(shell::DescribeFailure(failure, Language::Polish),
            "Błąd systemu 5: Input/output error.");
}

TEST(FailureTexts, TheMessageIsThePrefixALineBreakAndTheDescription) {
  EXPECT_EQ(shell::FailureMessage("Wystąpił błąd:", "Nie znaleziono pliku."),
            "Wystąpił błąd:\r\nNie znaleziono pliku.");
  EXPECT_EQ(shell::FailureMessage("An ERROR occured:", ""), "An ERROR occured:\r\n");
}

}  // namespace
