#pragma once
// The running game's own console entries: "ZoomCamera", "ShakeCamera", "Restart",
// "ReplayLast" and "Pause" for the level, "Version" and "Map" for good.

namespace game_console {

// Registers them all as a level starts.
void registerConsoleEntries();
// Removes the level's entries as the game shuts down; "Version" and "Map" stay for the next
// run.
void removeConsoleEntries();

}  // namespace game_console
