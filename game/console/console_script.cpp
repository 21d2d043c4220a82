#include "game/console/console_script.h"

#include <deque>
#include <fstream>
#include <string>

#include "common/data_path.h"
#include "game/console/command_registry.h"
#include "game/console/console_output.h"

namespace console_script {
namespace {

// A script may "Exec" another; this stops a script that runs itself from looping for ever.
constexpr int32_t kDeepestNesting = 16;

struct State {
  std::deque<std::string> pending;
  int32_t framesToWait = 0;
  int32_t nesting = 0;
};

State state_;

void runDueLines() {
  while (state_.framesToWait == 0 && !state_.pending.empty()) {
    const std::string line = std::move(state_.pending.front());
    state_.pending.pop_front();
    console::execute(line);
  }
}

void exec(const std::string& path) {
  if (path.empty()) {
    console::print("\nUSAGE: Exec < file >");
    return;
  }
  execFile(path);
}

// A wait typed outside a script has nothing to hold back and ends by itself.
void wait(int32_t frames) {
  if (frames < 0) frames = 0;
  state_.framesToWait = frames;
}

}  // namespace

void registerCommands() {
  console::addCommand("Exec", exec);
  console::addCommand("Wait", wait);
}

bool execFile(std::string_view path) {
  std::ifstream file(resolveDataPath(path), std::ios::binary);
  if (!file) {
    console::print("\nCan't read the script ");
    console::print(path);
    return false;
  }
  if (state_.nesting >= kDeepestNesting) {
    console::print("\nScripts call each other too deeply; not running ");
    console::print(path);
    return false;
  }
  std::deque<std::string> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") != std::string::npos) lines.push_back(line);
  }
  // This file's lines go before whatever an enclosing script still has to run.
  state_.pending.insert(state_.pending.begin(), lines.begin(), lines.end());
  ++state_.nesting;
  runDueLines();
  --state_.nesting;
  return true;
}

void queueLine(std::string_view line) {
  state_.pending.emplace_back(line);
}

void advanceFrame() {
  if (state_.framesToWait > 0) --state_.framesToWait;
  runDueLines();
}

bool hasPendingLines() {
  return !state_.pending.empty();
}

void reset() {
  state_ = State{};
}

}  // namespace console_script
