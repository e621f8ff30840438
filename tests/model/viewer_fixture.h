#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/viewer_form.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace model_test {

namespace fs = std::filesystem;
using Art = std::vector<std::string>;

// The model of a form's control, by name and kind.
template <typename T>
T& ControlOf(const shell::ViewerForm& form, const char* name) {
  return static_cast<T&>(*form.ControlNamed(name));
}

// A window model on a fresh folder, with the system faked: the language setting, the drives
// (the root alone unless a test adds some), the working folder (the fresh one) and the
// message boxes, which are recorded.
class ViewerTest : public ::testing::Test {
 protected:
  shell::ViewerServices Services();
  const fs::path& Folder() const { return folder_.Path(); }
  // Copies one of our own sample logos into the folder under another name.
  void Copy(const char* sample, const fs::path& name) const;
  static Art Sample(const char* art_name);

  // What the big screen shows for a width x height picture at (ox, oy) once the handler has
  // returned; the preview's 84 x 48 pixels.
  static Art BigScreen(shell::LogoCanvas& canvas, int ox = 0, int oy = 0, int width = 84,
                       int height = 48);
  static Art Preview(shell::LogoCanvas& canvas);
  static Art Blank(int width = 84, int height = 48);
  static shell::Rgb ScreenPixel(shell::LogoCanvas& canvas, int x, int y);

  // The texts of the entries a file list shows, in order; the selected one, or "none".
  static std::vector<std::string> Entries(const shell::FileList& list);
  static std::string Selected(const shell::FileList& list);
  // The one message shown since the last call.
  std::string OneMessage();

  test_support::TempFolder folder_;
  test_support::RecordingMessages messages_;
  std::optional<std::string> language_;
  std::vector<shell::Drive> drives_{{"/", "/"}};
};

}  // namespace model_test
