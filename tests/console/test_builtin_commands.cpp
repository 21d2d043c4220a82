#include "console_test_support.h"
#include "game/console/builtin_commands.h"

namespace {

class BuiltinTest : public ConsoleTest {
 protected:
  std::string run(std::string_view line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

const std::string kStars(64, '*');

std::string heading(std::string_view title) {
  return "\n\n" + kStars + "\n\n" + std::string(title) + "\n\n" + kStars + "\n\n";
}

}  // namespace

TEST_F(BuiltinTest, CommandsListsEveryEntryInUpperCasedByteOrder) {
  const std::string listing = run("Commands");
  EXPECT_EQ(
      listing,
      heading("Command list: Use Commands < term > to filter listings") +
          "\nAnisotropicFilteringLevel\nAntiAliasingSamples\nClear\nCommands\nExec\nExtensions"
          "\nFullscreen\nIsExtension\nLogConsole\nMemory\nQuit\nRenderer\nTextureList"
          "\nTextureMemory\nTextureQuality\nTextureReload\nVsyncEnable\nWait\nWaitSeconds\n");
}

TEST_F(BuiltinTest, CommandsFiltersByTheTypedBeginning) {
  const std::string header = heading("Command list: Use Commands < term > to filter listings");
  EXPECT_EQ(run("Commands tex"),
            header + "\nTextureList\nTextureMemory\nTextureQuality\nTextureReload\n");
  EXPECT_EQ(run("commands    an"), header + "\nAnisotropicFilteringLevel\nAntiAliasingSamples\n");
  EXPECT_EQ(run("Commands zz"), header + "\n");
  EXPECT_EQ(run("Commands   "), run("Commands"));
}

TEST_F(BuiltinTest, MemoryReportsTheMachinesFigures) {
  const std::string report = run("Memory");
  ASSERT_EQ(report.rfind(heading("Memory usage") + "\nSystem memory usage: \n\nTotal : ", 0), 0u);
  unsigned long long total = 0, free = 0, used = 0;
  const size_t figures = report.find("\nTotal : ");
  ASSERT_EQ(std::sscanf(report.c_str() + figures,
                        "\nTotal : %llu\t bytes\nFree  : %llu\t bytes\nUsed  : %llu\t bytes\n",
                        &total, &free, &used),
            3);
  EXPECT_GT(total, 64ull << 20);
  EXPECT_EQ(total - free, used);
}

TEST_F(BuiltinTest, LogConsoleSwitchesTheLog) {
  EXPECT_EQ(run("LogConsole"), "\nLogConsole is false");
  EXPECT_EQ(run("LogConsole true"),
            "\nCommencing console log to ConsoleLog.txt\nLogConsole is now true");
  EXPECT_EQ(run("LogConsole 0"),
            "\nLogging stopped. All output saved to ConsoleLog.txt\nLogConsole is now false");
}

TEST_F(BuiltinTest, ClearEmptiesOutputAndInput) {
  console::print("something");
  console::consoleKey('A');
  console::execute("Clear");
  EXPECT_EQ(console::writePosition(), 0u);
  EXPECT_EQ(console::inputLine(), "");
}

TEST_F(BuiltinTest, QuitClosesTheWindow) {
  EXPECT_TRUE(platform::services().isWindowOpen());
  console::execute("Quit");
  EXPECT_FALSE(platform::services().isWindowOpen());
}

TEST_F(BuiltinTest, WindowEntriesSayTheyNeedAWindowInAHeadlessRun) {
  EXPECT_EQ(run("Renderer"), "\nRenderer needs the game window; this run has none.");
  EXPECT_EQ(run("TextureList"), "\nTextureList needs the game window; this run has none.");
  EXPECT_EQ(run("VsyncEnable true"),
            "\nVsyncEnable needs the game window; this run has none.\nVsyncEnable is now false");
  EXPECT_EQ(run("IsExtension"), "\nUSAGE: IsExtension < string >");
}

TEST_F(BuiltinTest, ShutdownEmptiesTheRegistryAndStartUpRefillsIt) {
  console::addCommand(
      "Extra", +[] {});
  console::shutdown();
  EXPECT_EQ(console::commandCount(), 0u);
  console::initialise();
  EXPECT_EQ(console::commandCount(), 19u);  // the built-ins and the script commands
  EXPECT_EQ(console::findCommand("Extra"), nullptr);
}

TEST_F(BuiltinTest, StartUpReadsConsoleSettingsAndKeepsDefaultsForBadValues) {
  console::shutdown();
  data_.write("cfg/console.cfg",
              "fontSize = 0 output_background_a = 0,7 input_text_g = .5 enableLogging = TRUE");
  console::initialise();
  const console::ConsoleStyle& style = console::style();
  EXPECT_EQ(style.fontSize, 1);                     // at least one pixel
  EXPECT_FLOAT_EQ(style.outputBackground.a, 0.5f);  // a decimal comma keeps the default
  EXPECT_FLOAT_EQ(style.inputText.g, 0.5f);
  EXPECT_TRUE(console::isLogging());
}
