#include "sound/wav_bytes.h"

#include <cmath>
#include <numbers>

namespace sound_test {
namespace {

void put16(std::string& out, uint32_t value) {
  out.push_back(char(value & 0xff));
  out.push_back(char((value >> 8) & 0xff));
}

void put32(std::string& out, uint32_t value) {
  put16(out, value & 0xffff);
  put16(out, value >> 16);
}

}  // namespace

std::string chunk(std::string_view id, std::string_view body) {
  std::string out(id);
  put32(out, uint32_t(body.size()));
  out += body;
  return out;
}

std::string wavFile(const WavLayout& layout, std::string_view samples) {
  std::string format;
  put16(format, layout.formatTag);
  put16(format, layout.channels);
  put32(format, layout.rate);
  const uint32_t blockAlign = layout.channels * layout.bits / 8;
  put32(format, layout.rate * blockAlign);
  put16(format, blockAlign);
  put16(format, layout.bits);
  format.resize(layout.formatChunkBytes, '\0');
  const std::string body =
      "WAVE" + chunk("fmt ", format) + layout.extraChunk + chunk("data", samples);
  return chunk("RIFF", body);
}

std::string sineSamples(const WavLayout& layout, double hertz, uint32_t frames, double amplitude) {
  std::string out;
  for (uint32_t frame = 0; frame < frames; ++frame) {
    const double value = amplitude * std::sin(2.0 * std::numbers::pi * hertz * frame / layout.rate);
    for (uint16_t channel = 0; channel < layout.channels; ++channel) {
      if (layout.bits == 8) {
        out.push_back(char(uint8_t(std::lround(128.0 + 127.0 * value))));
      } else {
        put16(out, uint32_t(int32_t(std::lround(32767.0 * value))) & 0xffff);
      }
    }
  }
  return out;
}

}  // namespace sound_test
