#pragma once
// The keys of the player's actions in play: turning, pausing, asking to restart and the
// console. The player names them in keys.cfg, which the game reads once as it starts. Until
// then, and for every action the file leaves out or names badly, the game's own keys hold
// (Left and Right turn, P and Pause pause, R asks to restart, the key left of "1" opens the
// console), so the headless simulator, which never reads the file, plays as it always did.

#include <cstdint>
#include <string_view>

namespace key_bindings {

enum Action : int32_t { kTurnLeft, kTurnRight, kPause, kRestart, kConsole, kActionCount };

inline constexpr std::string_view kConfigPath = "cfg\\keys.cfg";

// Reads the key file at `path` over the game's own keys. An action whose keys are not all
// known names keeps its own keys, and the console is told which name was wrong.
void load(std::string_view path = kConfigPath);
// The game's own keys again.
void useDefaults();
// `virtualKey` is one of the action's keys.
bool isBound(Action action, int32_t virtualKey);
// One of the action's keys is held at this moment.
bool isHeld(Action action);

}  // namespace key_bindings
