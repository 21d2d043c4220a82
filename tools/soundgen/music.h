#pragma once
// The level music: a calm 32-second loop in D minor at 120 beats a minute. Sixteen bars of
// Dm - Bb - F - C, two bars a chord, played twice: soft pads and a walking bass, then the
// same with a plucked arpeggio on top, with water drops and a ping-pong echo throughout.
// Every note and echo that runs past the end is carried round to the start, so the music
// loops without a seam.

#include "tools/soundgen/pcm.h"

inline constexpr int kThemeSampleRate = 22050;
inline constexpr float kThemeSeconds = 32.0f;

// Stereo at kThemeSampleRate, exactly kThemeSeconds long.
Pcm composeTheme();
