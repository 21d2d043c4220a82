#pragma once
// The game program from start to end: the settings, the window and every process-wide
// service brought up in order, the game run, and everything taken down in reverse.

#include <string_view>

// Runs the whole program for `commandLine` (the options without the program's name) and
// returns its exit code.
int runProgram(std::string_view commandLine);
