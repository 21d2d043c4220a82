// End to end: lines piped into "vmr_sim --console" come out echoed and answered exactly as
// a player typing them would see.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "test_support/temp_directory.h"

namespace {

struct SimRun {
  int exitCode = -1;
  std::string output;
};

// Runs the simulator in `data` with `input` on standard input.
SimRun runSimulator(const TempDirectory& data, std::string_view input,
                    std::string_view options = "") {
  data.write("input.txt", input);
  const std::string command = std::string(VMR_SIM_PATH) + " --console --data '" +
                              data.path().string() + "' " + std::string(options) + " < '" +
                              (data.path() / "input.txt").string() + "' > '" +
                              (data.path() / "output.txt").string() + "' 2>&1";
  SimRun run;
  const int status = std::system(command.c_str());
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = readFileBytes(data.path() / "output.txt");
  return run;
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

TEST(VmrSimTests, LogsToTheDataFolderWhenTheConfigurationAsks) {
  TempDirectory data;
  data.write("cfg/console.cfg", "enableLogging = true");
  const SimRun run = runSimulator(data, "LogConsole\r\n");
  EXPECT_EQ(run.output,
            "\nCommencing console log to ConsoleLog.txt\nLogConsole\nLogConsole is true"
            "\nLogging stopped. All output saved to ConsoleLog.txt\n");
  EXPECT_EQ(readFileBytes(data.path() / "ConsoleLog.txt"),
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
