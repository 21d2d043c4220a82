#include "tools/soundgen/wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void putTag(std::string& out, const char* tag) {
  out.append(tag, 4);
}

void put16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xff));
  out.push_back(static_cast<char>((value >> 8) & 0xff));
}

void put32(std::string& out, std::uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

std::int16_t toSample16(float value) {
  const float scaled = std::round(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
  return static_cast<std::int16_t>(scaled);
}

}  // namespace

std::string encodeWav(const Pcm& pcm) {
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(pcm.channels) * 2;
  const std::uint32_t dataSize = static_cast<std::uint32_t>(pcm.frames()) * blockAlign;
  std::string out;
  out.reserve(44 + dataSize);
  putTag(out, "RIFF");
  put32(out, 36 + dataSize);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, static_cast<std::uint32_t>(pcm.channels));
  put32(out, static_cast<std::uint32_t>(pcm.sampleRate));
  put32(out, static_cast<std::uint32_t>(pcm.sampleRate) * blockAlign);
  put16(out, blockAlign);
  put16(out, 16);
  putTag(out, "data");
  put32(out, dataSize);
  for (std::size_t i = 0; i < pcm.frames() * pcm.channels; ++i) {
    put16(out, static_cast<std::uint16_t>(toSample16(pcm.samples[i])));
  }
  return out;
}
