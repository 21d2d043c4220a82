#include "tools/soundgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/byte_writer.h"

namespace {

std::int16_t toSample16(float value) {
  const float scaled = std::round(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
  return static_cast<std::int16_t>(scaled);
}

}  // namespace

std::string encodeWav(const Pcm& pcm) {
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(pcm.channels) * 2;
  const std::uint32_t dataSize = static_cast<std::uint32_t>(pcm.frames()) * blockAlign;
  ByteWriter out;
  out.append("RIFF");
  out.u32(36 + dataSize);
  out.append("WAVE");
  out.append("fmt ");
  out.u32(16);
  out.u16(1);  // PCM
  out.u16(static_cast<std::uint16_t>(pcm.channels));
  out.u32(static_cast<std::uint32_t>(pcm.sampleRate));
  out.u32(static_cast<std::uint32_t>(pcm.sampleRate) * blockAlign);
  out.u16(static_cast<std::uint16_t>(blockAlign));
  out.u16(16);
  out.append("data");
  out.u32(dataSize);
  for (std::size_t i = 0; i < pcm.frames() * pcm.channels; ++i) {
    out.u16(static_cast<std::uint16_t>(toSample16(pcm.samples[i])));
  }
  return out.takeText();
}
