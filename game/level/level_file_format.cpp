#include "game/level/level_file_format.h"

#include <bit>
#include <cstring>

namespace level_file {
namespace {

constexpr std::string_view kUnableToRead = "Unable to read file";

// Reads little-endian fields from the file's bytes. A short read sets `failed` and yields
// zeros, so a record reader can read a run of fields and test once; the parser still
// stops at the first field that came short, as every check happens right after its read.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool failed() const { return failed_; }
  size_t remaining() const { return bytes_.size() - position_; }

  uint32_t u32() {
    uint8_t b[4] = {};
    take(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  float f32() { return std::bit_cast<float>(u32()); }
  uint8_t u8() {
    uint8_t b = 0;
    take(&b, 1);
    return b;
  }
  IntPoint point() {
    const int32_t x = i32();
    return {x, i32()};
  }
  std::string bytes(uint32_t count) {
    if (count > remaining()) {
      failed_ = true;
      return {};
    }
    std::string text(reinterpret_cast<const char*>(bytes_.data() + position_), count);
    position_ += count;
    return text;
  }
  // A block of fixed-size records read in one go; empty when the file is short.
  std::span<const uint8_t> block(size_t count) {
    if (count > remaining()) {
      failed_ = true;
      return {};
    }
    const auto start = bytes_.subspan(position_, count);
    position_ += count;
    return start;
  }

 private:
  void take(uint8_t* out, size_t count) {
    if (failed_ || count > remaining()) {
      failed_ = true;
      return;
    }
    std::memcpy(out, bytes_.data() + position_, count);
    position_ += count;
  }

  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  bool failed_ = false;
};

// One parse of one file; each section reader returns the reason that stopped it, if any.
class Parser {
 public:
  Parser(std::span<const uint8_t> bytes, LevelFileSink& sink) : in_(bytes), sink_(sink) {}

  std::optional<ParseError> run() {
    if (auto error = header()) return error;
    for (auto section : {&Parser::polygons, &Parser::objects, &Parser::forces, &Parser::movers,
                         &Parser::triggers, &Parser::soundSources, &Parser::emitters}) {
      if (auto reason = (this->*section)()) return ParseError{*reason, std::nullopt};
    }
    StartPositions start;
    start.waterStart = in_.point();
    start.cameraStart = in_.point();
    if (in_.failed()) return ParseError{kUnableToRead, std::nullopt};
    sink_.startPositions(start);
    return std::nullopt;
  }

 private:
  using Reason = std::optional<std::string_view>;

  std::optional<ParseError> header() {
    const uint32_t magic = in_.u32();
    if (in_.failed()) return ParseError{kUnableToRead, std::nullopt};
    if (magic != kMagic) return ParseError{"Not a VMR level file.", std::nullopt};
    const int32_t version = in_.i32();
    if (in_.failed()) return ParseError{kUnableToRead, std::nullopt};
    if (version != kVersion) return ParseError{"Invalid level file version.", version};
    return std::nullopt;
  }

  // Reads a section's count into `count`; the reason when it is short or too large.
  Reason sectionCount(uint32_t& count, std::string_view tooMany) {
    count = in_.u32();
    if (in_.failed()) return kUnableToRead;
    if (count > kMaxCount) return tooMany;
    return std::nullopt;
  }

  // A name's length, checked against `limit` (inclusive), then its bytes.
  Reason name(std::string& text, uint32_t limit, std::string_view tooLong) {
    const uint32_t length = in_.u32();
    if (in_.failed()) return kUnableToRead;
    if (length > limit) return tooLong;
    text = in_.bytes(length);
    if (in_.failed()) return kUnableToRead;
    return std::nullopt;
  }

  // Reads an i32 into `value` and checks it lies in [low, high].
  Reason rangedInt(int32_t& value, int32_t low, int32_t high, std::string_view invalid) {
    value = in_.i32();
    if (in_.failed()) return kUnableToRead;
    if (value < low || value > high) return invalid;
    return std::nullopt;
  }

  Reason polygons() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many polygons in level.")) return r;
    for (uint32_t i = 0; i < count; ++i) {
      PolygonRecord p;
      p.id = in_.u32();
      if (in_.failed()) return kUnableToRead;
      if (auto r = name(p.textureName, kMaxCount, "\nPolygon texture name too long.")) return r;
      if (auto r = rangedInt(p.surface, 1, 5, "Invalid surface type encountered.")) return r;
      p.mode = in_.u32();
      if (in_.failed()) return kUnableToRead;
      if (auto r = rangedInt(p.layer, 0, 4, "Invalid polygon layer.")) return r;
      const uint32_t pointCount = in_.u32();
      if (in_.failed()) return kUnableToRead;
      if (pointCount > kMaxCount) return "Too many polygon points.";
      if (auto r = points(p.points, pointCount)) return r;
      sink_.polygon(std::move(p));
    }
    return std::nullopt;
  }

  Reason points(std::vector<IntPoint>& points, uint32_t count) {
    const auto block = in_.block(size_t{count} * 8);
    if (in_.failed()) return kUnableToRead;
    ByteReader pointReader(block);
    points.resize(count);
    for (IntPoint& p : points) p = pointReader.point();
    return std::nullopt;
  }

  Reason objects() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many objects in level")) return r;
    for (uint32_t i = 0; i < count; ++i) {
      ObjectRecord o;
      o.id = in_.u32();
      if (in_.failed()) return kUnableToRead;
      if (auto r = name(o.textureName, kMaxCount - 1, "Object texture name too long.")) return r;
      if (auto r = rangedInt(o.layer, 0, 4, "Invalid polygon layer.")) return r;
      o.position = in_.point();
      o.mirrored = in_.u8();
      if (in_.failed()) return kUnableToRead;
      sink_.object(std::move(o));
    }
    return std::nullopt;
  }

  Reason forces() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many forces in level.")) return r;
    for (uint32_t i = 0; i < count; ++i) {
      ForceRecord f;
      f.id = in_.u32();
      f.position = in_.point();
      f.dirX = in_.f32();
      f.dirY = in_.f32();
      f.strength = in_.f32();
      if (in_.failed()) return kUnableToRead;
      sink_.force(f);
    }
    return std::nullopt;
  }

  Reason movers() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many movers in level.")) return r;
    ByteReader block(in_.block(size_t{count} * kMoverRecordSize));
    if (in_.failed()) return kUnableToRead;
    for (uint32_t i = 0; i < count; ++i) {
      MoverRecord m;
      m.id = block.u32();
      m.speed = block.f32();
      m.start = block.point();
      m.end = block.point();
      sink_.mover(m);
    }
    return std::nullopt;
  }

  Reason triggers() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many triggers in level.")) return r;
    ByteReader block(in_.block(size_t{count} * kTriggerRecordSize));
    if (in_.failed()) return kUnableToRead;
    for (uint32_t i = 0; i < count; ++i) {
      TriggerRecord t;
      t.targetId = block.u32();
      t.triggerType = block.u32();
      t.value = block.f32();
      for (IntPoint& corner : t.corners) corner = block.point();
      sink_.trigger(t);
    }
    return std::nullopt;
  }

  Reason soundSources() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many sounds in level.")) return r;
    for (uint32_t i = 0; i < count; ++i) {
      SoundSourceRecord s;
      s.id = in_.u32();
      s.position = in_.point();
      s.strength = in_.i32();
      if (in_.failed()) return kUnableToRead;
      if (s.strength < 0) return "Invalid sound source strenght.";
      s.looping = in_.u8();
      if (in_.failed()) return kUnableToRead;
      if (auto r = name(s.fileName, kMaxCount, "Sound source sound name too long.")) return r;
      sink_.soundSource(std::move(s));
    }
    return std::nullopt;
  }

  Reason emitters() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many emitters in level.")) return r;
    for (uint32_t i = 0; i < count; ++i) {
      EmitterRecord e;
      e.id = in_.u32();
      e.position = in_.point();
      e.dirX = in_.f32();
      e.dirY = in_.f32();
      if (in_.failed()) return kUnableToRead;
      if (auto r = name(e.settingsFileName, kMaxCount, "Emitter settings file name too long."))
        return r;
      sink_.emitter(std::move(e));
    }
    return std::nullopt;
  }

  ByteReader in_;
  LevelFileSink& sink_;
};

// Gathers every record into plain vectors.
class CollectingSink : public LevelFileSink {
 public:
  explicit CollectingSink(LevelFileContents& contents) : c_(contents) {}
  void polygon(PolygonRecord&& r) override { c_.polygons.push_back(std::move(r)); }
  void object(ObjectRecord&& r) override { c_.objects.push_back(std::move(r)); }
  void force(const ForceRecord& r) override { c_.forces.push_back(r); }
  void mover(const MoverRecord& r) override { c_.movers.push_back(r); }
  void trigger(const TriggerRecord& r) override { c_.triggers.push_back(r); }
  void soundSource(SoundSourceRecord&& r) override { c_.soundSources.push_back(std::move(r)); }
  void emitter(EmitterRecord&& r) override { c_.emitters.push_back(std::move(r)); }
  void startPositions(const StartPositions& s) override { c_.start = s; }

 private:
  LevelFileContents& c_;
};

class ByteWriter {
 public:
  void u32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out_.push_back(uint8_t(v >> shift));
  }
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void f32(float v) { u32(std::bit_cast<uint32_t>(v)); }
  void u8(uint8_t v) { out_.push_back(v); }
  void point(IntPoint p) {
    i32(p.x);
    i32(p.y);
  }
  void name(const std::string& text) {
    u32(static_cast<uint32_t>(text.size()));
    out_.insert(out_.end(), text.begin(), text.end());
  }
  void count(size_t n) { u32(static_cast<uint32_t>(n)); }
  std::vector<uint8_t> take() { return std::move(out_); }

 private:
  std::vector<uint8_t> out_;
};

void writeRecords(ByteWriter& w, const LevelFileContents& c) {
  w.count(c.polygons.size());
  for (const auto& p : c.polygons) {
    w.u32(p.id);
    w.name(p.textureName);
    w.i32(p.surface);
    w.u32(p.mode);
    w.i32(p.layer);
    w.count(p.points.size());
    for (IntPoint point : p.points) w.point(point);
  }
  w.count(c.objects.size());
  for (const auto& o : c.objects) {
    w.u32(o.id);
    w.name(o.textureName);
    w.i32(o.layer);
    w.point(o.position);
    w.u8(o.mirrored);
  }
  w.count(c.forces.size());
  for (const auto& f : c.forces) {
    w.u32(f.id);
    w.point(f.position);
    w.f32(f.dirX);
    w.f32(f.dirY);
    w.f32(f.strength);
  }
  w.count(c.movers.size());
  for (const auto& m : c.movers) {
    w.u32(m.id);
    w.f32(m.speed);
    w.point(m.start);
    w.point(m.end);
  }
  w.count(c.triggers.size());
  for (const auto& t : c.triggers) {
    w.u32(t.targetId);
    w.u32(t.triggerType);
    w.f32(t.value);
    for (IntPoint corner : t.corners) w.point(corner);
  }
  w.count(c.soundSources.size());
  for (const auto& s : c.soundSources) {
    w.u32(s.id);
    w.point(s.position);
    w.i32(s.strength);
    w.u8(s.looping);
    w.name(s.fileName);
  }
  w.count(c.emitters.size());
  for (const auto& e : c.emitters) {
    w.u32(e.id);
    w.point(e.position);
    w.f32(e.dirX);
    w.f32(e.dirY);
    w.name(e.settingsFileName);
  }
}

}  // namespace

std::optional<ParseError> parseLevelFile(std::span<const uint8_t> bytes, LevelFileSink& sink) {
  return Parser(bytes, sink).run();
}

ReadResult readLevelFile(std::span<const uint8_t> bytes) {
  ReadResult result;
  CollectingSink sink(result.contents);
  result.error = parseLevelFile(bytes, sink);
  if (result.error) result.contents = {};
  return result;
}

std::vector<uint8_t> writeLevelFile(const LevelFileContents& contents) {
  ByteWriter w;
  w.u32(kMagic);
  w.i32(kVersion);
  writeRecords(w, contents);
  w.point(contents.start.waterStart);
  w.point(contents.start.cameraStart);
  return w.take();
}

}  // namespace level_file
