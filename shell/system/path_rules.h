#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "shell/base/native_path.h"

namespace shell {


// Splits a full path at its last separator. Typ = -1 gives the folder half without that
// separator; any other Typ the name half, which is the whole text when there is no separator.
// Asking for the folder half of a text without a separator throws std::invalid_argument.
NativeString SamKatalog(const NativeString& Dane, std::int16_t Typ);

// The folder and the name with exactly one separator between them: none is added when the
// folder already ends with one, as a drive's root does.
NativeString JoinFolderAndName(const NativeString& folder, const NativeString& name);

// The current folder of the drive with that root ("D:\\"); Windows keeps one for each drive.
using DriveFolderOf = std::function<std::filesystem::path(const std::filesystem::path& root)>;

// The start-up argument as a full path, read by the system's own rules: a relative one is taken
// from the working folder; on Windows every form WindowsFullPath reads, a drive-relative one
// ("D:a.nsl") from that drive's current folder.
std::filesystem::path StartupFilePath(const NativeString& argument,
                                      const std::filesystem::path& working_folder,
                                      const DriveFolderOf& drive_folder);

// The folder to open for the folder half of a start-up path: a file in the root folder has an
// empty folder half, which means the root.
std::filesystem::path StartupFolder(const NativeString& folder_half);

// The program's working folder; the root when it cannot be told (it was deleted, say).
std::filesystem::path WorkingFolder();

}  // namespace shell
