#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "console/console_test_support.h"
#include "game/console/console_script.h"

namespace {

class ConsoleScriptTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    console::addCommand("Note", note);
    notes().clear();
  }
  static std::string& notes() {
    static std::string text;
    return text;
  }
  static void note(const std::string& word) { notes() += word + " "; }
};

}  // namespace

TEST_F(ConsoleScriptTest, LinesRunInOrderUntilAWaitAndTheRestAfterItsFrames) {
  data_.write("a.script", "Note one\r\nNote two\n\nWait 2\nNote three\n");
  EXPECT_TRUE(console_script::execFile("a.script"));
  EXPECT_EQ(notes(), "one two ");
  console_script::advanceFrame();
  EXPECT_EQ(notes(), "one two ");
  console_script::advanceFrame();
  EXPECT_EQ(notes(), "one two three ");
  EXPECT_FALSE(console_script::hasPendingLines());
}

TEST_F(ConsoleScriptTest, ATimedWaitHoldsTheRestBackForItsRealTime) {
  data_.write("t.script", "WaitSeconds 0.05\nNote late\nWaitSeconds soon\n");
  console_script::execFile("t.script");
  console_script::advanceFrame();
  EXPECT_EQ(notes(), "");  // frames alone don't end it
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  console_script::advanceFrame();
  EXPECT_EQ(notes(), "late ");
  EXPECT_NE(takePrinted().find("USAGE: WaitSeconds < seconds >"), std::string::npos);
}

TEST_F(ConsoleScriptTest, ANestedScriptRunsBeforeTheRestOfItsCaller) {
  data_.write("outer.script", "Note a\nExec inner.script\nNote d\n");
  data_.write("inner.script", "Note b\nWait 1\nNote c\n");
  console_script::execFile("outer.script");
  EXPECT_EQ(notes(), "a b ");
  console_script::advanceFrame();
  EXPECT_EQ(notes(), "a b c d ");
}

TEST_F(ConsoleScriptTest, AScriptThatRunsItselfStopsAtTheNestingLimit) {
  data_.write("loop.script", "Note x\nExec loop.script\n");
  console_script::execFile("loop.script");
  EXPECT_EQ(notes().size(), 16u * 2);
  EXPECT_NE(takePrinted().find("too deeply"), std::string::npos);
}

TEST_F(ConsoleScriptTest, TheCallerRunsAtItsOwnDepthAgainOnceANestedScriptEnds) {
  data_.write("loop.script", "Exec loop.script\n");
  data_.write("tail.script", "Note tail\n");
  data_.write("caller.script", "Exec loop.script\nExec tail.script\nExec tail.script\n");
  console_script::execFile("caller.script");
  EXPECT_EQ(notes(), "tail tail ");
}

TEST_F(ConsoleScriptTest, AMissingScriptIsReportedAndQueuedLinesWaitForTheNextFrame) {
  for (const std::filesystem::path& path : data_.notRegularFiles()) {
    console::execute("Exec " + path.string());
    EXPECT_EQ(takePrinted(), "\nCan't read the script " + path.string());
  }
  console_script::queueLine("Note later");
  EXPECT_EQ(notes(), "");
  console_script::advanceFrame();
  EXPECT_EQ(notes(), "later ");
}

TEST_F(ConsoleScriptTest, ShutDownDropsWaitingLines) {
  data_.write("w.script", "Wait 5\nNote never\n");
  console_script::execFile("w.script");
  console::shutdown();
  console::initialise();
  console::addCommand("Note", note);
  for (int i = 0; i < 10; ++i) console_script::advanceFrame();
  EXPECT_EQ(notes(), "");
}
