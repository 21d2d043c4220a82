#pragma once
// The game program from start to end: the settings, the window and every process-wide
// service brought up in order, the game run, and everything taken down in reverse.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/app/startup_settings.h"

// Runs the whole program for `commandLine` (the options without the program's name) and
// returns its exit code.
int runProgram(std::string_view commandLine);

// The level a game starts on without -map: the first of the ladder not yet won, so a
// returning player goes on where they stopped; `startMap` while none is won, or every one.
std::string levelToStartOn(std::string_view startMap);

// A process-wide service of the game program: how it comes up and how it goes down.
struct ProgramService {
  std::string_view name;
  std::function<void()> start;
  std::function<void()> stop;
};

// The program's services in start-up order, the window `width` x `height` for `settings`.
// Making the list starts nothing.
std::vector<ProgramService> programServices(const StartupSettings& settings, int32_t width,
                                            int32_t height);
// One list drives both walks, so the shut-down is always the start-up backwards.
void startServices(std::span<const ProgramService> services);
void stopServices(std::span<const ProgramService> services);
