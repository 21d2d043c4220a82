// Any bytes as a WAV file: reading must never crash or read outside the input, and the
// samples it hands back must lie inside the input and pass every check the reader promises.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/platform/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto wav = sound::readWav(std::span<const uint8_t>(data, size));
  if (!wav) return 0;
  const sound::WavFormat& format = wav->format;
  if (format.formatTag != 1 || (format.channels != 1 && format.channels != 2)) std::abort();
  if (format.samplesPerSecond == 0 || format.blockAlign == 0 || format.bitsPerSample == 0) {
    std::abort();
  }
  if (wav->samples.empty() || wav->samples.data() < data ||
      wav->samples.data() + wav->samples.size() > data + size) {
    std::abort();
  }
  return 0;
}
