#include "nsl/nsl_file.h"

#include <algorithm>
#include <array>

#include "shell/base/file_failure.h"
#include "shell/base/read_only_file.h"

namespace nsl {

namespace {

constexpr std::size_t kChunkHeaderLength = 6;  // 4-character name, 2-byte big-endian length
constexpr std::array<std::uint8_t, 4> kFormName{'F', 'O', 'R', 'M'};
constexpr std::array<std::uint8_t, 4> kNsldName{'N', 'S', 'L', 'D'};
constexpr std::size_t kFixedRuleLength = NslHeaderLength + NslBitmapLength;  // 574

std::size_t BigEndian16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::size_t{bytes[at]} << 8 | std::size_t{bytes[at + 1]};
}

bool HasName(std::span<const std::uint8_t> bytes, std::size_t at,
             const std::array<std::uint8_t, 4>& name) {
  return std::equal(name.begin(), name.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

bool IsChunkName(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                     [](std::uint8_t c) { return c >= 0x20 && c <= 0x7E; });
}

bool StartsWithForm(std::span<const std::uint8_t> head) {
  return head.size() >= kChunkHeaderLength && HasName(head, 0, kFormName);
}

// The end of the chunk stream that "FORM" announces.
std::size_t FormEnd(std::span<const std::uint8_t> head) {
  return kChunkHeaderLength + BigEndian16(head, 4);
}

}  // namespace

std::optional<std::size_t> FindNsldChunk(std::span<const std::uint8_t> head) {
  if (!StartsWithForm(head)) {
    return std::nullopt;
  }
  const std::size_t form_end = FormEnd(head);
  std::size_t at = kChunkHeaderLength;
  while (at + kChunkHeaderLength <= std::min(form_end, head.size())) {
    if (!IsChunkName(head, at)) {
      return std::nullopt;
    }
    const std::size_t length = BigEndian16(head, at + 4);
    const std::size_t data = at + kChunkHeaderLength;
    if (HasName(head, at, kNsldName)) {
      const bool fits = length == NslBitmapLength && data + length <= form_end;
      return fits ? std::optional(data) : std::nullopt;
    }
    at = data + length;
  }
  return std::nullopt;
}

shell::DotPicture DecodeNslBitmap(std::span<const std::uint8_t, NslBitmapLength> bitmap) {
  shell::DotPicture logo(kLogoWidth, kLogoHeight);
  for (std::size_t i = 0; i < NslBitmapLength; ++i) {
    const int band = static_cast<int>(i) / kLogoWidth;
    const int column = static_cast<int>(i) % kLogoWidth;
    for (int bit = 0; bit < kBandHeight; ++bit) {
      logo.Set(column, band * kBandHeight + bit, (bitmap[i] >> bit & 1) != 0);
    }
  }
  return logo;
}

shell::DotPicture ReadNsl(const ReadUpTo& read_up_to) {
  std::vector<std::uint8_t> head = read_up_to(kFixedRuleLength);
  // A chunk stream may place its bitmap further on, but never beyond the extent "FORM" gives.
  if (head.size() == kFixedRuleLength && StartsWithForm(head) && FormEnd(head) > head.size()) {
    const std::vector<std::uint8_t> rest = read_up_to(FormEnd(head) - head.size());
    head.insert(head.end(), rest.begin(), rest.end());
  }
  const std::size_t offset = FindNsldChunk(head).value_or(NslHeaderLength);
  if (head.size() < offset + NslBitmapLength) {
    throw shell::FileAccessError(shell::FileFailure{shell::FileFailureKind::ReadPastEnd});
  }
  return DecodeNslBitmap(std::span<const std::uint8_t, NslBitmapLength>(
      head.data() + static_cast<std::ptrdiff_t>(offset), NslBitmapLength));
}

shell::DotPicture ReadNslFile(const std::filesystem::path& path) {
  shell::ReadOnlyFile file(path);
  return ReadNsl([&file](std::size_t count) { return file.ReadUpTo(count); });
}

}  // namespace nsl
