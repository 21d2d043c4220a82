#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "common/atomic_file.h"
#include "common/registry_key.h"
#include "game/app/startup_settings.h"
#include "game/console/console.h"
#include "game/platform/sound_list.h"
#include "game/simulation/player_settings.h"
#include "game/world/camera.h"
#include "test_support/temp_directory.h"

namespace {

// Each test gets a preference store of its own.
class StartupSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", store_.path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

  static void store(std::string_view name, std::string_view value) {
    createKeyPath(kPreferencesKeyPath).writeString(name, value);
  }
  static std::string stored(std::string_view name) {
    return openKeyPath(kPreferencesKeyPath).readString(name);
  }
  static StartupSettings start(std::string_view commandLine) {
    StartupSettings settings;
    readPreferences(settings);
    parseCommandLine(commandLine, settings);
    return settings;
  }

  TempDirectory store_;
};

}  // namespace

TEST_F(StartupSettingsTest, FirstStartUsesTheBuiltInValuesAndCreatesTheKey) {
  EXPECT_FALSE(openKeyPath(kPreferencesKeyPath).isOpen());
  const StartupSettings settings = start("");
  EXPECT_EQ(settings.detailLevel, 2);
  EXPECT_EQ(settings.resolutionX, 800u);
  EXPECT_EQ(settings.resolutionY, 600u);
  EXPECT_TRUE(settings.fullscreen);
  EXPECT_EQ(settings.startMap, "lev\\01_first_turn.swah");
  EXPECT_TRUE(openKeyPath(kPreferencesKeyPath).isOpen());
  EXPECT_FALSE(openKeyPath(kPreferencesKeyPath).hasValue("Sound"));
}

TEST_F(StartupSettingsTest, DetailIsClampedAndStored) {
  EXPECT_EQ(start("-detail 9").detailLevel, 5);
  EXPECT_EQ(stored("DetailLevel"), "5");
  EXPECT_EQ(start("-DETAIL -3").detailLevel, 0);
  EXPECT_EQ(stored("DetailLevel"), "0");
  EXPECT_EQ(start("-DETAIL high").detailLevel, 0);  // the stored 0 stays in force
  EXPECT_EQ(stored("DetailLevel"), "0");
}

TEST_F(StartupSettingsTest, ResolutionNeedsTwoIntegersAndRaisesZeroToOne) {
  StartupSettings settings = start("-RESOLUTION 1024");
  EXPECT_EQ(settings.resolutionX, 800u);
  EXPECT_FALSE(openKeyPath(kPreferencesKeyPath).hasValue("ResolutionX"));
  settings = start("-RESOLUTION 1024 0");
  EXPECT_EQ(settings.resolutionX, 1024u);
  EXPECT_EQ(settings.resolutionY, 1u);
  EXPECT_EQ(stored("ResolutionY"), "1");
  settings = start("-resolution -5 768");
  EXPECT_EQ(settings.resolutionX, 1u);  // never wraps to a four-billion-pixel window
}

TEST_F(StartupSettingsTest, TheResolutionIsStoredInOneReplacement) {
  static int replacements = 0;
  setInterruptionForTesting([] { ++replacements; });
  start("-RESOLUTION 1024 768");
  setInterruptionForTesting(nullptr);
  EXPECT_EQ(replacements, 1);
}

TEST_F(StartupSettingsTest, StoredResolutionNeedsBothValuesAboveOne) {
  store("ResolutionX", "1280");
  EXPECT_EQ(start("").resolutionX, 800u);
  store("ResolutionY", "x");
  EXPECT_EQ(start("").resolutionX, 800u);
  store("ResolutionX", "1");
  store("ResolutionY", "768");
  EXPECT_EQ(start("").resolutionX, 800u);
  // The command line accepts what the store refuses.
  const StartupSettings settings = start("-RESOLUTION 1 768");
  EXPECT_EQ(settings.resolutionX, 1u);
  EXPECT_EQ(settings.resolutionY, 768u);
}

TEST_F(StartupSettingsTest, StoredValueNamesMatchWithoutRegardToCase) {
  store("resolutionx", "1280");
  store("RESOLUTIONY", "720");
  store("detaillevel", "4");
  store("fullSCREEN", "0");
  const StartupSettings settings = start("");
  EXPECT_EQ(settings.resolutionX, 1280u);
  EXPECT_EQ(settings.resolutionY, 720u);
  EXPECT_EQ(settings.detailLevel, 4);
  EXPECT_FALSE(settings.fullscreen);
}

TEST_F(StartupSettingsTest, CommandLineOverridesTheStoreWhichOverridesTheBuiltIns) {
  store("DetailLevel", "1");
  store("Fullscreen", "0");
  const StartupSettings settings = start("-detail 3");
  EXPECT_EQ(settings.detailLevel, 3);
  EXPECT_FALSE(settings.fullscreen);
  EXPECT_EQ(start("").detailLevel, 3);  // written back, so it stays in force
}

TEST_F(StartupSettingsTest, AValueTokenIsExaminedAsAnOptionInTurn) {
  const StartupSettings settings = start("-MAP -FULLSCREEN 0");
  EXPECT_EQ(settings.startMap, "-FULLSCREEN");
  EXPECT_FALSE(settings.fullscreen);
  EXPECT_EQ(stored("Fullscreen"), "0");
}

TEST_F(StartupSettingsTest, SwitchesAreStoredAsOneOrZero) {
  start("-FULLSCREEN 5 -sound 0 -Music 7 -SOUND x -ReducedMotion 3 -highcontrast 2");
  EXPECT_EQ(stored("ReducedMotion"), "1");
  EXPECT_EQ(stored("HighContrast"), "1");
  EXPECT_EQ(stored("Fullscreen"), "1");
  EXPECT_EQ(stored("Sound"), "0");
  EXPECT_EQ(stored("Music"), "1");
}

// The player's settings come from the store, and changes on the console go back to it only
// once the game has loaded them: the simulator's runs never touch the store.
TEST_F(StartupSettingsTest, PlayerSettingsAreReadFromTheStoreAndStoredOnChange) {
  console::initialise();
  player_settings::registerConsoleEntries();
  store("ReducedMotion", "1");
  store("ControllerDeadZone", "5");
  store("HudDraw", "0");
  console::execute("HighContrast 1");
  EXPECT_EQ(stored("HighContrast"), "");
  player_settings::loadPreferences();
  EXPECT_TRUE(camera::reducedMotion());
  EXPECT_FLOAT_EQ(camera::controllerDeadZone(), 0.9f);
  EXPECT_FALSE(player_settings::hudDraw());
  console::execute("HudDraw 1");
  EXPECT_EQ(stored("HudDraw"), "1");
  console::execute("HighContrast 0");
  console::execute("ControllerDeadZone 0.25");
  EXPECT_EQ(stored("HighContrast"), "0");
  EXPECT_EQ(stored("ControllerDeadZone"), "0.25");
  player_settings::resetToDefaults();
  console::execute("ReducedMotion 0");
  EXPECT_EQ(stored("ReducedMotion"), "1");
  EXPECT_FALSE(camera::reducedMotion());
  console::shutdown();
}

std::string said;
void listen(std::string_view text) {
  said += text;
}

// A stored volume outside 0..10 or not a whole number is reported and gives the full volume.
TEST_F(StartupSettingsTest, AStoredVolumeIsTakenOnlyWithinItsBounds) {
  console::setOutputListener(listen);
  for (const auto& [text, volume, reported] :
       {std::tuple{"4", 4, false}, {"11", 10, true}, {"-1", 10, true}, {"loud", 10, true}}) {
    said.clear();
    store("SoundVolume", text);
    store("MusicVolume", "3");
    player_settings::loadPreferences();
    EXPECT_EQ(player_settings::soundVolume(), volume) << text;
    EXPECT_FLOAT_EQ(sound::effectsLoudness(), volume / 10.0f) << text;
    EXPECT_EQ(player_settings::musicVolume(), 3) << text;
    EXPECT_EQ(said.find("\nThe stored SoundVolume") != std::string::npos, reported) << said;
    player_settings::resetToDefaults();
  }
  console::setOutputListener(nullptr);
}

TEST_F(StartupSettingsTest, MapIsNeverStoredAndLastOptionWins) {
  const StartupSettings settings = start("-map lev\\a.swah junk -MAP lev\\b.swah -detail");
  EXPECT_EQ(settings.startMap, "lev\\b.swah");
  EXPECT_EQ(settings.detailLevel, 2);  // an option without a value does nothing
  EXPECT_FALSE(openKeyPath(kPreferencesKeyPath).hasValue("Map"));
}

TEST_F(StartupSettingsTest, ScriptIsTakenInAnyCaseAndNeverStored) {
  EXPECT_EQ(start("-exec run.script -Map lev\\b.swah").execFile, "run.script");
  EXPECT_FALSE(openKeyPath(kPreferencesKeyPath).hasValue("Exec"));
  EXPECT_EQ(start("-EXEC").execFile, "");
}

TEST(DetailPlanTest, EachLevelAsksForItsSamplesTextureQualityAndAnisotropy) {
  const struct {
    int32_t level;
    std::vector<int32_t> samples;
    std::optional<int32_t> quality, anisotropy;
  } cases[] = {
      {0, {}, 2, {}},  {1, {}, 1, {}},     {2, {}, {}, {}},
      {3, {2}, {}, 8}, {4, {4, 2}, {}, 4}, {5, {8, 4, 2}, {}, 2},
  };
  for (const auto& c : cases) {
    const DetailPlan plan = detailPlan(c.level);
    EXPECT_EQ(plan.sampleCounts, c.samples) << c.level;
    EXPECT_EQ(plan.textureQuality, c.quality) << c.level;
    EXPECT_EQ(plan.anisotropy, c.anisotropy) << c.level;
  }
}
