#pragma once
// The byte layout of a level file (".swah"): little-endian 32-bit integers and floats, no
// padding, length-prefixed 8-bit names, one counted section per record kind and the two
// start positions last. The parser checks every field right after reading it and hands
// each record to a sink as soon as it is complete, so the game can build its objects while
// reading and a tool can merely collect them. Nothing here prints.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace level_file {

constexpr uint32_t kMagic = 0x008F1397;
constexpr int32_t kVersion = 12;
// Counts, point counts and name lengths above this are refused.
constexpr uint32_t kMaxCount = 65535;
// The longest level file anything reads. Levels are drawn by hand and ours take a few
// kilobytes; 64 MiB holds millions of polygon points, far beyond anything playable, and still
// reads in a moment, so a longer file is refused rather than read into memory.
constexpr size_t kMaxFileBytes = size_t{64} << 20;
constexpr uint32_t kMoverRecordSize = 24;
constexpr uint32_t kTriggerRecordSize = 44;

struct IntPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

struct PolygonRecord {
  uint32_t id = 0;
  std::string textureName;
  int32_t surface = 1;  // 1 metal, 2 wood, 3 stone, 4 cloth, 5 sand
  uint32_t mode = 0;    // 0 solid and visible, 1 visible, 2 solid, 3 cutter; others mean 0
  int32_t layer = 0;    // 0..4
  std::vector<IntPoint> points;
  friend bool operator==(const PolygonRecord&, const PolygonRecord&) = default;
};

struct ObjectRecord {
  uint32_t id = 0;
  std::string textureName;
  int32_t layer = 0;
  IntPoint position;
  uint8_t mirrored = 0;
  friend bool operator==(const ObjectRecord&, const ObjectRecord&) = default;
};

struct ForceRecord {
  uint32_t id = 0;
  IntPoint position;
  float dirX = 0.0f;
  float dirY = 0.0f;
  float strength = 0.0f;  // the game multiplies it by 10
  friend bool operator==(const ForceRecord&, const ForceRecord&) = default;
};

struct MoverRecord {
  uint32_t id = 0;
  float speed = 0.0f;
  IntPoint start;
  IntPoint end;
  friend bool operator==(const MoverRecord&, const MoverRecord&) = default;
};

struct TriggerRecord {
  uint32_t targetId = 0;
  uint32_t triggerType = 0;
  float value = 0.0f;
  IntPoint corners[4];
  friend bool operator==(const TriggerRecord&, const TriggerRecord&) = default;
};

struct SoundSourceRecord {
  uint32_t id = 0;
  IntPoint position;
  int32_t strength = 0;  // audible range, never negative
  uint8_t looping = 0;
  std::string fileName;
  friend bool operator==(const SoundSourceRecord&, const SoundSourceRecord&) = default;
};

struct EmitterRecord {
  uint32_t id = 0;
  IntPoint position;
  float dirX = 0.0f;
  float dirY = 0.0f;
  std::string settingsFileName;
  friend bool operator==(const EmitterRecord&, const EmitterRecord&) = default;
};

struct StartPositions {
  IntPoint waterStart;
  IntPoint cameraStart;
  friend bool operator==(const StartPositions&, const StartPositions&) = default;
};

// Receives the records in file order, each right after its last field passed its check.
class LevelFileSink {
 public:
  virtual ~LevelFileSink() = default;
  virtual void polygon(PolygonRecord&& record) = 0;
  virtual void object(ObjectRecord&& record) = 0;
  virtual void force(const ForceRecord& record) = 0;
  virtual void mover(const MoverRecord& record) = 0;
  virtual void trigger(const TriggerRecord& record) = 0;
  virtual void soundSource(SoundSourceRecord&& record) = 0;
  virtual void emitter(EmitterRecord&& record) = 0;
  virtual void startPositions(const StartPositions& positions) = 0;
};

// Why a file was refused: the reason text the game prints, and the version read when the
// version was the problem.
struct ParseError {
  std::string_view reason;
  std::optional<int32_t> version;
};

// Reads `bytes` as a level file into `sink`; nullopt when the whole file was read and
// checked. Bytes after the start positions are ignored.
std::optional<ParseError> parseLevelFile(std::span<const uint8_t> bytes, LevelFileSink& sink);

// A whole level file as plain records: what the compiler writes and the dumper reads.
struct LevelFileContents {
  std::vector<PolygonRecord> polygons;
  std::vector<ObjectRecord> objects;
  std::vector<ForceRecord> forces;
  std::vector<MoverRecord> movers;
  std::vector<TriggerRecord> triggers;
  std::vector<SoundSourceRecord> soundSources;
  std::vector<EmitterRecord> emitters;
  StartPositions start;
  friend bool operator==(const LevelFileContents&, const LevelFileContents&) = default;
};

// Collects a whole file; on failure the error and nothing else.
struct ReadResult {
  LevelFileContents contents;
  std::optional<ParseError> error;
};
ReadResult readLevelFile(std::span<const uint8_t> bytes);

// The file's bytes for `contents`. Counts and lengths are written as they are; a caller
// that wants a file the game accepts checks the limits first.
std::vector<uint8_t> writeLevelFile(const LevelFileContents& contents);

}  // namespace level_file
