#pragma once
// The settings a player chooses for comfort and access, each a console variable and a stored
// preference: "ReducedMotion" (no camera shake, no zoom punches, a cut instead of the opening
// fly-in), "HighContrast" (the water and the text in a palette that stands out from any
// backdrop) and "ControllerDeadZone" (how far a stick or trigger moves before it counts).
//
// The game loads the stored values and stores every change made on the console; the
// simulator registers the same variables without touching the player's preferences, so a
// replay's console lines play back the same in both.

#include <span>

namespace player_settings {

constexpr float kDefaultDeadZone = 0.2f;

// Reads the stored preferences, then stores every later change made on the console. Values
// missing or malformed keep their defaults.
void loadPreferences();
// Changes are no longer stored, and every setting is back at its default (for tests and the
// simulator).
void resetToDefaults();

void registerConsoleEntries();
void removeConsoleEntries();

bool highContrast();
void setHighContrast(bool on);
// The share of a stick's or trigger's travel, 0 to 0.9, that counts as rest.
float controllerDeadZone();
void setControllerDeadZone(float share);
// Lives in the camera, which obeys it; set here so it is stored.
void setReducedMotion(bool on);

}  // namespace player_settings
