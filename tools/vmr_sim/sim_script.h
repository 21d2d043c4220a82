#pragma once
// A simulator script: what happens at which tick of a headless run, so a scenario can be
// replayed exactly. One action a line, "at TIME ACTION":
//   at 40 angle -30          sets the camera angle to -30 degrees
//   at 40 hold left 25       holds the left arrow key through ticks 40..64
//   at 1.2 s hold left 0.5 s holds it from 1.2 s of play for half a second
//   at 90 console Gravity 0  types the line into the console
//   at 200 restart           restarts the level
// An action at TICK runs before tick TICK (0 is before the first one). Blank lines and lines
// starting with '#' are ignored.
//
// A time is a whole number of ticks, or seconds when "s" follows it. A run of fixed ticks
// takes ticks as they are and seconds as the ticks that start at or after them; a run paced
// by frames, whose ticks vary in length, takes a tick as 1/30 s, so one route serves every
// frame rate.
//
// A level's route also says what it must achieve, so a check can hold it to that:
//   expect win by 1500       the level is won at the latest after tick 1500
//   expect water 0.75        at least 75 % of the starting 128 drops are left at the end

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A script's ticks in a run paced by frames.
constexpr double kScriptTicksPerSecond = 30.0;

// A time or a length in a script, as written: ticks, or seconds.
struct ScriptTime {
  double amount = 0.0;
  bool seconds = false;

  static ScriptTime ticks(double count) { return {count, false}; }
  // In ticks of `tickSeconds`, the unit of a run of fixed ticks.
  double inTicks(double tickSeconds) const { return seconds ? amount / tickSeconds : amount; }
  double inSeconds() const { return seconds ? amount : amount / kScriptTicksPerSecond; }
};

enum class ScriptActionKind { kAngle, kHold, kConsole, kRestart };
enum class ScriptKey { kLeft, kRight };

struct ScriptAction {
  ScriptTime at;
  ScriptActionKind kind = ScriptActionKind::kAngle;
  float degrees = 0.0f;              // kAngle
  ScriptKey key = ScriptKey::kLeft;  // kHold
  ScriptTime holdFor;                // kHold: above 0
  std::string consoleLine;           // kConsole: never empty
  int32_t lineNumber = 0;            // from 1, for messages
};

struct RouteExpectation {
  std::optional<ScriptTime> winBy;  // the last time at which the win may begin
  std::optional<float> waterShare;  // of the starting water, 0 to 1
  bool any() const { return winBy || waterShare; }
};

struct SimScript {
  // By time; actions of the same time in the order the file lists them (a script's times are
  // all ticks or all seconds, so they compare as written).
  std::vector<ScriptAction> actions;
  RouteExpectation expected;
};

// The script, or nullopt after writing "line N: <problem>" into `error`.
std::optional<SimScript> parseSimScript(std::string_view text, std::string& error);
