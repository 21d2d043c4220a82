#include "game/level/level_file_format.h"

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace level_file {
namespace {

constexpr std::string_view kUnableToRead = "Unable to read file";

// x, then y.
IntPoint readPoint(ByteReader& in) {
  const int32_t x = in.i32();
  return {x, in.i32()};
}

// One parse of one file; each section reader returns the reason that stopped it, if any. It
// stops at the first field that came short, as every check happens right after its read.
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
    start.waterStart = readPoint(in_);
    start.cameraStart = readPoint(in_);
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
    text = in_.text(length);
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
    const auto block = in_.bytes(size_t{count} * 8);
    if (in_.failed()) return kUnableToRead;
    ByteReader pointReader(block);
    points.resize(count);
    for (IntPoint& p : points) p = readPoint(pointReader);
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
      o.position = readPoint(in_);
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
      f.position = readPoint(in_);
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
    ByteReader block(in_.bytes(size_t{count} * kMoverRecordSize));
    if (in_.failed()) return kUnableToRead;
    for (uint32_t i = 0; i < count; ++i) {
      MoverRecord m;
      m.id = block.u32();
      m.speed = block.f32();
      m.start = readPoint(block);
      m.end = readPoint(block);
      sink_.mover(m);
    }
    return std::nullopt;
  }

  Reason triggers() {
    uint32_t count = 0;
    if (auto r = sectionCount(count, "Too many triggers in level.")) return r;
    ByteReader block(in_.bytes(size_t{count} * kTriggerRecordSize));
    if (in_.failed()) return kUnableToRead;
    for (uint32_t i = 0; i < count; ++i) {
      TriggerRecord t;
      t.targetId = block.u32();
      t.triggerType = block.u32();
      t.value = block.f32();
      for (IntPoint& corner : t.corners) corner = readPoint(block);
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
      s.position = readPoint(in_);
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
      e.position = readPoint(in_);
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

void writePoint(ByteWriter& w, IntPoint p) {
  w.i32(p.x);
  w.i32(p.y);
}

// A name is its length (32 bits) and its bytes.
void writeName(ByteWriter& w, const std::string& text) {
  w.u32(static_cast<uint32_t>(text.size()));
  w.append(text);
}

void writeCount(ByteWriter& w, size_t count) {
  w.u32(static_cast<uint32_t>(count));
}

void writeRecords(ByteWriter& w, const LevelFileContents& c) {
  writeCount(w, c.polygons.size());
  for (const auto& p : c.polygons) {
    w.u32(p.id);
    writeName(w, p.textureName);
    w.i32(p.surface);
    w.u32(p.mode);
    w.i32(p.layer);
    writeCount(w, p.points.size());
    for (IntPoint point : p.points) writePoint(w, point);
  }
  writeCount(w, c.objects.size());
  for (const auto& o : c.objects) {
    w.u32(o.id);
    writeName(w, o.textureName);
    w.i32(o.layer);
    writePoint(w, o.position);
    w.u8(o.mirrored);
  }
  writeCount(w, c.forces.size());
  for (const auto& f : c.forces) {
    w.u32(f.id);
    writePoint(w, f.position);
    w.f32(f.dirX);
    w.f32(f.dirY);
    w.f32(f.strength);
  }
  writeCount(w, c.movers.size());
  for (const auto& m : c.movers) {
    w.u32(m.id);
    w.f32(m.speed);
    writePoint(w, m.start);
    writePoint(w, m.end);
  }
  writeCount(w, c.triggers.size());
  for (const auto& t : c.triggers) {
    w.u32(t.targetId);
    w.u32(t.triggerType);
    w.f32(t.value);
    for (IntPoint corner : t.corners) writePoint(w, corner);
  }
  writeCount(w, c.soundSources.size());
  for (const auto& s : c.soundSources) {
    w.u32(s.id);
    writePoint(w, s.position);
    w.i32(s.strength);
    w.u8(s.looping);
    writeName(w, s.fileName);
  }
  writeCount(w, c.emitters.size());
  for (const auto& e : c.emitters) {
    w.u32(e.id);
    writePoint(w, e.position);
    w.f32(e.dirX);
    w.f32(e.dirY);
    writeName(w, e.settingsFileName);
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
  writePoint(w, contents.start.waterStart);
  writePoint(w, contents.start.cameraStart);
  return w.take();
}

}  // namespace level_file
