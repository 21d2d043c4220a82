#pragma once
// The "SoundSourceDraw" overlay: every sound source labelled at its position with its id and
// its sound file.

namespace sound_sources {

// Draws nothing unless "SoundSourceDraw" is on; leaves the OpenGL state as it found it.
void drawSoundSources();

}  // namespace sound_sources
