#pragma once
// A simulator script: what happens at which tick of a headless run, so a scenario can be
// replayed exactly. One action a line, "at TICK ACTION":
//   at 40 angle -30          sets the camera angle to -30 degrees
//   at 40 hold left 25       holds the left arrow key through ticks 40..64
//   at 90 console Gravity 0  types the line into the console
//   at 200 restart           restarts the level
// An action at TICK runs before tick TICK (0 is before the first one). Blank lines and lines
// starting with '#' are ignored.
//
// A level's route also says what it must achieve, so a check can hold it to that:
//   expect win by 1500       the level is won at the latest after tick 1500
//   expect water 0.75        at least 75 % of the starting 128 drops are left at the end

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ScriptActionKind { kAngle, kHold, kConsole, kRestart };
enum class ScriptKey { kLeft, kRight };

struct ScriptAction {
  int64_t tick = 0;
  ScriptActionKind kind = ScriptActionKind::kAngle;
  float degrees = 0.0f;              // kAngle
  ScriptKey key = ScriptKey::kLeft;  // kHold
  int64_t holdTicks = 0;             // kHold: at least 1
  std::string consoleLine;           // kConsole: never empty
  int32_t lineNumber = 0;            // from 1, for messages
};

struct RouteExpectation {
  std::optional<int64_t> winBy;     // the last tick after which the win may begin
  std::optional<float> waterShare;  // of the starting water, 0 to 1
  bool any() const { return winBy || waterShare; }
};

struct SimScript {
  // By tick; actions of the same tick in the order the file lists them.
  std::vector<ScriptAction> actions;
  RouteExpectation expected;
};

// The script, or nullopt after writing "line N: <problem>" into `error`.
std::optional<SimScript> parseSimScript(std::string_view text, std::string& error);
