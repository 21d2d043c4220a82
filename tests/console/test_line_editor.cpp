#include "console_test_support.h"
#include "game/console/line_editor.h"
#include "game/platform/virtual_keys.h"

namespace {

std::vector<std::string> executedLines;
void recordLine(const std::string& text) {
  executedLines.push_back(text);
}
void nothing() {}

class LineEditorTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    executedLines.clear();
  }
  // Types upper-case letters, digits and blanks as their keys.
  static void type(std::string_view keys) {
    for (char key : keys) console::consoleKey(key == ' ' ? vk::kSpace : key);
  }
  static void press(int key, int times = 1) {
    for (int i = 0; i < times; ++i) console::consoleKey(key);
  }
  static void setInsertLock(bool on) {
    platform::headlessServices().setKeyToggled(vk::kInsert, on);
  }
  static void addTextureNames() {
    for (const char* name : {"TextureList", "TextureMemory", "TextureQuality", "TextureReload"}) {
      console::addCommand(name, nothing);
    }
  }
};

}  // namespace

TEST_F(LineEditorTest, OverwriteReplacesAndInsertShiftsRight) {
  type("ABCD");
  press(vk::kHome);
  type("X");
  EXPECT_EQ(console::inputLine(), "xbcd");
  setInsertLock(true);
  type("Y");
  EXPECT_EQ(console::inputLine(), "xybcd");
  EXPECT_EQ(console::cursorPosition(), 2);
}

TEST_F(LineEditorTest, CursorKeysStopAtTheEndsOfTheLine) {
  type("AB");
  press(vk::kRight);
  EXPECT_EQ(console::cursorPosition(), 2);
  press(vk::kLeft, 5);
  EXPECT_EQ(console::cursorPosition(), 0);
  press(vk::kBackspace);
  EXPECT_EQ(console::inputLine(), "ab");
  press(vk::kDelete);
  EXPECT_EQ(console::inputLine(), "b");
  press(vk::kEnd);
  press(vk::kDelete);
  press(vk::kBackspace);
  EXPECT_EQ(console::inputLine(), "");
  press(vk::kEscape);
  EXPECT_EQ(console::cursorPosition(), 0);
}

TEST_F(LineEditorTest, TheLineHoldsAtMost255Characters) {
  type(std::string(300, 'A'));
  EXPECT_EQ(console::inputLine().size(), console::kInputLineLength);
  setInsertLock(true);
  press(vk::kHome);
  type("B");
  EXPECT_EQ(console::inputLine().size(), console::kInputLineLength);
  EXPECT_EQ(console::inputLine().front(), 'b');
}

TEST_F(LineEditorTest, KeysWithoutACharacterAreIgnored) {
  press(vk::kShift);
  press(vk::kControl);
  press(0x70);  // F1
  EXPECT_EQ(console::inputLine(), "");
}

TEST_F(LineEditorTest, EnterEchoesKeepsAndExecutesTheLine) {
  console::addCommand("Say", recordLine);
  type("SAY HI");
  takePrinted();
  press(vk::kReturn);
  EXPECT_EQ(takePrinted(), "\nsay hi");
  EXPECT_EQ(executedLines, std::vector<std::string>{"hi"});
  EXPECT_EQ(console::inputLine(), "");
  EXPECT_EQ(console::historyEntry(0), "say hi");
}

// An empty line is kept too, and as the newest entry it stops Up from reaching older ones.
TEST_F(LineEditorTest, EnterOnAnEmptyLineKeepsItAsTheNewestEntry) {
  type("ONE");
  press(vk::kReturn);
  takePrinted();
  press(vk::kReturn);
  EXPECT_EQ(takePrinted(), "\n");
  EXPECT_EQ(console::historyEntry(0), "");
  EXPECT_EQ(console::historyEntry(1), "one");
  press(vk::kUp);
  EXPECT_EQ(console::inputLine(), "");
}

TEST_F(LineEditorTest, UpAndDownBrowseTheHistoryNewestFirst) {
  for (const char* line : {"ONE", "TWO", "THREE"}) {
    type(line);
    press(vk::kReturn);
  }
  press(vk::kUp);
  EXPECT_EQ(console::inputLine(), "three");
  EXPECT_EQ(console::cursorPosition(), 5);
  press(vk::kUp);
  EXPECT_EQ(console::inputLine(), "two");
  press(vk::kDown);
  EXPECT_EQ(console::inputLine(), "three");
  press(vk::kDown);  // from the newest entry Down does nothing
  EXPECT_EQ(console::inputLine(), "three");
  press(vk::kUp, 5);  // past the oldest entry nothing changes
  EXPECT_EQ(console::inputLine(), "one");
}

TEST_F(LineEditorTest, HistoryKeepsTheLastSixteenLines) {
  for (int i = 0; i < 20; ++i) console::submitLine("line " + std::to_string(i));
  EXPECT_EQ(console::historyEntry(0), "line 19");
  EXPECT_EQ(console::historyEntry(15), "line 4");
  EXPECT_EQ(console::historyEntry(16), "");
}

TEST_F(LineEditorTest, TabCyclesThroughEveryNameWithTheTypedBeginning) {
  addTextureNames();
  type("TEX");
  const char* expected[] = {"TextureList", "TextureMemory", "TextureQuality", "TextureReload",
                            "TextureList"};
  for (const char* name : expected) {
    press(vk::kTab);
    EXPECT_EQ(console::inputLine(), name);
    EXPECT_EQ(console::cursorPosition(), int(console::inputLine().size()));
  }
}

TEST_F(LineEditorTest, EditingDuringCompletionStartsAfresh) {
  addTextureNames();
  console::addCommand("Quality", nothing);
  type("TEX");
  press(vk::kTab);
  press(vk::kBackspace, 11);
  type("Q");
  press(vk::kTab);
  EXPECT_EQ(console::inputLine(), "Quality");
}

TEST_F(LineEditorTest, TabWithoutAMatchLeavesTheTypedText) {
  type("ZZ");
  press(vk::kTab);
  EXPECT_EQ(console::inputLine(), "zz");
  EXPECT_EQ(console::cursorPosition(), 2);
}

TEST_F(LineEditorTest, SubmittedLinesAreCutToTheLineLength) {
  console::addCommand("Say", recordLine);
  console::submitLine("Say " + std::string(1000, 'x'));
  ASSERT_EQ(executedLines.size(), 1u);
  EXPECT_EQ(executedLines[0].size(), console::kInputLineLength - 4);
}
