#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/config_file.h"
#include "common/messages.h"
#include "test_support/temp_directory.h"

namespace {

ConfigFile parse(std::string_view text) {
  auto config = ConfigFile::fromText(text);
  EXPECT_TRUE(config.has_value()) << text;
  return config.value_or(ConfigFile());
}

std::string capturedMessages;
void captureMessage(std::string_view text) {
  capturedMessages += text;
}

// Collects what the shared code reports while a test runs.
class MessageCapture {
 public:
  MessageCapture() {
    capturedMessages.clear();
    setMessageSink(captureMessage);
  }
  ~MessageCapture() { setMessageSink(nullptr); }
  const std::string& text() const { return capturedMessages; }
};

}  // namespace

TEST(ConfigFormatTests, EqualsSignsWithOrWithoutBlanksInAnyKeyCase) {
  for (const char* text : {"a=1", "a = 1", "A = 1", "  a\t=\r\n1  "}) {
    const ConfigFile config = parse(text);
    EXPECT_EQ(config.size(), 1u) << text;
    EXPECT_EQ(config.getInt("a"), 1) << text;
    EXPECT_EQ(config.getInt("A"), 1) << text;
  }
}

TEST(ConfigFormatTests, StrayEqualsSignsAreCleanedUp) {
  EXPECT_EQ(parse("x = = 5").getString("x"), "5");
  EXPECT_EQ(parse("x = = = = 5").getString("X"), "5");
  EXPECT_EQ(parse("= 5").size(), 0u);
  EXPECT_EQ(parse("a = 1 =").getString("a"), "1");
  // A key with its "=" at the very end loses both and is no error.
  const ConfigFile trailing = parse("a = 1\nb =");
  EXPECT_EQ(trailing.size(), 1u);
  EXPECT_FALSE(trailing.has("b"));
}

TEST(ConfigFormatTests, WordsWithoutExactlyOneEqualsNeighbourAreRemarks) {
  const ConfigFile title = parse("title = Hello World");
  EXPECT_EQ(title.getString("title"), "Hello");
  EXPECT_EQ(title.size(), 1u);

  const ConfigFile chain = parse("a = b = c");
  EXPECT_EQ(chain.getString("a"), "c");
  EXPECT_EQ(chain.size(), 1u);

  const ConfigFile tail = parse("a = 1 b = 2 c");
  EXPECT_EQ(tail.getInt("a"), 1);
  EXPECT_EQ(tail.getInt("b"), 2);
  EXPECT_EQ(tail.size(), 2u);
}

TEST(ConfigFormatTests, LineBreaksMeanNothing) {
  const ConfigFile config = parse("a = 1 b\n= 2");
  EXPECT_EQ(config.getInt("a"), 1);
  EXPECT_EQ(config.getInt("b"), 2);
}

TEST(ConfigFormatTests, RemarksAroundPairsAreDropped) {
  const ConfigFile config =
      parse("Speed of the camera: zoomSpeed = 2.5 (units per second) zoomWait=0.5");
  EXPECT_EQ(config.size(), 2u);
  EXPECT_FLOAT_EQ(config.getFloat("ZOOMSPEED"), 2.5f);
  EXPECT_FLOAT_EQ(config.getFloat("zoomwait"), 0.5f);
}

TEST(ConfigFormatTests, TheLaterOfTwoEqualKeysWinsAndValuesKeepTheirCase) {
  const ConfigFile config = parse("Name = First\nNAME = SeCoNd");
  EXPECT_EQ(config.getString("name"), "SeCoNd");
}

TEST(ConfigFormatTests, TextEndsAtTheFirstZeroByte) {
  const std::string text("a = 1\0b = 2", 11);
  const ConfigFile config = parse(text);
  EXPECT_TRUE(config.has("a"));
  EXPECT_FALSE(config.has("b"));
  EXPECT_EQ(parse(std::string("\0a = 1", 6)).size(), 0u);
}

TEST(ConfigGetterTests, MissingOrMalformedValuesGiveTheTypeDefaults) {
  const ConfigFile config = parse("comma = 0,5 flag = yes other = True word = abc");
  EXPECT_FLOAT_EQ(config.getFloat("comma"), 0.0f);
  EXPECT_FALSE(config.getBool("flag"));
  EXPECT_TRUE(config.getBool("other"));
  EXPECT_EQ(config.getInt("word"), 0);
  EXPECT_EQ(config.getInt("missing"), 0);
  EXPECT_FALSE(config.getBool("missing"));
  EXPECT_EQ(config.getString("missing"), "");
}

TEST(ConfigGetterTests, ReadKeepsTheCallersDefaultUnlessTheValuePassesItsTest) {
  const ConfigFile config = parse("comma = 0,5 size = 12 half = .5 on = TRUE name = x flt = 1.5");
  float comma = 7.0f, half = 0.0f;
  int32_t size = 3, fromFloat = 9, missing = 4;
  bool on = false, fromNumber = true;
  std::string name = "default", empty = "keep";
  config.read("comma", comma);
  config.read("half", half);
  config.read("size", size);
  config.read("flt", fromFloat);
  config.read("missing", missing);
  config.read("on", on);
  config.read("size", fromNumber);
  config.read("name", name);
  config.read("", empty);
  EXPECT_FLOAT_EQ(comma, 7.0f);
  EXPECT_FLOAT_EQ(half, 0.5f);
  EXPECT_EQ(size, 12);
  EXPECT_EQ(fromFloat, 9);
  EXPECT_EQ(missing, 4);
  EXPECT_TRUE(on);
  EXPECT_TRUE(fromNumber);
  EXPECT_EQ(name, "x");
  EXPECT_EQ(empty, "keep");
}

TEST(ConfigGetterTests, ANumberBeyondAFloatIsReportedAndLeavesTheDefault) {
  const MessageCapture messages;
  const ConfigFile config = parse("gravity = " + std::string(40, '9'));
  float gravity = 9.8f;
  config.read("gravity", gravity);
  EXPECT_FLOAT_EQ(gravity, 9.8f);
  EXPECT_EQ(config.getFloat("GRAVITY"), 0.0f);
  const std::string refused =
      " is beyond any number the game takes; the key is left at its default.";
  EXPECT_EQ(messages.text(),
            "\nThe value of gravity" + refused + "\nThe value of GRAVITY" + refused);
}

TEST(ConfigLoadTests, ReadsFilesThroughTheDataPathResolver) {
  TempDirectory data;
  data.write("cfg/Console.cfg", "fontSize = 12");
  WorkingDirectory inside(data.path());
  MessageCapture messages;
  EXPECT_EQ(ConfigFile("CFG\\console.cfg").getInt("fontsize"), 12);
  EXPECT_EQ(messages.text(), "");
}

TEST(ConfigLoadTests, EveryFailureIsReportedOnceAndLeavesTheConfigurationEmpty) {
  TempDirectory data;
  data.write("empty.cfg", "");
  data.write("zero.cfg", std::string("\0a = 1", 6));
  WorkingDirectory inside(data.path());
  {
    MessageCapture messages;
    EXPECT_EQ(ConfigFile("").size(), 0u);
    EXPECT_EQ(messages.text(), "\nError in configuration Loader: no file name given");
  }
  {
    // A name echoed from a file or a command is cut.
    MessageCapture messages;
    EXPECT_EQ(ConfigFile(std::string(900, 'x') + ".cfg").size(), 0u);
    EXPECT_EQ(messages.text(), "\nCould not open config file: " + std::string(64, 'x') + "...");
  }
  {
    MessageCapture messages;
    EXPECT_EQ(ConfigFile("empty.cfg").size(), 0u);
    EXPECT_EQ(ConfigFile("zero.cfg").size(), 0u);
    EXPECT_EQ(messages.text(), "");
  }
  for (const std::filesystem::path& path : data.notRegularFiles()) {
    MessageCapture messages;
    EXPECT_EQ(ConfigFile(path.string()).size(), 0u);
    EXPECT_EQ(messages.text(), "\nCould not open config file: " + path.string());
  }
}

TEST(ConfigLoadTests, BinaryAndHugeFilesLoadWithoutHanging) {
  TempDirectory data;
  std::string noise((1 << 20) - 16, '\0');
  uint32_t state = 12345;
  for (char& c : noise) {
    state = state * 1664525u + 1013904223u;
    c = char(1 + (state >> 24) % 255);  // no zero byte, so the whole megabyte is parsed
  }
  // A pair after the noise is read only when every byte before it was; the noise ends inside
  // a word, so whatever the noise left paired stays paired.
  noise.back() = 'a';
  data.write("noise.cfg", noise + "\nmarker = found");
  // Forty megabytes of the worst case for the clean-up walks, too long to be read as a file.
  std::string equalsRun;
  for (int i = 0; i < 10'000'000; ++i) equalsRun += "x = ";
  equalsRun += "last = 1";
  data.write("run.cfg", equalsRun);
  WorkingDirectory inside(data.path());
  MessageCapture messages;
  ConfigFile noisy("noise.cfg");
  EXPECT_EQ(noisy.getString("marker"), "found");
  EXPECT_EQ(messages.text(), "");
  EXPECT_EQ(ConfigFile("run.cfg").size(), 0u);
  EXPECT_EQ(messages.text(), "\nError reading config file: run.cfg");
  // Each "x" between two "=" is a remark; the chain collapses to one pair.
  const ConfigFile run = parse(equalsRun);
  EXPECT_EQ(run.size(), 1u);
  EXPECT_EQ(run.getString("x"), "1");
}

// test_common carries a shipped copy of cfg\sample.cfg: speed = 2.5, name = shipped. A file
// that shares a key with it serves as it stands, missing keys and all.
TEST(ConfigLoadTests, AFileThatCannotServeIsReportedAndTheShippedCopyTakesItsPlace) {
  const struct {
    std::optional<std::string> text;  // nullopt: a folder of that name
    std::string said;  // before "Using the shipped settings instead of cfg\sample.cfg"
  } cases[] = {
      {std::nullopt, "\nCould not open config file: cfg\\sample.cfg"},
      {"", "\nNo settings found in config file: cfg\\sample.cfg"},
      {"\x01\x7f garbage = 1 \xff = \xfe", "\nNo settings found in config file: cfg\\sample.cfg"},
      {std::string(2 << 20, 'x'), "\nError reading config file: cfg\\sample.cfg"},
      {"speed = 4", ""},
  };
  for (const auto& c : cases) {
    TempDirectory data;
    data.write(c.text ? "cfg/sample.cfg" : "cfg/sample.cfg/x", c.text.value_or(""));
    WorkingDirectory inside(data.path());
    MessageCapture messages;
    const ConfigFile config("cfg\\sample.cfg");
    const bool shipped = !c.said.empty();
    EXPECT_EQ(messages.text(),
              shipped ? c.said + "\nUsing the shipped settings instead of cfg\\sample.cfg" : "");
    EXPECT_EQ(config.getFloat("speed"), shipped ? 2.5f : 4.0f) << c.said;
    EXPECT_EQ(config.getString("name"), shipped ? "shipped" : "") << c.said;
  }
}
