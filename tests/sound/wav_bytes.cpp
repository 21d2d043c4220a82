#include "sound/wav_bytes.h"

#include <cmath>
#include <numbers>

#include "common/byte_writer.h"

namespace sound_test {

std::string chunk(std::string_view id, std::string_view body) {
  ByteWriter out;
  out.append(id);
  out.u32(uint32_t(body.size()));
  out.append(body);
  return out.takeText();
}

std::string wavFile(const WavLayout& layout, std::string_view samples) {
  ByteWriter format;
  format.u16(layout.formatTag);
  format.u16(layout.channels);
  format.u32(layout.rate);
  const uint32_t blockAlign = layout.channels * layout.bits / 8;
  format.u32(layout.rate * blockAlign);
  format.u16(uint16_t(blockAlign));
  format.u16(layout.bits);
  std::string formatBody = format.takeText();
  formatBody.resize(layout.formatChunkBytes, '\0');
  const std::string body =
      "WAVE" + chunk("fmt ", formatBody) + layout.extraChunk + chunk("data", samples);
  return chunk("RIFF", body);
}

std::string sineSamples(const WavLayout& layout, double hertz, uint32_t frames, double amplitude) {
  ByteWriter out;
  for (uint32_t frame = 0; frame < frames; ++frame) {
    const double value = amplitude * std::sin(2.0 * std::numbers::pi * hertz * frame / layout.rate);
    for (uint16_t channel = 0; channel < layout.channels; ++channel) {
      if (layout.bits == 8) {
        out.u8(uint8_t(std::lround(128.0 + 127.0 * value)));
      } else {
        out.u16(uint16_t(std::lround(32767.0 * value)));
      }
    }
  }
  return out.takeText();
}

}  // namespace sound_test
