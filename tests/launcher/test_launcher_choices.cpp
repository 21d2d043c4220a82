// The launcher's rules without a window: which sizes it lists, what it pre-selects from the
// stored preferences and the command line it builds.

#include "launcher/launcher_choices.h"

#include <gtest/gtest.h>

#include "common/registry_key.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

namespace {

const std::vector<std::string> kResolutions = {"Same as desktop", "1024 x 768", "1280 x 720",
                                               "640 x 480"};

TEST(LauncherChoicesTest, ListsEach32BitSizeOnceInTheDisplaysOrder) {
  const DisplayMode modes[] = {{1024, 768, 32, 60}, {1024, 768, 32, 85}, {800, 600, 16, 60},
                               {1280, 720, 32, 60}, {640, 480, 32, 60}};
  EXPECT_EQ(resolutionItems(modes), kResolutions);
}

TEST(LauncherChoicesTest, PreselectsFromTheStoredPreferences) {
  struct Case {
    const char* what;
    StoredPreferences stored;
    LauncherChoices expected;
  };
  const ScreenSize desktop{1024, 768};
  const Case cases[] = {
      {"nothing stored", {}, {0, 0, 2, 0}},
      {"detail 9 is the best", {.detailLevel = 9}, {0, 0, 5, 0}},
      {"detail -2 is the lowest", {.detailLevel = -2}, {0, 0, 0, 0}},
      {"windowed", {.fullscreen = 0}, {0, 1, 2, 0}},
      {"any other full-screen value", {.fullscreen = 7}, {0, 0, 2, 0}},
      {"sound without music", {.sound = 1, .music = 0}, {0, 0, 2, 1}},
      {"music without sound", {.sound = 0, .music = 1}, {0, 0, 2, 2}},
      {"neither", {.sound = 0, .music = 0}, {0, 0, 2, 3}},
      {"music alone changes nothing", {.music = 0}, {0, 0, 2, 0}},
      {"a listed size", {.resolutionX = 1280, .resolutionY = 720}, {2, 0, 2, 0}},
      {"the desktop's size", {.resolutionX = 1024, .resolutionY = 768}, {0, 0, 2, 0}},
      {"a size not listed", {.resolutionX = 1920, .resolutionY = 1080}, {0, 0, 2, 0}},
      {"a width alone", {.resolutionX = 1280}, {0, 0, 2, 0}},
      {"reduced motion", {.reducedMotion = 2}, {0, 0, 2, 0, true}},
      {"high contrast", {.highContrast = -1}, {0, 0, 2, 0, false, true}},
  };
  for (const Case& c : cases) {
    const LauncherChoices chosen = preselect(c.stored, kResolutions, desktop);
    EXPECT_EQ(chosen.resolution, c.expected.resolution) << c.what;
    EXPECT_EQ(chosen.fullscreen, c.expected.fullscreen) << c.what;
    EXPECT_EQ(chosen.detail, c.expected.detail) << c.what;
    EXPECT_EQ(chosen.soundMode, c.expected.soundMode) << c.what;
    EXPECT_EQ(chosen.reducedMotion, c.expected.reducedMotion) << c.what;
    EXPECT_EQ(chosen.highContrast, c.expected.highContrast) << c.what;
  }
}

TEST(LauncherChoicesTest, ReadsOnlyIntegerPreferences) {
  TempDirectory config;
  ScopedEnvironment home("XDG_CONFIG_HOME", config.path().c_str());
  createKeyPath(kPreferencesKeyPath).writeStrings({{"DetailLevel", "4"}, {"Music", "loud"}});
  const StoredPreferences stored = readStoredPreferences();
  EXPECT_EQ(stored.detailLevel, 4);
  EXPECT_FALSE(stored.music);
  EXPECT_FALSE(stored.sound);
}

TEST(LauncherChoicesTest, BuildsTheGameOptionsInTheirOrder) {
  struct Case {
    LauncherChoices choices;
    const char* expected;
    ScreenSize desktop = {1920, 1080};
  };
  // "Same as desktop" in full screen is the desktop's size; in a window, and on a desktop of
  // unknown size, the game's own.
  const Case cases[] = {
      {{1, 1, 3, 2}, "-detail 3 -music 1 -sound 0 -fullscreen 0 -reducedmotion 0 -highcontrast 0 -resolution 1024 768 "},
      {{0, 0, 0, 0, true, true}, "-detail 0 -music 1 -sound 1 -fullscreen 1 -reducedmotion 1 -highcontrast 1 -resolution 1920 1080 "},
      {{0, 0, 0, 0}, "-detail 0 -music 1 -sound 1 -fullscreen 1 -reducedmotion 0 -highcontrast 0 ", {0, 0}},
      {{3, 0, 5, 1}, "-detail 5 -music 0 -sound 1 -fullscreen 1 -reducedmotion 0 -highcontrast 0 -resolution 640 480 "},
      {{0, 1, 9, 3}, "-detail 2 -music 0 -sound 0 -fullscreen 0 -reducedmotion 0 -highcontrast 0 "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(commandLine(c.choices, kResolutions, c.desktop), c.expected);
}

}  // namespace
