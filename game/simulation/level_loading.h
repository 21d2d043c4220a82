#pragma once
// A level with all its managers: loading puts a level in place only when its file read
// without error; clearing takes it away; restarting puts it back into its start state.

#include <string_view>

namespace level {

// Reads the level file and, when it read without error, replaces the running level with it.
bool loadLevel(std::string_view fileName);
// Shuts the level and its managers down and empties the polygon list.
void clearLevel();
// Every polygon enabled and unmoved, every edge active, the managers reset.
void restartLevel();

}  // namespace level
