#pragma once

#include <cstdint>
#include <filesystem>

#include "shell/base/file_failure.h"
#include "shell/canvas/gdi.h"
#include "shell/canvas/logo_canvas.h"

namespace nsl {

// kestrel's drawing members, set once at start-up.
struct DrawingMembers {
  std::uint8_t ShowOnBigScreen = 1;  // 1 draws on the big screen; any other value leaves it alone
  shell::Rgb DotColor = shell::kDotColor;
  shell::Rgb GridColor = shell::kGridColor;
  shell::gdi::SolidBrush DotBrush = shell::gdi::CreateSolidBrush(shell::kDotColor);
};

// What a load reads and draws on.
struct NslLoad {
  const std::filesystem::path& CurrentFilePath;
  const DrawingMembers& drawing;
  shell::LogoCanvas& canvas;
  shell::FailureReporter failures;
};

// Both draw the logo of CurrentFilePath on the big screen (when ShowOnBigScreen is 1) and the
// preview, and give the same picture. A failure clears both surfaces and shows one message.
//
// For the Deferred canvas: draws the grid and uses the surfaces' own operations; preview dots take
// the preview's foreground colour.
void LoadNslBuffered(const NslLoad& load);
// For the Immediate canvas, whose background already holds the grid: fills cells with DotBrush and
// sets preview dots in DotColor.
void LoadNslDirect(const NslLoad& load);

}  // namespace nsl
