#include <gtest/gtest.h>

#include <cmath>

#include "common/random.h"
#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/entities/sound_sources.h"
#include "game/entities/triggers.h"
#include "game/level/forces.h"
#include "game/level/level_data.h"
#include "game/simulation/level_file.h"
#include "game/simulation/level_loading.h"
#include "game/water/fx_particles.h"
#include "level/level_test_support.h"

using namespace level_file;

namespace {

class LevelFileTest : public LevelTest {
 protected:
  // Loads `level` and returns what the loader printed.
  std::string load(const LevelFileContents& level) {
    takePrinted();
    loaded_ = level::loadLevelFile(writeLevel("lev\\test.swah", level));
    return takePrinted();
  }
  // The reason a refused level was refused with.
  std::string refusal(const LevelFileContents& level) {
    const std::string printed = load(level);
    EXPECT_FALSE(loaded_) << printed;
    const size_t at = printed.rfind("\nReason: ");
    return at == std::string::npos ? printed : printed.substr(at + 9);
  }
  bool loaded_ = false;
};

TEST_F(LevelFileTest, AnEmptyLevelLoadsAndTakesItsStartPositions) {
  LevelFileContents level;
  level.start = {{-5, 6}, {7, -8}};
  const std::string printed = load(level);
  ASSERT_TRUE(loaded_) << printed;
  EXPECT_TRUE(level::levelPolygons().empty());
  EXPECT_EQ(level::waterStart(), (Vec2{-5, 6}));
  EXPECT_EQ(level::cameraStart(), (Vec2{7, -8}));
  EXPECT_NE(printed.find("\nLevel 'lev\\test.swah' loaded successfully..\nLevel loading took "),
            std::string::npos);
}

TEST_F(LevelFileTest, EveryRecordReachesItsManager) {
  ASSERT_TRUE(load(richLevel()).find("loaded successfully") != std::string::npos);
  ASSERT_EQ(level::levelPolygons().size(), 2u);
  const Polygon& stone = level::levelPolygons().front();
  EXPECT_EQ(stone.texture.name(), "gfx\\stone.tga");
  EXPECT_EQ(stone.texture.fallbackName(), "DEFAULT_TEXTURE");
  EXPECT_TRUE(level::levelPolygons().back().texture.isDefault());
  EXPECT_EQ(stone.layer, 2);
  ASSERT_EQ(level_objects::stillObjects().size(), 1u);
  const LevelObject& lamp = level_objects::stillObjects().front();
  EXPECT_EQ(lamp.frames.front().name(), "gfx\\lamp.tga");
  EXPECT_EQ(lamp.position, (Vec2{10, 20}));
  EXPECT_TRUE(lamp.mirrored);
  ASSERT_EQ(forces::forceList().size(), 1u);
  EXPECT_EQ(forces::forceList().front().direction, (Vec2{0, 1}));
  EXPECT_EQ(forces::forceList().front().strength, 25.0f);
  ASSERT_EQ(movers::moverList().size(), 1u);
  EXPECT_EQ(movers::moverList().front().distance, 100.0f);
  EXPECT_EQ(movers::moverList().front().direction, (Vec2{0, -1}));
  ASSERT_EQ(triggers::triggerList().size(), 1u);
  EXPECT_EQ(triggers::triggerList().front().triggerType, 801);
  EXPECT_EQ(triggers::triggerList().front().corners[2], (Vec2{10, 10}));
  ASSERT_EQ(sound_sources::loopingSources().count(5), 1u);
  EXPECT_EQ(sound_sources::loopingSources().at(5).front().soundName, "snd\\hum.wav");
  ASSERT_EQ(fx_particles::emitterList().size(), 1u);
  EXPECT_EQ(fx_particles::emitterList().front().position, (Vec2{50, 60}));
}

TEST_F(LevelFileTest, TheOldLevelIsClearedBeforeTheManagersReceiveInOrder) {
  load(richLevel());
  const std::string printed = load(richLevel());
  const char* order[] = {"loaded successfully",
                         "\nClearing level data...",
                         "\nInitialising level objects manager..",
                         "\nInitialising force manager.",
                         "\nInitialising sound source manager..",
                         "\nInitialising down mover manager..",
                         "\nInitialising FX particle manager..",
                         "\nInitialising down trigger manager.."};
  size_t at = 0;
  for (const char* text : order) {
    const size_t found = printed.find(text, at);
    ASSERT_NE(found, std::string::npos) << text << " in " << printed;
    at = found;
  }
  EXPECT_EQ(level::levelPolygons().size(), 2u);
}

TEST_F(LevelFileTest, PolygonModesSetSolidAndVisible) {
  LevelFileContents level;
  for (uint32_t mode : {0u, 1u, 2u, 3u, 9u}) {
    level.polygons.push_back(squareRecord(int32_t(mode) * 200, 0, 100));
    level.polygons.back().mode = mode;
  }
  load(level);
  const std::pair<bool, bool> expected[] = {
      {true, true}, {false, true}, {true, false}, {false, false}, {true, true}};
  size_t i = 0;
  for (const Polygon& p : level::levelPolygons()) {
    EXPECT_EQ(p.solid, expected[i].first) << "mode index " << i;
    EXPECT_EQ(p.visible, expected[i].second) << "mode index " << i;
    ++i;
  }
}

TEST_F(LevelFileTest, APointListedTwiceIsKeptOnce) {
  LevelFileContents level;
  level.polygons.push_back(squareRecord(0, 0, 10));
  level.polygons.back().points.push_back({10, 0});
  load(level);
  EXPECT_EQ(level::levelPolygons().front().pointCount(), 4u);
}

TEST_F(LevelFileTest, DirectionsOfZeroBecomePlusXForForcesAndRandomForEmitters) {
  LevelFileContents level;
  level.forces.push_back({1, {0, 0}, 0.0f, 0.0f, 1.0f});
  level.emitters.push_back({2, {0, 0}, 0.0f, 0.0f, ""});
  rng::seed(3);
  load(level);
  EXPECT_EQ(forces::forceList().front().direction, (Vec2{1, 0}));
  const Vec2 direction = fx_particles::emitterList().front().direction;
  EXPECT_NEAR(length(direction), 1.0f, 1e-6f);
  rng::seed(3);
  const float u1 = rng::uniform() - 0.5f, u2 = rng::uniform() - 0.5f;
  EXPECT_EQ(direction, normalised({u1, u2}));
}

TEST_F(LevelFileTest, EmitterSettingsAreReadWhileLoading) {
  data_.write("fx/steam.cfg",
              "frequency = 0.25 burstSize = 9000 spread = 90 size_1 = 2 size_2 = 4 "
              "liveTime_1 = 0 liveTime_2 = 3 velocity_1 = 5 texture2 = gfx\\puff.tga");
  load(richLevel());
  const FxEmitter& e = fx_particles::emitterList().front();
  EXPECT_EQ(e.interval, 0.25f);
  EXPECT_EQ(e.burstSize, 4096);
  EXPECT_FLOAT_EQ(e.spread, 1.5707964f);
  EXPECT_EQ(e.size2, 4.0f);
  EXPECT_EQ(e.liveTime1, 0.0001f);
  EXPECT_EQ(e.velocity1, 0.0f) << "a half-given range keeps the old one";
  ASSERT_EQ(e.textures.size(), 1u);
  EXPECT_EQ(e.textures.front().name(), "gfx\\puff.tga");
}

TEST_F(LevelFileTest, AnimationNamesExpandIntoTheirFrameFiles) {
  for (const char* name :
       {"gfx/fan_FRAME02.tga", "gfx/FAN_frame01.TGA", "gfx/fan_FRAME03.png", "gfx/fanfare.tga"})
    data_.write(name, "x");
  LevelFileContents level;
  level.objects.push_back({1, "gfx\\fan_FRAME01.tga", 0, {0, 0}, 0});
  load(level);
  ASSERT_EQ(level_objects::animatedObjects().size(), 1u);
  const LevelObject& fan = level_objects::animatedObjects().front();
  ASSERT_EQ(fan.frameCount, 2);
  EXPECT_EQ(fan.frames[0].name(), "gfx\\FAN_frame01.TGA");
  EXPECT_EQ(fan.frames[1].name(), "gfx\\fan_FRAME02.tga");
}

TEST_F(LevelFileTest, AMissingFileSaysSoAndNothingElse) {
  takePrinted();
  EXPECT_FALSE(level::loadLevelFile("lev\\missing.swah"));
  EXPECT_EQ(takePrinted(), "\nUnable to open level file 'lev\\missing.swah'");
  for (const std::filesystem::path& path : data_.notRegularFiles()) {
    EXPECT_FALSE(level::loadLevelFile(path.string()));
    EXPECT_EQ(takePrinted(), "\nUnable to open level file '" + path.string() + "'");
  }
}

TEST_F(LevelFileTest, AWrongVersionPrintsBothVersions) {
  std::vector<uint8_t> bytes = writeLevelFile({});
  bytes[4] = 11;
  takePrinted();
  EXPECT_FALSE(level::loadLevelFile(writeBytes("old.swah", bytes)));
  EXPECT_EQ(takePrinted(),
            "\nInvalid level file version. Version is 11. Version used by game is 12."
            "\nError reading level file 'old.swah'\nReason: Invalid level file version.");
}

TEST_F(LevelFileTest, EachCheckRefusesWithItsReason) {
  auto with = [](auto change) {
    LevelFileContents level = richLevel();
    change(level);
    return level;
  };
  EXPECT_EQ(refusal(with([](auto& l) { l.polygons[1].surface = 6; })),
            "Invalid surface type encountered.");
  EXPECT_EQ(refusal(with([](auto& l) { l.polygons[0].surface = 0; })),
            "Invalid surface type encountered.");
  EXPECT_EQ(refusal(with([](auto& l) { l.polygons[0].layer = 5; })), "Invalid polygon layer.");
  EXPECT_EQ(refusal(with([](auto& l) { l.objects[0].layer = -1; })), "Invalid polygon layer.");
  EXPECT_EQ(refusal(with([](auto& l) { l.soundSources[0].strength = -1; })),
            "Invalid sound source strenght.");
  EXPECT_EQ(refusal(with([](auto& l) { l.polygons[0].textureName.assign(65536, 'a'); })),
            "\nPolygon texture name too long.");
  EXPECT_EQ(refusal(with([](auto& l) { l.objects[0].textureName.assign(65535, 'a'); })),
            "Object texture name too long.");
  EXPECT_EQ(refusal(with([](auto& l) { l.soundSources[0].fileName.assign(65536, 'a'); })),
            "Sound source sound name too long.");
  EXPECT_EQ(refusal(with([](auto& l) { l.emitters[0].settingsFileName.assign(65536, 'a'); })),
            "Emitter settings file name too long.");
  EXPECT_EQ(refusal(with([](auto& l) { l.polygons[0].points.resize(65536); })),
            "Too many polygon points.");
}

TEST_F(LevelFileTest, NamesAtTheirLimitsAndStrengthZeroAreAccepted) {
  LevelFileContents level = richLevel();
  level.polygons[0].textureName.assign(65535, 'a');
  level.objects[0].textureName.assign(65534, 'b');
  level.soundSources[0].strength = 0;
  load(level);
  EXPECT_TRUE(loaded_);
}

TEST_F(LevelFileTest, CountsAboveTheLimitAreRefusedPerSection) {
  // Each section count sits right after the previous section of an empty level.
  const std::pair<size_t, const char*> sections[] = {
      {8, "Too many polygons in level."},  {12, "Too many objects in level"},
      {16, "Too many forces in level."},   {20, "Too many movers in level."},
      {24, "Too many triggers in level."}, {28, "Too many sounds in level."},
      {32, "Too many emitters in level."}};
  for (auto [offset, reason] : sections) {
    std::vector<uint8_t> bytes = writeLevelFile({});
    bytes[offset + 2] = 1;  // 65536
    takePrinted();
    EXPECT_FALSE(level::loadLevelFile(writeBytes("big.swah", bytes)));
    EXPECT_EQ(takePrinted(),
              std::string("\nError reading level file 'big.swah'\nReason: ") + reason);
    bytes[offset + 3] = 0x80;  // the top bit set: still just too many
    EXPECT_FALSE(level::loadLevelFile(writeBytes("big.swah", bytes)));
    EXPECT_NE(takePrinted().find(reason), std::string::npos);
  }
}

TEST_F(LevelFileTest, ForeignFilesAreNotLevelFiles) {
  std::vector<uint8_t> bytes = writeLevelFile({});
  bytes[0] = 'P';
  takePrinted();
  EXPECT_FALSE(level::loadLevelFile(writeBytes("picture.swah", bytes)));
  EXPECT_EQ(takePrinted(),
            "\nError reading level file 'picture.swah'\nReason: Not a VMR level file.");
}

TEST_F(LevelFileTest, BytesAfterTheStartPositionsDoNotMatter) {
  std::vector<uint8_t> bytes = writeLevelFile(richLevel());
  bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
  takePrinted();
  EXPECT_TRUE(level::loadLevelFile(writeBytes("long.swah", bytes)));
}

// A file cut short anywhere fails with the same reason and leaves the level in place.
TEST_F(LevelFileTest, AFileCutAtEveryPositionFailsAndKeepsTheRunningLevel) {
  ASSERT_TRUE(level::loadLevel(writeLevel("first.swah", richLevel())));
  const Polygon* first = &level::levelPolygons().front();
  const std::vector<uint8_t> bytes = writeLevelFile(richLevel());
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    const std::string name = writeBytes("cut.swah", {bytes.begin(), bytes.begin() + cut});
    takePrinted();
    ASSERT_FALSE(level::loadLevel(name)) << "cut at " << cut;
    const std::string printed = takePrinted();
    ASSERT_NE(printed.find("\nReason: Unable to read file"), std::string::npos)
        << "cut at " << cut << ": " << printed;
    ASSERT_EQ(printed.find("Clearing"), std::string::npos);
  }
  EXPECT_EQ(&level::levelPolygons().front(), first);
  EXPECT_EQ(level::levelPolygons().size(), 2u);
  EXPECT_EQ(fx_particles::emitterList().size(), 1u);
}

TEST(LevelFileFormat, WritingWhatWasReadGivesTheSameBytes) {
  const std::vector<uint8_t> bytes = writeLevelFile(richLevel());
  const ReadResult read = readLevelFile(bytes);
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.contents, richLevel());
  EXPECT_EQ(writeLevelFile(read.contents), bytes);
}

}  // namespace
