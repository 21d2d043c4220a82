// End to end: lines piped into "vmr_sim --console" come out echoed and answered exactly as
// a player typing them would see; "vmr_sim --level" runs a level and sums it up, the same
// way for the same seed, script and step.

#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "game/gui/high_score_table.h"
#include "game/simulation/replay_file.h"
#include "sim_test_levels.h"
#include "test_support/temp_directory.h"

namespace {

struct SimRun {
  int exitCode = -1;
  std::string output;
};

// The simulator's user data folder (its console log) is the vellmoor folder inside `data`.
// Its preferences would go into `data`/config.
std::string userDataHome(const TempDirectory& data) {
  return "XDG_DATA_HOME='" + data.path().string() + "' XDG_CONFIG_HOME='" +
         (data.path() / "config").string() + "' ";
}

// Runs the simulator in `data` with `input` on standard input.
SimRun runSimulator(const TempDirectory& data, std::string_view input,
                    std::string_view options = "") {
  data.write("input.txt", input);
  const std::string command = userDataHome(data) + VMR_SIM_PATH + " --console --data '" +
                              data.path().string() + "' " + std::string(options) + " < '" +
                              (data.path() / "input.txt").string() + "' > '" +
                              (data.path() / "output.txt").string() + "' 2>&1";
  SimRun run;
  const int status = std::system(command.c_str());
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = readFileBytes(data.path() / "output.txt");
  return run;
}

struct LevelRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the simulator in `data` with nothing on standard input.
LevelRun runLevel(const TempDirectory& data, std::string_view options) {
  const std::string out = (data.path() / "stdout.txt").string();
  const std::string err = (data.path() / "stderr.txt").string();
  const std::string command = userDataHome(data) + VMR_SIM_PATH + " --data '" +
                              data.path().string() + "' " + std::string(options) +
                              " < /dev/null > '" + out + "' 2> '" + err + "'";
  const int status = std::system(command.c_str());
  LevelRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = readFileBytes(out);
  run.err = readFileBytes(err);
  return run;
}

// The JSON summary of a run of the basin level; a failed run fails the test.
nlohmann::json basinSummary(const TempDirectory& data, std::string_view options) {
  const LevelRun run = runLevel(data, "--level lev/basin.swah --json " + std::string(options));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  return nlohmann::json::parse(run.out, nullptr, false);
}

const std::string kMissingConfig = "\nCould not open config file: cfg//console.cfg";

}  // namespace

TEST(VmrSimTests, EchoesEachLineAndItsAnswer) {
  TempDirectory data;
  data.write("cfg/console.cfg", "fontSize = 8");
  const SimRun run = runSimulator(data, "Commands logc\nnonsense\n\nLogConsole\nFullscreen 1\n");
  EXPECT_EQ(run.exitCode, 0);
  const std::string stars(64, '*');
  EXPECT_EQ(run.output,
            "\nCommands logc"
            "\n\n" +
                stars + "\n\nCommand list: Use Commands < term > to filter listings\n\n" + stars +
                "\n\n\nLogConsole\n"
                "\nnonsense\nUNKNOWN COMMAND. USE 'COMMANDS' FOR A LIST OF AVAILABLE COMMANDS."
                "\n"
                "\nLogConsole\nLogConsole is false"
                "\nFullscreen 1\nFullscreen needs the game window; this run has none."
                "\nFullscreen is now false\n");
}

TEST(VmrSimTests, ReportsAMissingConsoleConfigurationAndStopsAtQuit) {
  TempDirectory data;
  const SimRun run = runSimulator(data, "Quit\nCommands\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, kMissingConfig + "\nQuit\n");
}

TEST(VmrSimTests, LogsToTheUserDataFolderWhenTheConfigurationAsks) {
  TempDirectory data;
  data.write("cfg/console.cfg", "enableLogging = true");
  const SimRun run = runSimulator(data, "LogConsole\r\n");
  EXPECT_EQ(run.output,
            "\nCommencing console log to ConsoleLog.txt\nLogConsole\nLogConsole is true"
            "\nLogging stopped. All output saved to ConsoleLog.txt\n");
  EXPECT_FALSE(std::filesystem::exists(data.path() / "ConsoleLog.txt"));
  EXPECT_EQ(readFileBytes(data.path() / "vellmoor/ConsoleLog.txt"),
            "\nCommencing console log to ConsoleLog.txt\nLogConsole\nLogConsole is true");
}

TEST(VmrSimTests, SurvivesHostileInput) {
  TempDirectory data;
  std::string input(10'000, 'x');
  input += "\n";
  input += std::string("\x01\x02\x7f\xff\0zz", 7) + "\n";
  input += "LogConsole maybe";  // no final line break
  const SimRun run = runSimulator(data, input);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("only its first 255 are typed."), std::string::npos);
  EXPECT_NE(run.output.find("\nUSAGE: LogConsole < true OR false OR nothing >"), std::string::npos);
}

TEST(VmrSimTests, RefusesAMissingDataFolder) {
  TempDirectory data;
  const std::string command = std::string(VMR_SIM_PATH) + " --console --data '" +
                              (data.path() / "nowhere").string() + "' < /dev/null > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

TEST(VmrSimTests, ABrokenLevelShowsItsReasonAndFails) {
  TempDirectory data;
  data.write("lev/broken.swah", std::string("\x97\x13\x8F\x00\x0C\x00\x00\x00\x01", 9));
  const SimRun run = runSimulator(data, "", "--level lev\\\\broken.swah");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("\nError reading level file 'lev\\broken.swah'"
                            "\nReason: Unable to read file"),
            std::string::npos)
      << run.output;
}

TEST(VmrSimTests, ALevelLoadsAndItsEntriesAnswerOnTheConsole) {
  TempDirectory data;
  std::string empty("\x97\x13\x8F\x00\x0C\x00\x00\x00", 8);
  empty += std::string(7 * 4 + 16, '\0');
  data.write("lev/empty.swah", empty);
  const SimRun run = runSimulator(data, "BspSize\n", "--level lev/empty.swah");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("' loaded successfully.."), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("\nBspSize\nBspSize is 0"), std::string::npos) << run.output;
}

TEST(VmrSimLevelTests, TheSameSeedGivesTheSameStateAndAnotherSeedAnother) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  const nlohmann::json first = basinSummary(data, "--ticks 300 --seed 5");
  const nlohmann::json again = basinSummary(data, "--ticks 300 --seed 5");
  const nlohmann::json otherSeed = basinSummary(data, "--ticks 300 --seed 6");
  ASSERT_TRUE(first.is_object() && again.is_object() && otherSeed.is_object());
  EXPECT_EQ(first["state_hash"], again["state_hash"]);
  EXPECT_EQ(first["water_centre"], again["water_centre"]);
  EXPECT_NE(first["state_hash"], otherSeed["state_hash"]);
}

TEST(VmrSimLevelTests, JsonAloneOnStandardOutputWithEveryField) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  const LevelRun run = runLevel(data, "--level lev/basin.swah --json --ticks 120 --dt 0.02");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out, nullptr, false);
  ASSERT_TRUE(json.is_object()) << run.out;
  EXPECT_EQ(json["ticks"], 120);
  EXPECT_EQ(json["free_particles"].get<int>() + json["ice_particles"].get<int>(), 128);
  EXPECT_TRUE(json["ice_groups"].is_number_unsigned());
  EXPECT_TRUE(json["steam_particles"].is_number_unsigned());
  EXPECT_EQ(json["water_centre"].size(), 2u);
  EXPECT_EQ(json["camera_position"].size(), 2u);
  EXPECT_TRUE(json["camera_angle"].is_number());
  EXPECT_TRUE(json["camera_zoom"].is_number());
  EXPECT_TRUE(json["camera_mode"].is_number_integer());
  EXPECT_EQ(json["state_hash"].get<std::string>().size(), 16u);
  EXPECT_GE(json["ms_per_tick"].get<double>(), 0.0);
  EXPECT_NE(run.err.find("Level 'lev/basin.swah' loaded successfully.."), std::string::npos)
      << "the console's text goes to standard error";
}

TEST(VmrSimLevelTests, TextSummaryFollowsTheConsoleAndAgreesWithJson) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  const LevelRun run = runLevel(data, "--level lev/basin.swah --ticks 90 --seed 3");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json json = basinSummary(data, "--ticks 90 --seed 3");
  const size_t loaded = run.out.find("loaded successfully..");
  const size_t hash = run.out.find("\nstate_hash: " + json["state_hash"].get<std::string>() + "\n");
  EXPECT_NE(loaded, std::string::npos) << run.out;
  EXPECT_NE(hash, std::string::npos) << run.out;
  EXPECT_LT(loaded, hash);
  EXPECT_NE(run.out.find("\nticks: 90\nfree_particles: "), std::string::npos) << run.out;
}

TEST(VmrSimLevelTests, AScriptTurnsTheCamera) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  data.write("angle.txt", "# tilt the basin\nat 100 angle 35\n");
  data.write("keys.txt", "at 100 hold right 20\n");
  const std::string script = " --script '" + (data.path() / "angle.txt").string() + "'";
  const nlohmann::json still = basinSummary(data, "--ticks 200");
  const nlohmann::json set = basinSummary(data, "--ticks 200" + script);
  const nlohmann::json held =
      basinSummary(data, "--ticks 200 --script '" + (data.path() / "keys.txt").string() + "'");
  EXPECT_EQ(still["camera_angle"], 0);
  EXPECT_EQ(set["camera_angle"], 35);
  EXPECT_LT(held["camera_angle"].get<float>(), -10.0f);
  EXPECT_NE(set["state_hash"], still["state_hash"]) << "gravity turns with the camera";
}

TEST(VmrSimLevelTests, ABadScriptNamesItsLineAndRunsNothing) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  data.write("bad.txt", "at 1 angle 3\n\nat 2 hold up 4\n");
  const LevelRun run = runLevel(
      data, "--level lev/basin.swah --script '" + (data.path() / "bad.txt").string() + "'");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("bad.txt, line 3: hold takes left or right, not \"up\""),
            std::string::npos)
      << run.err;
  EXPECT_EQ(runLevel(data, "--level lev/basin.swah --script nowhere.txt").exitCode, 2);
  for (const std::filesystem::path& path : data.notRegularFiles()) {
    const LevelRun refused = runLevel(data, "--level lev/basin.swah --script " + path.string());
    EXPECT_EQ(refused.exitCode, 2) << path;
    EXPECT_EQ(refused.err, "vmr_sim: can't read the script " + path.string() + "\n");
  }
}

TEST(VmrSimLevelTests, ARefusedLevelExitsOneWithTheReason) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(copyGameConfiguration(data));
  data.write("lev/broken.swah", std::string("\x97\x13\x8F\x00\x0B\x00\x00\x00", 8));
  const LevelRun text = runLevel(data, "--level lev/broken.swah --ticks 10");
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_NE(text.out.find("Error reading level file 'lev/broken.swah'\nReason: "),
            std::string::npos)
      << text.out;
  EXPECT_EQ(text.out.find("state_hash"), std::string::npos);
  const LevelRun json = runLevel(data, "--level lev/missing.swah --json");
  EXPECT_EQ(json.exitCode, 1);
  EXPECT_EQ(json.out, "") << "no summary without a level";
  EXPECT_NE(json.err.find("Unable to open level file 'lev/missing.swah'"), std::string::npos)
      << json.err;
}

// Found by a tester: frozen water under a huge gravity became NaN, and NaN counted as inside
// the end area, so the first level was won with the full score: water that goes non-finite
// wins nothing.
TEST(VmrSimLevelTests, WaterThatGoesNonFiniteNeverWins) {
  TempDirectory scripts;
  const std::filesystem::path script =
      scripts.write("run.txt", "at 1 console RoomTemperature -100\nat 1 console Gravity 2" +
                                   std::string(38, '9'));
  const LevelRun run =
      runLevel(scripts, std::string("--data '") + VELLMOOR_DATA_DIR +
                            "' --level lev/01_first_turn.swah --ticks 400 --json --script '" +
                            script.string() + "'");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out, nullptr, false);
  EXPECT_EQ(json["water_finite"], false) << "a gravity that keeps the water finite tests nothing";
  EXPECT_EQ(json["won"], false);
  EXPECT_EQ(json["win_tick"], -1);
}

// A replay is its own file: a later run of the program plays it back to the same end, confirms
// the score it was kept for, and refuses it once the level has changed. Files named on the
// command line are where the user is, not in the data folder.
TEST(VmrSimLevelTests, ARecordedRunPlaysBackAndConfirmsItsScoreUntilTheLevelChanges) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  data.write("run.txt",
             "at 40 hold right 30\nat 90 console ParticleCount\nat 120 restart\n"
             "at 150 console Gravity 300\nat 200 hold left 25\n");
  TempDirectory here;
  const WorkingDirectory startedHere(here.path());
  const nlohmann::json recorded =
      basinSummary(data, "--ticks 400 --dt 0.02 --seed 9 --script '" +
                             (data.path() / "run.txt").string() + "' --record run.vrep");
  EXPECT_TRUE(std::filesystem::exists(here.path() / "run.vrep"))
      << "a relative --record is taken from where vmr_sim starts";
  const LevelRun played = runLevel(data, "--replay run.vrep --json");
  EXPECT_EQ(played.exitCode, 0) << played.err;
  EXPECT_NE(played.err.find("replay: matches"), std::string::npos) << played.err;
  const nlohmann::json summary = nlohmann::json::parse(played.out, nullptr, false);
  ASSERT_TRUE(summary.is_object()) << played.out;
  EXPECT_EQ(summary["state_hash"], recorded["state_hash"]);
  EXPECT_EQ(summary["camera_angle"], recorded["camera_angle"]);
  EXPECT_EQ(summary["ticks"], 400);
  EXPECT_EQ(summary["replay_differs"], nlohmann::json::array());
  // Kept for a score, it confirms the score as the console's as well as the player's; the name
  // is the player's bytes, of which a terminal is shown only the printable characters.
  const std::string score = recorded["score"].dump();
  data.write("vellmoor/sav/replays/1-" + score + ".vrep", readFileBytes(here.path() / "run.vrep"));
  high_scores::HighScoreTable table = high_scores::defaultHighScoreTable();
  table[0] = high_scores::makeHighScoreEntry("\x1b[2J\233Eve", recorded["score"]);
  data.write("vellmoor/sav/scores.sav", high_scores::serializeHighScores(table));
  const LevelRun verified = runLevel(data, "--verify-scores");
  EXPECT_TRUE(verified.out.starts_with("1. ?[2J?Eve " + score +
                                       ": confirmed, made with console commands\n"))
      << verified.out;

  writeLevel(data, kBasinLevel, R"({"waterStart": [100, 60], "cameraStart": [100, 100]})");
  const LevelRun changed = runLevel(data, "--replay run.vrep");
  EXPECT_EQ(changed.exitCode, 1);
  EXPECT_NE(changed.err.find("has changed since the replay was made"), std::string::npos)
      << changed.err;
}

// A replay is anyone's file: one line in it that is not the world's refuses it whole before
// any of it plays, so no file or preference is written.
TEST(VmrSimLevelTests, AReplayHoldingALineThatIsNotTheWorldsIsRefusedWhole) {
  TempDirectory data;
  ASSERT_NO_FATAL_FAILURE(prepareBasinFolder(data));
  const std::filesystem::path text = data.write("notes.txt", "not a picture");
  data.write("script", "LogConsole 1\n");
  const std::filesystem::path file = data.path() / "run.vrep";
  basinSummary(data, "--ticks 1 --record '" + file.string() + "'");
  replay::Replay run = *replay::readReplayFile(file).replay;
  for (const std::string& line : std::initializer_list<std::string>{
           "Screenshot " + text.string(), "Exec script", "Map lev\\basin.swah", "Quit",
           "LogConsole 1", "HighContrast 1", "ControllerDeadZone 0.5", "ParticleCount",
           "Frobnicate 3", ""}) {
    run.ticks[0].consoleLines = {"Gravity 300", line};
    const std::vector<uint8_t> bytes = replay::serializeReplay(run);
    data.write("run.vrep", std::string(bytes.begin(), bytes.end()));
    const LevelRun played = runLevel(data, "--replay '" + file.string() + "'");
    EXPECT_NE(played.err.find("it holds a console line a replay may not run: " + line),
              std::string::npos)
        << line << ": " << played.err;
    EXPECT_TRUE(played.out.find("Gravity is now") == std::string::npos &&
                readFileBytes(text) == "not a picture" &&
                !std::filesystem::exists(data.path() / "vellmoor/ConsoleLog.txt") &&
                !std::filesystem::exists(data.path() / "config"))
        << line;
  }
}
