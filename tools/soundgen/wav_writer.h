#pragma once
// Writes sound as a plain RIFF/WAVE file of 16-bit PCM: the 16-byte format record and one
// data chunk, nothing else, which is exactly what the game's loader reads.

#include <string>

#include "tools/soundgen/pcm.h"

// The whole file as bytes. Samples are clamped to +-1 and rounded to the nearest step.
std::string encodeWav(const Pcm& pcm);
