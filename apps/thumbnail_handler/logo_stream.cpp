#include "logo_stream.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "nlm/nlm_file.h"
#include "nsl/nsl_file.h"
#include "shell/base/file_failure.h"

namespace thumbnails {

namespace {

[[noreturn]] void Refuse(shell::FileFailureKind kind) {
  throw shell::FileAccessError(shell::FileFailure{kind});
}

std::uint64_t Length(IStream& stream) {
  STATSTG stat{};
  if (const HRESULT result = stream.Stat(&stat, STATFLAG_NONAME); FAILED(result)) {
    throw StreamError{result};
  }
  return stat.cbSize.QuadPart;
}

// A stream may hand over fewer bytes than asked before its end: reads until it says it is at its
// end or gives none.
std::vector<std::uint8_t> ReadUpTo(IStream& stream, std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::size_t got = 0;
  while (got < count) {
    ULONG read = 0;
    const HRESULT result = stream.Read(bytes.data() + got, static_cast<ULONG>(count - got), &read);
    if (FAILED(result)) {
      throw StreamError{result};
    }
    got += read;
    if (result == S_FALSE || read == 0) {
      break;
    }
  }
  bytes.resize(got);
  return bytes;
}

shell::DotPicture ReadNlm(IStream& stream, std::uint64_t length) {
  constexpr std::uint64_t kLongest = std::numeric_limits<std::int16_t>::max();
  // Beyond 16 bits, a length no kind has.
  const auto file_length = static_cast<std::int16_t>(length <= kLongest ? length : 0);
  if (!nlm::LayoutOfLength(file_length)) {
    Refuse(shell::FileFailureKind::UnlistedLength);
  }
  const std::vector<std::uint8_t> bytes = ReadUpTo(stream, static_cast<std::size_t>(length));
  if (bytes.size() < nlm::kHeaderLength) {
    Refuse(shell::FileFailureKind::ReadPastEnd);
  }
  return nlm::DecodeNlmContent({file_length, {bytes.begin() + nlm::kHeaderLength, bytes.end()}})
      .dots;
}

}  // namespace

shell::DotPicture ReadLogo(IStream& stream, LogoKind kind) {
  const std::uint64_t length = Length(stream);
  if (kind == LogoKind::Nlm) {
    return ReadNlm(stream, length);
  }
  if (length > nsl::kLongestNslFile) {
    Refuse(shell::FileFailureKind::Overflow);
  }
  return nsl::ReadNsl([&stream](std::size_t count) { return ReadUpTo(stream, count); });
}

}  // namespace thumbnails
