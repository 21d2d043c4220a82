// Any bytes as typed console lines: dispatch must never crash or hang, whatever the entry.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/console/console.h"

namespace {

int32_t number = 0;
bool flag = false;
float real = 0.0f;
std::string text;

int32_t numberVariable(int32_t value, bool set) {
  return set ? number = value : number;
}
bool flagVariable(bool value, bool set) {
  return set ? flag = value : flag;
}
float realVariable(float value, bool set) {
  return set ? real = value : real;
}
std::string textVariable(const std::string& value) {
  return value.empty() ? text : text = value;
}
void numberAction(int32_t value) {
  number = value;
}
void textAction(const std::string& value) {
  text = value;
}
int32_t numberQuery() {
  return number;
}
std::string textQuery() {
  return text;
}
void plainCommand() {}

bool initialised = false;

void setUp() {
  console::initialise();
  console::addCommand("Number", numberVariable);
  console::addCommand("Flag", flagVariable);
  console::addCommand("Real", realVariable);
  console::addCommand("Text", textVariable);
  console::addCommand("SetNumber", numberAction);
  console::addCommand("SetText", textAction);
  console::addCommand("GetNumber", numberQuery);
  console::addCommand("GetText", textQuery);
  console::addCommand("Plain", plainCommand);
  // Entries that touch files or the process are left out: the fuzzer would start logs.
  console::removeCommand("LogConsole");
  console::removeCommand("Quit");
  initialised = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!initialised) setUp();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The input is typed as lines, and also run whole, as a script would.
  size_t start = 0;
  while (start <= input.size()) {
    const size_t end = std::min(input.find('\n', start), input.size());
    console::execute(input.substr(start, end - start));
    start = end + 1;
  }
  for (size_t i = 0; i < std::min<size_t>(size, 64); ++i) console::consoleKey(data[i]);
  return 0;
}
