#pragma once
// The menus' sounds: the calm loop under every menu, the soft water plinks of the buttons
// and the option choosers, and the rising ticks that run while the level-finished counters
// count up. All mono at 22050 Hz, quieter than the water effects, so they sit under the
// scene rather than over it.

#include "tools/soundgen/effects.h"
#include "tools/soundgen/pcm.h"

// The menus sound at the effects' rate and are finished the same way.
inline constexpr int kMenuSampleRate = kEffectSampleRate;
inline constexpr float kMenuLoopSeconds = 12.0f;

// Pads in F major swelling between two chords, slow drops and a few far-off bell notes;
// kMenuLoopSeconds long and seamless.
Pcm makeMenuLoop();

// A water drop: the pointer comes onto a button (0.2 s).
Pcm makeButtonOver();
// A bubble rising with a bell on top: a button is pressed (0.45 s).
Pcm makeButtonClick();
// A smaller, higher drop: the pointer comes onto an option chooser (0.15 s).
Pcm makeChooserOver();
// A short tick and bubble: a chooser steps to another option (0.2 s).
Pcm makeChooserClick();

// What the level-finished counters count: each has its own voice.
enum class RampKind { Water, Time, Total };

// Ticks that come faster and climb in pitch over three seconds. The counter stops the sound
// when it has counted up, which is usually before the end.
Pcm makeRampUp(RampKind kind);
