#include "model/viewer_fixture.h"

#include "shell/display_name.h"

namespace model_test {

shell::ViewerServices ViewerTest::Services() {
  return {.messages = messages_,
          .read_language_setting = [this] { return language_; },
          .list_drives = [this] { return drives_; },
          .working_folder = [this] { return Folder(); }};
}

void ViewerTest::Copy(const char* sample, const fs::path& name) const {
  fs::copy_file(fs::path(KP_OWN_SAMPLES_DIR) / sample, Folder() / name);
}

Art ViewerTest::Sample(const char* art_name) {
  return test_support::ArtFromPicture(
      test_support::PictureFromArtFile(fs::path(KP_OWN_SAMPLES_DIR) / "art" / art_name));
}

Art ViewerTest::BigScreen(shell::LogoCanvas& canvas, int ox, int oy, int width, int height) {
  canvas.Present();
  return test_support::ArtFromBigScreen(canvas.BigScreen().Screen(), ox, oy, width, height);
}

Art ViewerTest::Preview(shell::LogoCanvas& canvas) {
  canvas.Present();
  return test_support::ArtFromPreview(canvas.PreviewSurface()->Screen(), shell::kDotColor);
}

Art ViewerTest::Blank(int width, int height) {
  return Art(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
}

shell::Rgb ViewerTest::ScreenPixel(shell::LogoCanvas& canvas, int x, int y) {
  canvas.Present();
  return canvas.BigScreen().Screen().At(x, y);
}

std::vector<std::string> ViewerTest::Entries(const shell::FileList& list) {
  std::vector<std::string> entries;
  for (int i = 0; i < list.Count(); ++i) {
    entries.push_back(shell::DisplayText(list.Entry(i)));
  }
  return entries;
}

std::string ViewerTest::Selected(const shell::FileList& list) {
  return list.SelectedIndex() < 0 ? "none" : shell::DisplayText(list.SelectedName());
}

std::string ViewerTest::OneMessage() {
  const std::size_t count = messages_.shown.size();
  std::string text = count == 1 ? messages_.shown[0].text : "messages: " + std::to_string(count);
  messages_.shown.clear();
  return text;
}

}  // namespace model_test
