#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "shell/base/language.h"

namespace shell {

// The makers, named once for both programs' About texts.
inline constexpr std::string_view kAuthorName = "Kestrel & Plover";

// The stored setting as a 2-character code: cut to its first two characters or padded on the
// right with blanks. An absent setting gives "pl"; a present but empty one gives two blanks.
std::string LanguageCode(const std::optional<std::string>& stored);
// Exactly "en" (case-sensitive) is English; every other code is Polish.
Language LanguageFromCode(std::string_view code);
Language ChooseLanguage(const std::optional<std::string>& stored);

// The e-mail line of both windows, the same in both languages.
inline constexpr std::string_view kEmailLine = "E-Mail: logos@example.org";

// A caption that the window is built with in Polish and that English replaces.
struct Caption {
  std::string_view control;
  std::string_view polish;
  std::string_view english;

  std::string_view In(Language language) const {
    return language == Language::English ? english : polish;
  }
};

// The caption a window is built with, from a table of captions.
template <std::size_t N>
constexpr std::string_view PolishCaption(const std::array<Caption, N>& captions,
                                         std::string_view control) {
  for (const Caption& caption : captions) {
    if (caption.control == control) {
      return caption.polish;
    }
  }
  return {};
}

// What the program's entry shows for a failure that no handler foresaw.
inline constexpr Caption kUnforeseenError{"", "Wystąpił nieprzewidziany błąd programu.",
                                          "An unforeseen error occurred in the program."};

inline constexpr std::string_view kPreviousTooltip = "Poprzedni";
inline constexpr std::string_view kNextTooltip = "Następny";

struct KestrelTexts {
  std::string ErrorPrefix;
  std::string AboutText;
};
KestrelTexts KestrelTextsFor(Language language);

// In the order English sets them.
inline constexpr std::array<Caption, 4> kKestrelCaptions{{
    {"Label3", "Nie pokazuj podczas rysowania", "Don't show while drawing"},
    {"Label4", "Rysuj na dużym ekranie", "Show on Big Screen"},
    {"Label2", "( wyłącz tę opcję aby znacznie przyspieszyć działanie programu!!! )",
     "( unselect this option to make the Viewer much faster! )"},
    {"Command1", "Koniec", "Exit"},
}};

struct PloverTexts {
  std::string OperatorLogoName;
  std::string PictureMessageName;
  std::string StartupLogoName;
  std::string ErrorPrefix;
  std::string ExportHint;
  std::string AboutText;
  std::string ExportFailed;  // when LogoManager cannot be started
};
PloverTexts PloverTextsFor(Language language);

// In the order English sets them.
inline constexpr std::array<Caption, 5> kPloverCaptions{{
    {"Label4", "Nie pokazuj podczas rysowania", "Don't show while drawing"},
    {"Label5", "Zamknij program po eksportowaniu", "Close Viewer after Export"},
    {"Label1", "...typ grafiki...", "...graphic type..."},
    {"Label2", "Eksport:", "Export:"},
    {"Command1", "Koniec", "Exit"},
}};

}  // namespace shell
