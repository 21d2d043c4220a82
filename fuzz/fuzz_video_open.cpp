// Any bytes as the intro's AVI file: opening and decoding must never crash or hang, and what
// opens must describe a playable video. Decoding stops after a few frames, since a tiny file
// may legally hold thousands of them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/platform/video_decoder.h"

namespace {

constexpr uint32_t kMaxFramesDecoded = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string reason;
  const auto decoder = video::VideoDecoder::openMemory(
      std::string(reinterpret_cast<const char*>(data), size), reason);
  if (decoder == nullptr) {
    if (reason.empty()) std::abort();
    return 0;
  }
  const video::VideoFormat& format = decoder->format();
  if (format.width < 1 || format.height < 1 || format.frameCount < 1 ||
      format.frameCount > video::kMaxFrames || format.frameTimeMs < 1)
    std::abort();
  volatile uint32_t sum = 0;
  const size_t rowBytes = size_t(format.width) * 3;
  for (uint32_t index = 0; index < format.frameCount && index < kMaxFramesDecoded; ++index) {
    const uint8_t* rows = decoder->decodeFrame(index);
    if (rows == nullptr) break;
    // Touches the first and the last byte of the picture, so a short buffer shows.
    sum = sum + rows[0] + rows[rowBytes * format.height - 1];
  }
  // Going back to the start decodes again from the first packet.
  decoder->decodeFrame(0);
  if (decoder->decodeFrame(format.frameCount) != nullptr) std::abort();
  return 0;
}
