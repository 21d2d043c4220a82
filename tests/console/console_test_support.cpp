#include "console_test_support.h"

namespace {

void collect(std::string_view text) {
  printedText() += text;
}

}  // namespace

std::string& printedText() {
  static std::string text;
  return text;
}

void ConsoleTest::SetUp() {
  inside_ = std::make_unique<WorkingDirectory>(data_.path());
  platform::headlessServices().reopen();
  platform::headlessServices().setKeyToggled(45, false);
  console::initialise();
  console::setOutputListener(collect);
  printedText().clear();
}

void ConsoleTest::TearDown() {
  console::shutdown();
  console::setOutputListener(nullptr);
  inside_.reset();
}

std::string ConsoleTest::takePrinted() {
  std::string text;
  text.swap(printedText());
  return text;
}
