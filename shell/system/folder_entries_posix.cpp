#include "shell/system/folder_entries.h"

namespace shell {

namespace {

// The entry's type is looked up only when asked: most names are filtered out by name first.
class PosixEntry : public FolderEntry {
 public:
  explicit PosixEntry(const std::filesystem::directory_entry& entry)
      : entry_(entry), name_(entry.path().filename().native()) {}
  const NativeString& Name() const override { return name_; }
  bool IsRegularFile() const override {
    std::error_code ignored;
    return entry_.is_regular_file(ignored);
  }
  bool IsFolder() const override {
    std::error_code ignored;
    return entry_.is_directory(ignored);
  }

 private:
  const std::filesystem::directory_entry& entry_;
  NativeString name_;
};

}  // namespace

void ForEachEntry(const std::filesystem::path& folder, std::error_code& error,
                  const std::function<void(const FolderEntry&)>& visit) {
  std::filesystem::directory_iterator entries(folder, error);
  for (const std::filesystem::directory_iterator end; !error && entries != end;
       entries.increment(error)) {
    visit(PosixEntry(*entries));
  }
}

}  // namespace shell
