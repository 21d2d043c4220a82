// The streamer as heard: every test renders the mix through the loopback device and tells
// from the pitch of a two-tone file (300 Hz for the first second, 900 Hz for the second)
// where in the file the music is.

#include <gtest/gtest.h>

#include <span>

#include "game/platform/music.h"
#include "music/music_loopback.h"
#include "music/ogg_encoder.h"

namespace music_test {
namespace {

constexpr double kSilence = 1e-3;

class MusicStreamerTest : public MusicLoopbackTest {
 protected:
  void SetUp() override {
    MusicLoopbackTest::SetUp();
    startMusic();
  }
  std::string twoToneFile() {
    static const std::vector<uint8_t> bytes =
        encodeOgg(toneSamples({{300, 1.0}, {900, 1.0}}, 1, kRenderRate), 1, kRenderRate);
    return writeFile("music/twoTone.ogg", bytes);
  }
  // The part of `samples` between two times in seconds.
  static std::span<const float> between(const std::vector<float>& samples, double from, double to) {
    const auto first = size_t(from * kRenderRate);
    const auto last = std::min(samples.size(), size_t(to * kRenderRate));
    return std::span(samples).subspan(first, last - first);
  }
};

TEST_F(MusicStreamerTest, PlaysTheFileFromItsStart) {
  ASSERT_TRUE(music::playMusic(twoToneFile(), false));
  const std::vector<float> heard = render(1.8);
  EXPECT_NEAR(toneFrequency(between(heard, 0.1, 0.9)), 300, 10);
  EXPECT_NEAR(toneFrequency(between(heard, 1.1, 1.8)), 900, 10);
}

TEST_F(MusicStreamerTest, PauseAndResumeContinueFromTheSavedPosition) {
  ASSERT_TRUE(music::playMusic(twoToneFile(), true));
  render(1.5);
  ASSERT_TRUE(music::pauseMusic());
  EXPECT_NEAR(double(music::savedMusicPosition()), 1500.0, 25.0);
  EXPECT_LT(rms(render(0.3)), kSilence);

  ASSERT_TRUE(music::resumeMusic());
  const std::vector<float> heard = render(0.4);
  EXPECT_NEAR(toneFrequency(between(heard, 0.0, 0.4)), 900, 15);  // not back at 300 Hz
  EXPECT_NEAR(double(streamer_->position()), 1900.0, 25.0);
}

TEST_F(MusicStreamerTest, LoopingStartsOverAtTheEnd) {
  ASSERT_TRUE(music::playMusic(twoToneFile(), true));
  const std::vector<float> heard = render(4.6);
  EXPECT_NEAR(toneFrequency(between(heard, 2.1, 2.9)), 300, 10);
  EXPECT_NEAR(toneFrequency(between(heard, 3.1, 3.9)), 900, 10);
  EXPECT_NEAR(toneFrequency(between(heard, 4.1, 4.6)), 300, 10);
  EXPECT_NEAR(double(streamer_->position()), 600.0, 25.0);
  EXPECT_TRUE(music::hasMusicStream());
}

TEST_F(MusicStreamerTest, PlayingOnceEndsInSilence) {
  ASSERT_TRUE(music::playMusic(twoToneFile(), false));
  const std::vector<float> heard = render(2.6);
  EXPECT_NEAR(toneFrequency(between(heard, 1.2, 1.9)), 900, 10);
  EXPECT_LT(rms(between(heard, 2.1, 2.6)), kSilence);
  streamer_->refillNow();
  EXPECT_FALSE(streamer_->isSounding());
  EXPECT_EQ(streamer_->position(), 2000u);
  EXPECT_TRUE(music::hasMusicStream());  // the stream stays open until stopped
  EXPECT_TRUE(music::stopMusic());
  EXPECT_FALSE(music::hasMusicStream());
}

TEST_F(MusicStreamerTest, VolumeScalesTheAmplitude) {
  ASSERT_TRUE(music::playMusic(twoToneFile(), true));
  const double full = rms(between(render(0.5), 0.1, 0.5));
  ASSERT_GT(full, 0.1);
  music::setMusicVolume(51);
  EXPECT_NEAR(rms(between(render(0.5), 0.1, 0.5)) / full, 0.2, 0.02);
  music::setMusicVolume(0);
  EXPECT_LT(rms(between(render(0.5), 0.1, 0.5)), kSilence);
}

TEST_F(MusicStreamerTest, AtVolumeZeroTheStreamStillOpensAndPlays) {
  music::setMusicVolume(0);
  ASSERT_TRUE(music::playMusic(twoToneFile(), false));
  EXPECT_LT(rms(render(0.5)), kSilence);
  EXPECT_TRUE(streamer_->isSounding());
  EXPECT_NEAR(double(streamer_->position()), 500.0, 25.0);
}

TEST_F(MusicStreamerTest, AMissingFileFailsAfterStoppingTheOldStream) {
  ASSERT_TRUE(music::playMusic(twoToneFile(), true));
  render(0.3);
  EXPECT_FALSE(music::playMusic("music/missing.ogg", true));
  EXPECT_FALSE(music::hasMusicStream());
  EXPECT_LT(rms(render(0.3)), kSilence);
  EXPECT_FALSE(music::pauseMusic());
  EXPECT_FALSE(music::resumeMusic());
}

TEST_F(MusicStreamerTest, AFileThatIsNotOggFailsToOpen) {
  EXPECT_FALSE(
      music::playMusic(writeFile("music/text.ogg", std::vector<uint8_t>(5000, 'a')), true));
  EXPECT_FALSE(music::hasMusicStream());
}

// Rubbish over the second half of a six-second file: what still decodes plays, then the
// music falls silent, and the game thread keeps control throughout.
TEST_F(MusicStreamerTest, ACorruptStreamEndsQuietly) {
  std::vector<uint8_t> bytes =
      encodeOgg(toneSamples({{300, 3.0}, {900, 3.0}}, 1, kRenderRate), 1, kRenderRate);
  for (size_t i = bytes.size() / 2; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 131 + 7);
  ASSERT_TRUE(music::playMusic(writeFile("music/corrupt.ogg", bytes), false));
  const std::vector<float> heard = render(7.0);
  EXPECT_NEAR(toneFrequency(between(heard, 0.1, 0.9)), 300, 10);
  EXPECT_LT(rms(between(heard, 6.5, 7.0)), kSilence);
  EXPECT_TRUE(music::pauseMusic());
  EXPECT_TRUE(music::resumeMusic());
  render(0.3);
  EXPECT_TRUE(music::stopMusic());
}

// Looping a damaged file plays its sound part over and over rather than hanging.
TEST_F(MusicStreamerTest, ACorruptStreamLoopsWhatItHolds) {
  std::vector<uint8_t> bytes =
      encodeOgg(toneSamples({{300, 3.0}, {900, 3.0}}, 1, kRenderRate), 1, kRenderRate);
  for (size_t i = bytes.size() / 2; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 131 + 7);
  ASSERT_TRUE(music::playMusic(writeFile("music/corrupt.ogg", bytes), true));
  render(8.0);
  EXPECT_TRUE(music::stopMusic());
}

TEST_F(MusicStreamerTest, ACutFilePlaysWhatItHoldsEvenWhenLooping) {
  std::vector<uint8_t> bytes =
      encodeOgg(toneSamples({{300, 1.0}, {900, 1.0}}, 1, kRenderRate), 1, kRenderRate);
  bytes.resize(bytes.size() - 200);  // the last page cut in the middle
  ASSERT_TRUE(music::playMusic(writeFile("music/cut.ogg", bytes), true));
  const std::vector<float> heard = render(3.0);
  EXPECT_NEAR(toneFrequency(between(heard, 0.1, 0.5)), 300, 10);
  EXPECT_TRUE(music::stopMusic());
}

TEST_F(MusicStreamerTest, PlaysStereoFiles) {
  const std::vector<uint8_t> bytes =
      encodeOgg(toneSamples({{600, 1.0}}, 2, kRenderRate), 2, kRenderRate);
  ASSERT_TRUE(music::playMusic(writeFile("music/stereo.ogg", bytes), false));
  EXPECT_NEAR(toneFrequency(between(render(0.8), 0.1, 0.8)), 600, 10);
}

}  // namespace
}  // namespace music_test
