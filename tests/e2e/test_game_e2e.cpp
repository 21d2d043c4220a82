#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

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
// starts once its click has played.
constexpr std::string_view kStartPlay = "KeyPress 13\nKeyPress 13\nWait 120\n";

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

  GameRun play(const std::string& script) {
    const std::filesystem::path file = folder_.write("run.script", script);
    return runGame(
        {"-FULLSCREEN", "0", "-RESOLUTION", "800", "600", "-DETAIL", "2", "-EXEC", file.string()},
        folder_.path(), kLongestRun);
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
      "Screenshot shots/relative.png\n"
      "Wait 1\n"  // the picture is taken when the frame is finished
      "Quit\n";
  const GameRun run = play(script);
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
