#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/buffered_file.h"
#include "common/embedded_resources.h"
#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

namespace {

// The file test_common embeds as TEST_SAMPLE, found next to this source.
const fs::path kSamplePath = fs::path(__FILE__).parent_path() / "data" / "embedded_sample.bin";

// Twenty distinct bytes, so any read shows exactly where the position was.
const std::string kTwenty = "ABCDEFGHIJKLMNOPQRST";

std::string readAll(BufferedFile& file) {
  std::string bytes(file.size() - file.tell(), '\0');
  file.read(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return bytes;
}

class DiskFileTest : public ::testing::Test {
 protected:
  TempDirectory data_;
  WorkingDirectory inData_{data_.path()};
  DiskFile file_;
};

TEST_F(DiskFileTest, NamesThatGiveNoBytesFail) {
  data_.write("empty.bin", "");
  fs::create_directories(data_.path() / "Levels");
  for (const char* name : {"", "empty.bin", "missing.bin", "Levels", "levels\\"}) {
    file_.open(name);
    EXPECT_TRUE(file_.failed()) << name;
    EXPECT_FALSE(file_.isOpen()) << name;
    EXPECT_EQ(file_.size(), 0u) << name;
  }
}

TEST_F(DiskFileTest, UnreadableFileFails) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their permissions";
  const fs::path locked = data_.write("locked.bin", kTwenty);
  fs::permissions(locked, fs::perms::none);
  file_.open("locked.bin");
  EXPECT_TRUE(file_.failed());
  EXPECT_FALSE(file_.isOpen());
}

TEST_F(DiskFileTest, BackslashPathInOtherLetterCaseOpens) {
  data_.write("gfx/Font.tga", kTwenty);
  file_.open("GFX\\FONT.TGA");
  ASSERT_FALSE(file_.failed());
  EXPECT_TRUE(file_.good());
  EXPECT_EQ(readAll(file_), kTwenty);
}

TEST_F(DiskFileTest, ReopeningReleasesTheOldBufferFirst) {
  data_.write("first.bin", kTwenty);
  file_.open("first.bin");
  ASSERT_TRUE(file_.good());
  file_.seek(3, BufferedFile::kFromStart);

  file_.open("second.bin");  // doesn't exist
  EXPECT_TRUE(file_.failed());
  EXPECT_FALSE(file_.isOpen());
  EXPECT_EQ(file_.size(), 0u);
  EXPECT_EQ(file_.tell(), 0u);
  EXPECT_EQ(file_.current(), nullptr);
}

TEST_F(DiskFileTest, MemoryCopyOutlivesTheDiskFile) {
  data_.write("gone.bin", kTwenty);
  file_.open("gone.bin");
  fs::remove(data_.path() / "gone.bin");
  EXPECT_EQ(readAll(file_), kTwenty);
}

// Reading and seeking, on a twenty-byte file opened from disk.
class BufferedFileTest : public DiskFileTest {
 protected:
  void SetUp() override {
    data_.write("twenty.bin", kTwenty);
    file_.open("twenty.bin");
    ASSERT_TRUE(file_.good());
  }
};

TEST_F(BufferedFileTest, ShortReadCopiesNothingAndKeepsThePosition) {
  file_.seek(16, BufferedFile::kFromStart);
  std::array<char, 10> target;
  target.fill('#');
  file_.read(target.data(), 10);
  EXPECT_EQ(std::string(target.data(), 10), std::string(10, '#'));
  EXPECT_TRUE(file_.failed());
  EXPECT_FALSE(file_.good());
  EXPECT_EQ(file_.tell(), 16u);
  EXPECT_EQ(*file_.current(), 'Q');
}

TEST_F(BufferedFileTest, ReadingExactlyToTheEndSucceeds) {
  file_.seek(16, BufferedFile::kFromStart);
  std::array<char, 4> tail;
  file_.read(tail.data(), 4);
  EXPECT_EQ(std::string(tail.data(), 4), "QRST");
  EXPECT_FALSE(file_.failed());
  EXPECT_FALSE(file_.good());  // nothing left
  EXPECT_EQ(file_.tell(), 20u);
}

TEST_F(BufferedFileTest, HugeReadCountDoesNotWrapPastTheEnd) {
  file_.seek(1, BufferedFile::kFromStart);
  char sink = '#';
  file_.read(&sink, UINT32_MAX);
  EXPECT_TRUE(file_.failed());
  EXPECT_EQ(sink, '#');
  EXPECT_EQ(file_.tell(), 1u);
}

TEST_F(BufferedFileTest, SeekOriginsCountFromTheirOwnPoint) {
  file_.seek(5, BufferedFile::kFromEnd);
  EXPECT_EQ(file_.tell(), 15u);
  EXPECT_EQ(*file_.current(), 'P');
  file_.seek(-3, BufferedFile::kFromCurrent);
  EXPECT_EQ(file_.tell(), 12u);
  file_.seek(7, BufferedFile::kFromStart);
  EXPECT_EQ(file_.tell(), 7u);
  file_.seek(0, BufferedFile::kFromEnd);
  EXPECT_EQ(file_.tell(), 20u);
  EXPECT_FALSE(file_.failed());  // the end itself is a legal position
}

TEST_F(BufferedFileTest, SeekOutsideTheFileClampsAndFails) {
  struct Case {
    int32_t offset;
    int origin;
    uint32_t expected;
  };
  for (Case c : {Case{-1, BufferedFile::kFromStart, 0}, Case{21, BufferedFile::kFromStart, 20},
                 Case{-30, BufferedFile::kFromCurrent, 0}, Case{25, BufferedFile::kFromEnd, 0},
                 Case{-1, BufferedFile::kFromEnd, 20}, Case{INT32_MIN, BufferedFile::kFromEnd, 20},
                 Case{INT32_MAX, BufferedFile::kFromCurrent, 20}}) {
    file_.open("twenty.bin");
    file_.seek(10, BufferedFile::kFromStart);
    file_.seek(c.offset, c.origin);
    EXPECT_EQ(file_.tell(), c.expected) << c.offset << " from " << c.origin;
    EXPECT_TRUE(file_.failed()) << c.offset << " from " << c.origin;
  }
}

TEST_F(BufferedFileTest, UnknownSeekOriginFailsInPlace) {
  file_.seek(6, BufferedFile::kFromStart);
  file_.seek(2, 3);
  EXPECT_TRUE(file_.failed());
  EXPECT_EQ(file_.tell(), 6u);
}

TEST(ResourceFileTest, ReadsBackTheEmbeddedFileByteForByte) {
  const std::string sample = readFileBytes(kSamplePath);
  ASSERT_FALSE(sample.empty()) << kSamplePath;
  ASSERT_NE(sample.find('\0'), std::string::npos);  // the sample must exercise a zero byte

  ResourceFile file;
  file.open("TEST_SAMPLE");
  ASSERT_TRUE(file.good());
  EXPECT_EQ(readAll(file), sample);
}

TEST(ResourceFileTest, NamesMatchInAnyLetterCase) {
  ResourceFile file;
  file.open("test_Sample");
  EXPECT_TRUE(file.good());
  EXPECT_EQ(file.size(), readFileBytes(kSamplePath).size());
}

TEST(ResourceFileTest, MissingOrEmptyResourceFails) {
  registerEmbeddedResource("TEST_EMPTY_AT_RUNTIME", {});
  ResourceFile file;
  for (const char* name : {"NO_SUCH_RESOURCE", "TEST_EMPTY_AT_RUNTIME", ""}) {
    file.open(name);
    EXPECT_TRUE(file.failed()) << name;
    EXPECT_FALSE(file.isOpen()) << name;
  }
}

TEST(ResourceFileTest, FirstRegistrationOfANameWins) {
  static const unsigned char kImpostor[] = {1, 2, 3};
  registerEmbeddedResource("test_sample", kImpostor);
  const EmbeddedResource* found = findEmbeddedResource("TEST_SAMPLE");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->bytes.size(), readFileBytes(kSamplePath).size());
}

}  // namespace
