#include <gtest/gtest.h>

#include "nlm/nlm_file.h"
#include "nlm/show_nlm.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace {

TEST(ShowNlm, AnyButTheListedLengthsGetsOneBoxThatSaysWhy) {
  test_support::TempFolder folder;
  const std::string past_end = "Próba odczytu poza końcem pliku: plik jest za krótki.";
  const std::string overflow = "Przepełnienie: plik jest za duży.";
  std::vector<std::pair<std::filesystem::path, std::string>> cases = {
      {folder.Path() / "gone.nlm", "Nie znaleziono pliku."},
      {folder.Path(), "To jest folder, a nie plik."}};
  for (const auto& [length, why] : {std::pair{0, past_end}, {9, past_end}, {10, ""}, {11, ""},
                                    {137, ""}, {537, ""}, {32767, ""}, {32768, overflow}}) {
    // The prefix and CR LF alone where no kind has the length.
    const std::vector<std::uint8_t> bytes(std::size_t(length), 0);
    cases.emplace_back(folder.Write(std::to_string(length), bytes), why);
  }
  cases.emplace_back(folder.Write("huge", {}), overflow);
  std::filesystem::resize_file(cases.back().first, std::uintmax_t{4} << 30);  // sparse: never read
#ifndef _WIN32
  cases.emplace_back("/proc/self/status", past_end);  // no length, yet its header reads
#endif
  const shell::PloverTexts texts = shell::PloverTextsFor(shell::Language::Polish);
  // The icon, the empty label and the blank screen after a failure are the fuzz target's property.
  for (const auto& [path, why] : cases) {
    shell::LogoCanvas canvas(shell::LogoCanvas::Preview::None);
    test_support::RecordingMessages messages;
    nlm::ShowNlmFile({path, canvas, texts, [](const std::string&) {},
                      {texts.ErrorPrefix, shell::Language::Polish, messages}});
    ASSERT_EQ(messages.shown.size(), 1u) << path;
    EXPECT_EQ(messages.shown[0].text, "Pojawił się błąd treści:\r\n" + why);
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "gone.nlm"));
}

}  // namespace
