#include "game/platform/wav_reader.h"

#include <string_view>

#include "common/byte_reader.h"

namespace sound {
namespace {

constexpr size_t kHeaderBytes = 36;  // RIFF header, "fmt " chunk header and the PCM record
constexpr uint32_t kPcmRecordBytes = 16;
constexpr size_t kChunkHeaderBytes = 8;

bool hasTag(std::span<const uint8_t> bytes, size_t at, std::string_view tag) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()) + at, 4) == tag;
}

WavFormat formatAt(std::span<const uint8_t> bytes, size_t at) {
  ByteReader in(bytes, at);
  WavFormat format;
  format.formatTag = in.u16();
  format.channels = in.u16();
  format.samplesPerSecond = in.u32();
  format.averageBytesPerSecond = in.u32();
  format.blockAlign = in.u16();
  format.bitsPerSample = in.u16();
  return format;
}

bool isAcceptedFormat(const WavFormat& format) {
  if (format.formatTag != 1) return false;
  if (format.samplesPerSecond == 0 || format.averageBytesPerSecond == 0 || format.blockAlign == 0 ||
      format.bitsPerSample == 0) {
    return false;
  }
  return format.channels == 1 || format.channels == 2;
}

// Walks the chunks from `at` to the "data" chunk; its samples, or nothing when the bytes end
// first. Offsets are 64-bit, so a stated size near 4 GiB can't wrap around.
std::optional<std::span<const uint8_t>> findData(std::span<const uint8_t> bytes, uint64_t at) {
  while (at + kChunkHeaderBytes <= bytes.size()) {
    const uint32_t size = ByteReader(bytes, size_t(at) + 4).u32();
    const bool isData = hasTag(bytes, size_t(at), "data");
    at += kChunkHeaderBytes;
    if (!isData) {
      at += size;
      continue;
    }
    if (size == 0 || at + size > bytes.size()) return std::nullopt;
    return bytes.subspan(size_t(at), size);
  }
  return std::nullopt;
}

}  // namespace

std::optional<WavSound> readWav(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderBytes) return std::nullopt;
  if (!hasTag(bytes, 0, "RIFF") || !hasTag(bytes, 8, "WAVE") || !hasTag(bytes, 12, "fmt ")) {
    return std::nullopt;
  }
  const WavFormat format = formatAt(bytes, 20);
  if (!isAcceptedFormat(format)) return std::nullopt;
  const uint32_t formatBytes = ByteReader(bytes, 16).u32();
  const uint64_t extraFormatBytes =
      formatBytes > kPcmRecordBytes ? formatBytes - kPcmRecordBytes : 0;
  const auto samples = findData(bytes, kHeaderBytes + extraFormatBytes);
  if (!samples) return std::nullopt;
  return WavSound{format, *samples};
}

}  // namespace sound
