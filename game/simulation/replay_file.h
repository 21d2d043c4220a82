#pragma once
// A replay file: what the simulation consumed on each tick of one run of a level, so the game
// or vmr_sim can feed the same tick the same input and reach the same state hash. The header
// says which game, level, seed and window made the run and how it ended; the body is one
// record per tick. Layout in docs/replay_format.md.
//
// The body is small because a tick record names only what differs from the tick before: a
// flags byte holds the two turning keys and the restart, and says whether a new step, a mouse
// turn or console lines follow. A held key at a steady step is one byte a tick, and zlib
// packs long runs of equal bytes to almost nothing. No window, sound or GL here.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace replay {

// Format 2 added the controller's turn and reduced motion; format 1 files read as runs
// without either.
inline constexpr uint16_t kFormatVersion = 2;
// Longer strings are refused by the reader and must not be given to the writer.
inline constexpr size_t kMaxGameVersionBytes = 64;
inline constexpr size_t kMaxLevelFileBytes = 1024;
// As long as the console's input line, which playback types each line into.
inline constexpr size_t kMaxConsoleLineBytes = 255;
// A script run from the console may type hundreds of lines before one tick.
inline constexpr size_t kMaxConsoleLinesPerTick = 1024;
// The console lines of the whole run, and their bytes. A player types a few dozen; even a
// script that builds a level line by line stays far below. They bound what the lines cost
// when read: an empty line is a string of 32 bytes, so the lines of the worst replay take a
// few megabytes. A recorder stops recording at either limit.
inline constexpr size_t kMaxConsoleLines = 16384;
inline constexpr size_t kMaxConsoleBytes = size_t{1} << 20;
// A replay is held whole in memory; this is nearly five hours at 60 ticks a second, and a
// recorder stops there.
inline constexpr uint32_t kMaxTicks = uint32_t{1} << 20;
// The longest tick record: two flags bytes, the clock step, the controller's turn, the step
// and the mouse turn, without console lines.
inline constexpr size_t kMaxTickRecordBytes = 18;
// The console lines' share of a body at most: each line's length, each tick's count (at most
// one tick per line) and the lines' bytes.
inline constexpr size_t kMaxConsoleRecordBytes = 4 * kMaxConsoleLines + kMaxConsoleBytes;
// The longest body the reader unpacks: every tick a replay holds at its longest, and every
// console line. An hour at 60 ticks a second is 216,000 ticks, a few hundred kilobytes even
// with the mouse turning all the while. A body is also refused when it is longer than its own
// tick count can need, so a short run can't claim a large body.
inline constexpr size_t kMaxBodyBytes = kMaxTicks * kMaxTickRecordBytes + kMaxConsoleRecordBytes;
// The pointer's offset from the window's middle, wider than any screen.
inline constexpr int32_t kMaxMouseTurn = 1 << 16;

// What the simulation consumed on one tick.
struct ReplayTick {
  uint32_t stepBits = 0;  // the tick's time step, the float's exact bits
  bool left = false;      // turning keys held as the camera read them
  bool right = false;
  int32_t mouseTurn = 0;  // the pointer's offset from the window's middle the camera read (0
                          // when not taken)
  float stickTurn = 0.0f;  // the controller's turn, -1 (full right) to 1 (full left)
  bool restart = false;   // the level was restarted just before this tick
  std::vector<std::string> consoleLines;  // lines typed into the console just before this
                                          // tick that change the world
  bool turnTaken = true;  // the camera took the turn input (not while the console is open)
  bool paused = false;    // the game was paused: the world stood still, the view could turn
  uint32_t clockStepMs = 0;  // how far the run-time clock that the level clock reads moved on
  friend bool operator==(const ReplayTick&, const ReplayTick&) = default;
};

struct ScoreParts {
  bool won = false;
  uint32_t levelClockMs = 0;
  uint32_t timeScore = 0;
  uint32_t waterScore = 0;
  uint32_t score = 0;
  friend bool operator==(const ScoreParts&, const ScoreParts&) = default;
};

struct ReplayHeader {
  std::string gameVersion;  // e.g. "1.03"
  std::string levelFile;    // the data path the game loaded, e.g. "lev\\01_first_turn.swah"
  uint64_t levelHash = 0;   // FNV-1a 64 over the level file's bytes
  uint64_t seed = 0;  // where the random source stood as the run began (rng::restore)
  int32_t viewWidth = 0, viewHeight = 0;  // the window's client size: the view decides what
                                          // the camera keeps
  bool reducedMotion = false;             // the camera neither shook nor flew in
  uint32_t tickCount = 0;                 // equals ticks.size()
  uint64_t finalStateHash = 0;
  ScoreParts score;
  friend bool operator==(const ReplayHeader&, const ReplayHeader&) = default;
};

struct Replay {
  ReplayHeader header;
  std::vector<ReplayTick> ticks;
  friend bool operator==(const Replay&, const Replay&) = default;
};

// The file's bytes. The header's tickCount must equal ticks.size(), and each string and each
// tick's console lines must be within the limits above; a run past the whole run's limits or
// with values out of range is written as it is, and refused by the reader.
std::vector<uint8_t> serializeReplay(const Replay& replay);

// The replay in `bytes`, or a clear one-line reason it is refused ("not a replay", "made by a
// newer version of the game (format 2)", "damaged: the check sum does not match", "cut
// short", ...).
struct ReplayReadResult {
  std::optional<Replay> replay;
  std::string error;
};
ReplayReadResult parseReplay(std::span<const uint8_t> bytes);
// The replay in the regular file `file`, or why not ("can't read the replay FILE", or
// "FILE: " and the reason it is refused).
ReplayReadResult readReplayFile(const std::filesystem::path& file);

}  // namespace replay
