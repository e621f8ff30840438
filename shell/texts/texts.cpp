#include "shell/texts/texts.h"

#include <initializer_list>

namespace shell {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Lines joined with CR LF, none after the last.
std::string JoinLines(std::initializer_list<std::string_view> lines) {
  std::string joined;
  for (auto line = lines.begin(); line != lines.end(); ++line) {
    if (line != lines.begin()) {
      joined += kLineBreak;
    }
    joined += *line;
  }
  return joined;
}

std::string AuthorLine(std::string_view label) {
  return std::string(label) + std::string(kAuthorName);
}

}  // namespace

std::string LanguageCode(const std::optional<std::string>& stored) {
  std::string code = stored.value_or("pl");
  code.resize(2, ' ');
  return code;
}

Language LanguageFromCode(std::string_view code) {
  return code == "en" ? Language::English : Language::Polish;
}

Language ChooseLanguage(const std::optional<std::string>& stored) {
  return LanguageFromCode(LanguageCode(stored));
}

KestrelTexts KestrelTextsFor(Language language) {
  if (language == Language::English) {
    return {"An ERROR occured:",
            JoinLines({"Kestrel is a program to view <Nokia Startup Logo> files.",
                       AuthorLine("Author: "), kEmailLine})};
  }
  return {"Wystąpił błąd:",
          JoinLines({"kestrel to program do przeglądania plików NSL (Nokia Startup Logo).",
                     AuthorLine("Autor: "), kEmailLine})};
}

PloverTexts PloverTextsFor(Language language) {
  if (language == Language::English) {
    return {"Operator/Group Logo",
            "Graphical Message",
            "Starting Logo",
            "An ERROR occured:",
            "Select a file to be Exported to LogoManager!",
            JoinLines({"This is a program to viewing NLM files saved by LogoManager.",
                       "It can show Operator/Group Logo, Start Logo and a Graphic Message.", "",
                       AuthorLine("Author: "), kEmailLine}),
            "LogoManager could not be started."};
  }
  return {"Logo Operatora/Grup",
          "Wiadomość Obrazkowa",
          "Logo Startowe",
          "Pojawił się błąd treści:",
          "Wybierz plik, który chcesz eksportować do LogoManagera!",
          JoinLines({"plover to program do przeglądania plików z rozszerzeniem NLM, zapisywanych "
                     "przez LogoManagera.",
                     "Potrafi pokazać zarówno Logo Operatora/Grup jak i Logo Startowe i "
                     "Wiadomość Obrazkową.",
                     "", AuthorLine("Autor: "), kEmailLine}),
          "Nie udało się uruchomić LogoManagera."};
}

}  // namespace shell
