#include "tools/soundgen/menu_sounds.h"

#include <array>
#include <cmath>
#include <utility>

#include "tools/soundgen/synth.h"
#include "tools/soundgen/tone.h"

namespace {

constexpr float kRate = static_cast<float>(kMenuSampleRate);
constexpr float kRampSeconds = 3.0f;

// Menu sounds are short and crisp: their tails fade out quicker than the water's.
constexpr float kMenuFadeOut = 0.02f;

Tone drop(float fromHz, float toHz, float glideSeconds, float decaySeconds, float amplitude) {
  Tone tone;
  tone.fromHz = fromHz;
  tone.toHz = toHz;
  tone.glideSeconds = glideSeconds;
  tone.attackSeconds = 0.002f;
  tone.decaySeconds = decaySeconds;
  tone.amplitude = amplitude;
  return tone;
}

Tone bell(float note, float decaySeconds, float amplitude) {
  Tone tone;
  tone.fromHz = tone.toHz = midiToHz(note);
  tone.attackSeconds = 0.003f;
  tone.decaySeconds = decaySeconds;
  tone.amplitude = amplitude;
  tone.brightness = 0.25f;
  return tone;
}

// A pad note: two voices a little apart that swell in, hold and fade, wrapping round the loop.
void addPadNote(std::vector<float>& out, float startSeconds, float note, float holdSeconds) {
  for (const float detune : {0.9982f, 1.0018f}) {
    Tone pad;
    pad.fromHz = pad.toHz = midiToHz(note) * detune;
    pad.attackSeconds = 1.8f;
    pad.holdSeconds = holdSeconds;
    pad.decaySeconds = 0.9f;
    pad.amplitude = 0.07f;
    pad.brightness = 0.15f;
    addTone(out, samplesIn(startSeconds, kRate), pad, kRate, Placement::Wrap);
  }
}

void addPads(std::vector<float>& out) {
  // Fmaj7 then Dm9, six seconds each; each chord swells in while the other fades.
  constexpr std::array<std::array<float, 4>, 2> kChords{{{53, 60, 64, 69}, {50, 57, 64, 65}}};
  constexpr float kChordSeconds = kMenuLoopSeconds / 2;
  for (std::size_t chord = 0; chord < kChords.size(); ++chord) {
    for (const float note : kChords[chord]) {
      addPadNote(out, kChordSeconds * static_cast<float>(chord), note, kChordSeconds - 1.2f);
    }
  }
}

// Water drops falling far off, each followed by its echo.
void addDrops(std::vector<float>& out, Random& random) {
  for (int i = 0; i < 9; ++i) {
    const float at = random.range(0.0f, kMenuLoopSeconds);
    const float hz = random.range(900.0f, 1700.0f);
    const Tone tone =
        drop(hz, hz * 1.5f, 0.05f, random.range(0.02f, 0.04f), random.range(0.1f, 0.18f));
    addTone(out, samplesIn(at, kRate), tone, kRate, Placement::Wrap);
    Tone echo = tone;
    echo.amplitude *= 0.3f;
    addTone(out, samplesIn(at + 0.31f, kRate), echo, kRate, Placement::Wrap);
  }
}

// A few notes of the F major pentatonic scale, far apart, ringing long.
void addBells(std::vector<float>& out) {
  constexpr std::array<std::pair<float, float>, 5> kNotes{
      {{0.9f, 72}, {3.1f, 77}, {5.2f, 74}, {7.8f, 69}, {9.9f, 72}}};
  for (const auto& [at, note] : kNotes) {
    addTone(out, samplesIn(at, kRate), bell(note, 1.1f, 0.09f), kRate, Placement::Wrap);
    addTone(out, samplesIn(at + 0.4f, kRate), bell(note, 1.1f, 0.03f), kRate, Placement::Wrap);
  }
}

// One tick of a ramp, `progress` from 0 to 1 through it.
void addTick(std::vector<float>& out, std::size_t at, RampKind kind, float progress, int index,
             Random& random) {
  const float rise = std::pow(2.0f, 1.5f * progress);  // an octave and a half over the ramp
  switch (kind) {
    case RampKind::Water: {
      const float hz = 480.0f * rise * random.range(0.97f, 1.03f);
      addTone(out, at, drop(hz, hz * 1.6f, 0.04f, 0.025f, 0.8f), kRate, Placement::Clip);
      break;
    }
    case RampKind::Time: {
      // Tick and tock, a woody knock with a short high ring.
      const float hz = (index % 2 == 0 ? 1500.0f : 1250.0f) * rise;
      Tone knock = drop(hz, hz * 0.9f, 0.01f, 0.012f, 0.8f);
      knock.brightness = 0.5f;
      addTone(out, at, knock, kRate, Placement::Clip);
      addTone(out, at, drop(hz * 2.7f, hz * 2.7f, 0.0f, 0.004f, 0.25f), kRate, Placement::Clip);
      break;
    }
    case RampKind::Total: {
      // Up the major pentatonic scale, a note a tick.
      constexpr std::array<float, 5> kSteps{0, 2, 4, 7, 9};
      const float note = 72.0f + 12.0f * static_cast<float>(index / 5 % 2) +
                         kSteps[static_cast<std::size_t>(index % 5)];
      addTone(out, at, bell(note, 0.07f, 0.7f), kRate, Placement::Clip);
      break;
    }
  }
}

}  // namespace

Pcm makeMenuLoop() {
  std::vector<float> out(samplesIn(kMenuLoopSeconds, kRate));
  Random random(0x6d656e75u);
  addPads(out);
  addDrops(out, random);
  addBells(out);
  Biquad low;
  low.setLowPass(500.0f, 0.7f, kRate);
  std::vector<float> bed = whiteNoise(out.size(), random);
  filterCircular(bed, low);
  constexpr int kSwell[] = {1, 2};
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] += 0.05f * bed[i] * loopWobble(i, out.size(), 0.5f, kSwell);
  }
  removeOffset(out);
  rotateToLoopPoint(out);
  normalisePeak(out, 0.45f);
  return monoPcm(std::move(out));
}

Pcm makeButtonOver() {
  std::vector<float> out(samplesIn(0.2f, kRate));
  addTone(out, 0, drop(700.0f, 1250.0f, 0.05f, 0.045f, 1.0f), kRate, Placement::Clip);
  addTone(out, samplesIn(0.01f, kRate), bell(91, 0.04f, 0.15f), kRate, Placement::Clip);
  return finishOneShot(std::move(out), 0.4f, kMenuFadeOut);
}

Pcm makeButtonClick() {
  std::vector<float> out(samplesIn(0.45f, kRate));
  Tone thump = drop(180.0f, 120.0f, 0.05f, 0.035f, 0.6f);
  addTone(out, 0, thump, kRate, Placement::Clip);
  addTone(out, 0, drop(320.0f, 760.0f, 0.09f, 0.07f, 1.0f), kRate, Placement::Clip);
  addTone(out, samplesIn(0.03f, kRate), bell(84, 0.12f, 0.35f), kRate, Placement::Clip);
  addTone(out, samplesIn(0.03f, kRate), bell(91, 0.08f, 0.15f), kRate, Placement::Clip);
  return finishOneShot(std::move(out), 0.5f, kMenuFadeOut);
}

Pcm makeChooserOver() {
  std::vector<float> out(samplesIn(0.15f, kRate));
  addTone(out, 0, drop(1100.0f, 1900.0f, 0.04f, 0.03f, 1.0f), kRate, Placement::Clip);
  return finishOneShot(std::move(out), 0.33f, kMenuFadeOut);
}

Pcm makeChooserClick() {
  std::vector<float> out(samplesIn(0.2f, kRate));
  Random random(0x63686f6fu);
  const std::size_t clickLength = samplesIn(0.002f, kRate);
  for (std::size_t i = 0; i < clickLength; ++i) out[i] += 0.4f * random.bipolar();
  addTone(out, 0, drop(520.0f, 940.0f, 0.045f, 0.04f, 1.0f), kRate, Placement::Clip);
  return finishOneShot(std::move(out), 0.42f, kMenuFadeOut);
}

Pcm makeRampUp(RampKind kind) {
  std::vector<float> out(samplesIn(kRampSeconds, kRate));
  Random random(0x72616d70u + static_cast<std::uint64_t>(kind));
  // The gap between ticks shrinks from 0.11 s to 0.055 s.
  int index = 0;
  for (float at = 0.0f; at < kRampSeconds - 0.1f; ++index) {
    const float progress = at / kRampSeconds;
    addTick(out, samplesIn(at, kRate), kind, progress, index, random);
    at += 0.11f - 0.055f * progress;
  }
  return finishOneShot(std::move(out), 0.4f, kMenuFadeOut);
}
