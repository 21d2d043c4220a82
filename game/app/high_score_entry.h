#pragma once
// The offer of a new high score at the end of a won level.

#include <cstdint>

class GuiScreen;

// When `score` beats an entry of the table, asks for a name over `backdrop` (the level's
// result, stepped and drawn dimmed behind the entry) and enters it; the table is then saved
// at once. Nothing happens for a score that doesn't qualify.
void offerHighScore(uint32_t score, GuiScreen& backdrop);
