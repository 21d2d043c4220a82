// The game run in a real window on the test level: the frame clock and the tick rule, the
// keys, the requests at the end of a frame, the console entries and the free view. Time is
// the simulated clock, moved on by hand before each frame.

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <string>
#include <vector>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "app/game_fixture.h"
#include "game/app/automation_commands.h"
#include "game/app/frame_clock.h"
#include "game/app/free_view.h"
#include "game/app/game.h"
#include "game/app/speed_display.h"
#include "game/console/console.h"
#include "game/platform/game_clock.h"
#include "game/platform/key_bindings.h"
#include "game/platform/music.h"
#include "game/platform/music_device.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/replay_recorder.h"
#include "game/simulation/run_playback.h"
#include "game/simulation/run_recording.h"
#include "game/simulation/simulation.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/screen_flow.h"
#include "test_support/temp_directory.h"
#include "game/app/startup.h"
#include "game/gui/level_index.h"
#include "game/gui/level_progress.h"
#include "test_support/window_fixture.h"
#include "tools/vmr_sim/frame_source.h"

TEST_F(GameTest, TheFrameTimeIsTheMeanOfBlocksOfSixteenAndTicksWaitForATenthOfTen) {
  // The accumulator starts full, so the first frame ticks; until a block of 16 frames has
  // closed the frame time is 0 and nothing gathers.
  frameOf(5);
  EXPECT_EQ(frame_clock::gathered(), 0.0f);
  frames(14, 5);
  EXPECT_EQ(frame_clock::frameTime(), 0.0f);
  EXPECT_EQ(frame_clock::gathered(), 0.0f);

  // At 200 frames per second every second frame ticks, with 0.01 s gathered.
  frameOf(5);
  EXPECT_FLOAT_EQ(frame_clock::frameTime(), 0.005f);
  EXPECT_FLOAT_EQ(frame_clock::gathered(), 0.005f);
  frameOf(5);
  EXPECT_EQ(frame_clock::gathered(), 0.0f);
  frameOf(5);
  EXPECT_FLOAT_EQ(frame_clock::gathered(), 0.005f);

  // The frame time follows the real frames only when the next block closes.
  frames(13, 40);
  EXPECT_FLOAT_EQ(frame_clock::frameTime(), 0.005f);
  frameOf(40);
  EXPECT_FLOAT_EQ(frame_clock::frameTime(), (2 * 0.005f + 14 * 0.04f) / 16);
  frames(16, 40);
  EXPECT_FLOAT_EQ(frame_clock::frameTime(), 0.04f);
}

// The simulator's runs paced by frames tick exactly the lengths the window's main loop ticks
// (as its kept run records them) for the same frames: steady 144 Hz, and an uneven list with
// stalls that the longest tick clamps.
TEST_F(GameTest, FramePacedRunsTickTheLengthsTheWindowTicks) {
  const std::vector<double> framesMs[] = {{1000.0 / 144},
                                          {16, 16, 100, 8, 40, 12, 1500, 16, 33, 7, 5, 16}};
  for (const std::vector<double>& frameList : framesMs) {
    std::vector<double> lengths;
    for (double ms : frameList) lengths.push_back(ms / 1000.0);
    if (!Game::isRunning()) {  // the second list: a fresh game from the clock's start
      game_clock::useSimulatedClock();
      Game::initialise(kTestLevel);
    }
    Game::setMenu(screen_flow::kPlay);
    for (int frame = 0; frame < 300; ++frame) {
      game_clock::advance(lengths[size_t(frame) % lengths.size()]);
      Game::frame();
    }
    Game::shutdown();
    std::string error;
    const std::optional<replay::Replay> kept = run_playback::lastRunOf(kTestLevel, error);
    ASSERT_TRUE(kept) << error;
    ASSERT_GT(kept->ticks.size(), 100u);

    game_clock::useSimulatedClock();
    FramePacedTicks paced(FrameSource::recorded(lengths));
    for (size_t tick = 0; tick < kept->ticks.size(); ++tick)
      ASSERT_EQ(std::bit_cast<uint32_t>(paced.next()), kept->ticks[tick].stepBits) << tick;
    Game::resetState();
  }
}

// Without -map a returning player goes on at the first level of the ladder not yet won; a new
// one, or one who has won every level, starts on the start map.
TEST_F(GameTest, TheGameStartsOnTheFirstLevelNotYetWon) {
  level_index::load();
  const std::vector<std::string> ladder = level_index::ladder();
  ASSERT_GE(ladder.size(), 3u);
  progress::reset();
  EXPECT_EQ(levelToStartOn("lev\\start.swah"), "lev\\start.swah");
  progress::record(ladder[0], 5000, 128, 500000);
  progress::record(ladder[2], 5000, 128, 500000);
  EXPECT_EQ(levelToStartOn("lev\\start.swah"), ladder[1]);
  for (const std::string& level : ladder) progress::record(level, 5000, 128, 500000);
  EXPECT_EQ(levelToStartOn("lev\\start.swah"), "lev\\start.swah");
  progress::reset();
}

TEST_F(GameTest, GameSpeedsArePrintedOncePerBlock) {
  console::execute("ShowGameSpeeds 1");
  printed.clear();
  frames(16, 20);
  const std::string prefix = "\nGame - fps: ";
  ASSERT_TRUE(printed.starts_with(prefix)) << printed;
  EXPECT_NEAR(std::stof(printed.substr(prefix.size())), 50.0f, 0.01f);
  const std::string once = printed;
  frames(15, 20);
  EXPECT_EQ(printed, once);
}

TEST_F(GameTest, TheConsoleKeyOpensTheConsoleWhichThenTakesEveryKey) {
  Game game;
  game.onKeyDown(vk::kConsoleToggle);
  EXPECT_TRUE(Game::isConsoleOpen());
  game.onKeyDown('P');  // typed into the console, not a pause
  EXPECT_FALSE(Game::isPaused());
  game.onKeyDown(vk::kConsoleToggle);
  EXPECT_FALSE(Game::isConsoleOpen());
  game.onKeyDown('P');
  EXPECT_TRUE(Game::isPaused());
  game.onKeyDown(vk::kPause);
  EXPECT_FALSE(Game::isPaused());
}

// Keys named in keys.cfg drive play: the player's own turning key turns the view, the arrow
// it took over from no longer does, and the restart key asks first.
TEST_F(GameTest, KeysFromTheKeyFileTurnTheViewAndAskBeforeARestart) {
  const TempDirectory folder;
  key_bindings::load(folder.write("keys.cfg", "turnLeft = a restart = F5").string());
  window::centerMouse();
  for (const int32_t key : {int32_t(vk::kLeft), int32_t('A')}) {
    window::injectKey(key, true);
    window::pumpMessages();
    frames(30, 16);
    window::injectKey(key, false);
    window::pumpMessages();
    EXPECT_EQ(camera::angle() > 0.0f, key == 'A') << camera::angle();
  }
  Game().onKeyDown(vk::kF1 + 4);
  EXPECT_EQ(Game::currentMenu(), screen_flow::kRestartMenu);
}

TEST_F(GameTest, LosingTheFocusPausesAndComingBackDoesNotResume) {
  Game game;
  game.onFocusLost();
  EXPECT_TRUE(Game::isPaused());
  game.onFocusLost();
  EXPECT_TRUE(Game::isPaused());
  console::execute("Pause 0");
  EXPECT_FALSE(Game::isPaused());
  console::execute("Pause 1");
  EXPECT_TRUE(Game::isPaused());
}

TEST_F(GameTest, APausedGameNeitherSimulatesNorRunsTheLevelClock) {
  camera::setMode(1);  // past the opening move
  frames(16, 20);
  Game game;
  game.onKeyDown(vk::kPause);
  const Vec2 before = particle_manager::particleList().front().position;
  frames(32, 20);
  EXPECT_EQ(particle_manager::particleList().front().position, before);
  game.onKeyDown(vk::kPause);
  frames(8, 20);
  EXPECT_NE(particle_manager::particleList().front().position, before);
}

TEST_F(GameTest, ARestartActsAtTheEndOfTheFrameWithFreshWaterAndTheDisplaysOff) {
  console::execute("ShowSimSpeeds 1");
  console::execute("FreeCamera 1");
  particle_manager::deleteAllWater();
  console::execute("Restart");
  EXPECT_EQ(particle_manager::particleCount(), 0u);  // not in the middle of a frame
  frameOf(20);
  EXPECT_EQ(particle_manager::particleCount(), 128u);
  EXPECT_FALSE(speed_display::showsSimulationSpeeds());
  EXPECT_FALSE(free_view::isOn());
  EXPECT_TRUE(camera::isOpeningMove());
  EXPECT_TRUE(Game::isRunning());
}

TEST_F(GameTest, MapPrintsThePathOrLoadsAtTheEndOfTheFrame) {
  console::execute("Map");
  EXPECT_EQ(printed, "\nMap is test\\testLevel.swah");

  // A level that fails to load leaves the one before in place, still playable.
  console::execute("Map lev\\missing.swah");
  EXPECT_EQ(Game::currentMap(), kTestLevel);
  frameOf(20);
  EXPECT_EQ(Game::currentMap(), kTestLevel);
  EXPECT_EQ(particle_manager::particleCount(), 128u);
  EXPECT_TRUE(Game::isRunning());

  console::execute("Map test\\testlevel.swah");
  frameOf(20);
  EXPECT_EQ(Game::currentMap(), "test\\testlevel.swah");
}

TEST_F(GameTest, QuitEndsTheLoopAfterTheFrameAndShutdownKeepsOnlyVersionAndMap) {
  Game::requestQuit();
  EXPECT_TRUE(Game::isRunning());
  frameOf(20);
  EXPECT_FALSE(Game::isRunning());
  Game::shutdown();
  for (const char* gone : {"ShowGameSpeeds", "ShowDrawSpeeds", "ShowSimSpeeds", "FreeCamera",
                           "FreeCameraX", "FreeCameraY", "FreeCameraZoom", "ZoomCamera",
                           "ShakeCamera", "Restart", "Pause"})
    EXPECT_FALSE(console::findCommand(gone) != nullptr) << gone;
  EXPECT_TRUE(console::findCommand("Version") != nullptr);
  EXPECT_TRUE(console::findCommand("Map") != nullptr);
  EXPECT_EQ(particle_manager::particleCount(), 0u);
}

TEST_F(GameTest, TheFreeViewMovesWithHeldKeysAndItsZoomStopsAtItsLimits) {
  console::execute("FreeCamera 1");
  frames(16, 100);  // a frame time of 0.1 s
  window::injectKey(vk::kRight, true);
  window::pumpMessages();
  frameOf(100);
  EXPECT_FLOAT_EQ(free_view::centre().x, 50.0f);  // 500 / zoom 1 * 0.1
  window::injectKey(vk::kRight, false);
  window::injectKey(vk::kPageUp, true);
  window::pumpMessages();
  frames(40, 100);
  EXPECT_FLOAT_EQ(free_view::zoom(), 100.0f);
  window::injectKey(vk::kPageUp, false);
  window::injectKey(vk::kPageDown, true);
  window::pumpMessages();
  frames(80, 100);
  EXPECT_FLOAT_EQ(free_view::zoom(), 0.01f);
  window::injectKey(vk::kPageDown, false);
  window::pumpMessages();
}

namespace {

// What the game asked of the music, in place of a sound card.
class RecordingMusic : public music::MusicDevice {
 public:
  explicit RecordingMusic(std::vector<std::string>& calls) : calls_(calls) {}
  bool start() override { return true; }
  void finish() override {}
  bool openStream(const std::filesystem::path& path) override {
    calls_.push_back("open " + path.filename().string());
    return true;
  }
  void play(bool loop) override { calls_.push_back(loop ? "play looped" : "play once"); }
  bool stop() override {
    calls_.push_back("stop");
    return true;
  }
  bool closeStream() override { return true; }
  uint32_t position() override { return 1234; }
  void setPosition(uint32_t ms) override { calls_.push_back("seek " + std::to_string(ms)); }
  void setVolume(uint8_t) override {}

 private:
  std::vector<std::string>& calls_;
};

TEST_F(GameTest, TheLevelsMusicPlaysAndPausesWithTheGameFromWhereItStopped) {
  std::vector<std::string>& calls = musicCalls_;
  music::installMusicDevice(std::make_unique<RecordingMusic>(calls));
  music::initMusic();
  Game::initialise(kTestLevel);
  EXPECT_TRUE(calls.empty());  // the level's music waits for play

  Game game;
  game.onKeyDown(vk::kReturn);  // hovers the play button
  game.onKeyDown(vk::kReturn);
  frames(50, 20);               // its click plays for 0.8 s before play starts
  EXPECT_EQ(Game::currentMenu(), screen_flow::kPlay);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front(), "open theme.ogg");
  EXPECT_EQ(calls.back(), "play looped");

  calls.clear();
  game.onKeyDown('P');
  game.onKeyDown('P');
  EXPECT_EQ(calls, (std::vector<std::string>{"stop", "seek 1234", "play looped"}));

  calls.clear();
  game.onFocusLost();
  game.onFocusLost();
  console::execute("Pause 0");
  EXPECT_EQ(calls, (std::vector<std::string>{"stop", "seek 1234", "play looped"}));
}

TEST_F(GameTest, AScreenshotTakesThePlaceOfNothingButARegularFile) {
  const TempDirectory folder;
  const std::filesystem::path pipe = folder.notRegularFiles()[2];
  EXPECT_FALSE(automation::saveScreenshot(pipe.string()));
  EXPECT_EQ(printed, "\nScreenshot not written: " + pipe.string() + " is not a regular file.");
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
  EXPECT_TRUE(automation::saveScreenshot(folder.write("old.png", "old").string()));
}

}  // namespace

// A watched run leaves tick for tick the states the run left, whatever is pressed meanwhile
// but Escape; at its end play goes on from a fresh start of the level.
TEST_F(GameTest, TheLastRunPlaysBackTickForTickAndPlayStartsAfresh) {
  std::vector<uint64_t> played;
  for (int frame = 0; frame < 150; ++frame) {
    window::injectKey(vk::kRight, frame >= 20 && frame < 60);
    window::pumpMessages();
    const float gathered = frame_clock::gathered();
    frameOf(frame % 3 == 0 ? 16 : 17);
    const bool ticked =
        frame_clock::gathered() == 0.0f && gathered + frame_clock::frameTime() > 0.0f;
    if (ticked) played.push_back(simulation::stateHash());
  }
  window::injectKey(vk::kRight, false);
  console::execute("Restart");
  frameOf(16);  // the run is kept as the level's last
  console::execute("ReplayLast");
  frameOf(16);
  ASSERT_TRUE(run_playback::isPlaying()) << printed;
  window::injectKey(vk::kLeft, true);
  window::pumpMessages();
  for (size_t tick = 0; tick < played.size(); ++tick) {
    frameOf(20);
    ASSERT_EQ(frame_clock::gathered(), 0.0f) << "every frame plays a tick";
    ASSERT_EQ(simulation::stateHash(), played[tick]) << "tick " << tick;
  }
  window::injectKey(vk::kLeft, false);
  frameOf(16);  // the tick of the frame that asked for the restart ends the run
  EXPECT_FALSE(run_playback::isPlaying());
  EXPECT_TRUE(camera::isOpeningMove()) << "play starts afresh";
}

// A kept run is a file anyone may have put there: one line in it that is not the world's
// keeps the whole run from being watched, so nothing of it runs.
TEST_F(GameTest, ALastRunHoldingALineThatIsNotTheWorldsIsNotWatched) {
  automation::registerCommands();
  const TempDirectory folder;
  const std::filesystem::path text = folder.write("notes.txt", "not a picture");
  replay::Replay run{replayHeaderHere(kTestLevel, 0),
                     {{0x3C888889, false, false, 0, 0.0f, false, {"Screenshot " + text.string()}}}};
  run.header.tickCount = 1;
  const std::vector<uint8_t> bytes = replay::serializeReplay(run);
  std::ofstream(*run_recording::lastRunFile(kTestLevel))
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  console::execute("ReplayLast");
  frames(3, 16);
  EXPECT_NE(printed.find("\nThe level's last run can't be watched: it holds a console line a "
                         "replay may not run: Screenshot "),
            std::string::npos)
      << printed;
  EXPECT_EQ(readFileBytes(text), "not a picture") << "a screenshot was taken";
}

// The heads-up display's gauge is in the top-left corner; with all the water kept its bar is
// the water's blue at (20, 36). Drawn under a menu, it would still change the picture.
TEST_F(GameTest, TheHeadsUpDisplayShowsInPlayOnlyWhileSwitchedOn) {
  struct Case {
    const char* name;
    int32_t menu;
    bool switchedOn;
    bool shows;
  };
  const Case cases[] = {{"in play", screen_flow::kPlay, true, true},
                        {"in a menu", screen_flow::kInGameMenu, true, false},
                        {"switched off", screen_flow::kPlay, false, false}};
  const auto frameWith = [](bool on) {
    player_settings::setHudDraw(on);
    Game::update();
    Game::draw();
    return shownScreen();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Game::setMenu(c.menu);
    const ScreenPixels without = frameWith(false);
    const ScreenPixels with = frameWith(c.switchedOn);
    EXPECT_EQ(near(with.at(20, 36), Rgba{71, 163, 255, 255}, 8), c.shows)
        << ::testing::PrintToString(with.at(20, 36));
    EXPECT_EQ(with.rgba != without.rgba, c.shows);
  }
  player_settings::setHudDraw(true);
}
