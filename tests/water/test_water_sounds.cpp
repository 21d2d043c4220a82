// The water, ice and steam sounds against a stand-in device that records what it is asked:
// which file each voice plays (told apart by the sample rate of its file), its volume and
// whether it plays looped.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/platform/sound_device.h"
#include "game/platform/sound_law.h"
#include "game/platform/sound_list.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/ice_sounds.h"
#include "game/water/steam_sounds.h"
#include "game/water/water_sounds.h"
#include "sound/recording_sound_device.h"
#include "sound/wav_bytes.h"
#include "water/water_test_support.h"

namespace {

using water_sound_rules::PlayState;

using RecordingDevice = RecordingSoundDevice;

// Every file has a sample rate of its own, so a voice tells which file it plays.
constexpr uint32_t kWaterAmbient = 9000;
constexpr uint32_t kIceFreeze = 9100;
constexpr uint32_t kIceScrape = 9200;
constexpr uint32_t kSteamHiss = 9300;
constexpr uint32_t kSteamAmbient = 9400;
constexpr uint32_t waterSplash(int level, int variant) {
  return 10000 + level * 100 + variant;
}
constexpr uint32_t iceKnock(int level, int variant) {
  return 20000 + level * 100 + variant;
}

class WaterSoundsTest : public WaterTest {
 protected:
  void SetUp() override {
    WaterTest::SetUp();
    auto device = std::make_unique<RecordingDevice>();
    device_ = device.get();
    sound::installSoundDevice(std::move(device));
    std::string files;
    files += sound("waterSound_ambient", "water_ambient", kWaterAmbient);
    files += sound("iceSound_freeze", "ice_freeze", kIceFreeze);
    files += sound("iceSound_friction", "ice_scrape", kIceScrape);
    files += sound("steamEvaporate", "steam_hiss", kSteamHiss);
    files += sound("steamAmbient", "steam_ambient", kSteamAmbient);
    for (int level = 1; level <= 3; ++level) {
      for (int variant = 1; variant <= 4; ++variant) {
        const std::string lv = std::to_string(level) + "_" + std::to_string(variant);
        files += sound("waterSound_disturbance_level_" + lv, "water_splash_" + lv,
                       waterSplash(level, variant));
        files +=
            sound("iceSound_disturbance_Level_" + lv, "ice_crack_" + lv, iceKnock(level, variant));
      }
    }
    soundFiles_ = files;
    startSounds("");
  }
  void TearDown() override {
    ice_sounds::shutdown();
    water_sounds::shutdown();
    steam_sounds::shutdown();
    sound::clearSoundList();
    sound::installSoundDevice(nullptr);
    WaterTest::TearDown();
  }

  // Writes the file `name`.wav and returns its configuration entry.
  std::string sound(const std::string& key, const std::string& name, uint32_t rate) {
    sound_test::WavLayout format;
    format.rate = rate;
    data_.write("snd/" + name + ".wav", sound_test::wavFile(format, std::string(200, '\0')));
    return key + " = snd\\" + name + ".wav ";
  }

  // game_sfx.cfg: the sound files, quiet settings, then `settings` (later keys win).
  void startSounds(const std::string& settings) {
    data_.write("cfg/game_sfx.cfg",
                soundFiles_ +
                    "water_disturbance_level1_speed = 50 water_disturbance_level2_speed = 150 "
                    "water_disturbance_level3_speed = 250 water_disturbance_randomness_pitch = 0 "
                    "water_disturbance_randomness_volume = 0 waterSound_ambient_volume = 0.5 "
                    "ice_disturbance_level1_speed = 50 ice_disturbance_level2_speed = 150 "
                    "ice_disturbance_level3_speed = 250 ice_disturbance_randomness_pitch = 0 "
                    "ice_disturbance_randomness_volume = 0 ice_frictionChangeRate = 0.25 "
                    "ice_frictionSpeed = 0.01 ice_freezeEffectSpeed = 0.25 ice_freezeVolume = 0.01 "
                    "ice_freezeVolumeFadeRate = 1 " +
                    settings);
    ice_sounds::initialise();
    water_sounds::initialise();
    steam_sounds::initialise();
  }

  void stepAll(float dt, PlayState play = {}) {
    ice_sounds::step(dt, play);
    water_sounds::step(dt, play);
    steam_sounds::step(dt, play);
  }

  void addWater(int count, Vec2 velocity, float temperature = 20.0f) {
    for (int i = 0; i < count; ++i) addParticle({0, 0}, velocity).temperature = temperature;
  }
  void setWaterVelocity(Vec2 velocity) {
    for (Particle& p : particle_manager::particleList()) p.velocity = velocity;
  }
  ParticleGroup& addGroup(int count, Vec2 velocity, bool touchedWall = false) {
    ParticleGroup& group = grouped_particle_mover::groupList().emplace_back();
    group.particles.resize(size_t(count));
    group.velocity = velocity;
    group.touchedGeometry = touchedWall;
    return group;
  }
  // Splash takes playing at `level` (1..3) of the given family.
  int playingAtLevel(uint32_t (*rateOf)(int, int), int level) const {
    int playing = 0;
    for (uint32_t rate : device_->playingRates())
      for (int variant = 1; variant <= 4; ++variant) playing += rate == rateOf(level, variant);
    return playing;
  }

  RecordingDevice* device_ = nullptr;
  std::string soundFiles_;
};

TEST_F(WaterSoundsTest, AFullBodyAtRestHumsAtTheAmbientVolumeWithoutSplashing) {
  addWater(128, {0, 0});
  stepAll(0.01f);
  const RecordingDevice::Voice& hum = device_->voiceOf(kWaterAmbient);
  EXPECT_TRUE(hum.playing);
  EXPECT_TRUE(hum.looped);
  EXPECT_EQ(hum.volume, sound::volumeToHundredthsOfDecibel(0.5f));
  EXPECT_EQ(device_->playingRates(), std::vector<uint32_t>{kWaterAmbient});

  // A quarter of the body hums at the root of a quarter.
  particle_manager::particleList().resize(32);
  stepAll(0.01f);
  EXPECT_EQ(device_->voiceOf(kWaterAmbient).volume, sound::volumeToHundredthsOfDecibel(0.25f));
}

TEST_F(WaterSoundsTest, OnlyLiquidParticlesCountAsWater) {
  addWater(64, {300, 0}, 0.0f);    // ice
  addWater(64, {300, 0}, 100.0f);  // steam
  stepAll(0.01f);
  EXPECT_FLOAT_EQ(water_sounds::previousAverageSpeed(), 0.0f);
  EXPECT_FALSE(device_->voiceOf(kWaterAmbient).playing);
}

TEST_F(WaterSoundsTest, TheDropInAverageSpeedPicksTheSplashLevel) {
  addWater(128, {300, 0});
  stepAll(0.01f);  // speeding up never splashes
  EXPECT_EQ(playingAtLevel(waterSplash, 1) + playingAtLevel(waterSplash, 2) +
                playingAtLevel(waterSplash, 3),
            0);
  setWaterVelocity({0, 100});
  stepAll(0.01f);
  EXPECT_FLOAT_EQ(water_sounds::previousAverageSpeed(), 100.0f);
  EXPECT_EQ(playingAtLevel(waterSplash, 2), 1);
  EXPECT_EQ(playingAtLevel(waterSplash, 1) + playingAtLevel(waterSplash, 3), 0);

  // A full body with no volume randomness splashes at full volume.
  for (uint32_t rate : device_->playingRates()) {
    if (rate == kWaterAmbient) continue;
    EXPECT_EQ(device_->voiceOf(rate).volume, 0);
    EXPECT_FALSE(device_->voiceOf(rate).looped);
  }
}

TEST_F(WaterSoundsTest, TheLevelBoundsBelongToTheHigherLevel) {
  water_sound_rules::SplashSet set;
  set.levelSpeeds = {50.0f, 150.0f, 250.0f};
  EXPECT_EQ(set.levelOf(49.9f), 0);
  EXPECT_EQ(set.levelOf(50.0f), 1);
  EXPECT_EQ(set.levelOf(149.9f), 1);
  EXPECT_EQ(set.levelOf(150.0f), 2);
  EXPECT_EQ(set.levelOf(250.0f), 3);
  EXPECT_EQ(set.levelOf(-400.0f), 0);
  // Thresholds out of order: the first level is settled first, then the third.
  set.levelSpeeds = {50.0f, 300.0f, 100.0f};
  EXPECT_EQ(set.levelOf(200.0f), 1);
  EXPECT_EQ(set.levelOf(350.0f), 3);
}

TEST_F(WaterSoundsTest, ASplashNeverInterruptsOneOfItsOwnLevel) {
  addWater(128, {0, 0});
  for (int i = 0; i < 20; ++i) {
    setWaterVelocity({200, 0});
    stepAll(0.01f);
    setWaterVelocity({0, 0});
    stepAll(0.01f);  // a drop of 200: level 2
  }
  EXPECT_EQ(playingAtLevel(waterSplash, 2), 1);
  int plays = 0;
  for (const auto& [id, voice] : device_->voices)
    if (voice.rate / 100 == waterSplash(2, 0) / 100) plays += voice.plays;
  EXPECT_EQ(plays, 1);

  // Other levels still sound over it.
  setWaterVelocity({300, 0});
  stepAll(0.01f);
  setWaterVelocity({0, 0});
  stepAll(0.01f);  // a drop of 300: level 3
  setWaterVelocity({100, 0});
  stepAll(0.01f);
  setWaterVelocity({0, 0});
  stepAll(0.01f);  // a drop of 100: level 1
  EXPECT_EQ(playingAtLevel(waterSplash, 1), 1);
  EXPECT_EQ(playingAtLevel(waterSplash, 2), 1);
  EXPECT_EQ(playingAtLevel(waterSplash, 3), 1);
}

TEST_F(WaterSoundsTest, AFinishedSplashLetsTheNextOfItsLevelPlay) {
  addWater(128, {200, 0});
  stepAll(0.01f);
  setWaterVelocity({0, 0});
  stepAll(0.01f);
  ASSERT_EQ(playingAtLevel(waterSplash, 2), 1);
  for (auto& [id, voice] : device_->voices) voice.playing = false;  // it ran out
  setWaterVelocity({200, 0});
  stepAll(0.01f);
  setWaterVelocity({0, 0});
  stepAll(0.01f);
  EXPECT_EQ(playingAtLevel(waterSplash, 2), 1);
}

TEST_F(WaterSoundsTest, ThirtyParticlesFreezeIntoCracklingOverTheFollowingSteps) {
  addGroup(30, {0, 0});
  stepAll(0.5f);
  // Half of the pending amount is taken in half a second at a rate of 0.25 per second.
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, 15.0f);
  EXPECT_FLOAT_EQ(ice_sounds::state().freezeVolume, 0.15f);
  const RecordingDevice::Voice& crackle = device_->voiceOf(kIceFreeze);
  EXPECT_TRUE(crackle.playing);
  EXPECT_TRUE(crackle.looped);
  EXPECT_EQ(crackle.volume, sound::volumeToHundredthsOfDecibel(0.15f));
  stepAll(0.5f);
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, 7.5f);
  EXPECT_FLOAT_EQ(ice_sounds::state().freezeVolume, 0.225f);
  // Melting adds nothing; only a growing count is news.
  grouped_particle_mover::groupList().clear();
  stepAll(0.5f);
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, 3.75f);
  addGroup(10, {0, 0});
  stepAll(0.5f);
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, (3.75f + 10.0f) * 0.5f);
}

TEST_F(WaterSoundsTest, TheCracklingFadesAndStopsWhenSilent) {
  startSounds("ice_freezeVolumeFadeRate = 0.01 ice_freezeEffectSpeed = 0");
  addGroup(10, {0, 0});
  stepAll(1.0f);  // all taken at once: 0.1, then a hundredth of it is left
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, 0.0f);
  EXPECT_NEAR(ice_sounds::state().freezeVolume, 0.001f, 1e-6f);
  stepAll(1.0f);
  EXPECT_LT(ice_sounds::state().freezeVolume, water_sound_rules::kSilent);
  EXPECT_FALSE(device_->voiceOf(kIceFreeze).playing);
}

TEST_F(WaterSoundsTest, LumpsScrapeOnlyAlongWallsAndTheScrapeEases) {
  addGroup(128, {100, 0}, true);
  addGroup(128, {500, 0}, false);  // in the air: no scrape
  stepAll(0.5f);
  // Target 100 * 0.01 * 1 = 1; half the gap is left after half a second at 0.25 per second.
  EXPECT_FLOAT_EQ(ice_sounds::state().scrapeVolume, 0.5f);
  EXPECT_EQ(device_->voiceOf(kIceScrape).volume, sound::volumeToHundredthsOfDecibel(0.5f));
  EXPECT_TRUE(device_->voiceOf(kIceScrape).looped);
  for (ParticleGroup& group : grouped_particle_mover::groupList()) group.touchedGeometry = false;
  stepAll(0.5f);
  EXPECT_FLOAT_EQ(ice_sounds::state().scrapeVolume, 0.25f);
  // A quarter-size lump scrapes at the root of a quarter.
  grouped_particle_mover::groupList().clear();
  startSounds("ice_frictionChangeRate = 0");
  addGroup(32, {100, 0}, true);
  stepAll(0.5f);
  EXPECT_FLOAT_EQ(ice_sounds::state().scrapeVolume, 0.5f);
}

TEST_F(WaterSoundsTest, IceKnocksFollowTheLumpsWeightedSpeed) {
  addGroup(96, {300, 0});
  addGroup(32, {0, 0});
  stepAll(0.01f);
  EXPECT_FLOAT_EQ(ice_sounds::state().previousAverage, 225.0f);
  for (ParticleGroup& group : grouped_particle_mover::groupList()) group.velocity = {0, 0};
  stepAll(0.01f);  // a drop of 225: level 2
  EXPECT_EQ(playingAtLevel(iceKnock, 2), 1);
  EXPECT_EQ(playingAtLevel(waterSplash, 2), 0);
}

TEST_F(WaterSoundsTest, FiftyNewSteamParticlesHissAtMostTwoAndAHalf) {
  addWater(50, {0, 0}, 150.0f);
  float heard = 0.0f;
  float previous = 0.0f;
  for (int i = 0; i < 60; ++i) {
    stepAll(0.05f);
    const steam_sounds::State& steam = steam_sounds::state();
    // What was added this step, before the fade.
    heard += steam.evaporationVolume / std::pow(0.25f, 0.05f) - previous;
    previous = steam.evaporationVolume;
  }
  EXPECT_LE(heard, 2.5f + 1e-4f);
  EXPECT_GT(heard, 2.4f);
  EXPECT_EQ(steam_sounds::state().previousCount, 50);

  // With nothing new the hiss falls to a quarter every second.
  const float before = steam_sounds::state().evaporationVolume;
  particle_manager::particleList().clear();
  stepAll(1.0f);
  EXPECT_NEAR(steam_sounds::state().evaporationVolume, before * 0.25f, 1e-4f);
}

TEST_F(WaterSoundsTest, TheSteamRushEasesTowardsItsCount) {
  addWater(50, {0, 0}, 100.0f);
  stepAll(1.0f);
  // Target 50 * 0.02 = 1, of which 95 % is reached in a second.
  EXPECT_FLOAT_EQ(steam_sounds::state().ambientVolume, 0.95f);
  EXPECT_TRUE(device_->voiceOf(kSteamAmbient).playing);
  EXPECT_TRUE(device_->voiceOf(kSteamHiss).playing);
}

TEST_F(WaterSoundsTest, PausingStopsEveryLoopAndTheNextStepAfterItResumesThem) {
  addWater(128, {0, 0});
  addWater(50, {0, 0}, 150.0f);
  addGroup(64, {100, 0}, true);
  stepAll(0.5f);
  const std::vector<uint32_t> loops = {kWaterAmbient, kIceFreeze, kIceScrape, kSteamHiss,
                                       kSteamAmbient};
  for (uint32_t rate : loops) EXPECT_TRUE(device_->voiceOf(rate).playing) << rate;

  stepAll(0.5f, PlayState{true, false});
  for (uint32_t rate : loops) EXPECT_FALSE(device_->voiceOf(rate).playing) << rate;
  // The volumes went on meanwhile.
  EXPECT_FLOAT_EQ(ice_sounds::state().scrapeVolume, 0.75f * std::sqrt(0.5f));

  stepAll(0.5f);
  for (uint32_t rate : loops) EXPECT_TRUE(device_->voiceOf(rate).playing) << rate;

  stepAll(0.5f, PlayState{false, true});  // a menu silences them too
  for (uint32_t rate : loops) EXPECT_FALSE(device_->voiceOf(rate).playing) << rate;
}

TEST_F(WaterSoundsTest, RestartingKeepsTheLoadedSoundsAndZeroesTheState) {
  addGroup(30, {0, 0});
  stepAll(0.5f);
  const size_t voices = device_->voices.size();
  startSounds("");
  EXPECT_EQ(device_->voices.size(), voices);
  EXPECT_EQ(sound::referenceCount("snd\\water_ambient.wav"), 1);
  EXPECT_EQ(ice_sounds::state().previousCount, 0);
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, 0.0f);
  EXPECT_FLOAT_EQ(ice_sounds::state().freezeVolume, 0.0f);

  water_sounds::shutdown();
  EXPECT_EQ(sound::referenceCount("snd\\water_ambient.wav"), 0);
  EXPECT_EQ(sound::referenceCount("snd\\steam_hiss.wav"), 1);
}

TEST_F(WaterSoundsTest, MissingSoundKeysAndSettingsLeaveTheBodySilent) {
  ice_sounds::shutdown();
  water_sounds::shutdown();
  steam_sounds::shutdown();
  sound::clearSoundList();
  data_.write("cfg/game_sfx.cfg",
              "waterSound_ambient = snd\\water_ambient.wav "
              "waterSound_ambient_volume = -1 "
              "ice_frictionChangeRate = 7 ice_freezeEffectSpeed = -3");
  takePrinted();
  ice_sounds::initialise();
  water_sounds::initialise();
  steam_sounds::initialise();
  EXPECT_EQ(takePrinted().find("steamAmbient"), std::string::npos) << "unnamed sounds are quiet";
  addWater(128, {300, 0});
  addGroup(30, {100, 0}, true);
  stepAll(0.5f);
  setWaterVelocity({0, 0});
  stepAll(0.5f);  // thresholds of 0: a splash with no takes to play
  EXPECT_EQ(device_->playingRates(), std::vector<uint32_t>{kWaterAmbient});
  EXPECT_EQ(device_->voiceOf(kWaterAmbient).volume, 0);  // the magnitude of -1
  // A change rate above 1 counts as 1: the scrape never moves; a negative share as 0.
  EXPECT_FLOAT_EQ(ice_sounds::state().scrapeVolume, 0.0f);
  EXPECT_FLOAT_EQ(ice_sounds::state().pendingFreeze, 0.0f);
}

}  // namespace
