// End to end: levelc and leveldump as a level author runs them, exit codes and messages
// included.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_support/temp_directory.h"

namespace fs = std::filesystem;

namespace {

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (already quoted) inside `folder`.
ToolRun runTool(const TempDirectory& folder, const char* program, const std::string& arguments) {
  const fs::path out = folder.path() / "stdout.txt";
  const fs::path err = folder.path() / "stderr.txt";
  const std::string command = "cd '" + folder.path().string() + "' && " + program + " " +
                              arguments + " > '" + out.string() + "' 2> '" + err.string() + "'";
  const int status = std::system(command.c_str());
  ToolRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = readFileBytes(out);
  run.err = readFileBytes(err);
  fs::remove(out);
  fs::remove(err);
  return run;
}

const std::string kSource = R"({
  "waterStart": [5, 5], "cameraStart": [0, 0],
  "polygons": [{"texture": "gfx\\caf\u00e9.tga", "surface": "sand", "mode": 9, "layer": 1,
                "points": [[0, 0], [40, 0], [40, 40], [0, 40]]}],
  "forces": [{"position": [1, 1], "direction": ["0x7FC00123", -0.0], "strength": 0.1}],
  "triggers": [{"type": 12345, "value": 1e-45, "corners": [[0, 0], [1, 0], [1, 1], [0, 1]]}]
})";

}  // namespace

TEST(LevelToolsTests, CompileDumpAndRecompileGiveTheSameBytes) {
  TempDirectory folder;
  folder.write("level.json", kSource);
  ASSERT_EQ(runTool(folder, LEVELC_PATH, "level.json level.swah").exitCode, 0);
  const ToolRun toFile = runTool(folder, LEVELDUMP_PATH, "level.swah dumped.json");
  EXPECT_EQ(toFile.exitCode, 0);
  EXPECT_EQ(toFile.out + toFile.err, "");
  const ToolRun toStdout = runTool(folder, LEVELDUMP_PATH, "level.swah");
  EXPECT_EQ(toStdout.exitCode, 0);
  EXPECT_EQ(toStdout.out, readFileBytes(folder.path() / "dumped.json"));
  ASSERT_EQ(runTool(folder, LEVELC_PATH, "dumped.json again.swah").exitCode, 0);
  const std::string bytes = readFileBytes(folder.path() / "level.swah");
  EXPECT_GT(bytes.size(), 8u);
  EXPECT_EQ(readFileBytes(folder.path() / "again.swah"), bytes);
}

TEST(LevelToolsTests, RefusedSourceLeavesNoOutputBehind) {
  TempDirectory folder;
  folder.write("bad.json", R"({"waterStart": [0, 0], "cameraStart": [0, 0],
      "polygons": [{"surface": 1, "layer": 0, "points": [[0, 0], [9, 9], [9, 0], [0, 9]]}]})");
  const ToolRun run = runTool(folder, LEVELC_PATH, "bad.json out.swah");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "levelc: bad.json: polygons[0].points: the outline crosses itself\n");
  EXPECT_FALSE(fs::exists(folder.path() / "out.swah"));

  // An older output stays as it was, and no temporary file is left beside it.
  folder.write("out.swah", "old");
  EXPECT_EQ(runTool(folder, LEVELC_PATH, "bad.json out.swah").exitCode, 1);
  EXPECT_EQ(readFileBytes(folder.path() / "out.swah"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(LevelToolsTests, UnreadableInputsAreReported) {
  TempDirectory folder;
  const ToolRun missing = runTool(folder, LEVELC_PATH, "missing.json out.swah");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "levelc: missing.json: can't read the file\n");
  const ToolRun folderInput = runTool(folder, LEVELDUMP_PATH, ".");
  EXPECT_EQ(folderInput.exitCode, 1);
  EXPECT_EQ(folderInput.err, "leveldump: .: can't read the file\n");
  for (const fs::path& path : folder.notRegularFiles()) {
    EXPECT_EQ(runTool(folder, LEVELC_PATH, path.string() + " out.swah").err,
              "levelc: " + path.string() + ": can't read the file\n");
  }
  folder.write("ok.json", kSource);
  const ToolRun unwritable = runTool(folder, LEVELC_PATH, "ok.json no/such/folder.swah");
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_EQ(unwritable.err, "levelc: no/such/folder.swah: can't write the file\n");
}

TEST(LevelToolsTests, LeveldumpGivesTheGamesReasonForARefusedFile) {
  TempDirectory folder;
  folder.write("old.swah", std::string("\x97\x13\x8F\x00\x0B\x00\x00\x00", 8));
  const ToolRun oldVersion = runTool(folder, LEVELDUMP_PATH, "old.swah out.json");
  EXPECT_EQ(oldVersion.exitCode, 1);
  EXPECT_EQ(oldVersion.err,
            "leveldump: old.swah: Invalid level file version. (the file has version 11, the "
            "game reads version 12)\n");
  EXPECT_FALSE(fs::exists(folder.path() / "out.json"));

  folder.write("short.swah", std::string("\x97\x13\x8F\x00\x0C\x00\x00\x00\x01", 9));
  const ToolRun cut = runTool(folder, LEVELDUMP_PATH, "short.swah");
  EXPECT_EQ(cut.exitCode, 1);
  EXPECT_EQ(cut.out, "");
  EXPECT_EQ(cut.err, "leveldump: short.swah: Unable to read file\n");

  // The game's own text for this one starts with a line break; the tool keeps one line.
  std::string longName("\x97\x13\x8F\x00\x0C\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00", 16);
  longName += std::string("\x00\x00\x01\x00", 4);
  folder.write("name.swah", longName);
  EXPECT_EQ(runTool(folder, LEVELDUMP_PATH, "name.swah").err,
            "leveldump: name.swah: Polygon texture name too long.\n");
}

TEST(LevelToolsTests, UsageOnWrongArgumentsAndHelp) {
  TempDirectory folder;
  for (const char* arguments : {"", "a b c", "--fast a.json b.swah"}) {
    const ToolRun run = runTool(folder, LEVELC_PATH, arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.err.rfind("Usage: levelc SOURCE.json [OUTPUT.swah]\n", 0), 0u) << arguments;
  }
  // One source alone is checked and its notes printed.
  folder.write("noted.json", R"({"waterStart": [0, 0], "cameraStart": [0, 0], "parTime": 40})");
  EXPECT_EQ(runTool(folder, LEVELC_PATH, "noted.json").out, "par: 40\nidea: \n");
  for (const char* arguments : {"", "a b c", "-x a.swah"}) {
    const ToolRun run = runTool(folder, LEVELDUMP_PATH, arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments;
    EXPECT_EQ(run.err.rfind("Usage: leveldump INPUT.swah [OUTPUT.json]\n", 0), 0u) << arguments;
  }
  const ToolRun help = runTool(folder, LEVELC_PATH, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("Usage: levelc", 0), 0u);
  EXPECT_EQ(runTool(folder, LEVELDUMP_PATH, "in.swah -h").exitCode, 0);
}
