#pragma once
// Console scripts: files of console lines run as if typed, for tests and for anyone
// reporting a bug. "Exec file" runs a script; "Wait n" inside it lets n frames pass before
// the rest of it runs, so a script can start the game, let the water settle, press keys and
// take screenshots. The game's main loop advances the script once per frame.

#include <cstdint>
#include <string_view>

namespace console_script {

// Registers "Exec" and "Wait" (the console's start-up does it).
void registerCommands();

// Runs the file's lines in order until a "Wait" (from a script line: right after that line);
// lines still waiting from an earlier script run after this file's. False, with a console
// message, when the file is missing or not a regular file, is too large, or scripts already
// call each other too deeply.
bool execFile(std::string_view path);
// Adds a line to run at the next frame, after every line already waiting.
void queueLine(std::string_view line);
// Called once per frame: counts a waiting script down and runs its next lines when due.
void advanceFrame();
// Holds the lines after the one running now until the next frame has been drawn, as
// "Wait 1" would.
void holdUntilNextFrame();
// Lines of scripts still to run.
bool hasPendingLines();
// Drops every pending line and any wait (console shut-down).
void reset();

}  // namespace console_script
