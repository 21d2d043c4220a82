#pragma once
// A single voice: a sine with a touch of its second and third harmonics, an optional pitch
// glide and a simple attack-hold-decay envelope. Bubbles, ice rings, bells, bass and pads
// are all made of it.

#include <cstddef>
#include <vector>

struct Tone {
  float fromHz = 440.0f;
  float toHz = 440.0f;        // the pitch glides exponentially from fromHz to toHz
  float glideSeconds = 0.0f;  // 0: no glide, the tone stays at fromHz
  float attackSeconds = 0.002f;
  float holdSeconds = 0.0f;   // time at full level before the decay starts
  float decaySeconds = 0.1f;  // time constant of the exponential decay
  float amplitude = 1.0f;
  float brightness = 0.0f;  // level of the second harmonic; the third gets its square
};

// Clip: a tone running past the end of the buffer is cut there (one-shot sounds, which are
// made long enough). Wrap: it carries on at the start, so loops stay seamless.
enum class Placement { Clip, Wrap };

// Adds `tone` to `out` from sample `start` on. The tone always ends at rest: it is rendered
// until its envelope has died away and then ramped to zero over a few milliseconds.
void addTone(std::vector<float>& out, std::size_t start, const Tone& tone, float sampleRate,
             Placement placement);

// Adds `tone` to a stereo pair of buffers; pan 0 is left, 1 right, with equal power.
void addPannedTone(std::vector<float>& left, std::vector<float>& right, std::size_t start,
                   const Tone& tone, float pan, float sampleRate, Placement placement);

// The frequency of a MIDI note number (69 is A at 440 Hz).
float midiToHz(float note);

// The number of whole samples in `seconds`.
std::size_t samplesIn(float seconds, float sampleRate);
