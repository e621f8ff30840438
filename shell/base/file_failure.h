#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "shell/base/language.h"
#include "shell/base/message_box.h"

namespace shell {

enum class FileFailureKind {
  NotFound,
  PermissionDenied,
  InUse,  // another program holds it locked
  IsFolder,
  NotRegularFile,  // a FIFO, socket, device and the like
  ReadPastEnd,
  Overflow,        // too long for the 16-bit length of the format
  UnlistedLength,  // read without error, but no picture has that length: no description
  System,          // anything else, described by the system's own text
};

struct FileFailure {
  FileFailure(FileFailureKind failure_kind, int code = 0, std::string text = {})
      : kind(failure_kind), system_code(code), system_text(std::move(text)) {}

  FileFailureKind kind;
  int system_code;
  std::string system_text;
};

// The failure a system error stands for.
FileFailure FailureFromError(std::error_code error);

// What a file operation throws; the decoders catch it and report it.
class FileAccessError : public std::runtime_error {
 public:
  explicit FileAccessError(FileFailure failure);
  const FileFailure& Failure() const { return failure_; }

 private:
  FileFailure failure_;
};

// The description that follows the error prefix, in the window's language.
std::string DescribeFailure(const FileFailure& failure, Language language);

// The text of a decoder's failure box: the prefix, CR LF, the description.
std::string FailureMessage(std::string_view error_prefix, std::string_view description);

// The message for a folder that cannot be opened: the folder, then why.
std::string FolderFailureMessage(std::string_view folder, std::error_code error, Language language);

// Shows a decoder failure the one way every decoder shows it: a critical box with the prefix.
struct FailureReporter {
  std::string_view error_prefix;
  Language language;
  MessageBoxService& messages;

  void Report(const FileFailure& failure) const;
};

}  // namespace shell
