#include "game/console/console_session.h"

#include <string>

#include "game/console/console.h"
#include "game/platform/platform_services.h"

namespace console {
namespace {

std::ostream* sessionOutput = nullptr;

void streamOutput(std::string_view text) {
  sessionOutput->write(text.data(), std::streamsize(text.size()));
  sessionOutput->flush();
}

}  // namespace

ScopedOutputStream::ScopedOutputStream(std::ostream& output) {
  sessionOutput = &output;
  setOutputListener(streamOutput);
}

ScopedOutputStream::~ScopedOutputStream() {
  setOutputListener(nullptr);
  sessionOutput = nullptr;
}

void runConsoleSession(std::istream& input) {
  std::string line;
  while (platform::services().isWindowOpen() && std::getline(input, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kInputLineLength) {
      print("\nThe next line is longer than 255 characters; only its first 255 are typed.");
    }
    submitLine(line);
  }
}

}  // namespace console
