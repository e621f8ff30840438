#include <gtest/gtest.h>

#include <span>
#include <string>

#include "nsl/nsl_file.h"
#include "nsl/nsl_test_files.h"
#include "shell/file_failure.h"
#include "support/temp_folder.h"
#include "support/text_art.h"

namespace {

using nsl_test::Bitmap;
using nsl_test::ChunkFile;
using nsl_test::PlainFile;
using nsl_test::UsualFile;
using shell::DotPicture;
using test_support::TempFolder;

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

DotPicture Decode(const std::vector<std::uint8_t>& bitmap) {
  return nsl::DecodeNslBitmap(std::span<const std::uint8_t, 504>(bitmap.data(), 504));
}

struct BitCase {
  std::size_t index;
  std::uint8_t value;
  std::vector<std::pair<int, int>> dots;  // (column, row)
};

TEST(NslBitmap, BandsColumnsAndBitsLandOnTheirDots) {
  const std::vector<BitCase> cases = {
      {0, 0x01, {{0, 0}}},      // first byte, lowest bit: top-left dot
      {0, 0x80, {{0, 7}}},      // highest bit: the band's bottom row
      {83, 0x01, {{83, 0}}},    // last column of the first band
      {84, 0x01, {{0, 8}}},     // first byte of the second band
      {503, 0x80, {{83, 47}}},  // last byte, highest bit: bottom-right dot
      {2 * 84 + 10, 0xA5, {{10, 16}, {10, 18}, {10, 21}, {10, 23}}},
  };
  for (const BitCase& test : cases) {
    EXPECT_EQ(DarkDots(Decode(Bitmap({{test.index, test.value}}))), test.dots)
        << "byte " << test.index << " = " << int{test.value};
  }
  EXPECT_EQ(DarkDots(Decode(Bitmap())).size(), 0u);
  EXPECT_EQ(DarkDots(Decode(std::vector<std::uint8_t>(504, 0xFF))).size(), 84u * 48u);
}

class NslFile : public testing::Test {
 protected:
  DotPicture Read(const std::vector<std::uint8_t>& bytes) {
    return nsl::ReadNslFile(folder.Write("logo.nsl", bytes));
  }
  shell::FileFailureKind FailureReading(const std::vector<std::uint8_t>& bytes) {
    try {
      Read(bytes);
    } catch (const shell::FileAccessError& error) {
      return error.Failure().kind;
    }
    ADD_FAILURE() << "a file of " << bytes.size() << " bytes was read";
    return shell::FileFailureKind::System;
  }

  TempFolder folder;
  const std::vector<std::uint8_t> bitmap = Bitmap({{0, 0x01}, {200, 0x3C}, {503, 0x80}});
  const DotPicture expected = Decode(bitmap);
};

TEST_F(NslFile, TheFixedHeaderIsNotExamined) {
  EXPECT_EQ(Read(PlainFile(70, 0x00, bitmap)), expected);
  EXPECT_EQ(Read(PlainFile(70, 0xFF, bitmap)), expected);
  EXPECT_EQ(Read(UsualFile(bitmap)), expected);
}

TEST_F(NslFile, BytesAfterTheBitmapAreIgnored) {
  std::vector<std::uint8_t> long_file = PlainFile(70, 0x11, bitmap);
  long_file.resize(10000, 0xFF);
  EXPECT_EQ(Read(long_file), expected);
}

TEST_F(NslFile, AFileEndingBeforeItsBitmapDoesIsReadPastItsEnd) {
  using shell::FileFailureKind;
  std::vector<std::uint8_t> short_file = PlainFile(70, 0, bitmap);
  short_file.pop_back();  // 573 bytes
  EXPECT_EQ(FailureReading(short_file), FileFailureKind::ReadPastEnd);
  EXPECT_EQ(FailureReading(std::vector<std::uint8_t>(69, 0)), FileFailureKind::ReadPastEnd);
  EXPECT_EQ(FailureReading(std::vector<std::uint8_t>(70, 0)), FileFailureKind::ReadPastEnd);
  EXPECT_EQ(FailureReading({}), FileFailureKind::ReadPastEnd);
}

TEST_F(NslFile, TheShortPhoneSuiteHeaderIsAChunkStream) {
  const std::vector<std::uint8_t> file = ChunkFile(0, bitmap);
  ASSERT_EQ(file.size(), 516u);
  EXPECT_EQ(nsl::FindNsldChunk(file), 12u);
  EXPECT_EQ(Read(file), expected);

  std::vector<std::uint8_t> cut = file;
  cut.resize(400);  // ends inside the bitmap
  EXPECT_EQ(FailureReading(cut), shell::FileFailureKind::ReadPastEnd);
}

TEST_F(NslFile, TheUsualHeaderGivesTheSamePictureUnderBothRules) {
  EXPECT_EQ(nsl::FindNsldChunk(UsualFile(bitmap)), 70u);
}

TEST_F(NslFile, ABitmapBeyondTheFixedLengthIsFoundWhereTheChunksPutIt) {
  const std::vector<std::uint8_t> file = ChunkFile(700, bitmap);  // NSLD data at 718
  EXPECT_EQ(nsl::FindNsldChunk(file), 718u);
  EXPECT_EQ(Read(file), expected);
}

TEST_F(NslFile, AnythingButAWellFormedChunkStreamKeepsTheFixedRule) {
  // An NSLD chunk of another length.
  std::vector<std::uint8_t> other_length = ChunkFile(0, PlainFile(58, 0, bitmap), 562);
  EXPECT_EQ(nsl::FindNsldChunk(other_length), std::nullopt);
  EXPECT_EQ(Read(other_length), expected);  // 12 + 58 = 70: the fixed rule finds the bitmap

  // A chunk name that is no text.
  std::vector<std::uint8_t> bad_name = ChunkFile(52, bitmap);
  bad_name[7] = 0x01;
  EXPECT_EQ(nsl::FindNsldChunk(bad_name), std::nullopt);

  // An NSLD chunk reaching past the end "FORM" announces.
  std::vector<std::uint8_t> beyond_form = ChunkFile(0, bitmap);
  beyond_form[5] = 0x00;
  EXPECT_EQ(nsl::FindNsldChunk(beyond_form), std::nullopt);

  // "FORM" and nothing more.
  EXPECT_EQ(nsl::FindNsldChunk(std::vector<std::uint8_t>{'F', 'O', 'R', 'M', 0x01, 0xFE}),
            std::nullopt);
  EXPECT_EQ(nsl::FindNsldChunk(PlainFile(70, 0, bitmap)), std::nullopt);
}

}  // namespace
