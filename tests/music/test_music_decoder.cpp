// The Ogg Vorbis decoder alone: exact lengths and sample-exact seeking, and streams it must
// refuse or cut short.

#include <gtest/gtest.h>

#include <algorithm>

#include "game/platform/music_decoder.h"
#include "music/ogg_encoder.h"
#include "test_support/temp_directory.h"

namespace music_test {
namespace {

using audio::MusicDecoder;

constexpr int32_t kRate = 44100;

const std::vector<uint8_t>& twoToneOgg() {
  static const std::vector<uint8_t> bytes =
      encodeOgg(toneSamples({{300, 1.0}, {900, 1.0}}, 1, kRate), 1, kRate);
  return bytes;
}

std::vector<int16_t> decodeAll(MusicDecoder& decoder) {
  std::vector<int16_t> all;
  std::vector<int16_t> chunk(4096 * size_t(decoder.channels()));
  while (const size_t frames = decoder.read(chunk)) {
    all.insert(all.end(), chunk.begin(), chunk.begin() + ptrdiff_t(frames) * decoder.channels());
  }
  return all;
}

TEST(MusicDecoder, KeepsTheExactLengthAndFormat) {
  const auto decoder = MusicDecoder::openMemory(twoToneOgg());
  ASSERT_NE(decoder, nullptr);
  EXPECT_EQ(decoder->channels(), 1);
  EXPECT_EQ(decoder->sampleRate(), kRate);
  EXPECT_EQ(decoder->totalFrames(), 2u * kRate);
  EXPECT_EQ(decodeAll(*decoder).size(), 2u * kRate);
  EXPECT_FALSE(decoder->failed());
  EXPECT_EQ(decoder->framePosition(), 2u * kRate);
}

TEST(MusicDecoder, SeeksToTheExactSampleOfAMillisecond) {
  const auto decoder = MusicDecoder::openMemory(twoToneOgg());
  ASSERT_NE(decoder, nullptr);
  const std::vector<int16_t> all = decodeAll(*decoder);
  ASSERT_TRUE(decoder->seekMilliseconds(1234));
  const uint64_t frame = 1234 * kRate / 1000;  // 54419.4 rounded down
  EXPECT_EQ(decoder->framePosition(), frame);
  std::vector<int16_t> after(1000);
  ASSERT_EQ(decoder->read(after), after.size());
  EXPECT_TRUE(std::equal(after.begin(), after.end(), all.begin() + ptrdiff_t(frame)));
  EXPECT_EQ(decoder->framesToMilliseconds(kRate * 3 / 2), 1500u);
}

TEST(MusicDecoder, RefusesASeekBeyondTheEnd) {
  const auto decoder = MusicDecoder::openMemory(twoToneOgg());
  ASSERT_NE(decoder, nullptr);
  EXPECT_FALSE(decoder->seekMilliseconds(5000));
  std::vector<int16_t> some(100);
  EXPECT_EQ(decoder->read(some), some.size());  // still readable
}

TEST(MusicDecoder, RefusesWhatIsNotOggVorbis) {
  EXPECT_EQ(MusicDecoder::openMemory({}), nullptr);
  const std::vector<uint8_t> text(2000, 'x');
  EXPECT_EQ(MusicDecoder::openMemory(text), nullptr);
  // Only the first page: the identification header without the rest of the headers.
  const std::vector<uint8_t> headerOnly(twoToneOgg().begin(), twoToneOgg().begin() + 58);
  EXPECT_EQ(MusicDecoder::openMemory(headerOnly), nullptr);
  EXPECT_EQ(MusicDecoder::openFile("no such file.ogg"), nullptr);
  const TempDirectory folder;
  for (const std::filesystem::path& path : folder.notRegularFiles())
    EXPECT_EQ(MusicDecoder::openFile(path), nullptr) << path;
}

// A link with another channel count than the stream opened with would play as noise at the
// wrong speed, so the stream ends there, and never hands out samples of that link.
TEST(MusicDecoder, EndsWhereAChainedLinkChangesTheFormat) {
  std::vector<uint8_t> chained = encodeOgg(toneSamples({{440, 0.5}}, 1, kRate), 1, kRate, 1);
  const std::vector<uint8_t> stereo = encodeOgg(toneSamples({{440, 0.5}}, 2, kRate), 2, kRate, 2);
  chained.insert(chained.end(), stereo.begin(), stereo.end());
  const auto decoder = MusicDecoder::openMemory(chained);
  ASSERT_NE(decoder, nullptr);
  ASSERT_EQ(decoder->channels(), 1);
  EXPECT_LE(decodeAll(*decoder).size(), size_t(kRate / 2));
  EXPECT_TRUE(decoder->failed());
}

// The last page cut off in the middle: the complete pages before it still decode.
TEST(MusicDecoder, ACutFileDecodesWhatItHoldsAndEnds) {
  const std::vector<uint8_t> cut(twoToneOgg().begin(), twoToneOgg().end() - 200);
  const auto decoder = MusicDecoder::openMemory(cut);
  ASSERT_NE(decoder, nullptr);
  const size_t frames = decodeAll(*decoder).size();
  EXPECT_GT(frames, size_t(kRate / 2));
  EXPECT_LT(frames, 2u * kRate);
}

}  // namespace
}  // namespace music_test
