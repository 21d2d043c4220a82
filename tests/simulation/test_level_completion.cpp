#include <gtest/gtest.h>

#include <variant>

#include "game/console/console.h"
#include "game/platform/game_clock.h"
#include "game/platform/sound_device.h"
#include "game/simulation/level_completion.h"
#include "game/water/grouped_particle_mover.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "sound/recording_sound_device.h"
#include "sound/wav_bytes.h"
#include "water/water_test_support.h"

namespace {

using particle_manager::particleList;

class LevelCompletionTest : public WaterTest {
 protected:
  void SetUp() override {
    WaterTest::SetUp();
    game_clock::useSimulatedClock();
    startWith("finishWaterVolume = 0.5 finishAnimationTime = 1");
  }
  void TearDown() override {
    game_clock::useRealClock();
    WaterTest::TearDown();
  }

  void startWith(const std::string& gameSettings) {
    data_.write("cfg/game.cfg", gameSettings);
    level_completion::initialise();
    camera::setMode(camera::kFollow);
  }
  // One tick of `seconds` on the game clock.
  void tick(float seconds) {
    game_clock::advance(seconds);
    level_completion::update(seconds);
  }
  void addWater(int count) {
    for (int i = 0; i < count; ++i) addParticle({float(i % 10) * 3, float(i / 10) * 3});
  }
};

TEST_F(LevelCompletionTest, TheWinNeedsTheShareOfTheWaterLeftInOneTick) {
  addWater(100);
  level_record::addWaterAtEnd(49);
  tick(0.02f);
  EXPECT_FALSE(level_record::isFinishing());
  level_record::addWaterAtEnd(30);
  tick(0.02f);
  level_record::addWaterAtEnd(19);
  tick(0.02f);
  EXPECT_FALSE(level_record::isFinishing()) << "counts do not add up over ticks";
  level_record::addWaterAtEnd(50);
  tick(0.02f);
  EXPECT_TRUE(level_record::isFinishing());
}

TEST_F(LevelCompletionTest, TheNeededWaterIsTheTruncatedShareAndAtLeastOne) {
  struct Case {
    const char* share;
    int water;
    uint32_t tooFew, enough;
  };
  const Case cases[] = {{"0.5", 1, 0, 1},     {"0.255", 100, 24, 25}, {"0", 100, 0, 1},
                        {"-0.5", 100, 0, 1}, {"2", 100, 199, 200}};
  for (const Case& c : cases) {
    particle_manager::deleteAllWater();
    addWater(c.water);
    startWith(std::string("finishWaterVolume = ") + c.share);
    level_record::addWaterAtEnd(c.tooFew);
    tick(0.02f);
    EXPECT_FALSE(level_record::isFinishing()) << c.share;
    level_record::addWaterAtEnd(c.enough);
    tick(0.02f);
    EXPECT_TRUE(level_record::isFinishing()) << c.share;
  }
}

TEST_F(LevelCompletionTest, TheDeadAndFinishSoundsPlayFromTheirStart) {
  level_completion::shutdown();
  auto device = std::make_unique<RecordingSoundDevice>();
  RecordingSoundDevice& voices = *device;
  sound::installSoundDevice(std::move(device));
  for (const auto& [name, rate] : {std::pair{"finish", 11025u}, std::pair{"dead", 22050u}}) {
    sound_test::WavLayout layout;
    layout.rate = rate;
    data_.write(std::string("snd/") + name + ".wav", sound_test::wavFile(layout, std::string(64, 0)));
  }
  startWith("finishSound = snd\\finish.wav deadSound = snd\\dead.wav");
  voices.voiceOf(22050).position = 7;
  tick(0.02f);  // no water at all: it is lost
  EXPECT_TRUE(voices.voiceOf(22050).playing);
  EXPECT_EQ(voices.voiceOf(22050).position, 0u);
  EXPECT_FALSE(voices.voiceOf(11025).playing);
  level_record::addWaterAtEnd(128);
  tick(0.02f);
  EXPECT_TRUE(voices.voiceOf(11025).playing);
  level_completion::shutdown();
  sound::installSoundDevice(nullptr);
}

TEST_F(LevelCompletionTest, TheFinishRunsDownAndEndsTheLevel) {
  startWith("finishWaterVolume = 0.5 finishAnimationTime = 0");
  EXPECT_EQ(level_completion::finishAnimationTime(), 0.001f);
  addWater(2);
  level_record::addWaterAtEnd(2);
  tick(0.02f);
  EXPECT_TRUE(level_record::isFinishing());
  EXPECT_FALSE(level_record::isFinishOver());
  tick(0.02f);
  EXPECT_TRUE(level_record::isFinishOver());
  EXPECT_TRUE(level_record::isLevelOver());
}

TEST_F(LevelCompletionTest, LostWaterComesBackAtTheCheckpointWithItsAmount) {
  addWater(40);
  tick(0.5f);
  level_record::setCheckpoint({300.0f, -20.0f}, int32_t(grouped_particle_mover::totalWater()));
  EXPECT_EQ(level_record::checkpointWater(), 40);
  addWater(10);
  tick(0.5f);
  particle_manager::deleteAllWater();
  tick(0.5f);
  EXPECT_EQ(particleList().size(), 40u);
  for (const Particle& p : particleList()) EXPECT_LE(distance(p.position, {300, -20}), 10.001f);
  EXPECT_TRUE(camera::isOpeningMove());
  EXPECT_EQ(level_record::respawnCount(), 1);
  EXPECT_EQ(level_record::elapsedMs(), 1500u) << "the clock keeps the time spent";
}

TEST_F(LevelCompletionTest, TheFirstCheckpointIsTheWaterStartWith128) {
  EXPECT_EQ(level_record::checkpointWater(), 128);
  particle_manager::deleteAllWater();
  tick(0.02f);
  EXPECT_EQ(grouped_particle_mover::totalWater(), 128u);
}

TEST_F(LevelCompletionTest, TheClockStandsInTheOpeningMoveSkipsAndTheFinish) {
  addWater(4);
  tick(1.0f);
  camera::setMode(camera::kOpeningMove);
  tick(1.0f);
  camera::setMode(camera::kFollow);
  game_clock::advance(5.0);  // a menu was open
  level_record::skipClock();
  tick(1.0f);
  EXPECT_EQ(level_record::elapsedMs(), 2000u);
  level_record::addWaterAtEnd(4);
  tick(1.0f);
  tick(0.5f);
  EXPECT_EQ(level_record::elapsedMs(), 3000u) << "the clock stops once the level is won";
}

TEST_F(LevelCompletionTest, TotalWaterCountsTheIceToo) {
  addWater(6);
  particleList().front().temperature = -1.0f;
  grouped_particle_mover::freezePass(particleList());
  EXPECT_LT(particleList().size(), 6u);
  EXPECT_EQ(grouped_particle_mover::totalWater(), 6u);
}

TEST_F(LevelCompletionTest, ScoresFollowTimeAndWater) {
  addWater(96);
  EXPECT_EQ(level_completion::waterScore(), 48000);
  EXPECT_EQ(level_completion::timeScore(), 436000u);
  tick(320.0f);
  EXPECT_EQ(level_completion::timeScore(), 218500u);
  EXPECT_EQ(level_completion::score(), 218500 + 48000);
  tick(200.0f);
  EXPECT_EQ(level_completion::timeScore(), 1000u);
}

bool standInVariable(bool, bool) {
  return true;
}

TEST_F(LevelCompletionTest, TimePrintIsRegisteredOnceAndOffAtEveryStart) {
  console::execute("TimePrint 1");
  EXPECT_TRUE(level_completion::timePrintEnabled());
  startWith("");
  EXPECT_FALSE(level_completion::timePrintEnabled());
  console::addCommand("TimePrint", standInVariable);  // the next start must leave it be
  startWith("");
  const auto* kept = std::get_if<bool (*)(bool, bool)>(&console::findCommand("TimePrint")->function);
  EXPECT_TRUE(kept && *kept == &standInVariable) << "registered again by the second start";
}

TEST_F(LevelCompletionTest, TheTimeLinePadsItsFields) {
  EXPECT_EQ(level_completion::levelTimeText(3723450), "\n1:: 2::  3.  45");
  EXPECT_EQ(level_completion::levelTimeText(0), "\n0:: 0::  0.   0");
}

}  // namespace
