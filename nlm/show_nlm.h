#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "shell/base/file_failure.h"
#include "shell/canvas/logo_canvas.h"
#include "shell/texts/texts.h"

namespace nlm {

// What showing a file reads and draws on.
struct NlmShow {
  const std::filesystem::path& CurrentFilePath;
  shell::LogoCanvas& canvas;
  const shell::PloverTexts& texts;                    // the names of the picture kinds
  std::function<void(const std::string&)> SetLabel1;  // the picture-type label
  shell::FailureReporter failures;
};

// Reads the whole file, names its kind in Label1, then draws its grid and dots on the big
// screen: a 72-dot-wide picture centred, the startup logo filling the screen. A failure clears
// the big screen and Label1 and shows one message; a file of no listed length gets the error
// prefix alone.
void ShowNlmFile(const NlmShow& show);

// The top-left grid corner of a width x height picture centred on a screen of that size, halves
// rounded to the even neighbour.
int CentredOrigin(int screen_size, int picture_dots);

}  // namespace nlm
