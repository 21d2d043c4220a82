// Any bytes as a replay file: reading must never crash, hang or ask for a huge buffer, and a
// replay it accepts must read back the same when written again. "The same" is byte for byte,
// so a float is compared by its bits (-0 is not 0) and not by ==.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "game/core/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const replay::ReplayReadResult read = replay::parseReplay(std::span(data, size));
  if (read.replay.has_value() == !read.error.empty()) std::abort();
  if (!read.replay) return 0;
  if (read.replay->header.tickCount != read.replay->ticks.size()) std::abort();
  const std::vector<uint8_t> written = replay::serializeReplay(*read.replay);
  const replay::ReplayReadResult reread = replay::parseReplay(written);
  if (!reread.replay || replay::serializeReplay(*reread.replay) != written) std::abort();
  return 0;
}
