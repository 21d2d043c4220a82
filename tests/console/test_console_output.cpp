#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "common/console_output.h"
#include "console_test_support.h"

namespace {

using OutputTest = ConsoleTest;

// Compared by count: a failing comparison of two 64 KB texts would take gtest ages to print.
bool ringIsAllLineFeeds() {
  const auto ring = console::outputRing();
  return std::count(ring.begin(), ring.end(), '\n') == std::ptrdiff_t(ring.size());
}

}  // namespace

TEST_F(OutputTest, PrintOverloadsUseTheirFormats) {
  console::print(int32_t{-5});
  console::print(uint32_t{4000000000u});
  console::print(true);
  console::print(2.5f);
  console::print(0.125);
  console::print('c');
  console::print(std::string("s"));
  console::print(static_cast<const char*>(nullptr));
  EXPECT_EQ(takePrinted(), "-54000000000true2.5000000.125000cs");
}

TEST_F(OutputTest, HeadingIsFramedByAsteriskLines) {
  console::printHeading("Title");
  const std::string stars(64, '*');
  EXPECT_EQ(takePrinted(), "\n\n" + stars + "\n\nTitle\n\n" + stars + "\n\n");
}

TEST_F(OutputTest, RingWrapsAfter65535Bytes) {
  console::clearOutput();
  EXPECT_TRUE(ringIsAllLineFeeds());
  console::print(std::string(console::kOutputRingSize - 1, 'a'));
  EXPECT_EQ(console::writePosition(), console::kOutputRingSize - 1);
  console::print("bc");
  EXPECT_EQ(console::writePosition(), 1u);
  EXPECT_EQ(console::outputRing()[0], 'c');
  EXPECT_EQ(console::outputRing()[console::kOutputRingSize - 1], 'b');
  console::clearOutput();
  EXPECT_EQ(console::writePosition(), 0u);
  EXPECT_TRUE(ringIsAllLineFeeds());
}

TEST_F(OutputTest, LogHoldsEverythingPrintedWhileLogging) {
  console::print("before");
  console::startLogging();
  console::startLogging();  // already logging: the file is not reopened
  console::print("\nduring");
  console::stopLogging();
  console::stopLogging();  // not logging: says nothing
  console::print("\nafter");
  EXPECT_EQ(readFileBytes(logFile()), "\nCommencing console log to ConsoleLog.txt\nduring");
  EXPECT_FALSE(std::filesystem::exists("ConsoleLog.txt"));  // the data folder stays as it was
  EXPECT_EQ(takePrinted(),
            "before\nCommencing console log to ConsoleLog.txt\nduring"
            "\nLogging stopped. All output saved to ConsoleLog.txt\nafter");
}

TEST_F(OutputTest, StartingTheLogReplacesAnEarlierFile) {
  userData_.write("vellmoor/ConsoleLog.txt", "old text that must go");
  console::startLogging();
  console::stopLogging();
  EXPECT_EQ(readFileBytes(logFile()), "\nCommencing console log to ConsoleLog.txt");
}

TEST_F(OutputTest, AWriteErrorStopsLoggingAndSaysSo) {
  // A file size limit fails the log's first write the way a full disk would.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const rlimit tight{16, old.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);  // so the write fails instead of ending the test
  setrlimit(RLIMIT_FSIZE, &tight);
  console::startLogging();
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(console::isLogging());
  console::print("\nstill printing");
  EXPECT_EQ(takePrinted(),
            "\nLogging to ConsoleLog.txt stopped because of a write error."
            "\nCommencing console log to ConsoleLog.txt\nstill printing");
}

TEST_F(OutputTest, OnlyANewOrRegularFileBecomesTheLog) {
  std::filesystem::create_directories(logFile().parent_path());
  for (const std::filesystem::path& path : data_.notRegularFiles()) {
    if (path.filename() == "missing") continue;  // a new log: it is simply created
    std::filesystem::create_symlink(path, logFile());
    console::startLogging();
    EXPECT_FALSE(console::isLogging());
    EXPECT_EQ(takePrinted(), "\nUnable to write log to ConsoleLog.txt") << path;
    std::filesystem::remove(logFile());
  }
}

TEST_F(OutputTest, ATextLongerThanTheRingLeavesItsLastBytesWhereByteWritesWould) {
  console::clearOutput();
  console::print("abc");
  std::string text(console::kOutputRingSize + 10, 'x');
  text.back() = 'z';
  console::print(text);
  // Byte by byte, the write position would have advanced by the whole length.
  const uint32_t expected = uint32_t((3 + text.size()) % console::kOutputRingSize);
  EXPECT_EQ(console::writePosition(), expected);
  EXPECT_EQ(console::outputRing()[expected - 1], 'z');
  EXPECT_EQ(std::count(console::outputRing().begin(), console::outputRing().end(), 'x'),
            std::ptrdiff_t(console::kOutputRingSize - 1));
}

// The window speaks before the console runs; its notes must survive the console's start.
TEST(EarlyOutputTest, WhatWasPrintedBeforeTheFirstStartIsPrintedOnceItRuns) {
  TempDirectory data;
  data.write("cfg/console.cfg", "enableLogging = true");
  WorkingDirectory inside(data.path());
  const ScopedEnvironment userData("XDG_DATA_HOME", data.path().c_str());
  console::print("\nearly note");
  console::initialise();
  const auto ring = console::outputRing();
  const auto shown = [&] {
    return std::search(ring.begin(), ring.end(), std::begin("\nearly note"),
                       std::end("\nearly note") - 1) != ring.end();
  };
  EXPECT_TRUE(shown());
  console::shutdown();
  EXPECT_NE(readFileBytes(data.path() / "vellmoor/ConsoleLog.txt").find("\nearly note"),
            std::string::npos);
  console::initialise();
  EXPECT_FALSE(shown()) << "handed over once";
  console::shutdown();
}
