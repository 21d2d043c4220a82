// The dumper lays the JSON out by hand: a JSON library would print each float as the double
// it widens to ("0.10000000149011612") and spread every point over four lines.

#include <utility>

#include "game/entities/trigger_type_names.h"
#include "tools/levelc/level_source.h"
#include "tools/levelc/source_values.h"

namespace level_source {
namespace {

using level_file::IntPoint;
using std::to_string;

std::string inQuotes(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string pointText(IntPoint p) {
  return "[" + to_string(p.x) + ", " + to_string(p.y) + "]";
}

std::string directionText(float x, float y) {
  return "[" + floatText(x) + ", " + floatText(y) + "]";
}

std::string flagText(uint8_t flag) {
  return flag == 0 ? "false" : flag == 1 ? "true" : to_string(flag);
}

std::string surfaceText(int32_t surface) {
  const auto name = surfaceName(surface);
  return name ? inQuotes(*name) : to_string(surface);
}

std::string modeText(uint32_t mode) {
  const auto name = modeName(mode);
  return name ? inQuotes(*name) : to_string(mode);
}

// Unknown types are written signed, the way the game numbers its types.
std::string triggerTypeText(uint32_t type) {
  const auto name = triggerTypeName(static_cast<int32_t>(type));
  return name ? inQuotes(*name) : to_string(static_cast<int32_t>(type));
}

std::string indent(int depth) {
  return std::string(size_t(depth) * 2, ' ');
}

// `items` one per line one level deeper than `depth`; "[]" when there are none.
std::string arrayText(const std::vector<std::string>& items, int depth) {
  if (items.empty()) return "[]";
  std::string text = "[\n";
  for (size_t i = 0; i < items.size(); ++i) {
    text += indent(depth + 1) + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
  }
  return text + indent(depth) + "]";
}

using Members = std::vector<std::pair<std::string_view, std::string>>;

// Each value must already be laid out for one level deeper than `depth`.
std::string objectText(const Members& members, int depth) {
  std::string text = "{\n";
  for (size_t i = 0; i < members.size(); ++i) {
    text += indent(depth + 1) + inQuotes(members[i].first) + ": " + members[i].second +
            (i + 1 < members.size() ? ",\n" : "\n");
  }
  return text + indent(depth) + "}";
}

std::string pointsText(std::span<const IntPoint> points, int depth) {
  std::vector<std::string> items;
  for (const IntPoint p : points) items.push_back(pointText(p));
  return arrayText(items, depth);
}

std::string polygonText(const level_file::PolygonRecord& p, int depth) {
  return objectText({{"id", to_string(p.id)},
                     {"texture", latin1JsonString(p.textureName)},
                     {"surface", surfaceText(p.surface)},
                     {"mode", modeText(p.mode)},
                     {"layer", to_string(p.layer)},
                     {"points", pointsText(p.points, depth + 1)}},
                    depth);
}

std::string objectRecordText(const level_file::ObjectRecord& o, int depth) {
  return objectText({{"id", to_string(o.id)},
                     {"texture", latin1JsonString(o.textureName)},
                     {"layer", to_string(o.layer)},
                     {"position", pointText(o.position)},
                     {"mirrored", flagText(o.mirrored)}},
                    depth);
}

std::string forceText(const level_file::ForceRecord& f, int depth) {
  return objectText({{"id", to_string(f.id)},
                     {"position", pointText(f.position)},
                     {"direction", directionText(f.dirX, f.dirY)},
                     {"strength", floatText(f.strength)}},
                    depth);
}

std::string moverText(const level_file::MoverRecord& m, int depth) {
  return objectText({{"id", to_string(m.id)},
                     {"speed", floatText(m.speed)},
                     {"start", pointText(m.start)},
                     {"end", pointText(m.end)}},
                    depth);
}

std::string triggerText(const level_file::TriggerRecord& t, int depth) {
  return objectText({{"type", triggerTypeText(t.triggerType)},
                     {"targetId", to_string(t.targetId)},
                     {"value", floatText(t.value)},
                     {"corners", pointsText(t.corners, depth + 1)}},
                    depth);
}

std::string soundSourceText(const level_file::SoundSourceRecord& s, int depth) {
  return objectText({{"id", to_string(s.id)},
                     {"position", pointText(s.position)},
                     {"strength", to_string(s.strength)},
                     {"looping", flagText(s.looping)},
                     {"file", latin1JsonString(s.fileName)}},
                    depth);
}

std::string emitterText(const level_file::EmitterRecord& e, int depth) {
  return objectText({{"id", to_string(e.id)},
                     {"position", pointText(e.position)},
                     {"direction", directionText(e.dirX, e.dirY)},
                     {"settings", latin1JsonString(e.settingsFileName)}},
                    depth);
}

template <typename Record>
std::string sectionText(const std::vector<Record>& records,
                        std::string (*recordText)(const Record&, int), int depth) {
  std::vector<std::string> items;
  for (const Record& record : records) items.push_back(recordText(record, depth + 1));
  return arrayText(items, depth);
}

}  // namespace

std::string dumpLevelSource(const level_file::LevelFileContents& c) {
  // The start positions lead: they tell a reader where to look before the long outlines.
  return objectText({{"waterStart", pointText(c.start.waterStart)},
                     {"cameraStart", pointText(c.start.cameraStart)},
                     {"polygons", sectionText(c.polygons, polygonText, 1)},
                     {"objects", sectionText(c.objects, objectRecordText, 1)},
                     {"forces", sectionText(c.forces, forceText, 1)},
                     {"movers", sectionText(c.movers, moverText, 1)},
                     {"triggers", sectionText(c.triggers, triggerText, 1)},
                     {"soundSources", sectionText(c.soundSources, soundSourceText, 1)},
                     {"emitters", sectionText(c.emitters, emitterText, 1)}},
                    0) +
         "\n";
}

}  // namespace level_source
