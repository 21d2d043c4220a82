#pragma once
// The settings a player chooses for comfort and access, each a console variable and a stored
// preference: "ReducedMotion" (no camera shake, no zoom punches, a cut instead of the opening
// fly-in), "HighContrast" (the water and the text in a palette that stands out from any
// backdrop), "ControllerDeadZone" (how far a stick or trigger moves before it counts) and
// "HudDraw" (the water gauge and level time in a corner during play); and "ControllerList",
// which names the game controllers plugged in. "SoundVolume" and "MusicVolume" (0..10, the
// options menu's loudness of the effects and the music) are stored preferences only: the
// console's "MusicVolume" is the music service's own 0..255 on/off volume.
//
// The game loads the stored values and stores every change made on the console; the
// simulator registers the same variables without touching the player's preferences, so a
// replay's console lines play back the same in both.

#include <span>

namespace player_settings {

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
// On unless switched off.
bool hudDraw();
void setHudDraw(bool on);
// These two live in the camera, which obeys them; set here so they are stored.
void setControllerDeadZone(float share);
void setReducedMotion(bool on);

inline constexpr int kMaxVolume = 10;
// 0 (silent) .. kMaxVolume (full, the default), clamped; applied as the loudness of the sound
// effects and of the music, under their own on/off switches.
int soundVolume();
void setSoundVolume(int volume);
int musicVolume();
void setMusicVolume(int volume);

}  // namespace player_settings
