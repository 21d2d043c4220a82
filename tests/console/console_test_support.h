#pragma once
// Console tests start from a freshly initialised console in an empty data folder and read
// back what was printed since.

#include <gtest/gtest.h>

#include <string>

#include "game/console/console.h"
#include "game/platform/headless_services.h"
#include "test_support/temp_directory.h"

// Everything printed while the fixture runs, whatever the ring has wrapped over.
std::string& printedText();

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // What was printed since the last call.
  std::string takePrinted();

  TempDirectory data_;
  std::unique_ptr<WorkingDirectory> inside_;
};
