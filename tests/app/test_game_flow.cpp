// The flow between play and the menus in a real window: every button of the two main
// menus, Escape everywhere, the dialogs, the level chooser, the options and the end of a
// level. Buttons are worked with the keys, as a player without a mouse would.

#include <gtest/gtest.h>

#include "common/config_file.h"
#include "common/data_path.h"
#include "common/registry_key.h"
#include "app/game_fixture.h"
#include "game/app/game_menus.h"
#include "game/app/high_score_entry.h"
#include "game/app/high_scores.h"
#include "game/app/menus.h"
#include "game/console/console.h"
#include "game/gui/gui_animated_button.h"
#include "game/gui/gui_image.h"
#include "game/gui/high_score_table.h"
#include "game/platform/sound_list.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/run_playback.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"

namespace {

using namespace screen_flow;

class GameFlowTest : public GameTest {
 protected:
  static void press(int32_t key) {
    Game game;
    game.onKeyDown(key);
  }
  // Enter hovers the menu's default button, `downs` Down keys move on, Enter clicks, and
  // the click's 0.8 s pass.
  static void chooseButton(int downs) {
    press(vk::kReturn);
    for (int i = 0; i < downs; ++i) press(vk::kDown);
    press(vk::kReturn);
    frames(50, 20);
  }
};

TEST_F(GameFlowTest, EveryButtonOfTheMainAndInGameMenusOpensItsMenu) {
  struct Row {
    MenuId from;
    int downs;
    MenuId to;
  };
  for (const Row& row : {Row{kMainMenu, 0, kPlay}, Row{kMainMenu, 1, kLoadMapMenu},
                         Row{kMainMenu, 2, kOptionsMenu}, Row{kMainMenu, 3, kInstructionsMenu},
                         Row{kMainMenu, 4, kHighScoresMenu}, Row{kMainMenu, 5, kCreditsMenu},
                         Row{kMainMenu, 6, kQuitGameMenu}, Row{kMainMenu, 7, kQuitGameMenu},
                         Row{kInGameMenu, 0, kPlay}, Row{kInGameMenu, 1, kRestartMenu},
                         Row{kInGameMenu, 2, kLoadMapMenu}, Row{kInGameMenu, 3, kOptionsMenu},
                         Row{kInGameMenu, 4, kInstructionsMenu},
                         Row{kInGameMenu, 5, kHighScoresMenu}, Row{kInGameMenu, 6, kCreditsMenu},
                         Row{kInGameMenu, 7, kQuitGameMenu}}) {
    Game::setMenu(row.from);
    chooseButton(row.downs);
    EXPECT_EQ(Game::currentMenu(), row.to) << "menu " << row.from << ", " << row.downs << " down";
    EXPECT_EQ(Game::previousMenu(), row.from) << row.downs;
  }
}

TEST_F(GameFlowTest, EscapeGoesBackOneStepButAsksBeforeQuittingAndWaitsOnTheResult) {
  struct Row {
    std::vector<MenuId> shown;
    MenuId afterEscape;
  };
  for (const Row& row : {Row{{kPlay}, kInGameMenu}, Row{{kPlay, kInGameMenu}, kPlay},
                         Row{{kMainMenu}, kQuitGameMenu}, Row{{kMainMenu, kQuitGameMenu}, kMainMenu},
                         Row{{kInGameMenu, kOptionsMenu}, kInGameMenu},
                         Row{{kInGameMenu, kOptionsMenu, kInGameMenu}, kOptionsMenu},
                         Row{{kLevelFinishedMenu}, kLevelFinishedMenu}}) {
    for (MenuId id : row.shown) Game::setMenu(id);
    press(vk::kEscape);
    EXPECT_EQ(Game::currentMenu(), row.afterEscape) << "after " << row.shown.back();
  }
}

TEST_F(GameFlowTest, DialogsAnswerNoByGoingBackAndYesByActing) {
  Game::setMenu(kMainMenu);
  Game::setMenu(kQuitGameMenu);
  chooseButton(0);  // "no" is the default
  EXPECT_EQ(Game::currentMenu(), kMainMenu);
  Game::setMenu(kInGameMenu);
  Game::setMenu(kRestartMenu);
  particle_manager::deleteAllWater();
  press(vk::kReturn);
  press(vk::kLeft);  // to "yes"
  press(vk::kReturn);
  frames(50, 20);
  EXPECT_EQ(Game::currentMenu(), kPlay);  // a restart lands in play
  EXPECT_EQ(particle_manager::particleCount(), 128u);
  Game::setMenu(kQuitGameMenu);
  press(vk::kReturn);
  press(vk::kTab);
  press(vk::kReturn);
  frames(50, 20);
  EXPECT_FALSE(Game::isRunning());
}

TEST_F(GameFlowTest, AMenuStopsTheWorldTheCameraTheClockAndThePauseKeys) {
  camera::setMode(1);
  frames(20, 20);
  Game::setMenu(kInGameMenu);
  const Vec2 water = particle_manager::particleList().front().position;
  const float angle = camera::angle();
  const uint32_t clock = level_record::elapsedMs();
  window::injectKey(vk::kLeft, true);
  window::pumpMessages();
  frames(30, 20);
  press('P');
  Game game;
  game.onFocusLost();
  EXPECT_EQ(particle_manager::particleList().front().position, water);
  EXPECT_EQ(camera::angle(), angle);
  EXPECT_FALSE(Game::isPaused());
  Game::setMenu(kPlay);
  frames(5, 20);
  window::injectKey(vk::kLeft, false);
  window::pumpMessages();
  // Back in play the clock goes on from where it stopped, without the time in the menu.
  EXPECT_LT(level_record::elapsedMs() - clock, 200u);
  EXPECT_NE(particle_manager::particleList().front().position, water);
}

TEST_F(GameFlowTest, TheLevelChooserLoadsFromTheFolderItListsAndLandsInTheMainMenu) {
  Game::setMenu(kLoadMapMenu);
  press(vk::kReturn);  // hovers "back"
  press(vk::kUp);      // to "load"
  press(vk::kReturn);
  printed.clear();
  frames(50, 20);
  EXPECT_NE(printed.find("Game initialisation"), std::string::npos) << printed;
  // The chooser offers the level after the first, which the game starts with.
  const std::vector<std::string> listed = findMatchingFiles("lev\\*.swah");
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(Game::currentMap(), "lev\\" + listed[std::min<size_t>(1, listed.size() - 1)]);
  EXPECT_EQ(Game::currentMenu(), kMainMenu);
}

TEST_F(GameFlowTest, OptionsApplyAndStoreOnlyThroughTheBackButton) {
  const TempDirectory store;
  setenv("XDG_CONFIG_HOME", store.path().c_str(), 1);
  sound::setEffectsVolume(1.0f);
  for (const bool throughBack : {false, true}) {
    Game::setMenu(kMainMenu);
    Game::setMenu(kOptionsMenu);
    press(vk::kReturn);  // hovers "back"
    press(vk::kUp);      // the sound chooser
    press(vk::kLeft);    // "off"
    if (throughBack) {
      press(vk::kDown);
      chooseButton(0);
    } else {
      press(vk::kEscape);
    }
    EXPECT_EQ(Game::currentMenu(), kMainMenu);
    EXPECT_EQ(sound::effectsVolume(), throughBack ? 0.0f : 1.0f);
    EXPECT_EQ(openKeyPath(kPreferencesKeyPath).readString("Sound"), throughBack ? "0" : "");
  }
  sound::setEffectsVolume(1.0f);
  unsetenv("XDG_CONFIG_HOME");
}

// The choosers below the designed two are reached with the arrow keys, and back applies and
// stores them with the player's settings.
TEST_F(GameFlowTest, TheLoudnessContrastAndMotionChoicesGoThroughTheBackButton) {
  const TempDirectory store;
  setenv("XDG_CONFIG_HOME", store.path().c_str(), 1);
  player_settings::loadPreferences();  // from here on changes are stored
  Game::setMenu(kMainMenu);
  Game::setMenu(kOptionsMenu);
  for (const int32_t key : {vk::kReturn, vk::kUp, vk::kUp,         // back, sound, music
                            vk::kUp, vk::kLeft, vk::kLeft, vk::kLeft,  // sound volume 7
                            vk::kUp, vk::kLeft,                   // music volume 9
                            vk::kUp, vk::kRight, vk::kUp, vk::kRight})  // motion, contrast on
    press(key);
  for (int i = 0; i < 6; ++i) press(vk::kDown);  // down to back
  chooseButton(0);
  EXPECT_EQ(Game::currentMenu(), kMainMenu);
  const RegistryKey stored = openKeyPath(kPreferencesKeyPath);
  EXPECT_EQ(stored.readString("SoundVolume"), "7");
  EXPECT_EQ(stored.readString("MusicVolume"), "9");
  EXPECT_EQ(stored.readString("HighContrast"), "1");
  EXPECT_EQ(stored.readString("ReducedMotion"), "1");
  EXPECT_EQ(stored.readString("Sound"), "1");  // still on, whatever the loudness
  EXPECT_FLOAT_EQ(sound::effectsLoudness(), 0.7f);
  EXPECT_FLOAT_EQ(music::musicLoudness(), 0.9f);
  EXPECT_TRUE(player_settings::highContrast());
  EXPECT_TRUE(camera::reducedMotion());
  player_settings::resetToDefaults();
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(GameFlowTest, AWonLevelShowsItsResultThenTheTableOverTheMainMenuOnce) {
  // A table no score can beat: the name entry doesn't open.
  for (int i = 0; i < 10; ++i)
    high_scores::insertHighScore(high_scores::makeHighScoreEntry("BEST", 4000000000u));
  console::execute("TriggerCreate 801 0 100 100 200 200");  // the end area around the water
  camera::setMode(1);
  for (int i = 0; i < 300 && Game::currentMenu() != kLevelFinishedMenu; ++i) frameOf(20);
  ASSERT_EQ(Game::currentMenu(), kLevelFinishedMenu);
  press(vk::kReturn);
  press(vk::kReturn);
  press(vk::kReturn);  // pressed again while it waits: still one continue
  frames(50, 20);
  EXPECT_EQ(Game::currentMenu(), kHighScoresMenu);
  EXPECT_EQ(Game::previousMenu(), kMainMenu);
  EXPECT_EQ(particle_manager::particleCount(), 128u);  // restarted behind the table
  EXPECT_EQ(high_scores::highScoreTable().back().score, 4000000000u);
  high_scores::resetHighScores();
}

// Up, Down and Tab move between the result's two buttons, as a controller's d-pad does.
TEST_F(GameFlowTest, TheLevelResultsReplayButtonIsReachedAndPressedWithTheKeys) {
  for (int i = 0; i < 10; ++i)  // a table no score can beat: the name entry doesn't open
    high_scores::insertHighScore(high_scores::makeHighScoreEntry("BEST", 4000000000u));
  frames(100, 20);
  console::execute("Restart");  // the run is kept as the level's last, longer than the click
  frameOf(16);
  Game::setMenu(kLevelFinishedMenu);
  for (const int32_t key : {vk::kReturn, vk::kDown, vk::kUp, vk::kTab, vk::kReturn}) press(key);
  frames(50, 20);
  EXPECT_TRUE(run_playback::isPlaying()) << printed;
  high_scores::resetHighScores();
}

TEST_F(GameFlowTest, TheMenusAndTheirBackgroundSoundAreMadeOncePerGameRun) {
  const sound::SoundInstance* sound = game_menus::backgroundSound();
  Game::initialise(kTestLevel);
  Game::initialise(kTestLevel);
  EXPECT_EQ(Game::currentMenu(), kMainMenu);
  EXPECT_EQ(game_menus::backgroundSound(), sound);
  EXPECT_NE(game_menus::currentScreen(), nullptr);
}

}  // namespace

// The game carries its shipped settings files: a missing menu file gives way to the shipped
// layout, and missing pictures to the built-in ones.
TEST_F(GameFlowTest, AMenuWithoutItsFilesTakesTheShippedLayoutAndStillWorks) {
  const TempDirectory empty;
  const WorkingDirectory inside(empty.path());
  printed.clear();
  Menu_Main menu;
  EXPECT_NE(printed.find("Could not open config file"), std::string::npos);
  // The logo falls back to the built-in sprite; a button's missing frames show it too.
  const auto* logo = dynamic_cast<const GuiImage*>(menu.widgets().front().get());
  ASSERT_NE(logo, nullptr);
  EXPECT_GT(logo->image().width(), 0);
  const auto* play = dynamic_cast<const GuiAnimatedButton*>(menu.widgets()[1].get());
  ASSERT_NE(play, nullptr);
  const ConfigFile shipped = ConfigFile::shippedCopy("cfg\\menu_main.cfg").value();
  EXPECT_EQ(std::vector({play->x(), play->y(), play->width(), play->height()}),
            std::vector({shipped.getInt("startButton_x"), shipped.getInt("startButton_y"),
                         shipped.getInt("startButton_w"), shipped.getInt("startButton_h")}));
  ASSERT_NE(play->currentFrame(), nullptr);
  EXPECT_GT(play->currentFrame()->width(), 0);
  menu.onShow();
  menu.onKeyDown(vk::kReturn);
  EXPECT_EQ(menu.hoveredWidget(), play);
}

TEST_F(GameFlowTest, TheNameEntryTakesTwentyNameCharactersAndClosesAfterItsClick) {
  GuiScreen backdrop;
  HighScores entry(backdrop);
  for (int i = 0; i < 25; ++i) entry.onKeyDown('A' + i);
  EXPECT_EQ(entry.name(), "abcdefghijklmnopqrst");
  entry.onKeyDown(vk::kBackspace);
  entry.onKeyDown(vk::kPageUp);  // no character: ignored
  entry.onKeyDown(vk::kSpace);
  entry.onKeyDown('7');
  EXPECT_EQ(entry.name(), "abcdefghijklmnopqrs ");
  // The caret blinks on the first turn after each half second.
  const bool caret = entry.caretOn();
  entry.advance(0.3f);
  entry.advance(0.3f);
  EXPECT_EQ(entry.caretOn(), caret);
  entry.advance(0.01f);
  EXPECT_NE(entry.caretOn(), caret);
  entry.onKeyDown(vk::kReturn);
  EXPECT_TRUE(entry.isFinished());
  EXPECT_EQ(entry.okButton().state(), ButtonState::kClicked);
  entry.onKeyDown('Z');  // finished: no more typing
  EXPECT_EQ(entry.name().size(), 20u);
  entry.advance(0.5f);
  entry.advance(0.5f);
  EXPECT_TRUE(entry.isRunning());  // the click's 0.8 s are over only at the next turn
  entry.advance(0.1f);
  EXPECT_FALSE(entry.isRunning());
}

TEST_F(GameFlowTest, AQuitAskedForDuringTheNameEntryEndsItWithTheNameSoFar) {
  const TempDirectory userData;
  setenv("XDG_DATA_HOME", userData.path().c_str(), 1);
  GuiScreen backdrop;
  Game::requestQuit();
  offerHighScore(1234u, backdrop);  // would wait for Enter for ever
  EXPECT_EQ(high_scores::highScoreTable().front().score, 1234u);
  EXPECT_EQ(high_scores::highScoreTable().front().nameText(), "");
  high_scores::resetHighScores();
  unsetenv("XDG_DATA_HOME");
}
