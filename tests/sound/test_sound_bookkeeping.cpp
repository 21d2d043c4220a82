// The sound list and SoundInstance without OpenAL: silent no-ops with no device, and the
// calls a device receives, recorded by a stand-in device.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/registry_key.h"
#include "game/platform/sound_console.h"
#include "game/platform/sound_device.h"
#include "game/platform/sound_instance.h"
#include "game/platform/sound_law.h"
#include "game/platform/sound_list.h"
#include "sound/recording_sound_device.h"
#include "sound/wav_bytes.h"
#include "test_support/temp_directory.h"

namespace {

using sound::SoundInstance;

TEST(SoundLaw, VolumeInHundredthsOfADecibel) {
  EXPECT_EQ(sound::volumeToHundredthsOfDecibel(1.0f), 0);
  EXPECT_EQ(sound::volumeToHundredthsOfDecibel(0.0f), -10000);
  EXPECT_EQ(sound::volumeToHundredthsOfDecibel(0.5f), -1294);
  EXPECT_EQ(sound::volumeToHundredthsOfDecibel(2.0f), 0);
  EXPECT_EQ(sound::volumeToHundredthsOfDecibel(-1.0f), -10000);
}

TEST(SoundLaw, GainFromHundredthsOfADecibel) {
  EXPECT_FLOAT_EQ(sound::gainFromHundredthsOfDecibel(0), 1.0f);
  EXPECT_FLOAT_EQ(sound::gainFromHundredthsOfDecibel(-2000), 0.1f);
  EXPECT_NEAR(sound::gainFromHundredthsOfDecibel(-1294), 0.2256f, 0.0005f);
  EXPECT_EQ(sound::gainFromHundredthsOfDecibel(-10000), 0.0f);
}

TEST(SoundLaw, PitchToFrequency) {
  EXPECT_EQ(sound::pitchToFrequency(22050, 0.5f), 111025u);
  EXPECT_EQ(sound::pitchToFrequency(22050, -0.5f), 11075u);
  EXPECT_EQ(sound::pitchToFrequency(22050, 0.0f), 22050u);
  EXPECT_EQ(sound::pitchToFrequency(22050, 1.0f), 200000u);
  EXPECT_EQ(sound::pitchToFrequency(22050, -1.0f), 100u);
  EXPECT_EQ(sound::pitchToFrequency(22050, 3.0f), 200000u);
  EXPECT_EQ(sound::pitchToFrequency(22050, -3.0f), 100u);
}

using RecordingDevice = RecordingSoundDevice;

class SoundBookkeeping : public ::testing::Test {
 protected:
  void TearDown() override {
    sound::clearSoundList();
    sound::installSoundDevice(nullptr);
    sound::setEffectsVolume(1.0f);
    sound::setEffectsLoudness(1.0f);
  }
  RecordingDevice& install() {
    auto device = std::make_unique<RecordingDevice>();
    RecordingDevice& recording = *device;
    sound::installSoundDevice(std::move(device));
    return recording;
  }
  // A 16-bit mono file of 200 data bytes.
  std::string wav(std::string_view file, uint32_t rate) {
    sound_test::WavLayout layout;
    layout.rate = rate;
    return folder_.write(file, sound_test::wavFile(layout, std::string(200, '\0'))).string();
  }
  TempDirectory folder_;
};

TEST_F(SoundBookkeeping, WithoutADeviceEverythingIsSilent) {
  SoundInstance sound(wav("a.wav", 22050));
  EXPECT_FALSE(sound.hasVoice());
  sound.play();
  sound.playLooped();
  sound.setPitch(0.5f);
  sound.setVolume(0.3f);
  sound.rewind();
  sound.stop();
  EXPECT_FALSE(sound.isPlaying());
  EXPECT_FALSE(sound.syncPosition(sound));
  EXPECT_FLOAT_EQ(sound.volume(), 0.3f);
  EXPECT_FLOAT_EQ(sound.pitch(), 0.5f);
  EXPECT_EQ(sound::soundListing().size(), 1u);
  EXPECT_EQ(sound::soundMemory(), 0u);
}

TEST_F(SoundBookkeeping, OneSamplePerUpperCasedNameWithACount) {
  {
    SoundInstance lower("snd\\Splash.wav");
    SoundInstance upper("SND\\SPLASH.WAV");
    SoundInstance copy(lower);
    EXPECT_EQ(sound::referenceCount("snd\\splash.wav"), 3);
    SoundInstance other("snd\\other.wav");
    other = copy;
    EXPECT_EQ(sound::referenceCount("snd\\splash.wav"), 4);
    EXPECT_EQ(sound::referenceCount("snd\\other.wav"), 0);
    other = other;
    EXPECT_EQ(sound::referenceCount("snd\\splash.wav"), 4);
    EXPECT_EQ(sound::soundListing(), std::vector<std::string>{"SND\\SPLASH.WAV (loading failed)"});
  }
  EXPECT_TRUE(sound::soundListing().empty());
  SoundInstance unnamed;
  EXPECT_EQ(unnamed.name(), "snd\\default.wav");
}

TEST_F(SoundBookkeeping, AnythingButARegularFileLoadsNoSound) {
  install();
  for (const std::filesystem::path& path : folder_.notRegularFiles())
    EXPECT_EQ(sound::acquireSound(path.string()).masterBuffer, 0u) << path;
}

TEST_F(SoundBookkeeping, InstancesDriveTheirOwnVoices) {
  RecordingDevice& device = install();
  const std::string file = wav("b.wav", 22050);
  SoundInstance first(file);
  SoundInstance second(first);
  ASSERT_TRUE(first.hasVoice() && second.hasVoice());
  EXPECT_EQ(device.bufferRates.size(), 1u);
  EXPECT_EQ(sound::soundMemory(), 200u);
  EXPECT_EQ(first.baseFrequency(), 22050u);

  first.setPitch(0.5f);
  second.setPitch(-0.5f);
  sound::setEffectsVolume(0.5f);
  first.setVolume(1.0f);
  second.playLooped();
  auto voice = [&](int32_t index) { return std::next(device.voices.begin(), index)->second; };
  EXPECT_EQ(voice(0).frequency, 111025u);
  EXPECT_EQ(voice(1).frequency, 11075u);
  EXPECT_EQ(voice(0).volume, -1294);
  EXPECT_TRUE(voice(1).playing && voice(1).looped);
  EXPECT_EQ(voice(1).volume, -1294);

  sound::setEffectsVolume(0.0f);
  first.play();
  EXPECT_EQ(voice(0).volume, -10000);
  EXPECT_FALSE(voice(0).looped);
  sound::setEffectsVolume(1.0f);  // the player's loudness multiplies in: half is half
  sound::setEffectsLoudness(0.5f);
  first.play();
  EXPECT_EQ(voice(0).volume, -1294);

  std::next(device.voices.begin(), 1)->second.position = 77;
  EXPECT_TRUE(first.syncPosition(second));
  EXPECT_EQ(voice(0).position, 77u);
}

TEST_F(SoundBookkeeping, TheMasterGoesWithTheLastInstance) {
  RecordingDevice& device = install();
  const std::string file = wav("c.wav", 8000);
  auto first = std::make_unique<SoundInstance>(file);
  auto second = std::make_unique<SoundInstance>(file);
  first.reset();
  EXPECT_EQ(device.deletedBuffers, 0);
  EXPECT_EQ(device.voices.size(), 1u);
  second.reset();
  EXPECT_EQ(device.deletedBuffers, 1);
  EXPECT_TRUE(device.voices.empty());
}

// After the device goes, an instance made on it never touches the next one.
TEST_F(SoundBookkeeping, VoicesOfAnEarlierDeviceAreLeftAlone) {
  install();
  SoundInstance sound(wav("d.wav", 8000));
  ASSERT_TRUE(sound.hasVoice());
  RecordingDevice& next = install();
  SoundInstance fresh(wav("e.wav", 8000));
  sound.playLooped();
  EXPECT_FALSE(sound.isPlaying());
  EXPECT_EQ(next.voices.size(), 1u);
  // The earlier master went with its device; the entry stays for its instance.
  const std::vector<std::string> listing = sound::soundListing();
  ASSERT_EQ(listing.size(), 2u);
  EXPECT_TRUE(listing[0].ends_with("D.WAV (loading failed)")) << listing[0];
  EXPECT_TRUE(listing[1].ends_with("E.WAV")) << listing[1];
}

TEST_F(SoundBookkeeping, SoundPreferenceSwitchesTheEffects) {
  TempDirectory config;
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  createKeyPath(kPreferencesKeyPath).writeString("Sound", "0");
  sound::applySoundPreference();
  EXPECT_EQ(sound::effectsVolume(), 0.0f);
  createKeyPath(kPreferencesKeyPath).writeString("Sound", "loud");
  sound::applySoundPreference();
  EXPECT_EQ(sound::effectsVolume(), 0.0f);
  createKeyPath(kPreferencesKeyPath).writeString("Sound", "7");
  sound::applySoundPreference();
  EXPECT_EQ(sound::effectsVolume(), 1.0f);
  unsetenv("XDG_CONFIG_HOME");
}

std::string captured;
void capture(std::string_view text) {
  captured += text;
}

TEST_F(SoundBookkeeping, ConsoleListsSoundsAndMemory) {
  install();
  SoundInstance stale("snd\\before.wav");
  sound::startSoundList();
  EXPECT_TRUE(sound::soundListing().empty());
  SoundInstance good(wav("f.wav", 8000));
  SoundInstance bad("snd\\missing.wav");
  captured.clear();
  console::setOutputListener(capture);
  console::execute("SoundList");
  console::execute("SoundMemory");
  console::setOutputListener(nullptr);
  sound::stopSoundList();
  EXPECT_NE(captured.find("Sounds in use"), std::string::npos);
  EXPECT_NE(captured.find("\nSND\\MISSING.WAV (loading failed)"), std::string::npos);
  EXPECT_NE(captured.find("F.WAV\n"), std::string::npos) << captured;
  EXPECT_NE(captured.find("Sound memory used"), std::string::npos);
  EXPECT_NE(captured.find("200 bytes."), std::string::npos);
  EXPECT_EQ(console::findCommand("SoundList"), nullptr);
}

}  // namespace
