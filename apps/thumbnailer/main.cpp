// nokia-logo-thumbnailer SIZE INPUT OUTPUT: the freedesktop thumbnailer of both kinds of logo
// file. Draws the dots on the viewers' screen colour as a PNG no larger than SIZE on either side,
// scaled without smoothing and with its aspect kept, a grid between the dots when they are big
// enough for one. File managers run it unattended on whatever a folder holds, so it reads only
// regular files, bounded, and replaces only OUTPUT; for anything it refuses it writes nothing,
// says why on stderr and exits 1 (2 for wrong arguments).
#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "nlm/nlm_file.h"
#include "nsl/nsl_file.h"
#include "output_file.h"
#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"
#include "shell/canvas/thumbnail.h"
#include "shell/system/folder_listing.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLargestSize = 1024;  // the largest thumbnail size freedesktop names

// NLM files begin with "NLM "; anything else is read as a startup logo, as the file's name says.
bool IsNlm(const fs::path& file) {
  if (shell::MatchesExtension(file.filename().native(), ".nlm")) {
    return true;
  }
  if (shell::MatchesExtension(file.filename().native(), ".nsl")) {
    return false;
  }
  const std::vector<std::uint8_t> magic = shell::ReadOnlyFile(file).ReadUpTo(4);
  return std::string(magic.begin(), magic.end()) == "NLM ";
}

shell::DotPicture Decode(const fs::path& file) {
  return IsNlm(file) ? nlm::DecodeNlmFile(file).dots : nsl::ReadNslFile(file);
}

// SIZE as whole decimal digits from 1 to 1024; anything else is no size.
std::optional<int> SizeOf(std::string_view text) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != text.npos) {
    return std::nullopt;
  }
  const int size = std::stoi(std::string(text));
  return size >= 1 && size <= kLargestSize ? std::optional(size) : std::nullopt;
}

// Why the file cannot be shown as a logo, in words for a person reading the file manager's log.
std::string WhyNotALogo(const shell::FileFailure& failure) {
  if (failure.kind == shell::FileFailureKind::UnlistedLength) {
    return "not a logo: no kind of picture has this file's length.";
  }
  return shell::DescribeFailure(failure, shell::Language::English);
}

int Refuse(const fs::path& what, const std::string& why) {
  std::fprintf(stderr, "nokia-logo-thumbnailer: %s: %s\n", what.c_str(), why.c_str());
  return 1;
}

QByteArray Png(const shell::Raster& raster) {
  const QImage image(reinterpret_cast<const uchar*>(raster.Pixels()), raster.Width(),
                     raster.Height(), raster.Width() * 4, QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<int> size = argc == 4 ? SizeOf(argv[1]) : std::nullopt;
  if (!size) {
    std::fputs(
        "usage: nokia-logo-thumbnailer SIZE INPUT OUTPUT\n"
        "       (SIZE in pixels, from 1 to 1024)\n",
        stderr);
    return 2;
  }
  const fs::path input(argv[2]);
  const fs::path output(argv[3]);
  if (const std::optional<std::string> refusal = thumbnailer::RefusalOfOutput(input, output)) {
    return Refuse(output, "not written: " + *refusal);
  }
  QByteArray png;
  try {
    png = Png(shell::Thumbnail(Decode(input), *size));
  } catch (const shell::FileAccessError& error) {
    return Refuse(input, WhyNotALogo(error.Failure()));
  } catch (const std::exception& error) {
    return Refuse(input, error.what());
  }
  if (png.isEmpty()) {
    return Refuse(output, "not written: the picture could not be encoded");
  }
  if (const std::optional<std::string> failure = thumbnailer::ReplaceWith(output, png)) {
    return Refuse(output, "not written: " + *failure);
  }
  return 0;
}
