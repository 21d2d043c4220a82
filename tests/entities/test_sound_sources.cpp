// Sound sources against a stand-in device that records what each voice was told: distance
// attenuation, trigger-held silence, the play state, identical loops kept in step and the
// console entries.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "game/entities/sound_sources.h"
#include "game/level/level_data.h"
#include "game/platform/sound_device.h"
#include "game/platform/sound_law.h"
#include "game/platform/sound_list.h"
#include "game/simulation/level_loading.h"
#include "game/world/camera.h"
#include "sound/recording_sound_device.h"
#include "sound/wav_bytes.h"
#include "water/water_test_support.h"

namespace {

using sound_sources::PlayState;

using RecordingDevice = RecordingSoundDevice;

constexpr uint32_t kHumRate = 22050;
constexpr uint32_t kDripRate = 11025;

class SoundSourceTest : public WaterTest {
 protected:
  void SetUp() override {
    WaterTest::SetUp();
    writeWav("snd/hum.wav", kHumRate);
    writeWav("snd/drip.wav", kDripRate);
    auto device = std::make_unique<RecordingDevice>();
    device_ = device.get();
    sound::installSoundDevice(std::move(device));
    sound_sources::initialise();
    takePrinted();
  }
  void TearDown() override {
    sound_sources::shutdown();  // the voices go before the device
    WaterTest::TearDown();
    sound::clearSoundList();
    sound::installSoundDevice(nullptr);
  }

  void writeWav(const char* path, uint32_t rate) {
    sound_test::WavLayout layout;
    layout.rate = rate;
    data_.write(path, sound_test::wavFile(layout, sound_test::sineSamples(layout, 440, 1000, 0.5)));
  }

  static SoundSource& add(uint32_t id, Vec2 position, float strength, bool looping = true,
                          bool stopped = false, const char* file = "snd\\hum.wav") {
    SoundSource source;
    source.id = id;
    source.position = position;
    source.strength = strength;
    source.looping = looping;
    source.stopped = stopped;
    source.soundName = file;
    sound_sources::addSource(std::move(source));
    auto& map = looping ? sound_sources::loopingSources() : sound_sources::oneShotSources();
    return const_cast<SoundSource&>(map.at(id).back());
  }

  // The voices of one file, in the order they were made.
  std::vector<RecordingDevice::Voice*> voicesOf(uint32_t rate) {
    std::vector<RecordingDevice::Voice*> found;
    for (auto& [id, voice] : device_->voices)
      if (voice.rate == rate) found.push_back(&voice);
    return found;
  }

  static bool playing(const SoundSource& source) { return source.sound->isPlaying(); }

  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }

  RecordingDevice* device_ = nullptr;
  const PlayState kRunning{};
};

// ---- Distance --------------------------------------------------------------------------

TEST_F(SoundSourceTest, VolumeFallsLinearlyToSilenceAtTheStrength) {
  SoundSource& source = add(1, {50, 0}, 200);
  sound_sources::update(kRunning);
  EXPECT_TRUE(playing(source));
  EXPECT_FLOAT_EQ(source.sound->volume(), 0.75f);
  RecordingDevice::Voice& voice = *voicesOf(kHumRate).front();
  EXPECT_TRUE(voice.looped);
  EXPECT_EQ(voice.volume, sound::volumeToHundredthsOfDecibel(0.75f));

  camera::setPosition({-150, 0});  // exactly the strength away
  sound_sources::update(kRunning);
  EXPECT_FALSE(playing(source));
  camera::setPosition({-500, 0});
  sound_sources::update(kRunning);
  EXPECT_FALSE(playing(source));

  camera::setPosition({50, 100});  // back within earshot: half volume
  sound_sources::update(kRunning);
  EXPECT_TRUE(playing(source));
  EXPECT_FLOAT_EQ(source.sound->volume(), 0.5f);
}

TEST_F(SoundSourceTest, ASourceWithoutStrengthIsNeverHeard) {
  SoundSource& onTop = add(1, {0, 0}, 0);
  SoundSource& negative = add(2, {0, 0}, -10);
  sound_sources::update(kRunning);
  EXPECT_FALSE(playing(onTop));
  EXPECT_FALSE(playing(negative));
}

TEST_F(SoundSourceTest, PauseMenuAndFinishSilenceLoopsWithinEarshot) {
  SoundSource& source = add(1, {10, 0}, 100);
  for (const PlayState& held : {PlayState{true, false, false}, PlayState{false, true, false},
                                PlayState{false, false, true}}) {
    sound_sources::update(kRunning);
    ASSERT_TRUE(playing(source));
    sound_sources::update(held);
    EXPECT_FALSE(playing(source)) << held.paused << held.menuShown << held.levelFinished;
    sound_sources::update();  // the state of the last step is kept
    EXPECT_FALSE(playing(source));
  }
}

TEST_F(SoundSourceTest, WithoutPositionalSoundLoopsPlayFullUnderTheMenuOnly) {
  SoundSource& farAway = add(1, {5000, 0}, 10);
  sound_sources::setPositional(false);
  sound_sources::update({false, true, false});
  EXPECT_TRUE(playing(farAway));
  EXPECT_FLOAT_EQ(farAway.sound->volume(), 1.0f);
  sound_sources::update({true, true, false});
  EXPECT_FALSE(playing(farAway));
  sound_sources::update({false, true, false});
  sound_sources::update(kRunning);
  EXPECT_FALSE(playing(farAway));

  sound_sources::resetSources();
  EXPECT_TRUE(sound_sources::isPositional());
}

// ---- Triggers and levels ---------------------------------------------------------------

TEST_F(SoundSourceTest, StopByIdHoldsALoopSilentUntilPlayedAgain) {
  SoundSource& source = add(4, {0, 0}, 100);
  sound_sources::update(kRunning);
  sound_sources::stopById(4);
  EXPECT_FALSE(playing(source));
  for (Vec2 at : {Vec2{50, 0}, Vec2{1, 0}, Vec2{0, 0}}) {
    camera::setPosition(at);
    sound_sources::update(kRunning);
    EXPECT_FALSE(playing(source));
  }
  sound_sources::playById(4);
  EXPECT_TRUE(playing(source));
  sound_sources::update(kRunning);
  EXPECT_TRUE(playing(source));
  EXPECT_FLOAT_EQ(source.sound->volume(), 1.0f);
}

TEST_F(SoundSourceTest, OneShotsPlayOnceAtFullVolumeWhenTriggered) {
  SoundSource& shot = add(6, {5000, 0}, 10, false, true, "snd\\drip.wav");
  sound_sources::update(kRunning);
  EXPECT_FALSE(playing(shot));  // a one-shot waits for its trigger
  sound_sources::playById(6);
  RecordingDevice::Voice& voice = *voicesOf(kDripRate).front();
  EXPECT_TRUE(voice.playing);
  EXPECT_FALSE(voice.looped);
  EXPECT_EQ(voice.volume, 0);   // full volume, however far away
  sound_sources::playById(99);  // no such id: nothing happens
}

TEST_F(SoundSourceTest, AddingAnUnheldLoopStartsItAndAHeldOneWaits) {
  SoundSource& free = add(1, {0, 0}, 100);
  SoundSource& held = add(2, {0, 0}, 100, true, true);
  EXPECT_TRUE(playing(free));
  EXPECT_FALSE(playing(held));
}

TEST_F(SoundSourceTest, OnlyLoopsThatNoTriggerPlaysStartWithTheLevel) {
  // Source 1 is played by a trigger far from the water; source 2 by none; 3 is a one-shot.
  loadLevel(R"({
    "waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [{"surface": "stone", "layer": 2,
                  "points": [[900, 900], [950, 900], [950, 950], [900, 950]]}],
    "triggers": [{"type": "Sound_play_1", "targetId": 1,
                  "corners": [[800, 0], [810, 0], [810, 10], [800, 10]]}],
    "soundSources": [
      {"id": 1, "position": [10, 0], "strength": 100, "looping": true, "file": "snd\\hum.wav"},
      {"id": 2, "position": [20, 0], "strength": 100, "looping": true, "file": "snd\\hum.wav"},
      {"id": 3, "position": [0, 0], "strength": 100, "file": "snd\\drip.wav"}
    ]
  })");
  camera::setPosition({0, 0});
  const SoundSource& triggered = sound_sources::loopingSources().at(1).front();
  const SoundSource& untriggered = sound_sources::loopingSources().at(2).front();
  const SoundSource& shot = sound_sources::oneShotSources().at(3).front();
  EXPECT_TRUE(playing(untriggered));
  EXPECT_FLOAT_EQ(untriggered.sound->volume(), 0.8f);  // set by the update after loading
  EXPECT_FALSE(playing(triggered));
  EXPECT_FALSE(playing(shot));
  for (int i = 0; i < 3; ++i) sound_sources::update(kRunning);
  EXPECT_FALSE(playing(triggered));

  sound_sources::playById(1);
  sound_sources::update(kRunning);
  EXPECT_TRUE(playing(triggered));

  // A restart holds the triggered loop silent again and winds every sound back.
  device_->voices.begin()->second.position = 500;
  level::restartLevel();
  EXPECT_FALSE(playing(triggered));
  EXPECT_TRUE(playing(untriggered));
  for (const auto& [id, voice] : device_->voices) EXPECT_EQ(voice.position, 0u) << id;
}

TEST_F(SoundSourceTest, ResetStopsRewindsAndHoldsEverySource) {
  SoundSource& loop = add(1, {0, 0}, 100);
  SoundSource& shot = add(2, {0, 0}, 100, false, false, "snd\\drip.wav");
  sound_sources::playById(2);
  for (auto& [id, voice] : device_->voices) voice.position = 300;
  run("SoundSourceDraw 1");
  sound_sources::resetSources();
  EXPECT_TRUE(loop.stopped);
  EXPECT_TRUE(shot.stopped);
  EXPECT_FALSE(playing(loop));
  EXPECT_FALSE(playing(shot));
  for (const auto& [id, voice] : device_->voices) EXPECT_EQ(voice.position, 0u);
  EXPECT_FALSE(sound_sources::drawFlag());
}

TEST_F(SoundSourceTest, StopAllSilencesEverySourceButKeepsTheirFlags) {
  SoundSource& loop = add(1, {0, 0}, 100);
  SoundSource& held = add(2, {0, 0}, 100, true, true);
  SoundSource& shot = add(3, {0, 0}, 100, false, true, "snd\\drip.wav");
  sound_sources::playById(3);
  sound_sources::stopAll();
  for (const auto& [id, voice] : device_->voices) EXPECT_FALSE(voice.playing) << id;
  EXPECT_FALSE(loop.stopped);
  EXPECT_TRUE(held.stopped);
  EXPECT_FALSE(shot.stopped);
}

// ---- Identical loops -------------------------------------------------------------------

TEST_F(SoundSourceTest, ALoopComingIntoEarshotJoinsAPlayingLoopOfItsFile) {
  camera::setPosition({-1000, 0});
  SoundSource& first = add(1, {0, 0}, 1100);
  SoundSource& other = add(2, {0, 0}, 1100, true, false, "snd\\drip.wav");
  SoundSource& second = add(3, {500, 0}, 400);
  sound_sources::update(kRunning);
  ASSERT_TRUE(playing(first));
  ASSERT_TRUE(playing(other));
  ASSERT_FALSE(playing(second));
  voicesOf(kHumRate)[0]->position = 1234;
  voicesOf(kDripRate)[0]->position = 777;

  camera::setPosition({200, 0});
  sound_sources::update(kRunning);
  ASSERT_TRUE(playing(second));
  EXPECT_EQ(voicesOf(kHumRate)[1]->position, 1234u);  // not the other file's 777
}

TEST_F(SoundSourceTest, ALoopLeavingEarshotAlsoTakesThePositionOfItsTwin) {
  SoundSource& twin = add(1, {0, 0}, 1000);
  SoundSource& leaving = add(2, {100, 0}, 150);
  sound_sources::update(kRunning);
  voicesOf(kHumRate)[0]->position = 4321;
  camera::setPosition({-100, 0});
  sound_sources::update(kRunning);
  EXPECT_TRUE(playing(twin));
  EXPECT_FALSE(playing(leaving));
  EXPECT_EQ(voicesOf(kHumRate)[1]->position, 4321u);
}

// ---- Console ---------------------------------------------------------------------------

TEST_F(SoundSourceTest, CountIsOfIdsPerMap) {
  add(3, {0, 0}, 10);
  add(3, {5, 0}, 10);
  add(3, {0, 0}, 10, false);
  add(7, {0, 0}, 10, false);
  EXPECT_EQ(run("SoundSourceCount"), "\nSoundSourceCount is 3");
}

TEST_F(SoundSourceTest, CreateNeedsSixArgumentsOfTheirKinds) {
  const std::string usage =
      "\nUSAGE: SoundSourceCreate < x : number > < y : number > < strenght : number > "
      "< looping : true OR false > < id : integer > < fileName > ";
  for (const char* line :
       {"SoundSourceCreate 1 2 100 true 5", "SoundSourceCreate 1 2 100 true 5 a.wav b.wav",
        "SoundSourceCreate 1 2 100 yes 5 snd\\hum.wav",
        "SoundSourceCreate 1 2 100 true 5.5 snd\\hum.wav",
        "SoundSourceCreate x 2 100 true 5 snd\\hum.wav"})
    EXPECT_EQ(run(line), usage) << line;
  EXPECT_TRUE(sound_sources::loopingSources().empty());
  EXPECT_TRUE(sound_sources::oneShotSources().empty());

  run("SoundSourceCreate 1.5 -2 100 TRUE 5 snd\\hum.wav");
  ASSERT_EQ(sound_sources::loopingSources().count(5), 1u);
  const SoundSource& made = sound_sources::loopingSources().at(5).front();
  EXPECT_EQ(made.position, (Vec2{1.5f, -2.0f}));
  EXPECT_EQ(made.strength, 100.0f);
  EXPECT_EQ(made.sound->name(), "snd\\hum.wav");
  EXPECT_TRUE(playing(made));  // made by hand, heard at once
  run("SoundSourceCreate 0 0 10 false 6 snd\\drip.wav");
  EXPECT_EQ(sound_sources::oneShotSources().count(6), 1u);
}

TEST_F(SoundSourceTest, EntriesComeAndGoWithTheManager) {
  EXPECT_EQ(run("SoundSourceDraw"), "\nSoundSourceDraw is false");
  run("SoundSourceDraw true");
  EXPECT_TRUE(sound_sources::drawFlag());
  sound_sources::initialise();
  EXPECT_FALSE(sound_sources::drawFlag());
  sound_sources::shutdown();
  for (const char* name : {"SoundSourceCreate", "SoundSourceCount", "SoundSourceDraw"})
    EXPECT_EQ(console::findCommand(name), nullptr) << name;
}

// ---- Silent running --------------------------------------------------------------------

TEST_F(SoundSourceTest, MissingFilesAndNoDeviceRunSilently) {
  SoundSource& missing = add(1, {0, 0}, 100, true, false, "snd\\none.wav");
  sound_sources::update(kRunning);
  EXPECT_FALSE(missing.sound->hasVoice());
  EXPECT_FALSE(playing(missing));
  sound::installSoundDevice(nullptr);
  SoundSource& silent = add(2, {0, 0}, 100);
  sound_sources::update(kRunning);
  sound_sources::playById(2);
  sound_sources::stopAll();
  sound_sources::resetSources();
  EXPECT_FALSE(silent.sound->hasVoice());
}

}  // namespace
