// Any bytes as a replay file: reading must never crash, hang or ask for a huge buffer, and a
// replay it accepts must read back the same when written again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/core/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const replay::ReplayReadResult read = replay::parseReplay(std::span(data, size));
  if (read.replay.has_value() == !read.error.empty()) std::abort();
  if (!read.replay) return 0;
  if (read.replay->header.tickCount != read.replay->ticks.size()) std::abort();
  if (replay::parseReplay(replay::serializeReplay(*read.replay)).replay != read.replay) {
    std::abort();
  }
  return 0;
}
