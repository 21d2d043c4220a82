#include "game/console/console_script.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/data_path.h"
#include "common/regular_file.h"
#include "common/text.h"

namespace console_script {
namespace {

// A script may "Exec" another; this stops a script that runs itself from looping for ever.
constexpr int32_t kDeepestNesting = 16;
// Scripts are typed by hand or written by tests; a megabyte is tens of thousands of lines.
constexpr size_t kMaxScriptBytes = size_t{1} << 20;
// No script waits longer than an hour at a time.
constexpr double kLongestTimedWait = 3600.0;

// A line waiting to run, with the nesting of the script it came from (0: queued, not read
// from a script). Each line carries its own, so once a nested script's last line has run, its
// caller's next line runs at the caller's depth again.
struct PendingLine {
  std::string text;
  int32_t nesting = 0;
};

using WallClock = std::chrono::steady_clock;

struct State {
  std::deque<PendingLine> pending;
  int32_t framesToWait = 0;
  // A timed wait also holds the lines back until this moment of real time.
  WallClock::time_point resumeAt{};
  int32_t nesting = 0;  // of the line running now; 0 between lines
  bool running = false;
};

State state_;

// Marks the lines as running for as long as the object lives, whatever a command does.
class RunningLines {
 public:
  RunningLines() { state_.running = true; }
  ~RunningLines() {
    state_.running = false;
    state_.nesting = 0;
  }
  RunningLines(const RunningLines&) = delete;
  RunningLines& operator=(const RunningLines&) = delete;
};

// Only one loop runs lines: a script started by a running line puts its lines in front and
// returns, and the loop already running takes them next. So the stack stays flat however many
// scripts call each other.
void runDueLines() {
  if (state_.running) return;
  const RunningLines running;
  while (state_.framesToWait == 0 && WallClock::now() >= state_.resumeAt &&
         !state_.pending.empty()) {
    const PendingLine line = std::move(state_.pending.front());
    state_.pending.pop_front();
    state_.nesting = line.nesting;
    console::execute(line.text);
  }
}

// The lines of `text` that hold more than blanks and tabs, without their line ends.
std::vector<PendingLine> scriptLines(std::string_view text, int32_t nesting) {
  std::vector<PendingLine> lines;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos)
      lines.push_back({std::string(line), nesting});
  }
  return lines;
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

// Animations and delays run on real time, so a script that waits for one waits in seconds;
// the frames drawn meanwhile depend on the machine.
void waitSeconds(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  if (words.size() != 1 || !isNumber(words[0])) {
    console::print("\nUSAGE: WaitSeconds < seconds >");
    return;
  }
  const double seconds = std::clamp(double(toNumber(words[0])), 0.0, kLongestTimedWait);
  state_.resumeAt = WallClock::now() + std::chrono::duration_cast<WallClock::duration>(
                                           std::chrono::duration<double>(seconds));
}

// Registered when the console starts; its shut-down removes them with every other entry.
const console::NamedCommand kEntries[] = {
    {"Exec", exec},
    {"Wait", wait},
    {"WaitSeconds", waitSeconds},
};

}  // namespace

void registerCommands() {
  console::addCommands(kEntries);
}

bool execFile(std::string_view path) {
  // A folder, device or pipe is no script and is reported like a missing one.
  const FileContents file = readRegularFile(resolveDataPath(path), kMaxScriptBytes);
  if (file.result == FileReadResult::kTooLarge) {
    console::print("\nScript too large to run: ");
    console::print(path);
    return false;
  }
  if (!file.complete()) {
    console::print("\nCan't read the script ");
    console::print(path);
    return false;
  }
  const int32_t nesting = state_.nesting + 1;
  if (nesting > kDeepestNesting) {
    console::print("\nScripts call each other too deeply; not running ");
    console::print(path);
    return false;
  }
  const std::vector<PendingLine> lines = scriptLines(file.bytes, nesting);
  // This file's lines go before whatever an enclosing script still has to run.
  state_.pending.insert(state_.pending.begin(), lines.begin(), lines.end());
  runDueLines();
  return true;
}

void queueLine(std::string_view line) {
  state_.pending.push_back({std::string(line), 0});
}

void advanceFrame() {
  if (state_.framesToWait > 0) --state_.framesToWait;
  runDueLines();
}

void holdUntilNextFrame() {
  state_.framesToWait = std::max(state_.framesToWait, 1);
}

bool hasPendingLines() {
  return !state_.pending.empty();
}

void reset() {
  state_ = State{};
}

}  // namespace console_script
