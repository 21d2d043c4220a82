#include "game/simulation/level_file.h"
#include "game/simulation/level_loading.h"

#include <optional>
#include <string>
#include <vector>

#include "common/data_path.h"
#include "common/regular_file.h"
#include "common/stopwatch.h"
#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/entities/sound_sources.h"
#include "game/entities/triggers.h"
#include "game/level/forces.h"
#include "game/level/level_data.h"
#include "game/level/level_file_format.h"
#include "game/platform/platform_services.h"
#include "game/water/fx_particles.h"

namespace level {
namespace {

using namespace level_file;

constexpr float kForceStrengthScale = 10.0f;

Vec2 toVec2(IntPoint p) {
  return {static_cast<float>(p.x), static_cast<float>(p.y)};
}

// Builds the game's objects from the records while the file is read: textures are looked
// up and emitter settings loaded as each record arrives, as the window keeps being pumped.
class LoadingSink : public LevelFileSink {
 public:
  void polygon(PolygonRecord&& r) override {
    Polygon& p = polygons_.emplace_back();
    p.id = r.id;
    if (!r.textureName.empty()) p.texture = TextureHandle(r.textureName, "DEFAULT_TEXTURE");
    p.setFriction(surfaceFriction(r.surface));
    p.solid = p.solidAtStart = r.mode != 1 && r.mode != 3;
    p.visible = r.mode != 2 && r.mode != 3;
    p.layer = r.layer;
    for (IntPoint point : r.points) p.addPoint(float(point.x), float(point.y));
    p.triangulation();  // triangulated while reading, so the load time counts it
    platform::services().pumpMessages();
  }
  void object(ObjectRecord&& r) override {
    LevelObject& o = objects_.emplace_back();
    o.id = r.id;
    o.setSprite(r.textureName);
    o.layer = r.layer;
    o.position = toVec2(r.position);
    o.mirrored = r.mirrored != 0;
    platform::services().pumpMessages();
  }
  void force(const ForceRecord& r) override { forces_.push_back(r); }
  void mover(const MoverRecord& r) override { movers_.push_back(r); }
  void trigger(const TriggerRecord& r) override { triggers_.push_back(r); }
  void soundSource(SoundSourceRecord&& r) override {
    SoundSource& s = sounds_.emplace_back();
    s.position = toVec2(r.position);
    s.strength = static_cast<float>(r.strength);
    s.looping = r.looping != 0;
    s.id = r.id;
    s.soundName = std::move(r.fileName);
    platform::services().pumpMessages();
  }
  void emitter(EmitterRecord&& r) override {
    FxEmitter& e = emitters_.emplace_back(fx_particles::createEmitter());
    e.setPosition(float(r.position.x), float(r.position.y));
    e.setDirection(r.dirX, r.dirY);
    e.setId(r.id);
    e.loadSettings(r.settingsFileName);
  }
  void startPositions(const StartPositions& s) override { start_ = s; }

  // Replaces the running level with what was read, in the managers' hand-over order.
  void handOver() {
    clearLevel();
    for (Polygon& p : polygons_) levelPolygons().push_back(std::move(p));
    setStartPositions(toVec2(start_.waterStart), toVec2(start_.cameraStart));
    level_objects::initialise();
    for (LevelObject& o : objects_) level_objects::addObject(std::move(o));
    forces::initialise();
    for (const ForceRecord& f : forces_)
      forces::addForce(f.id, float(f.position.x), float(f.position.y), f.dirX, f.dirY,
                       f.strength * kForceStrengthScale);
    sound_sources::initialise();
    for (SoundSource& s : sounds_) sound_sources::addSource(std::move(s));
    movers::initialise();
    for (const MoverRecord& m : movers_)
      movers::addMover(m.id, m.speed, toVec2(m.start), toVec2(m.end));
    fx_particles::initialise();
    for (FxEmitter& e : emitters_) fx_particles::addEmitter(std::move(e));
    triggers::initialise();
    for (const TriggerRecord& t : triggers_)
      triggers::addTrigger(static_cast<int32_t>(t.triggerType), t.targetId, t.value,
                           toVec2(t.corners[0]), toVec2(t.corners[1]), toVec2(t.corners[2]),
                           toVec2(t.corners[3]));
  }

 private:
  std::vector<Polygon> polygons_;
  std::vector<LevelObject> objects_;
  std::vector<ForceRecord> forces_;
  std::vector<MoverRecord> movers_;
  std::vector<TriggerRecord> triggers_;
  std::vector<SoundSource> sounds_;
  std::vector<FxEmitter> emitters_;
  StartPositions start_;
};

void printReadError(std::string_view fileName, const ParseError& error) {
  if (error.version) {
    console::print("\nInvalid level file version. Version is ");
    console::print(*error.version);
    console::print(". Version used by game is ");
    console::print(kVersion);
    console::print(".");
  }
  console::print("\nError reading level file '");
  console::print(fileName);
  console::print("'\nReason: ");
  console::print(error.reason);
}

}  // namespace

bool loadLevelFileBytes(std::string_view fileName, std::span<const uint8_t> bytes) {
  const Stopwatch stopwatch;
  LoadingSink sink;
  if (auto error = parseLevelFile(bytes, sink)) {
    printReadError(fileName, *error);
    return false;
  }
  console::print("\nLevel '");
  console::print(fileName);
  console::print("' loaded successfully..");
  console::print("\nLevel loading took ");
  console::print(stopwatch.seconds());
  console::print(" seconds.");
  sink.handOver();
  return true;
}

bool loadLevelFile(std::string_view fileName) {
  // A folder, device or pipe holds no level and is reported as a missing file; /dev/zero would
  // otherwise be read until memory runs out.
  const FileContents file = readRegularFile(resolveDataPath(fileName), kMaxFileBytes);
  switch (file.result) {
    case FileReadResult::kRead: break;
    case FileReadResult::kNotFound:
      console::print("\nUnable to open level file '");
      console::print(fileName);
      console::print("'");
      return false;
    case FileReadResult::kTooLarge:
      printReadError(fileName, ParseError{"Level file too large.", std::nullopt});
      return false;
    case FileReadResult::kReadFailed:
      printReadError(fileName, ParseError{"Unable to read file", std::nullopt});
      return false;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(file.bytes.data());
  return loadLevelFileBytes(fileName, std::span(bytes, file.bytes.size()));
}

}  // namespace level
