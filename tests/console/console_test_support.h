#pragma once
// Console tests start from a freshly initialised console in an empty data folder, with a user
// data folder of their own for the log, and read back what was printed since.

#include <gtest/gtest.h>

#include <string>

#include "game/console/console.h"
#include "game/platform/headless_services.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"

// Everything printed while the fixture runs, whatever the ring has wrapped over.
std::string& printedText();

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // What was printed since the last call.
  std::string takePrinted();

  // Where the console log goes.
  std::filesystem::path logFile() const { return userData_.path() / "vellmoor/ConsoleLog.txt"; }

  TempDirectory data_;
  std::unique_ptr<WorkingDirectory> inside_;
  TempDirectory userData_;
  ScopedEnvironment userDataHome_{"XDG_DATA_HOME", userData_.path().c_str()};
};
