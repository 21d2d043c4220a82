// The sound effects as heard: the real OpenAL Soft mixer renders into memory and the tests
// measure loudness and pitch of what comes out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "game/platform/sound_instance.h"
#include "game/platform/sound_list.h"
#include "sound/loopback_fixture.h"
#include "sound/wav_bytes.h"
#include "test_support/temp_directory.h"

namespace {

using sound::SoundInstance;
using sound_test::WavLayout;

// The mixer ramps gain changes over a few hundred frames; measurements skip this much.
constexpr uint32_t kSettleFrames = 2048;
constexpr uint32_t kMeasureFrames = 8820;  // 0.2 s

class SoundPlaybackTest : public LoopbackSoundTest {
 protected:
  // A looping sine: 441 Hz at the output's own rate repeats every 100 frames.
  std::string writeSine(std::string_view file, const WavLayout& layout, double hertz,
                        uint32_t frames) {
    return folder_
        .write(file,
               sound_test::wavFile(layout, sound_test::sineSamples(layout, hertz, frames, 0.25)))
        .string();
  }
  std::string sine441() { return writeSine("sine441.wav", WavLayout{}, 441.0, 44100); }

  double settledRms() {
    render(kSettleFrames);
    return rms(render(kMeasureFrames));
  }

  TempDirectory folder_;
};

double decibelsToRatio(int32_t hundredths) {
  return std::pow(10.0, hundredths / 2000.0);
}

TEST_F(SoundPlaybackTest, VolumeFollowsTheFifthRootLaw) {
  SoundInstance sound(sine441());
  ASSERT_TRUE(sound.hasVoice());
  EXPECT_EQ(sound.baseFrequency(), 44100u);
  sound.playLooped();
  const double full = settledRms();
  EXPECT_NEAR(full, 0.25 / std::sqrt(2.0), 0.02);

  sound.setVolume(0.5f);
  EXPECT_NEAR(settledRms() / full, decibelsToRatio(-1294), 0.005);

  sound.setVolume(0.0f);
  render(kSettleFrames);
  EXPECT_EQ(peak(render(kMeasureFrames)), 0.0);
}

TEST_F(SoundPlaybackTest, EffectsVolumeZeroSilencesEveryInstance) {
  const std::string file = sine441();
  SoundInstance first(file);
  SoundInstance second(file);
  sound::setEffectsVolume(0.0f);
  first.playLooped();
  second.setVolume(1.0f);
  second.playLooped();
  render(kSettleFrames);
  EXPECT_EQ(peak(render(kMeasureFrames)), 0.0);
  EXPECT_TRUE(first.isPlaying());

  // The new effects volume reaches a playing instance at its next setVolume.
  sound::setEffectsVolume(1.0f);
  first.setVolume(1.0f);
  EXPECT_GT(settledRms(), 0.1);
}

TEST_F(SoundPlaybackTest, TwoInstancesOfOneSampleKeepTheirOwnVolumes) {
  const std::string file = sine441();
  auto loud = std::make_unique<SoundInstance>(file);
  SoundInstance quiet(file);
  EXPECT_EQ(sound::referenceCount(file), 2);
  quiet.setVolume(0.5f);
  loud->playLooped();
  quiet.playLooped();  // started together, so the two sines are in phase and add up
  const double both = settledRms();
  const double single = 0.25 / std::sqrt(2.0);
  EXPECT_NEAR(both / single, 1.0 + decibelsToRatio(-1294), 0.03);

  loud.reset();
  EXPECT_TRUE(quiet.isPlaying());
  EXPECT_EQ(sound::referenceCount(file), 1);
  EXPECT_NEAR(settledRms() / single, decibelsToRatio(-1294), 0.01);
}

// A 441 Hz tone in a 22050 Hz file: its pitch moves with the playback frequency.
TEST_F(SoundPlaybackTest, PitchSetsThePlaybackFrequency) {
  WavLayout layout;
  layout.rate = 22050;
  SoundInstance sound(writeSine("sine22k.wav", layout, 441.0, 22050));
  ASSERT_EQ(sound.baseFrequency(), 22050u);
  sound.playLooped();
  struct Case {
    float pitch;
    double hertz;
  };
  for (const Case& c :
       {Case{0.0f, 441.0}, Case{0.5f, 441.0 * 111025 / 22050}, Case{-0.5f, 441.0 * 11075 / 22050},
        Case{1.0f, 441.0 * 200000 / 22050}, Case{-1.0f, 441.0 * 100 / 22050}}) {
    sound.setPitch(c.pitch);
    render(kSettleFrames);
    const uint32_t frames = c.pitch < -0.9f ? 4 * LoopbackOutput::kRate : kMeasureFrames * 2;
    // The mixer steps through a sound in 1/4096ths of a frame of its output, so a playback
    // rate is only good to about 11 Hz: far below 1% except near the bottom, 100 Hz.
    const double stepTolerance = 441.0 / 22050 * LoopbackOutput::kRate / 4096.0;
    EXPECT_NEAR(measuredFrequency(render(frames), LoopbackOutput::kRate), c.hertz,
                std::max(c.hertz * 0.01, stepTolerance))
        << "pitch " << c.pitch;
  }
}

// Two instances out of step by a quarter period add up to sqrt(2) of one; after syncPosition
// they are in step and add up to twice one.
TEST_F(SoundPlaybackTest, SyncPositionPutsInstancesInStep) {
  const std::string file = sine441();
  SoundInstance leader(file);
  SoundInstance follower(file);
  leader.playLooped();
  render(25);  // a quarter of the 100-frame period
  follower.playLooped();
  const double single = 0.25 / std::sqrt(2.0);
  EXPECT_NEAR(settledRms() / single, std::sqrt(2.0), 0.05);

  EXPECT_TRUE(follower.syncPosition(leader));
  EXPECT_NEAR(settledRms() / single, 2.0, 0.05);
}

TEST_F(SoundPlaybackTest, StopKeepsThePositionAndRewindReturnsToTheStart) {
  SoundInstance leader(sine441());
  SoundInstance follower(leader);
  leader.playLooped();
  follower.playLooped();
  render(1000);
  follower.stop();
  EXPECT_FALSE(follower.isPlaying());
  render(25);
  follower.playLooped();  // goes on 25 frames behind: a quarter period out of step
  const double single = 0.25 / std::sqrt(2.0);
  EXPECT_NEAR(settledRms() / single, std::sqrt(2.0), 0.05);

  leader.stop();
  follower.stop();
  leader.rewind();
  follower.rewind();
  leader.playLooped();
  follower.playLooped();
  EXPECT_NEAR(settledRms() / single, 2.0, 0.05);
}

TEST_F(SoundPlaybackTest, PlayOnceEndsByItself) {
  SoundInstance shot(writeSine("short.wav", WavLayout{}, 441.0, 1000));
  shot.play();
  EXPECT_TRUE(shot.isPlaying());
  render(2000);
  EXPECT_FALSE(shot.isPlaying());
  shot.play();  // a finished sound plays again from its start
  EXPECT_GT(peak(render(500)), 0.1);
}

TEST_F(SoundPlaybackTest, EightBitStereoPlays) {
  WavLayout layout;
  layout.bits = 8;
  layout.channels = 2;
  SoundInstance sound(writeSine("stereo8.wav", layout, 441.0, 4410));
  ASSERT_TRUE(sound.hasVoice());
  sound.playLooped();
  EXPECT_NEAR(measuredFrequency(render(kMeasureFrames), LoopbackOutput::kRate), 441.0, 4.0);
}

// Loading through the device: what the listing and the memory figure show.
TEST_F(SoundPlaybackTest, LoadWavAcceptsPcmAndRefusesTheRest) {
  const std::string samples = sound_test::sineSamples(WavLayout{}, 441.0, 100, 0.25);
  auto load = [&](std::string_view file, const std::string& bytes) {
    return std::make_unique<SoundInstance>(folder_.write(file, bytes).string());
  };
  WavLayout stereo;
  stereo.channels = 2;
  stereo.extraChunk = sound_test::chunk("LIST", "INFOsome text");
  const std::string stereoSamples = sound_test::sineSamples(stereo, 441.0, 100, 0.25);
  auto accepted = load("stereo.wav", sound_test::wavFile(stereo, stereoSamples));
  WavLayout floating;
  floating.formatTag = 3;
  floating.bits = 32;
  auto floatRefused = load("float.wav", sound_test::wavFile(floating, samples));
  WavLayout three;
  three.channels = 3;
  auto threeRefused =
      load("three.wav", sound_test::wavFile(three, samples + samples.substr(0, 100)));
  const std::string whole = sound_test::wavFile(WavLayout{}, samples);
  auto truncated = load("truncated.wav", whole.substr(0, 40));
  std::string oversized = whole;
  oversized[40] = char(0xff);  // the data chunk states more bytes than the file holds
  auto oversizedRefused = load("oversized.wav", oversized);
  auto missing = load("missing.wav", "");

  EXPECT_TRUE(accepted->hasVoice());
  for (auto* refused : {floatRefused.get(), threeRefused.get(), truncated.get(),
                        oversizedRefused.get(), missing.get()}) {
    EXPECT_FALSE(refused->hasVoice()) << refused->name();
    refused->play();  // silent, and harmless
    EXPECT_FALSE(refused->isPlaying());
  }
  int32_t failed = 0;
  for (const std::string& line : sound::soundListing()) {
    failed += line.ends_with(" (loading failed)") ? 1 : 0;
  }
  EXPECT_EQ(failed, 5);
  EXPECT_EQ(sound::soundMemory(), stereoSamples.size());
}

}  // namespace
