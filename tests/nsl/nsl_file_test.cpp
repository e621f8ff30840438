#include <gtest/gtest.h>

#include "nsl/nsl_file.h"
#include "shell/base/file_failure.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

// A chunk: a 4-character name, a 2-byte big-endian length, then its data.
Bytes Chunk(std::string_view name, const Bytes& data) {
  const Bytes length{std::uint8_t(data.size() >> 8), std::uint8_t(data.size())};
  return Join({Bytes(name.begin(), name.end()), length, data});
}

TEST(NslFile, TheBitmapIsWhereTheFixedRuleOrAWellFormedNsldChunkPutsIt) {
  // Bit k of byte 84 b + c is dot (c, 8 b + k): both ends of a byte, a band's last column, the
  // next band's first, a mixed byte and the last dot.
  Bytes bitmap(504);
  bitmap[0] = 0x81, bitmap[83] = 0x01, bitmap[84] = 0x01, bitmap[178] = 0xA5, bitmap[503] = 0x80;
  test_support::Art dots = test_support::Blank();
  for (const auto& [c, r] : {std::pair{0, 0}, {0, 7}, {83, 0}, {0, 8}, {10, 16}, {10, 18}, {10, 21},
                             {10, 23}, {83, 47}}) {
    dots[std::size_t(r)][std::size_t(c)] = '#';
  }
  const Bytes phone_suite = Chunk("FORM", Chunk("NSLD", bitmap));  // a 12-byte header
  const auto cut = shell::FileFailureKind::ReadPastEnd;
  // A chunk stream that is not well formed keeps the fixed rule: the bitmap at 70.
  // What the file is; its bytes; where NSLD's bitmap is found; the failure (none: dots read).
  const std::tuple<const char*, Bytes, std::optional<std::size_t>,
                   std::optional<shell::FileFailureKind>> cases[] = {
      {"a 70-byte header, not examined", Join({Bytes(70, 0xFF), bitmap}), {}, {}},
      {"bytes after the bitmap", Join({Bytes(70, 0x11), bitmap, Bytes(9000, 0xFF)}), {}, {}},
      {"573 bytes", Join({Bytes(70), Bytes(bitmap.begin(), bitmap.end() - 1)}), {}, cut},
      {"no bytes", {}, {}, cut},
      {"NSLD past the fixed rule's 574 bytes",
       Chunk("FORM", Join({Chunk("COMM", Bytes(700, 'c')), Chunk("NSLD", bitmap)})), 718, {}},
      {"a 12-byte header, cut", Bytes(phone_suite.begin(), phone_suite.begin() + 400), 12, cut},
      {"NSLD of 562 bytes", Chunk("FORM", Chunk("NSLD", Join({Bytes(58), bitmap}))), {}, {}},
      {"a chunk name that is no text",
       Chunk("FORM", Join({Chunk("C\x01MM", Bytes(52)), Chunk("NSLD", bitmap)})), {}, {}},
      {"FORM ends before NSLD", Join({{'F', 'O', 'R', 'M', 1, 0}, Chunk("NSLD", bitmap)}), {}, cut},
      {"FORM alone", {'F', 'O', 'R', 'M', 1, 0xFE}, {}, cut}};
  test_support::TempFolder folder;
  for (const auto& [what, file, nsld, failure] : cases) {
    SCOPED_TRACE(what);
    EXPECT_EQ(nsl::FindNsldChunk(file), nsld);
    try {
      EXPECT_EQ(test_support::ArtOf(nsl::ReadNslFile(folder.Write("logo.nsl", file))), dots);
      EXPECT_FALSE(failure.has_value());
    } catch (const shell::FileAccessError& error) {
      EXPECT_EQ(error.Failure().kind, failure);
    }
  }
#ifndef _WIN32
  // A file that reports no length, such as a link to one under /proc, ends before its bitmap by
  // its own account, whatever a read would still give.
  fs::create_symlink("/proc/self/environ", folder.Path() / "environ.nsl");
  for (const fs::path& file : {fs::path("/proc/self/status"), folder.Path() / "environ.nsl"}) {
    try {
      nsl::ReadNslFile(file);
      ADD_FAILURE() << file << " read as a logo";
    } catch (const shell::FileAccessError& error) {
      EXPECT_EQ(error.Failure().kind, cut) << file;
    }
  }
#endif
}

}  // namespace
