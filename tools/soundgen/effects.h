#pragma once
// The water, ice and steam sounds: one-shot splashes and ice cracks in three sizes with four
// takes each, and the loops the controllers fade in and out. All mono at 22050 Hz; loops
// start and end at a rising zero crossing whose step matches its neighbours', so they repeat
// without a click.

#include <vector>

#include "tools/soundgen/pcm.h"

inline constexpr int kEffectSampleRate = 22050;

// Mono samples at the effects' rate as a sound.
Pcm monoPcm(std::vector<float> samples);
// The last touches of a one-shot: short fades against clicks (the fade-out `fadeOutSeconds`
// long), then its peak level.
Pcm finishOneShot(std::vector<float> samples, float peak, float fadeOutSeconds = 0.03f);

// A splash: a burst of noise through a band-pass filter sweeping down, the falling "bloop" of
// the body of water closing, and for the larger sizes droplets landing after it. `size` 1
// (a soft slosh, about 0.35 s) to 3 (a crash, about 1 s); `take` 1 to 4 picks the variation.
Pcm makeSplash(int size, int take);

// Ice knocking and cracking: a sharp click ringing at a few unrelated high pitches; larger
// sizes crack several times, lower, over a dull thud.
Pcm makeIceCrack(int size, int take);

// Loops.
// The low hum of still water with an occasional bubble, 3 s.
Pcm makeWaterAmbient();
// Fine crackling of water freezing, 2 s.
Pcm makeIceFreeze();
// A rough, grainy scrape of ice sliding on stone, 2 s.
Pcm makeIceScrape();
// The bright hiss of water boiling away, 2 s.
Pcm makeSteamHiss();
// The soft, breathy rush of a steam cloud, 3 s.
Pcm makeSteamAmbient();
