#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace thumbnailer {

// Why OUTPUT must not be written for INPUT, or nothing when it may: only a regular file of its
// own, or nothing yet, may stand there. A link is never followed, INPUT is never overwritten
// (under any name), and a file the user may not write stays as it is.
std::optional<std::string> RefusalOfOutput(const std::filesystem::path& input,
                                           const std::filesystem::path& output);

// Writes the bytes to a new file beside OUTPUT and renames it over OUTPUT, so that a failure or
// a stop at any point leaves whatever stood at OUTPUT as it was. Why it failed, or nothing.
std::optional<std::string> ReplaceWith(const std::filesystem::path& output,
                                       std::span<const char> bytes);

}  // namespace thumbnailer
