#include "shell/base/file_failure.h"

#include <utility>

namespace shell {

namespace {

struct Description {
  FileFailureKind kind;
  std::string_view polish;
  std::string_view english;
};

constexpr Description kDescriptions[] = {
    {FileFailureKind::NotFound, "Nie znaleziono pliku.", "File not found."},
    {FileFailureKind::PermissionDenied, "Brak uprawnień do odczytu pliku.",
     "Permission denied: the file cannot be read."},
    {FileFailureKind::InUse, "Plik jest używany przez inny program.",
     "The file is in use by another program."},
    {FileFailureKind::IsFolder, "To jest folder, a nie plik.", "This is a folder, not a file."},
    {FileFailureKind::NotRegularFile, "To nie jest zwykły plik (np. potok lub urządzenie).",
     "Not a regular file (a pipe, a device or the like)."},
    {FileFailureKind::ReadPastEnd, "Próba odczytu poza końcem pliku: plik jest za krótki.",
     "Input past end of file: the file is too short."},
    {FileFailureKind::Overflow, "Przepełnienie: plik jest za duży.",
     "Overflow: the file is too large."},
    {FileFailureKind::UnlistedLength, "", ""},
    {FileFailureKind::System, "Błąd systemu", "System error"},
};

std::string_view DescriptionOf(FileFailureKind kind, Language language) {
  for (const Description& description : kDescriptions) {
    if (description.kind == kind) {
      return language == Language::English ? description.english : description.polish;
    }
  }
  return {};
}

}  // namespace

FileFailure FailureFromError(std::error_code error) {
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory) {
    return FileFailure{FileFailureKind::NotFound};
  }
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
    return FileFailure{FileFailureKind::PermissionDenied};
  }
  if (error == std::errc::is_a_directory) {
    return FileFailure{FileFailureKind::IsFolder};
  }
  return FileFailure{FileFailureKind::System, error.value(), error.message()};
}

FileAccessError::FileAccessError(FileFailure failure)
    : std::runtime_error(std::string(DescriptionOf(failure.kind, Language::English))),
      failure_(std::move(failure)) {}

std::string DescribeFailure(const FileFailure& failure, Language language) {
  std::string description(DescriptionOf(failure.kind, language));
  if (failure.kind == FileFailureKind::System) {
    description += ' ' + std::to_string(failure.system_code);
    if (!failure.system_text.empty()) {
      description += ": " + failure.system_text;
    }
    description += '.';
  }
  return description;
}

std::string FailureMessage(std::string_view error_prefix, std::string_view description) {
  std::string message(error_prefix);
  message += "\r\n";
  message += description;
  return message;
}

std::string FolderFailureMessage(std::string_view folder, std::error_code error,
                                 Language language) {
  const bool english = language == Language::English;
  const FileFailure failure = FailureFromError(error);
  std::string why;
  switch (failure.kind) {
    case FileFailureKind::NotFound:
      why = english ? "The folder does not exist (any more)." : "Ten folder nie istnieje.";
      break;
    case FileFailureKind::PermissionDenied:
      why = english ? "Permission denied: the folder cannot be read."
                    : "Brak uprawnień do odczytu folderu.";
      break;
    default:
      why = DescribeFailure(failure, language);
  }
  return std::string(english ? "Cannot open the folder:" : "Nie można otworzyć folderu:") + "\r\n" +
         std::string(folder) + "\r\n" + why;
}

void FailureReporter::Report(const FileFailure& failure) const {
  messages.Show(FailureMessage(error_prefix, DescribeFailure(failure, language)),
                MessageIcon::Critical);
}

}  // namespace shell
