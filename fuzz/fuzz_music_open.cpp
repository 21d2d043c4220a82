// Any bytes as an Ogg Vorbis music file: opening and decoding must never crash or hang, and
// the decoder must keep to whole frames and to the position it reports. Decoding stops
// after a bounded number of frames, since a tiny file may legally describe hours of sound.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/platform/music_decoder.h"

namespace {

constexpr uint64_t kMaxFramesDecoded = 1 << 16;
constexpr size_t kChunkSamples = 4096;

// Decodes up to the cap; the position must advance by exactly the frames returned.
void decodeSome(audio::MusicDecoder& decoder) {
  std::array<int16_t, kChunkSamples> samples{};
  const size_t chunkFrames = kChunkSamples / size_t(decoder.channels());
  if (chunkFrames == 0) return;
  uint64_t decoded = 0;
  while (decoded < kMaxFramesDecoded) {
    const uint64_t before = decoder.framePosition();
    const size_t frames =
        decoder.read(std::span(samples.data(), chunkFrames * size_t(decoder.channels())));
    if (frames > chunkFrames) std::abort();
    if (frames == 0) break;
    if (!decoder.failed() && decoder.framePosition() < before) std::abort();
    decoded += frames;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto decoder = audio::MusicDecoder::openMemory(std::span<const uint8_t>(data, size));
  if (decoder == nullptr) return 0;
  if (decoder->channels() < 1 || decoder->sampleRate() < 1) std::abort();
  decodeSome(*decoder);
  // Seeking lands sample-exactly or fails; either way decoding goes on without harm.
  const uint64_t target = decoder->totalFrames() / 2;
  if (decoder->seekFrame(target) && decoder->framePosition() != target) std::abort();
  decodeSome(*decoder);
  return 0;
}
