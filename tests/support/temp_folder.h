#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() {
    while (!std::filesystem::create_directory(path_)) {  // taken: another name
      path_ += "x";
    }
  }
  ~TempFolder() { std::filesystem::remove_all(path_, ignored_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Write(const std::filesystem::path& name,
                              const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path_ / name;
  }

 private:
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("kp-test-" + std::to_string(std::random_device()()));
  std::error_code ignored_;
};

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace test_support
