// Any bytes as a replay file: reading must never crash, hang or ask for a huge buffer, and a
// replay it accepts must read back the same when written again. "The same" is byte for byte,
// so a float is compared by its bits (-0 is not 0) and not by ==.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "game/simulation/replay_file.h"

namespace {

void readAndCheck(std::span<const uint8_t> bytes) {
  const replay::ReplayReadResult read = replay::parseReplay(bytes);
  if (read.replay.has_value() == !read.error.empty()) std::abort();
  if (!read.replay) return;
  if (read.replay->header.tickCount != read.replay->ticks.size()) std::abort();
  const std::vector<uint8_t> written = replay::serializeReplay(*read.replay);
  const replay::ReplayReadResult reread = replay::parseReplay(written);
  if (!reread.replay || replay::serializeReplay(*reread.replay) != written) std::abort();
}

}  // namespace

// A mutation almost never keeps the check sum right, so the input is read a second time with
// its last four bytes made the check sum of the rest: the header's and the body's checks are
// then reached as often as the framing's.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  readAndCheck(std::span(data, size));
  if (size < 4) return 0;
  std::vector<uint8_t> resealed(data, data + size);
  const uint32_t crc = uint32_t(crc32_z(0, resealed.data(), size - 4));
  for (size_t i = 0; i < 4; ++i) resealed[size - 4 + i] = uint8_t(crc >> (8 * i));
  readAndCheck(resealed);
  return 0;
}
