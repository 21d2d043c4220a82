#include "tools/soundgen/jingles.h"

#include <utility>

#include "tools/soundgen/synth.h"
#include "tools/soundgen/tone.h"

namespace {

constexpr int kJingleRate = 22050;
constexpr float kRate = static_cast<float>(kJingleRate);

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;

  explicit Stereo(float seconds)
      : left(samplesIn(seconds, kRate)), right(samplesIn(seconds, kRate)) {}

  void add(float startSeconds, const Tone& tone, float pan) {
    addPannedTone(left, right, samplesIn(startSeconds, kRate), tone, pan, kRate, Placement::Clip);
  }

  Pcm finish(float peak) {
    const std::size_t fadeOut = samplesIn(0.05f, kRate);
    fadeEdges(left, 0, fadeOut);
    fadeEdges(right, 0, fadeOut);
    Pcm pcm;
    pcm.sampleRate = kJingleRate;
    pcm.channels = 2;
    pcm.samples.resize(left.size() * 2);
    for (std::size_t i = 0; i < left.size(); ++i) {
      pcm.samples[2 * i] = left[i];
      pcm.samples[2 * i + 1] = right[i];
    }
    normalisePeak(pcm.samples, peak);
    return pcm;
  }
};

Tone bell(float note, float holdSeconds, float decaySeconds, float amplitude) {
  Tone tone;
  tone.fromHz = tone.toHz = midiToHz(note);
  tone.attackSeconds = 0.004f;
  tone.holdSeconds = holdSeconds;
  tone.decaySeconds = decaySeconds;
  tone.amplitude = amplitude;
  tone.brightness = 0.3f;
  return tone;
}

}  // namespace

Pcm makeFinishJingle() {
  Stereo out(2.2f);
  constexpr float kRising[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    const float start = 0.11f * static_cast<float>(i);
    out.add(start, bell(kRising[i], 0.02f, 0.18f, 0.5f), 0.25f + 0.17f * static_cast<float>(i));
    // A quiet octave above, a little late, makes the arpeggio sparkle.
    out.add(start + 0.01f, bell(kRising[i] + 12, 0.0f, 0.08f, 0.12f), 0.5f);
  }
  constexpr float kChord[] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i) {
    out.add(0.5f, bell(kChord[i], 0.3f, 0.45f, 0.3f), 0.2f + 0.2f * static_cast<float>(i));
  }
  out.add(0.5f, bell(48, 0.3f, 0.5f, 0.35f), 0.5f);
  return out.finish(0.85f);
}

Pcm makeDeadJingle() {
  Stereo out(2.4f);
  constexpr float kFalling[] = {69, 65, 62};
  for (int i = 0; i < 3; ++i) {
    Tone step = bell(kFalling[i], 0.08f, 0.2f, 0.45f);
    step.toHz = step.fromHz * 0.98f;
    step.glideSeconds = 0.25f;
    step.brightness = 0.5f;
    out.add(0.25f * static_cast<float>(i), step, 0.35f + 0.15f * static_cast<float>(i));
  }
  constexpr float kSinking[] = {50, 53, 57, 38};
  for (int i = 0; i < 4; ++i) {
    Tone low = bell(kSinking[i], 0.5f, 0.4f, i == 3 ? 0.4f : 0.28f);
    low.attackSeconds = 0.03f;
    low.toHz = low.fromHz * 0.94f;  // the chord sags by a semitone as it dies
    low.glideSeconds = 1.2f;
    low.brightness = 0.45f;
    out.add(0.75f, low, 0.3f + 0.13f * static_cast<float>(i));
  }
  return out.finish(0.85f);
}

Pcm makeHighScoreFanfare() {
  Stereo out(2.6f);
  for (int i = 0; i < 3; ++i) {
    Tone pickup = bell(72, 0.02f, 0.07f, 0.4f);
    pickup.brightness = 0.45f;
    out.add(0.1f * static_cast<float>(i), pickup, 0.4f + 0.1f * static_cast<float>(i));
  }
  Tone leap = bell(77, 0.12f, 0.2f, 0.5f);
  leap.brightness = 0.45f;
  out.add(0.3f, leap, 0.5f);
  constexpr float kChord[] = {77, 81, 84, 89};
  for (int i = 0; i < 4; ++i) {
    Tone note = bell(kChord[i], 0.45f, 0.5f, 0.28f);
    note.brightness = 0.4f;
    out.add(0.55f, note, 0.15f + 0.23f * static_cast<float>(i));
  }
  out.add(0.55f, bell(41, 0.5f, 0.6f, 0.4f), 0.5f);
  constexpr float kSparkle[] = {96, 93, 101, 98, 105, 100};
  for (int i = 0; i < 6; ++i) {
    out.add(0.75f + 0.14f * static_cast<float>(i), bell(kSparkle[i], 0.0f, 0.12f, 0.1f),
            i % 2 == 0 ? 0.2f : 0.8f);
  }
  return out.finish(0.8f);
}

Pcm makeDefaultBlip() {
  std::vector<float> out(samplesIn(0.15f, kRate));
  Tone blip;
  blip.fromHz = 880.0f;
  blip.toHz = 660.0f;
  blip.glideSeconds = 0.08f;
  blip.attackSeconds = 0.003f;
  blip.decaySeconds = 0.02f;
  blip.brightness = 0.2f;
  addTone(out, 0, blip, kRate, Placement::Clip);
  normalisePeak(out, 0.6f);
  Pcm pcm;
  pcm.sampleRate = kJingleRate;
  pcm.samples = std::move(out);
  return pcm;
}
