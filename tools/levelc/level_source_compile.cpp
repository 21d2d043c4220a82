// The compiler reads the JSON tree top down and checks each value as it takes it, in the
// order of the level file, so the first problem found is the one reported. Every reader
// knows where it is ("polygons[3].points") and puts that in front of its message.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

#include "game/entities/trigger_type_names.h"
#include "game/level/geometry.h"
#include "tools/levelc/duplicate_fields.h"
#include "tools/levelc/level_source.h"
#include "tools/levelc/source_values.h"

namespace level_source {
namespace {

using level_file::IntPoint;
using level_file::kMaxCount;
using nlohmann::json;

// Ends the compile at the first problem; caught in compileLevelSource.
struct SourceError {
  std::string message;
};

[[noreturn]] void fail(const std::string& where, const std::string& problem) {
  throw SourceError{where + ": " + problem};
}

// The value as the source spelled it, cut short for a message.
std::string shown(const json& value) {
  std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
  if (text.size() <= 40) return text;
  size_t cut = 37;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut) + "...";
}

[[noreturn]] void expected(const std::string& where, const std::string& what, const json& got) {
  fail(where, "expected " + what + ", got " + shown(got));
}

std::string inQuotes(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The value when it is a whole number in [low, high]; a whole-valued float such as 3.0
// counts too.
std::optional<int64_t> wholeNumber(const json& value, int64_t low, int64_t high) {
  int64_t n = 0;
  if (value.is_number_unsigned()) {
    const auto u = value.get<uint64_t>();
    if (high < 0 || u > uint64_t(high)) return std::nullopt;
    n = int64_t(u);
  } else if (value.is_number_integer()) {
    n = value.get<int64_t>();
  } else if (value.is_number_float()) {
    const double d = value.get<double>();
    if (d != std::trunc(d) || std::fabs(d) > 1e18) return std::nullopt;
    n = int64_t(d);
  } else {
    return std::nullopt;
  }
  if (n < low || n > high) return std::nullopt;
  return n;
}

int64_t readWhole(const json& value, const std::string& where, int64_t low, int64_t high) {
  const auto n = wholeNumber(value, low, high);
  if (!n) {
    expected(where, "a whole number from " + std::to_string(low) + " to " + std::to_string(high),
             value);
  }
  return *n;
}

uint32_t readId(const json& value, const std::string& where) {
  return uint32_t(readWhole(value, where, 0, std::numeric_limits<uint32_t>::max()));
}

int32_t readLayer(const json& value, const std::string& where) {
  return int32_t(readWhole(value, where, 0, 4));
}

int32_t readStrength(const json& value, const std::string& where) {
  return int32_t(readWhole(value, where, 0, std::numeric_limits<int32_t>::max()));
}

IntPoint readPoint(const json& value, const std::string& where) {
  constexpr int64_t low = std::numeric_limits<int32_t>::min();
  constexpr int64_t high = std::numeric_limits<int32_t>::max();
  if (value.is_array() && value.size() == 2) {
    const auto x = wholeNumber(value[0], low, high);
    const auto y = wholeNumber(value[1], low, high);
    if (x && y) return {int32_t(*x), int32_t(*y)};
  }
  expected(where, "a point [x, y] of whole numbers from -2147483648 to 2147483647", value);
}

float readFloat(const json& value, const std::string& where) {
  if (const auto f = floatFromJson(value)) return *f;
  if (value.is_number()) {
    fail(where, shown(value) + " is beyond the float range; an infinity is written \"0x7F800000\"");
  }
  expected(where, "a number or a bit pattern such as \"0x7FC00000\"", value);
}

struct Direction {
  float x = 0.0f;
  float y = 0.0f;
};

Direction readDirection(const json& value, const std::string& where) {
  if (!value.is_array() || value.size() != 2) expected(where, "a direction [x, y]", value);
  return {readFloat(value[0], where + "[0]"), readFloat(value[1], where + "[1]")};
}

// 0 and 1 are the usual values of the file's byte flags, written true and false.
uint8_t readFlag(const json& value, const std::string& where) {
  if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
  if (const auto n = wholeNumber(value, 0, 255)) return uint8_t(*n);
  expected(where, "true, false or a whole number from 0 to 255", value);
}

int32_t readSurface(const json& value, const std::string& where) {
  if (value.is_string()) {
    if (const auto s = surfaceFromName(value.get_ref<const std::string&>())) return *s;
    fail(where, "unknown surface " + shown(value) +
                    "; surfaces are metal, wood, stone, cloth "
                    "and sand");
  }
  if (const auto n = wholeNumber(value, 1, 5)) return int32_t(*n);
  expected(where, "a surface name or a whole number from 1 to 5", value);
}

uint32_t readMode(const json& value, const std::string& where) {
  if (value.is_string()) {
    if (const auto m = modeFromName(value.get_ref<const std::string&>())) return *m;
    fail(where, "unknown mode " + shown(value) +
                    "; modes are solid, decoration, hidden and "
                    "cutter");
  }
  if (const auto n = wholeNumber(value, 0, std::numeric_limits<uint32_t>::max())) {
    return uint32_t(*n);
  }
  expected(where, "a mode name or a whole number from 0 to 4294967295", value);
}

// A type name, or its number: signed as the game's ids are, or as the file's u32.
uint32_t readTriggerType(const json& value, const std::string& where) {
  if (value.is_string()) {
    if (const auto id = triggerTypeId(value.get_ref<const std::string&>())) return uint32_t(*id);
    fail(where, "unknown trigger type " + shown(value));
  }
  const auto n =
      wholeNumber(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max());
  if (!n) expected(where, "a trigger type name or a whole number", value);
  return uint32_t(*n);
}

// Reads an 8-bit name of at most `limit` bytes.
auto nameReader(uint32_t limit) {
  return [limit](const json& value, const std::string& where) {
    if (!value.is_string()) expected(where, "a string", value);
    char32_t offending = 0;
    auto bytes = latin1FromUtf8(value.get_ref<const std::string&>(), offending);
    if (!bytes) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", unsigned(offending));
      fail(where, "character " + std::string(code) + " is above U+00FF; names are 8-bit");
    }
    if (bytes->size() > limit) {
      fail(where, "the name is " + std::to_string(bytes->size()) + " bytes long, at most " +
                      std::to_string(limit) + " are allowed");
    }
    return std::move(*bytes);
  };
}

const json& readArray(const json& value, const std::string& where) {
  if (!value.is_array()) expected(where, "an array", value);
  if (value.size() > kMaxCount) {
    fail(where, std::to_string(value.size()) + " entries, at most 65535 are allowed");
  }
  return value;
}

std::vector<IntPoint> readOutline(const json& value, const std::string& where) {
  std::vector<IntPoint> points;
  std::vector<float> xs;
  std::vector<float> ys;
  for (const json& point : readArray(value, where)) {
    points.push_back(readPoint(point, where + "[" + std::to_string(points.size()) + "]"));
    xs.push_back(float(points.back().x));
    ys.push_back(float(points.back().y));
  }
  if (points.size() < 3) {
    fail(where, "an outline needs at least 3 points, got " + std::to_string(points.size()));
  }
  if (crossesItself(xs, ys)) fail(where, "the outline crosses itself");
  return points;
}

using Corners = std::array<IntPoint, 4>;

Corners readCorners(const json& value, const std::string& where) {
  if (!value.is_array() || value.size() != 4) expected(where, "4 corners [[x, y], ...]", value);
  Corners corners;
  for (size_t i = 0; i < 4; ++i)
    corners[i] = readPoint(value[i], where + "[" + std::to_string(i) + "]");
  return corners;
}

// One object of the source. Every member must be one the entity knows, so a misspelt field
// is an error rather than a silent default.
class Fields {
 public:
  Fields(const json& value, std::string where, std::initializer_list<std::string_view> known)
      : object_(value), where_(std::move(where)) {
    if (!value.is_object()) expected(owner(), "an object", value);
    for (const auto& member : value.items()) {
      if (std::find(known.begin(), known.end(), member.key()) == known.end())
        fail(owner(), "unknown field " + inQuotes(member.key()));
    }
  }

  template <typename Reader,
            typename T = std::invoke_result_t<Reader, const json&, const std::string&>>
  T required(const std::string& key, Reader read) const {
    const auto found = object_.find(key);
    if (found == object_.end()) fail(owner(), "missing field " + inQuotes(key));
    return read(*found, at(key));
  }

  template <typename Reader,
            typename T = std::invoke_result_t<Reader, const json&, const std::string&>>
  T optional(const std::string& key, Reader read, std::type_identity_t<T> fallback) const {
    const auto found = object_.find(key);
    return found == object_.end() ? fallback : read(*found, at(key));
  }

 private:
  // The top-level object is the level itself; its fields are named without a prefix.
  std::string owner() const { return where_.empty() ? "level" : where_; }
  std::string at(const std::string& key) const { return where_.empty() ? key : where_ + "." + key; }

  const json& object_;
  std::string where_;
};

level_file::PolygonRecord readPolygon(const json& value, const std::string& where) {
  const Fields f(value, where, {"id", "texture", "surface", "mode", "layer", "points"});
  level_file::PolygonRecord p;
  p.id = f.optional("id", readId, 0);
  p.textureName = f.optional("texture", nameReader(kMaxCount), "");
  p.surface = f.required("surface", readSurface);
  p.mode = f.optional("mode", readMode, 0);
  p.layer = f.required("layer", readLayer);
  p.points = f.required("points", readOutline);
  return p;
}

level_file::ObjectRecord readObject(const json& value, const std::string& where) {
  const Fields f(value, where, {"id", "texture", "layer", "position", "mirrored"});
  level_file::ObjectRecord o;
  o.id = f.optional("id", readId, 0);
  // The game allows object textures one byte less than every other name.
  o.textureName = f.required("texture", nameReader(kMaxCount - 1));
  o.layer = f.required("layer", readLayer);
  o.position = f.required("position", readPoint);
  o.mirrored = f.optional("mirrored", readFlag, 0);
  return o;
}

level_file::ForceRecord readForce(const json& value, const std::string& where) {
  const Fields f(value, where, {"id", "position", "direction", "strength"});
  level_file::ForceRecord r;
  r.id = f.optional("id", readId, 0);
  r.position = f.required("position", readPoint);
  const Direction direction = f.required("direction", readDirection);
  r.dirX = direction.x;
  r.dirY = direction.y;
  r.strength = f.required("strength", readFloat);
  return r;
}

level_file::MoverRecord readMover(const json& value, const std::string& where) {
  const Fields f(value, where, {"id", "speed", "start", "end"});
  level_file::MoverRecord m;
  m.id = f.required("id", readId);
  m.speed = f.required("speed", readFloat);
  m.start = f.required("start", readPoint);
  m.end = f.required("end", readPoint);
  return m;
}

level_file::TriggerRecord readTrigger(const json& value, const std::string& where) {
  const Fields f(value, where, {"type", "targetId", "value", "corners"});
  level_file::TriggerRecord t;
  t.triggerType = f.required("type", readTriggerType);
  t.targetId = f.optional("targetId", readId, 0);
  t.value = f.optional("value", readFloat, 0.0f);
  const Corners corners = f.required("corners", readCorners);
  std::copy(corners.begin(), corners.end(), t.corners);
  return t;
}

level_file::SoundSourceRecord readSoundSource(const json& value, const std::string& where) {
  const Fields f(value, where, {"id", "position", "strength", "looping", "file"});
  level_file::SoundSourceRecord s;
  s.id = f.optional("id", readId, 0);
  s.position = f.required("position", readPoint);
  s.strength = f.required("strength", readStrength);
  s.looping = f.optional("looping", readFlag, 0);
  s.fileName = f.required("file", nameReader(kMaxCount));
  return s;
}

level_file::EmitterRecord readEmitter(const json& value, const std::string& where) {
  const Fields f(value, where, {"id", "position", "direction", "settings"});
  level_file::EmitterRecord e;
  e.id = f.optional("id", readId, 0);
  e.position = f.required("position", readPoint);
  const Direction direction = f.required("direction", readDirection);
  e.dirX = direction.x;
  e.dirY = direction.y;
  e.settingsFileName = f.required("settings", nameReader(kMaxCount));
  return e;
}

// Reads a section: an array of at most 65535 records, each read by `readRecord`.
template <typename Record>
auto sectionReader(Record (*readRecord)(const json&, const std::string&)) {
  return [readRecord](const json& value, const std::string& where) {
    std::vector<Record> records;
    for (const json& entry : readArray(value, where)) {
      records.push_back(readRecord(entry, where + "[" + std::to_string(records.size()) + "]"));
    }
    return records;
  };
}

constexpr int64_t kLongestPar = 3600;  // an hour

std::string readIdea(const json& value, const std::string& where) {
  if (!value.is_string()) expected(where, "a string", value);
  return value.get<std::string>();
}

level_file::LevelFileContents readLevel(const json& root, LevelNotes& notes) {
  const Fields f(root, "",
                 {"waterStart", "cameraStart", "parTime", "idea", "polygons", "objects", "forces",
                  "movers", "triggers", "soundSources", "emitters"});
  notes.parSeconds = int32_t(f.optional(
      "parTime",
      [](const json& value, const std::string& where) {
        return readWhole(value, where, 1, kLongestPar);
      },
      int64_t(0)));
  notes.idea = f.optional("idea", readIdea, std::string());
  level_file::LevelFileContents c;
  c.polygons = f.optional("polygons", sectionReader(readPolygon), {});
  c.objects = f.optional("objects", sectionReader(readObject), {});
  c.forces = f.optional("forces", sectionReader(readForce), {});
  c.movers = f.optional("movers", sectionReader(readMover), {});
  c.triggers = f.optional("triggers", sectionReader(readTrigger), {});
  c.soundSources = f.optional("soundSources", sectionReader(readSoundSource), {});
  c.emitters = f.optional("emitters", sectionReader(readEmitter), {});
  c.start.waterStart = f.required("waterStart", readPoint);
  c.start.cameraStart = f.required("cameraStart", readPoint);
  return c;
}

// nlohmann's text without its "[json.exception.parse_error.101] " tag; it names the line
// and column.
std::string syntaxMessage(const json::parse_error& error) {
  const std::string_view text = error.what();
  const size_t tagEnd = text.find("] ");
  return std::string(tagEnd == std::string_view::npos ? text : text.substr(tagEnd + 2));
}

}  // namespace

CompileResult compileLevelSource(std::string_view jsonText) {
  CompileResult result;
  try {
    // Comments are allowed so that a level's author can explain its parts.
    const json root = json::parse(jsonText.begin(), jsonText.end(), nullptr, true, true);
    if (auto duplicate = duplicateFieldError(jsonText)) throw SourceError{std::move(*duplicate)};
    result.contents = readLevel(root, result.notes);
  } catch (const json::parse_error& error) {
    result.error = syntaxMessage(error);
  } catch (const SourceError& error) {
    result.error = error.message;
  }
  return result;
}

}  // namespace level_source
