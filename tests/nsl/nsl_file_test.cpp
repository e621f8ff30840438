#include <gtest/gtest.h>

#include <span>

#include "nsl/nsl_file.h"
#include "nsl/nsl_test_files.h"
#include "shell/file_failure.h"
#include "support/temp_folder.h"

namespace {

using nsl_test::Bitmap;
using nsl_test::ChunkFile;
using nsl_test::PlainFile;
using nsl_test::UsualFile;
using shell::DotPicture;
using shell::FileFailureKind;
using Bytes = std::vector<std::uint8_t>;

DotPicture Decode(const Bytes& bitmap) {
  return nsl::DecodeNslBitmap(std::span<const std::uint8_t, 504>(bitmap.data(), 504));
}

std::vector<std::pair<int, int>> DarkDots(const DotPicture& picture) {
  std::vector<std::pair<int, int>> dots;
  for (int r = 0; r < picture.Height(); ++r) {
    for (int c = 0; c < picture.Width(); ++c) {
      if (picture.At(c, r)) {
        dots.emplace_back(c, r);
      }
    }
  }
  return dots;
}

TEST(NslBitmap, BandsColumnsAndBitsLandOnTheirDots) {
  struct Case {
    std::size_t index;
    std::uint8_t value;
    std::vector<std::pair<int, int>> dots;  // (column, row)
  };
  const std::vector<Case> cases = {
      {0, 0x01, {{0, 0}}},      // lowest bit: the band's top row
      {0, 0x80, {{0, 7}}},      // highest bit: the band's bottom row
      {83, 0x01, {{83, 0}}},    // last column of the first band
      {84, 0x01, {{0, 8}}},     // first byte of the second band
      {503, 0x80, {{83, 47}}},  // last byte
      {2 * 84 + 10, 0xA5, {{10, 16}, {10, 18}, {10, 21}, {10, 23}}},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(DarkDots(Decode(Bitmap({{test.index, test.value}}))), test.dots)
        << "byte " << test.index << " = " << int{test.value};
  }
}

class NslFile : public testing::Test {
 protected:
  DotPicture Read(const Bytes& bytes) { return nsl::ReadNslFile(folder.Write("logo.nsl", bytes)); }
  FileFailureKind FailureReading(const Bytes& bytes) {
    try {
      Read(bytes);
    } catch (const shell::FileAccessError& error) {
      return error.Failure().kind;
    }
    ADD_FAILURE() << "a file of " << bytes.size() << " bytes was read";
    return FileFailureKind::System;
  }

  test_support::TempFolder folder;
  const Bytes bitmap = Bitmap({{0, 0x01}, {200, 0x3C}, {503, 0x80}});
  const DotPicture expected = Decode(bitmap);
};

TEST_F(NslFile, TheFixedHeaderIsNotExaminedAndBytesAfterTheBitmapAreIgnored) {
  EXPECT_EQ(Read(PlainFile(70, 0x00, bitmap)), expected);
  EXPECT_EQ(Read(PlainFile(70, 0xFF, bitmap)), expected);
  Bytes long_file = PlainFile(70, 0x11, bitmap);
  long_file.resize(10000, 0xFF);
  EXPECT_EQ(Read(long_file), expected);
}

TEST_F(NslFile, AFileEndingBeforeItsBitmapIsReadPastItsEnd) {
  Bytes short_file = PlainFile(70, 0, bitmap);
  short_file.pop_back();  // 573 bytes
  EXPECT_EQ(FailureReading(short_file), FileFailureKind::ReadPastEnd);
  EXPECT_EQ(FailureReading(Bytes(69, 0)), FileFailureKind::ReadPastEnd);
  EXPECT_EQ(FailureReading({}), FileFailureKind::ReadPastEnd);
}

TEST_F(NslFile, AChunkStreamPutsTheBitmapWhereItsNsldChunkIs) {
  EXPECT_EQ(nsl::FindNsldChunk(UsualFile(bitmap)), 70u);  // the same as the fixed rule
  EXPECT_EQ(Read(UsualFile(bitmap)), expected);

  const Bytes phone_suite = ChunkFile(0, bitmap);  // the 12-byte header
  ASSERT_EQ(phone_suite.size(), 516u);
  EXPECT_EQ(Read(phone_suite), expected);
  Bytes cut = phone_suite;
  cut.resize(400);
  EXPECT_EQ(FailureReading(cut), FileFailureKind::ReadPastEnd);

  const Bytes far = ChunkFile(700, bitmap);  // past the 574 bytes the fixed rule reads
  EXPECT_EQ(nsl::FindNsldChunk(far), 718u);
  EXPECT_EQ(Read(far), expected);
}

TEST_F(NslFile, AnythingButAWellFormedChunkStreamKeepsTheFixedRule) {
  const Bytes other_length = ChunkFile(0, PlainFile(58, 0, bitmap), 562);  // NSLD of 562 bytes
  EXPECT_EQ(nsl::FindNsldChunk(other_length), std::nullopt);
  EXPECT_EQ(Read(other_length), expected);  // 12 + 58: the fixed rule finds the bitmap at 70
  Bytes bad_name = ChunkFile(52, bitmap);
  bad_name[7] = 0x01;
  EXPECT_EQ(nsl::FindNsldChunk(bad_name), std::nullopt);
  Bytes beyond_form = ChunkFile(0, bitmap);
  beyond_form[5] = 0x00;  // "FORM" ends before the bitmap would
  EXPECT_EQ(nsl::FindNsldChunk(beyond_form), std::nullopt);
  EXPECT_EQ(nsl::FindNsldChunk(Bytes{'F', 'O', 'R', 'M', 0x01, 0xFE}), std::nullopt);
}

}  // namespace
