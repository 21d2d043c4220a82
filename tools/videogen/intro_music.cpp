#include "tools/videogen/intro_music.h"

#include <cmath>
#include <vector>

#include "tools/soundgen/synth.h"
#include "tools/soundgen/tone.h"

namespace {

constexpr float kRate = 22050.0f;

Tone voice(float note, float attack, float hold, float decay, float amplitude, float brightness) {
  Tone tone;
  tone.fromHz = tone.toHz = midiToHz(note);
  tone.attackSeconds = attack;
  tone.holdSeconds = hold;
  tone.decaySeconds = decay;
  tone.amplitude = amplitude;
  tone.brightness = brightness;
  return tone;
}

}  // namespace

Pcm composeIntroMusic() {
  const std::size_t length = samplesIn(kIntroMusicSeconds, kRate);
  std::vector<float> left(length, 0.0f);
  std::vector<float> right(length, 0.0f);
  auto add = [&](float at, const Tone& tone, float pan) {
    addPannedTone(left, right, samplesIn(at, kRate), tone, pan, kRate, Placement::Clip);
  };
  // The swell under the rising water: a low D and its fifth, slowly in.
  add(0.0f, voice(38, 1.6f, 0.6f, 0.9f, 0.45f, 0.2f), 0.4f);
  add(0.1f, voice(45, 1.5f, 0.5f, 0.9f, 0.25f, 0.1f), 0.6f);
  // Bubbles: short upward glides at fixed places.
  Random random(0x1f0a2b);
  for (int i = 0; i < 14; ++i) {
    Tone bubble;
    bubble.fromHz = random.range(500.0f, 900.0f);
    bubble.toHz = bubble.fromHz * 1.8f;
    bubble.glideSeconds = 0.05f;
    bubble.attackSeconds = 0.002f;
    bubble.decaySeconds = 0.03f;
    bubble.amplitude = random.range(0.08f, 0.16f);
    add(random.range(0.2f, 2.6f), bubble, random.unit());
  }
  // The name surfaces: D major rung as bells, with the octave above on top.
  constexpr float kChord[] = {62, 66, 69, 74, 78};
  for (int i = 0; i < 5; ++i) {
    add(1.5f + 0.06f * float(i), voice(kChord[i], 0.004f, 0.2f, 0.7f, 0.28f, 0.3f),
        0.15f + 0.175f * float(i));
  }
  add(1.5f, voice(50, 0.01f, 0.4f, 0.9f, 0.35f, 0.15f), 0.5f);
  Pcm pcm;
  pcm.sampleRate = int(kRate);
  pcm.channels = 2;
  // The last second fades out with the picture.
  const std::size_t fadeStart = samplesIn(3.0f, kRate);
  pcm.samples.resize(length * 2);
  for (std::size_t i = 0; i < length; ++i) {
    const float fade =
        i < fadeStart ? 1.0f : 1.0f - float(i - fadeStart) / float(length - fadeStart);
    pcm.samples[2 * i] = left[i] * fade;
    pcm.samples[2 * i + 1] = right[i] * fade;
  }
  normalisePeak(pcm.samples, 0.8f);
  return pcm;
}
