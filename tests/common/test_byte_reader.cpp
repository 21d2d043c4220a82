#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <vector>

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace {

const std::vector<uint8_t> kEight = {1, 2, 3, 4, 5, 6, 7, 8};

struct ReadCase {
  const char* what;
  size_t size;  // of kEight's first bytes
  size_t start;
  std::function<uint64_t(ByteReader&)> read;
  uint64_t value;
  bool failed;
  size_t position;  // after the read
};

TEST(ByteReaderTests, ReadsLowByteFirstAndNeverPastTheEnd) {
  const ReadCase cases[] = {
      {"u8", 8, 0, [](ByteReader& r) { return r.u8(); }, 0x01, false, 1},
      {"u16", 8, 0, [](ByteReader& r) { return r.u16(); }, 0x0201, false, 2},
      {"u32 from a start", 8, 4, [](ByteReader& r) { return r.u32(); }, 0x08070605, false, 8},
      {"u64", 8, 0, [](ByteReader& r) { return r.u64(); }, 0x0807060504030201, false, 8},
      {"u64 one byte short", 7, 0, [](ByteReader& r) { return r.u64(); }, 0, true, 0},
      {"u32 three bytes left", 8, 5, [](ByteReader& r) { return r.u32(); }, 0, true, 5},
      {"a start past the end", 8, 9, [](ByteReader& r) { return r.u8(); }, 0, true, 0},
      {"a start at the end", 8, 8, [](ByteReader& r) { return r.u8(); }, 0, true, 8},
      {"all the bytes", 8, 0, [](ByteReader& r) { return r.bytes(8).size(); }, 8, false, 8},
      {"a byte too many", 8, 0, [](ByteReader& r) { return r.bytes(9).size(); }, 0, true, 0},
      {"text", 8, 6, [](ByteReader& r) { return r.text(2).size(); }, 2, false, 8},
      {"a skip past the end", 8, 0,
       [](ByteReader& r) {
         r.skip(9);
         return r.u8();
       },
       0, true, 0},
      {"a read after a failed one", 8, 6,
       [](ByteReader& r) {
         r.u32();
         return r.u8();
       },
       0, true, 6},
  };
  for (const ReadCase& c : cases) {
    ByteReader reader(std::span<const uint8_t>(kEight).first(c.size), c.start);
    EXPECT_EQ(c.read(reader), c.value) << c.what;
    EXPECT_EQ(reader.failed(), c.failed) << c.what;
    EXPECT_EQ(reader.position(), c.position) << c.what;
  }
}

TEST(ByteReaderTests, WriterPutsLowByteFirst) {
  ByteWriter writer;
  writer.u16(0x0102);
  writer.u32(0x03040506);
  writer.append("ab");
  EXPECT_EQ(writer.take(), (std::vector<uint8_t>{2, 1, 6, 5, 4, 3, 'a', 'b'}));
}

TEST(ByteReaderTests, ReadsBackWhatTheWriterWrote) {
  ByteWriter writer;
  writer.u8(0xFE);
  writer.u16(0xBEEF);
  writer.u32(0xDEADBEEF);
  writer.u64(0x0123456789ABCDEF);
  writer.i32(-2);
  writer.f32(-0.0f);
  writer.append("name");
  const std::string text = writer.takeText();
  ByteReader reader(text);
  EXPECT_EQ(reader.u8(), 0xFE);
  EXPECT_EQ(reader.u16(), 0xBEEF);
  EXPECT_EQ(reader.u32(), 0xDEADBEEF);
  EXPECT_EQ(reader.u64(), 0x0123456789ABCDEFu);
  EXPECT_EQ(reader.i32(), -2);
  EXPECT_EQ(std::bit_cast<uint32_t>(reader.f32()), 0x80000000u) << "-0 keeps its sign";
  EXPECT_EQ(reader.text(4), "name");
  EXPECT_TRUE(reader.atEnd());
  EXPECT_FALSE(reader.failed());
}

}  // namespace
