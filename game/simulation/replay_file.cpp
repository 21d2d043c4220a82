#include "game/simulation/replay_file.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>
#include <string_view>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/regular_file.h"
#include "game/simulation/simulation.h"

namespace replay {
namespace {

constexpr char kMagic[4] = {'V', 'R', 'E', 'P'};
constexpr uint16_t kFlagCompressed = 1;
constexpr uint16_t kFlagReducedMotion = 2;
constexpr uint16_t kKnownFlags = kFlagCompressed | kFlagReducedMotion;
// deflate packs at best 1032 to 1, so a body claiming more was never written by zlib; the
// check keeps a few damaged bytes from asking for a large buffer.
constexpr uint64_t kMaxPackRatio = 1032;

// Bits of a tick record's flags byte.
enum TickFlag : uint8_t {
  kLeft = 1,
  kRight = 2,
  kRestart = 4,
  kStepFollows = 8,
  kMouseTurnFollows = 16,
  kConsoleLinesFollow = 32,
  kTurnNotTaken = 64,
  kMoreFlagsFollow = 128,
};
// Bits of the second flags byte, there when kMoreFlagsFollow is set.
enum MoreTickFlag : uint8_t {
  kPaused = 1,
  kClockStepFollows = 2,
  kStickTurnFollows = 4,
  kKnownMoreTickFlags = 7,
};

// What a tick record leaves out because it is the same as the tick before.
struct Previous {
  uint32_t stepBits = 0;
  uint32_t clockStepMs = 0;
  uint32_t stickBits = 0;  // of 0.0f
};

// A string is its length (16 bits) and its bytes.
void writeText(ByteWriter& w, std::string_view text) {
  w.u16(static_cast<uint16_t>(text.size()));
  w.append(text);
}

std::string readText(ByteReader& r) {
  const uint16_t length = r.u16();
  return r.text(length);
}

void writeHeader(ByteWriter& w, const ReplayHeader& h) {
  writeText(w, h.gameVersion);
  writeText(w, h.levelFile);
  w.u64(h.levelHash);
  w.u64(h.seed);
  w.u32(static_cast<uint32_t>(h.viewWidth));
  w.u32(static_cast<uint32_t>(h.viewHeight));
  w.u32(h.tickCount);
  w.u64(h.finalStateHash);
  w.u8(h.score.won ? 1 : 0);
  w.u32(h.score.levelClockMs);
  w.u32(h.score.timeScore);
  w.u32(h.score.waterScore);
  w.u32(h.score.score);
}

void writeTick(ByteWriter& w, const ReplayTick& tick, const Previous& previous) {
  const bool stepChanged = tick.stepBits != previous.stepBits;
  const uint32_t stickBits = std::bit_cast<uint32_t>(tick.stickTurn);
  const uint8_t more = uint8_t((tick.paused ? kPaused : 0) |
                               (tick.clockStepMs != previous.clockStepMs ? kClockStepFollows : 0) |
                               (stickBits != previous.stickBits ? kStickTurnFollows : 0));
  w.u8(uint8_t((tick.left ? kLeft : 0) | (tick.right ? kRight : 0) | (tick.restart ? kRestart : 0) |
               (stepChanged ? kStepFollows : 0) | (tick.mouseTurn != 0 ? kMouseTurnFollows : 0) |
               (tick.consoleLines.empty() ? 0 : kConsoleLinesFollow) |
               (tick.turnTaken ? 0 : kTurnNotTaken) | (more != 0 ? kMoreFlagsFollow : 0)));
  if (more != 0) w.u8(more);
  if (more & kClockStepFollows) w.u32(tick.clockStepMs);
  if (more & kStickTurnFollows) w.u32(stickBits);
  if (stepChanged) w.u32(tick.stepBits);
  if (tick.mouseTurn != 0) w.u32(static_cast<uint32_t>(tick.mouseTurn));
  if (tick.consoleLines.empty()) return;
  assert(tick.consoleLines.size() <= kMaxConsoleLinesPerTick);
  w.u16(static_cast<uint16_t>(tick.consoleLines.size()));
  for (const std::string& line : tick.consoleLines) {
    assert(line.size() <= kMaxConsoleLineBytes);
    writeText(w, line);
  }
}

std::vector<uint8_t> encodeTicks(const std::vector<ReplayTick>& ticks) {
  ByteWriter w;
  Previous previous;
  for (const ReplayTick& tick : ticks) {
    writeTick(w, tick, previous);
    previous = {tick.stepBits, tick.clockStepMs, std::bit_cast<uint32_t>(tick.stickTurn)};
  }
  return w.take();
}

// The deflated body, or nothing when deflate would not make it smaller.
std::optional<std::vector<uint8_t>> deflated(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), uLong(raw.size()), Z_DEFAULT_COMPRESSION) !=
          Z_OK ||
      size >= raw.size()) {
    return std::nullopt;
  }
  packed.resize(size);
  return packed;
}

uint32_t crcOf(std::span<const uint8_t> bytes) {
  return uint32_t(crc32_z(0, bytes.data(), bytes.size()));
}

// What the reader learns before it trusts the body: the header and where the body lies.
struct Framing {
  uint16_t flags = 0;
  ReplayHeader header;
  uint8_t won = 0;
  uint32_t rawLength = 0;
  uint32_t storedLength = 0;
  size_t bodyStart = 0;
};

std::string readHeader(ByteReader& r, Framing& f) {
  ReplayHeader& h = f.header;
  h.gameVersion = readText(r);
  h.levelFile = readText(r);
  h.levelHash = r.u64();
  h.seed = r.u64();
  h.viewWidth = static_cast<int32_t>(r.u32());
  h.viewHeight = static_cast<int32_t>(r.u32());
  h.tickCount = r.u32();
  h.finalStateHash = r.u64();
  f.won = r.u8();
  h.score.levelClockMs = r.u32();
  h.score.timeScore = r.u32();
  h.score.waterScore = r.u32();
  h.score.score = r.u32();
  f.rawLength = r.u32();
  f.storedLength = r.u32();
  f.bodyStart = r.position();
  return r.failed() ? "cut short" : "";
}

// The magic, the version and the header; then the body's and the check sum's place must
// be exactly the rest of the file, and the check sum must match.
std::string readFraming(std::span<const uint8_t> bytes, Framing& f) {
  if (bytes.empty()) return "not a replay";
  const size_t magicBytes = std::min(bytes.size(), sizeof kMagic);
  if (std::memcmp(bytes.data(), kMagic, magicBytes) != 0) return "not a replay";
  ByteReader r(bytes.subspan(magicBytes));
  const uint16_t version = r.u16();
  f.flags = r.u16();
  if (r.failed() || magicBytes < sizeof kMagic) return "cut short";
  if (version > kFormatVersion) {
    return "made by a newer version of the game (format " + std::to_string(version) + ")";
  }
  if (version == 0) return "damaged: there is no format 0";
  if (std::string error = readHeader(r, f); !error.empty()) return error;
  f.bodyStart += magicBytes;
  const uint64_t end = uint64_t(f.bodyStart) + f.storedLength + 4;
  if (bytes.size() < end) return "cut short";
  if (bytes.size() > end) return "damaged: bytes follow the check sum";
  const auto covered = bytes.first(size_t(end - 4));
  ByteReader crc(bytes.last(4));
  if (crc.u32() != crcOf(covered)) return "damaged: the check sum does not match";
  return "";
}

// The header's fields that only a damaged file gets wrong.
std::string checkHeader(const Framing& f) {
  if (f.flags & ~kKnownFlags) return "damaged: unknown flags";
  if (f.header.gameVersion.size() > kMaxGameVersionBytes)
    return "damaged: the game version is too long";
  if (f.header.levelFile.size() > kMaxLevelFileBytes)
    return "damaged: the level's name is too long";
  if (f.won > 1) return "damaged: the win is neither yes nor no";
  if (f.header.tickCount > kMaxTicks) return "damaged: more ticks than a replay holds";
  if (f.header.tickCount > f.rawLength) return "damaged: more ticks than the body has bytes";
  if (f.rawLength > kMaxBodyBytes) return "damaged: the body is too large";
  if (f.rawLength > uint64_t{f.header.tickCount} * kMaxTickRecordBytes + kMaxConsoleRecordBytes)
    return "damaged: the body is longer than its ticks can be";
  const bool compressed = f.flags & kFlagCompressed;
  if (!compressed && f.rawLength != f.storedLength) return "damaged: the body's lengths differ";
  if (compressed && f.rawLength > f.storedLength * kMaxPackRatio) {
    return "damaged: the body cannot unpack to its stated size";
  }
  return "";
}

// The tick records as written, or nothing when deflate's stream is damaged or does not
// unpack to exactly the stated length.
std::optional<std::vector<uint8_t>> unpackBody(std::span<const uint8_t> stored, const Framing& f) {
  if (!(f.flags & kFlagCompressed)) return std::vector<uint8_t>(stored.begin(), stored.end());
  std::vector<uint8_t> raw(f.rawLength);
  uLongf rawSize = f.rawLength;
  uLong storedSize = uLong(stored.size());
  if (uncompress2(raw.data(), &rawSize, stored.data(), &storedSize) != Z_OK ||
      rawSize != f.rawLength || storedSize != stored.size()) {
    return std::nullopt;
  }
  return raw;
}

// The console lines read so far in the whole body.
struct ConsoleTotals {
  size_t lines = 0;
  size_t bytes = 0;
};

// Counted before anything is kept, so a body of empty lines can't grow past the limits.
std::string readConsoleLines(ByteReader& r, ReplayTick& tick, ConsoleTotals& totals) {
  const uint16_t count = r.u16();
  if (r.failed() || count == 0 || count > kMaxConsoleLinesPerTick) return "cannot be read";
  totals.lines += count;
  if (totals.lines > kMaxConsoleLines) return "takes the run past its console lines";
  tick.consoleLines.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    std::string line = readText(r);
    if (r.failed() || line.size() > kMaxConsoleLineBytes) return "cannot be read";
    totals.bytes += line.size();
    if (totals.bytes > kMaxConsoleBytes) return "takes the run past its console bytes";
    tick.consoleLines.push_back(std::move(line));
  }
  return "";
}

// A step is a tick's length; the controller's turn is within its range; the mouse turn is
// within a screen.
bool valuesInRange(const ReplayTick& tick) {
  const float step = std::bit_cast<float>(tick.stepBits);
  return step >= 0.0f && step <= simulation::kLongestTick && std::isfinite(tick.stickTurn) &&
         std::abs(tick.stickTurn) <= 1.0f && std::abs(int64_t{tick.mouseTurn}) <= kMaxMouseTurn;
}

// What is wrong with the tick record; "" when it reads.
std::string readTick(ByteReader& r, ReplayTick& tick, const Previous& previous,
                     ConsoleTotals& totals) {
  const uint8_t flags = r.u8();
  const uint8_t more = (flags & kMoreFlagsFollow) ? r.u8() : 0;
  if (r.failed() || (more & ~kKnownMoreTickFlags) || ((flags & kMoreFlagsFollow) && more == 0))
    return "cannot be read";
  tick.left = flags & kLeft;
  tick.right = flags & kRight;
  tick.restart = flags & kRestart;
  tick.turnTaken = !(flags & kTurnNotTaken);
  tick.paused = more & kPaused;
  tick.clockStepMs = (more & kClockStepFollows) ? r.u32() : previous.clockStepMs;
  tick.stickTurn = std::bit_cast<float>((more & kStickTurnFollows) ? r.u32() : previous.stickBits);
  tick.stepBits = (flags & kStepFollows) ? r.u32() : previous.stepBits;
  if (flags & kMouseTurnFollows) tick.mouseTurn = static_cast<int32_t>(r.u32());
  if (r.failed()) return "cannot be read";
  if (!valuesInRange(tick)) return "has a step or turn out of range";
  if (flags & kConsoleLinesFollow) return readConsoleLines(r, tick, totals);
  return "";
}

std::string readTicks(std::span<const uint8_t> raw, uint32_t tickCount,
                      std::vector<ReplayTick>& ticks) {
  ByteReader r(raw);
  ticks.reserve(tickCount);
  Previous previous;
  ConsoleTotals totals;
  while (!r.atEnd()) {
    if (ticks.size() == tickCount)
      return "damaged: the body holds more ticks than the header counts";
    ReplayTick& tick = ticks.emplace_back();
    if (std::string error = readTick(r, tick, previous, totals); !error.empty())
      return "damaged: tick " + std::to_string(ticks.size()) + " " + error;
    previous = {tick.stepBits, tick.clockStepMs, std::bit_cast<uint32_t>(tick.stickTurn)};
  }
  if (ticks.size() != tickCount)
    return "damaged: the body holds fewer ticks than the header counts";
  return "";
}

}  // namespace

std::vector<uint8_t> serializeReplay(const Replay& replay) {
  const ReplayHeader& header = replay.header;
  assert(header.tickCount == replay.ticks.size() && header.tickCount <= kMaxTicks);
  assert(header.gameVersion.size() <= kMaxGameVersionBytes);
  assert(header.levelFile.size() <= kMaxLevelFileBytes);
  const std::vector<uint8_t> raw = encodeTicks(replay.ticks);
  assert(raw.size() <= size_t{header.tickCount} * kMaxTickRecordBytes + kMaxConsoleRecordBytes);
  const auto packed = deflated(raw);
  const std::vector<uint8_t>& stored = packed ? *packed : raw;

  ByteWriter w;
  w.append(std::string_view(kMagic, sizeof kMagic));
  w.u16(kFormatVersion);
  w.u16(uint16_t((packed ? kFlagCompressed : 0) | (header.reducedMotion ? kFlagReducedMotion : 0)));
  writeHeader(w, header);
  w.u32(uint32_t(raw.size()));
  w.u32(uint32_t(stored.size()));
  w.append(stored);
  w.u32(crcOf(w.written()));
  return w.take();
}

ReplayReadResult parseReplay(std::span<const uint8_t> bytes) {
  Framing f;
  std::string error = readFraming(bytes, f);
  if (error.empty()) error = checkHeader(f);
  if (!error.empty()) return {std::nullopt, error};
  const auto raw = unpackBody(bytes.subspan(f.bodyStart, f.storedLength), f);
  if (!raw) return {std::nullopt, "damaged: the body does not unpack to its stated size"};
  Replay replay{f.header, {}};
  replay.header.score.won = f.won == 1;
  replay.header.reducedMotion = f.flags & kFlagReducedMotion;
  error = readTicks(*raw, f.header.tickCount, replay.ticks);
  if (!error.empty()) return {std::nullopt, error};
  return {std::move(replay), ""};
}

ReplayReadResult readReplayFile(const std::filesystem::path& file) {
  const FileContents contents = readRegularFile(file, kMaxBodyBytes + 4096);
  if (!contents.complete()) return {std::nullopt, "can't read the replay " + file.string()};
  const auto* bytes = reinterpret_cast<const uint8_t*>(contents.bytes.data());
  ReplayReadResult read = parseReplay(std::span(bytes, contents.bytes.size()));
  if (!read.replay) read.error = file.string() + ": " + read.error;
  return read;
}

}  // namespace replay
