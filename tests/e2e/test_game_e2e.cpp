#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "common/registry_key.h"
#include "e2e/game_process.h"
#include "game/gui/high_score_table.h"
#include "test_support/temp_directory.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kLongestRun = 240s;

// Where the water is in a screenshot: its pixels are a strong blue, unlike the background,
// the stone and the wood.
struct WaterInPicture {
  int pixels = 0;
  double centreX = 0.0;
  double centreY = 0.0;
};

WaterInPicture findWater(const std::filesystem::path& file) {
  WaterInPicture water;
  SDL_Surface* loaded = IMG_Load(file.c_str());
  if (loaded == nullptr) return water;
  SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
  SDL_FreeSurface(loaded);
  for (int y = 0; y < surface->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      const uint8_t r = row[x * 4], g = row[x * 4 + 1], b = row[x * 4 + 2];
      if (b > 140 && b > r + 60 && b > g + 20) {
        ++water.pixels;
        water.centreX += x;
        water.centreY += y;
      }
    }
  }
  SDL_FreeSurface(surface);
  if (water.pixels > 0) {
    water.centreX /= water.pixels;
    water.centreY /= water.pixels;
  }
  return water;
}

// The game opens on its main menu: Enter picks the play button, Enter presses it, and play
// starts once its click has played for 0.8 s. Every wait for a click leaves room for slow
// frames on a busy machine (half a second each and more): the click is taken in at the next
// frame, and its 0.8 s count from the frame drawn before that.
// The pointer goes to a corner first: resting on a button, it would be picked instead.
constexpr std::string_view kStartPlay =
    "MouseMove 2 2\nKeyPress 13\nKeyPress 13\nWaitSeconds 2.5\n";
// Escape opens the in-game menu; the view's turning left the pointer in the middle, and the
// last of its moves may still arrive.
constexpr std::string_view kOpenInGameMenu = "KeyPress 27\nWaitSeconds 0.3\nMouseMove 2 2\n";

// The share of pixels of two same-sized screenshots that differ clearly in some channel; 1
// when either can't be read.
double changedShare(const std::filesystem::path& first, const std::filesystem::path& second) {
  SDL_Surface* a = IMG_Load(first.c_str());
  SDL_Surface* b = IMG_Load(second.c_str());
  double share = 1.0;
  if (a && b && a->w == b->w && a->h == b->h && a->format->BytesPerPixel == b->format->BytesPerPixel) {
    int changed = 0;
    for (int y = 0; y < a->h; ++y) {
      const auto* rowA = static_cast<const uint8_t*>(a->pixels) + y * a->pitch;
      const auto* rowB = static_cast<const uint8_t*>(b->pixels) + y * b->pitch;
      for (int x = 0; x < a->w; ++x) {
        bool differs = false;
        for (int c = 0; c < a->format->BytesPerPixel; ++c) {
          const int i = x * a->format->BytesPerPixel + c;
          differs = differs || std::abs(int(rowA[i]) - int(rowB[i])) > 40;
        }
        changed += differs;
      }
    }
    share = double(changed) / (double(a->w) * a->h);
  }
  SDL_FreeSurface(a);
  SDL_FreeSurface(b);
  return share;
}

// Types a console line key by key, as the user would.
std::string typed(std::string_view text) {
  std::string lines;
  for (char c : text) lines += "KeyPress " + std::to_string(int(std::toupper(c))) + "\n";
  return lines;
}

class GameEndToEndTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!HasFailure()) return;
    // The pictures of a failed run are kept next to the test program as artefacts.
    const std::filesystem::path keep = std::filesystem::current_path() / "failure_screenshots";
    std::filesystem::create_directories(keep);
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
      if (entry.path().extension() == ".png")
        std::filesystem::copy_file(entry.path(), keep / ("e2e_" + entry.path().filename().string()),
                                   std::filesystem::copy_options::overwrite_existing);
  }

  std::filesystem::path picture(std::string_view name) const { return folder_.path() / name; }
  std::string screenshot(std::string_view name) const {
    return "Screenshot " + picture(name).string() + "\n";
  }

  // On the test level, without the intro unless `withIntro`.
  GameRun play(const std::string& script, bool withIntro = false) {
    const std::filesystem::path file = folder_.write("run.script", script);
    return runGame({"-FULLSCREEN", "0", "-RESOLUTION", "800", "600", "-DETAIL", "2", "-MAP",
                    "test\\testLevel.swah", "-EXEC", file.string()},
        folder_.path(), kLongestRun, withIntro ? VMR_DATA_DIR : "");
  }

  TempDirectory folder_;
};

}  // namespace

TEST_F(GameEndToEndTest, WaterSettlesTurnsWithTheViewAndTheConsoleAnswers) {
  const std::string script =
      std::string(kStartPlay) +
      "Wait 600\n"
      "Screenshot " +
      picture("settled.png").string() +
      "\n"
      "KeyDown 37\n"
      "Wait 120\n"
      "KeyUp 37\n"
      "Wait 120\n"
      "Screenshot " +
      picture("turned.png").string() +
      "\n"
      "KeyPress 223\n" +
      typed("ParticleCount") + "KeyPress 13\n" + typed("Version") +
      "KeyPress 13\n"
      "Wait 5\n"
      "Screenshot " +
      picture("console.png").string() +
      "\n"
      "Screenshot shots/relative.png\n"  // both pictures are taken before the Quit acts
      "Quit\n";
  const GameRun run = play(script, /*withIntro=*/true);  // the one run that sits through it
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;

  const WaterInPicture settled = findWater(picture("settled.png"));
  const WaterInPicture turned = findWater(picture("turned.png"));
  ASSERT_GT(settled.pixels, 200) << "no water on screen after settling";
  ASSERT_GT(turned.pixels, 200) << "no water on screen after turning";
  const double moved =
      std::hypot(turned.centreX - settled.centreX, turned.centreY - settled.centreY);
  EXPECT_GT(moved, 10.0) << "the water stayed where it was while the view turned";

  EXPECT_NE(run.output.find("Version is 1.03"), std::string::npos);
  EXPECT_NE(run.output.find("ParticleCount is 128"), std::string::npos) << run.output;
  EXPECT_TRUE(std::filesystem::exists(picture("console.png")));
  EXPECT_TRUE(
      std::filesystem::exists(userDataHome(folder_.path()) / "vellmoor/shots/relative.png"));
}

// A table saved out of order (by hand) comes back in order: the game read it at the start
// and wrote it back at the end, and cleared away what a killed save had left.
TEST_F(GameEndToEndTest, TheHighScoresAreReadAtTheStartAndWrittenBackAtTheEnd) {
  using namespace high_scores;
  HighScoreTable table = defaultHighScoreTable();
  table[0] = makeHighScoreEntry("Low", 5), table[1] = makeHighScoreEntry("High", 9);
  const std::string scores =
      (std::filesystem::relative(userDataHome(folder_.path()), folder_.path()) /
       "vellmoor/sav/scores.sav")
          .string();
  folder_.write(scores, serializeHighScores(table));
  folder_.write(scores + ".tmp-1-2", "left by a killed save");
  std::swap(table[0], table[1]);
  const std::filesystem::path file = folder_.write("run.script", "Quit\n");
  const GameRun run =
      runGame({"-FULLSCREEN", "0", "-EXEC", file.string()}, folder_.path(), kLongestRun);
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(readFileBytes(folder_.path() / scores), serializeHighScores(table));
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / (scores + ".tmp-1-2")));
}

TEST_F(GameEndToEndTest, AResolutionLargerThanTheDesktopFallsBackAndSaysSo) {
  const std::filesystem::path file = folder_.write("run.script", "Quit\n");
  const GameRun run =
      runGame({"-FULLSCREEN", "0", "-RESOLUTION", "100000", "-5", "-EXEC", file.string()},
              folder_.path(), kLongestRun);
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("is larger than the desktop; using 800 x 600."), std::string::npos)
      << run.output;
}

TEST_F(GameEndToEndTest, AMissingStartMapLeavesAnEmptySceneThatStillQuits) {
  const std::filesystem::path file = folder_.write("run.script", "Wait 10\nQuit\n");
  const GameRun run =
      runGame({"-FULLSCREEN", "0", "-MAP", "lev\\nothing.swah", "-EXEC", file.string()},
              folder_.path(), kLongestRun);
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
}

TEST_F(GameEndToEndTest, TheMenusLeadIntoPlayAndBackAndStoreTheOptions) {
  const GameRun run = play(
      screenshot("main.png") + std::string(kStartPlay) + screenshot("play.png") +
      std::string(kOpenInGameMenu) + screenshot("in_game.png") +
      // Continue is picked first; three down is Options.
      "KeyPress 13\nKeyPress 40\nKeyPress 40\nKeyPress 40\nKeyPress 13\nWaitSeconds 2.5\n" +
      screenshot("options.png") +
      // Back is picked first; up is the sound, left turns it off, down and Enter go back.
      "KeyPress 13\nKeyPress 38\nKeyPress 37\nKeyPress 40\nKeyPress 13\nWaitSeconds 2.5\n" +
      screenshot("back.png") + "Quit\n");
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_GT(changedShare(picture("main.png"), picture("play.png")), 0.2) << "the menu stayed";
  EXPECT_GT(changedShare(picture("play.png"), picture("in_game.png")), 0.2) << "no menu on Escape";
  EXPECT_GT(changedShare(picture("in_game.png"), picture("options.png")), 0.02);
  EXPECT_LT(changedShare(picture("in_game.png"), picture("back.png")), 0.02) << "not back";
  setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
  EXPECT_EQ(openKeyPath(kPreferencesKeyPath).readString("Sound"), "0");
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(GameEndToEndTest, QuittingAsksFirstAndNoKeepsTheGameRunning) {
  const GameRun run = play(
      "MouseMove 2 2\nKeyPress 27\nWaitSeconds 0.2\nKeyPress 13\nKeyPress 13\nWaitSeconds 2.5\n"
      "Version\n"
      "KeyPress 27\nWaitSeconds 0.2\nKeyPress 13\nKeyPress 37\nKeyPress 13\nWaitSeconds 2\n"
      "Map\nQuit\n");
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("Version is 1.03"), std::string::npos) << "quit on no";
  EXPECT_EQ(run.output.find("Map is"), std::string::npos) << "still running after yes";
}

TEST_F(GameEndToEndTest, TheLevelChooserLoadsTheSecondLevel) {
  // A data folder like the built one with a second level after the first.
  const std::filesystem::path data = folder_.path() / "data";
  std::filesystem::create_directories(data / "lev");
  for (const auto& entry : std::filesystem::directory_iterator(VMR_DATA_DIR))
    if (entry.path().filename() != "lev")
      std::filesystem::create_symlink(entry.path(), data / entry.path().filename());
  for (const char* name : {"testLevel.swah", "zenith.swah"})
    std::filesystem::copy_file(std::filesystem::path(VMR_DATA_DIR) / "test/testLevel.swah",
                               data / "lev" / name);
  const std::filesystem::path file = folder_.write(
      "run.script",
      "MouseMove 2 2\nKeyPress 13\nKeyPress 40\nKeyPress 13\nWaitSeconds 2.5\n"  // Load Level
      "KeyPress 13\nKeyPress 38\nKeyPress 13\nWaitSeconds 2.5\n"  // Back is first; up is Load
      "Map\nQuit\n");
  const GameRun run = runGame({"-FULLSCREEN", "0", "-EXEC", file.string()}, folder_.path(),
                              kLongestRun, data);
  ASSERT_FALSE(run.timedOut) << run.output;
  EXPECT_NE(run.output.find("Map is lev\\zenith.swah"), std::string::npos) << run.output;
}

TEST_F(GameEndToEndTest, AWonLevelCountsUpTakesANameAndTheTableKeepsIt) {
  const std::string win = std::string(kStartPlay) +
                          "TriggerCreate 801 0 100 100 200 200\n"  // an end area around the water
                          "WaitSeconds 5\n" + screenshot("counting.png") +
                          "WaitSeconds 6\n" + screenshot("counted.png") +
                          "KeyPress 13\nKeyPress 13\nWaitSeconds 2.5\n" + typed("Ada 7!") +
                          screenshot("name.png") + "KeyPress 13\nWaitSeconds 2.5\n" +
                          screenshot("table.png") + "Quit\n";
  const GameRun first = play(win);
  ASSERT_FALSE(first.timedOut) << first.output;
  EXPECT_GT(changedShare(picture("counting.png"), picture("counted.png")), 0.001) << "no count";
  const std::filesystem::path scores = userDataHome(folder_.path()) / "vellmoor/sav/scores.sav";
  const auto table = high_scores::parseHighScores(readFileBytes(scores));
  ASSERT_TRUE(table.has_value());
  EXPECT_EQ((*table)[0].nameText(), "ada 7");  // "!" (Page Up here) is no name character
  EXPECT_GT((*table)[0].score, 64000u);
  // The run's replay, kept beside its entry, confirms the score in another program, which
  // tells that the end area came from the console.
  const std::string verify = "XDG_DATA_HOME='" + userDataHome(folder_.path()).string() + "' " +
                             VMR_SIM_PROGRAM + " --data '" VMR_DATA_DIR "' --verify-scores > '" +
                             picture("verified.txt").string() + "' 2> /dev/null";
  EXPECT_EQ(std::system(verify.c_str()), 0);
  EXPECT_TRUE(readFileBytes(picture("verified.txt"))
                  .starts_with("1. ada 7 " + std::to_string((*table)[0].score) +
                               ": confirmed, made with console commands\n"))
      << readFileBytes(picture("verified.txt"));
  // The next start shows the same table from the file.
  std::filesystem::rename(picture("table.png"), picture("table_first.png"));
  const GameRun second =
      play("MouseMove 2 2\nKeyPress 13\nKeyPress 40\nKeyPress 40\nKeyPress 40\nKeyPress 40\nKeyPress 13\n"
           "WaitSeconds 2.5\n" + screenshot("table.png") + "Quit\n");
  ASSERT_FALSE(second.timedOut) << second.output;
  EXPECT_LT(changedShare(picture("table_first.png"), picture("table.png")), 0.01);
}

// A run in the window, turned with held keys and restarted once, is kept as the level's last
// run; the headless simulator, a program of its own, plays it back to the same end.
TEST_F(GameEndToEndTest, TheLastRunIsKeptAndPlaysBackHeadlessToTheSameEnd) {
  const GameRun run = play(std::string(kStartPlay) + "KeyDown 39\nWaitSeconds 0.4\nKeyUp 39\n" +
                           "WaitSeconds 0.6\nRestart\nWaitSeconds 1\nKeyDown 37\n" +
                           "WaitSeconds 0.5\nKeyUp 37\nWaitSeconds 1\nQuit\n");
  ASSERT_FALSE(run.timedOut) << run.output;
  const std::filesystem::path replay =
      userDataHome(folder_.path()) / "vellmoor/replays/testLevel-last.vrep";
  ASSERT_TRUE(std::filesystem::exists(replay)) << run.output;
  const std::string command = std::string(VMR_SIM_PROGRAM) + " --data '" VMR_DATA_DIR "' --replay '" +
                              replay.string() + "' > /dev/null 2> '" +
                              picture("replay.txt").string() + "'";
  const int status = std::system(command.c_str());
  const std::string said = readFileBytes(picture("replay.txt"));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << said;
  EXPECT_NE(said.find("replay: matches"), std::string::npos) << said;
}
