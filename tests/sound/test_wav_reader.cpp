// The WAV reader from bytes in memory: every refusal in its order, chunk skipping, and the
// samples handed back as a view of the input.

#include <gtest/gtest.h>

#include "game/platform/wav_reader.h"
#include "sound/wav_bytes.h"

namespace {

using sound_test::chunk;
using sound_test::wavFile;
using sound_test::WavLayout;

std::optional<sound::WavSound> read(const std::string& bytes) {
  return sound::readWav(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

// Overwrites bytes of a file, little-endian.
std::string patched(std::string bytes, size_t at, uint32_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) bytes[at + i] = char((value >> (8 * i)) & 0xff);
  return bytes;
}

const std::string kSamples = "\x01\x02\x03\x04";

TEST(WavReader, ReadsTheFormatAndPointsIntoTheData) {
  const std::string file = wavFile(WavLayout{}, kSamples);
  const auto wav = read(file);
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->format.formatTag, 1);
  EXPECT_EQ(wav->format.channels, 1);
  EXPECT_EQ(wav->format.samplesPerSecond, 44100u);
  EXPECT_EQ(wav->format.averageBytesPerSecond, 88200u);
  EXPECT_EQ(wav->format.blockAlign, 2);
  EXPECT_EQ(wav->format.bitsPerSample, 16);
  ASSERT_EQ(wav->samples.size(), 4u);
  EXPECT_EQ(static_cast<const void*>(wav->samples.data()), file.data() + file.size() - 4);
}

TEST(WavReader, SkipsALongFormatChunkAndOtherChunks) {
  WavLayout layout;
  layout.channels = 2;
  layout.formatChunkBytes = 18;
  layout.extraChunk = chunk("LIST", "INFO") + chunk("fact", "\x10\0\0\0");
  // The samples point into the file, which has to outlive them.
  const std::string file = wavFile(layout, kSamples);
  const auto wav = read(file);
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->format.channels, 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(wav->samples.data()), 4), kSamples);
}

// Offsets: 0 "RIFF", 8 "WAVE", 12 "fmt ", 16 format size, 20 tag, 22 channels, 24 rate,
// 28 byte rate, 32 block align, 34 bits, 36 "data", 40 data size.
TEST(WavReader, RefusesEachBrokenHeaderField) {
  const std::string good = wavFile(WavLayout{}, kSamples);
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    size_t width;
  };
  for (const Case& c : {Case{"RIFF tag", 0, 'X', 1}, Case{"WAVE tag", 8, 'X', 1},
                        Case{"fmt tag", 12, 'F', 1}, Case{"float format", 20, 3, 2},
                        Case{"no channels", 22, 0, 2}, Case{"three channels", 22, 3, 2},
                        Case{"zero rate", 24, 0, 4}, Case{"zero byte rate", 28, 0, 4},
                        Case{"zero block align", 32, 0, 2}, Case{"zero bits", 34, 0, 2},
                        Case{"empty data", 40, 0, 4}, Case{"data beyond the end", 40, 5, 4}}) {
    EXPECT_FALSE(read(patched(good, c.at, c.value, c.width))) << c.what;
  }
}

TEST(WavReader, RefusesFilesThatEndTooSoon) {
  const std::string good = wavFile(WavLayout{}, kSamples);
  for (size_t size : {size_t(0), size_t(35), size_t(36), size_t(43), good.size() - 1}) {
    EXPECT_FALSE(read(good.substr(0, size))) << size << " bytes";
  }
  EXPECT_FALSE(read(chunk("RIFF", "WAVE" + chunk("fmt ", std::string(16, '\x01')))));
}

// A chunk whose stated size runs past the end, even by nearly 4 GiB, ends the search.
TEST(WavReader, RefusesAChunkSkippedPastTheEnd) {
  WavLayout layout;
  layout.extraChunk = "LIST\xff\xff\xff\xff";
  EXPECT_FALSE(read(wavFile(layout, kSamples)));
  EXPECT_FALSE(read(patched(wavFile(WavLayout{}, kSamples), 16, 0xfffffff0u, 4)));
}

}  // namespace
