// A trigger's area is a quadrilateral kept as two triangles (corners 1-2-3 and 3-4-1), each
// wound so that its edge normals point inwards: a point is inside a triangle when it lies on
// the inner side of all three edges. Each tick only the triggers whose bounds meet a square
// around the view are put on the active list, so a trigger far from the camera costs
// nothing per particle. Every particle and ice group is then tested against the active
// triggers; a firing either runs the type's action at once or, when the trigger has a
// delay, queues it.

#include "game/entities/triggers.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/config_file.h"
#include "common/random.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/entities/checkpoint_times.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/entities/sound_sources.h"
#include "game/entities/trigger_type_names.h"
#include "game/level/forces.h"
#include "game/level/level_data.h"
#include "game/water/fx_particles.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"

namespace triggers {
namespace {

// The activity square's half side, as a share of the longer view side.
constexpr float kActivityShare = 0.55f;
// "To_water_a" brings free water to this temperature and holds it there.
constexpr float kWaterTemperature = 50.0f;
// "Particle_kill_random_a" kills with this probability per second.
constexpr float kRandomKillRate = 0.5f;
// Pull and push leave the offset unnormalised when the water sits this close to the force.
constexpr float kForceNearDistance = 0.0001f;

struct TemperatureSettings {
  float speed = 0.0f;        // degrees per second
  float amountIce = 0.0f;    // "To_ice_a" cools no further than -amountIce
  float amountSteam = 0.0f;  // "To_steam_a" heats no further than amountSteam
};

struct DelayedAction {
  TriggerAction action;
  Trigger* trigger;
  float dt;  // the tick's length at the firing
  float secondsLeft;
};

std::list<Trigger> triggerList_;
std::list<DelayedAction> delayed_;
std::vector<Trigger*> active_;  // this tick's triggers near the view; kept to reuse its storage
TemperatureSettings temperature_;
bool drawTriggers_ = false;

// ---- Actions on the water inside -------------------------------------------------------

// A cooling or heating trigger stops at its limit and never moves the temperature back.
float cooledTo(float temperature, float dt, float limit) {
  if (temperature <= limit) return temperature;
  return std::max(temperature - dt * temperature_.speed, limit);
}
float heatedTo(float temperature, float dt, float limit) {
  if (temperature >= limit) return temperature;
  return std::min(temperature + dt * temperature_.speed, limit);
}

void toIce(Trigger&, TriggerContact contact, float dt) {
  const float limit = -temperature_.amountIce;
  if (contact.particle)
    contact.particle->temperature = cooledTo(contact.particle->temperature, dt, limit);
  if (contact.group) contact.group->temperature = cooledTo(contact.group->temperature, dt, limit);
}

// Free water settles at 50 degrees from either side; ice is warmed until it melts.
void toWater(Trigger&, TriggerContact contact, float dt) {
  if (Particle* p = contact.particle) {
    p->temperature = p->temperature > kWaterTemperature
                         ? cooledTo(p->temperature, dt, kWaterTemperature)
                         : heatedTo(p->temperature, dt, kWaterTemperature);
  }
  if (contact.group) contact.group->temperature += dt * temperature_.speed;
}

void toSteam(Trigger&, TriggerContact contact, float dt) {
  if (contact.particle)
    contact.particle->temperature =
        heatedTo(contact.particle->temperature, dt, temperature_.amountSteam);
  if (contact.group) contact.group->temperature += dt * temperature_.speed;
}

// The velocity of whatever set the trigger off; null for a delayed action.
Vec2* contactVelocity(TriggerContact contact) {
  if (contact.particle) return &contact.particle->velocity;
  if (contact.group) return &contact.group->velocity;
  return nullptr;
}
Vec2 contactPosition(TriggerContact contact) {
  return contact.particle ? contact.particle->position : contact.group->centre;
}

// Calls `apply` for every target of entity type T.
template <typename T, typename Apply>
void forEachTarget(const Trigger& trigger, Apply apply) {
  for (const TriggerTarget& target : trigger.targets)
    if (T* const* entity = std::get_if<T*>(&target)) apply(**entity);
}

// Calls `apply` for every active target force.
template <typename Apply>
void forEachActiveForce(const Trigger& trigger, Apply apply) {
  forEachTarget<Force>(trigger, [&apply](Force& f) {
    if (f.active) apply(f);
  });
}

void forceDirectional(Trigger& trigger, TriggerContact contact, float dt) {
  Vec2* velocity = contactVelocity(contact);
  if (!velocity) return;
  forEachActiveForce(trigger, [&](const Force& f) { *velocity += f.direction * f.strength * dt; });
}

void forceInstantaneous(Trigger& trigger, TriggerContact contact, float) {
  Vec2* velocity = contactVelocity(contact);
  if (!velocity) return;
  forEachActiveForce(trigger, [&](const Force& f) { *velocity = f.direction * f.strength; });
}

// The velocity change away from the force: weaker with distance, never infinite at it.
Vec2 pushFrom(const Force& force, Vec2 position, float dt) {
  Vec2 d = position - force.position;
  const float distance = length(d);
  if (distance > kForceNearDistance) d = d / distance;
  return d * (std::sqrt(1.0f / (distance + 1.0f)) * dt * force.strength);
}

void forcePull(Trigger& trigger, TriggerContact contact, float dt) {
  Vec2* velocity = contactVelocity(contact);
  if (!velocity) return;
  const Vec2 position = contactPosition(contact);
  forEachActiveForce(trigger, [&](const Force& f) { *velocity -= pushFrom(f, position, dt); });
}

void forcePush(Trigger& trigger, TriggerContact contact, float dt) {
  Vec2* velocity = contactVelocity(contact);
  if (!velocity) return;
  const Vec2 position = contactPosition(contact);
  forEachActiveForce(trigger, [&](const Force& f) { *velocity += pushFrom(f, position, dt); });
}

void kill(TriggerContact contact) {
  if (contact.particle) particle_manager::markForKill(*contact.particle);
  if (contact.group) grouped_particle_mover::markGroupForKill(*contact.group);
}

void particleKill(Trigger&, TriggerContact contact, float) {
  kill(contact);
}

void particleKillRandom(Trigger&, TriggerContact contact, float dt) {
  if (!contact.particle && !contact.group) return;
  if (rng::uniform() <= kRandomKillRate * dt) kill(contact);
}

void levelEnd(Trigger&, TriggerContact contact, float) {
  const size_t amount = contact.group ? contact.group->particles.size() : 1;
  level_record::addWaterAtEnd(static_cast<uint32_t>(amount));
}

// ---- Actions on the targets ------------------------------------------------------------

void nullAction(Trigger&, TriggerContact, float) {}

// An object's playCount 0 loops for ever, 1 plays once and rests on the last frame.
void animPlayLoop(Trigger& trigger, TriggerContact, float) {
  forEachTarget<LevelObject>(trigger, [](LevelObject& o) {
    o.playCount = 0;
    o.stopped = false;
  });
}

void animPlayOnce(Trigger& trigger, TriggerContact, float) {
  forEachTarget<LevelObject>(trigger, [](LevelObject& o) {
    o.frame = 0;
    o.frameTime = 0.0f;
    o.playsDone = 0;
    o.playCount = 1;
    o.stopped = false;
  });
}

void animStop(Trigger& trigger, TriggerContact, float) {
  forEachTarget<LevelObject>(trigger, [](LevelObject& o) { o.stopped = true; });
}

void soundPlay(Trigger& trigger, TriggerContact, float) {
  sound_sources::playById(trigger.targetId);
}

void soundStop(Trigger& trigger, TriggerContact, float) {
  sound_sources::stopById(trigger.targetId);
}

void setEntitiesPresent(const Trigger& trigger, bool present) {
  forEachTarget<Polygon>(trigger, [present](Polygon& p) {
    level::setPolygonSolid(p, present);
    p.enabled = present;
  });
  forEachTarget<LevelObject>(trigger, [present](LevelObject& o) { o.enabled = present; });
  forEachTarget<Force>(trigger, [present](Force& f) { f.active = present; });
}

void entityRemove(Trigger& trigger, TriggerContact, float) {
  setEntitiesPresent(trigger, false);
}

void entityAdd(Trigger& trigger, TriggerContact, float) {
  setEntitiesPresent(trigger, true);
}

// The mover actions differ only in the state they set.
template <int32_t State>
void moverState(Trigger& trigger, TriggerContact, float) {
  forEachTarget<Mover>(trigger, [](Mover& m) { movers::setMoverState(m, State); });
}

void emitterBurst(Trigger& trigger, TriggerContact, float) {
  forEachTarget<FxEmitter>(trigger, [](FxEmitter& e) { fx_particles::burst(e); });
}

void emitterStart(Trigger& trigger, TriggerContact, float) {
  forEachTarget<FxEmitter>(trigger, [](FxEmitter& e) { e.active = true; });
}

void emitterStop(Trigger& trigger, TriggerContact, float) {
  forEachTarget<FxEmitter>(trigger, [](FxEmitter& e) { e.active = false; });
}

void cameraZoom(Trigger&, TriggerContact, float) {
  camera::startZoomPunch();
}

void cameraShake(Trigger&, TriggerContact, float) {
  camera::startShake();
}

void checkpoint(Trigger& trigger, TriggerContact, float) {
  const Vec2 centre = trigger.centre();
  level_record::setCheckpoint(centre, int32_t(grouped_particle_mover::totalWater()));
  checkpoint_times::checkpointReached(trigger, level_record::elapsedMs());
}

// ---- The type table --------------------------------------------------------------------

struct ActionRow {
  int32_t id;
  TriggerAction action;
};

// One action per named type, in the names table's order.
constexpr ActionRow kActions[] = {
    {-1, nullAction},
    {0, toIce},
    {1, toWater},
    {2, toSteam},
    {3, animPlayLoop},
    {4, animPlayOnce},
    {5, animStop},
    {100, soundPlay},
    {101, soundStop},
    {200, forceDirectional},
    {201, forceInstantaneous},
    {202, forcePull},
    {203, forcePush},
    {300, entityRemove},
    {301, entityAdd},
    {401, moverState<2>},
    {402, moverState<1>},
    {403, moverState<0>},
    {404, moverState<2>},
    {405, moverState<1>},
    {406, moverState<0>},
    {407, moverState<3>},
    {408, moverState<4>},
    {409, moverState<3>},
    {410, moverState<4>},
    {501, emitterBurst},
    {502, emitterStart},
    {503, emitterStop},
    {601, cameraZoom},
    {602, cameraZoom},
    {603, cameraShake},
    {604, cameraShake},
    {701, particleKill},
    {702, particleKillRandom},
    {801, levelEnd},
    {901, checkpoint},
};

constexpr bool actionsMatchNames() {
  if (std::size(kActions) != kTriggerTypeNames.size()) return false;
  for (size_t i = 0; i < kTriggerTypeNames.size(); ++i)
    if (kActions[i].id != kTriggerTypeNames[i].id) return false;
  return true;
}
static_assert(actionsMatchNames());

constexpr int32_t kNullType = -1;

std::map<int32_t, TriggerType> buildTypeTable() {
  std::map<int32_t, TriggerType> table;
  for (size_t i = 0; i < kTriggerTypeNames.size(); ++i) {
    const std::string_view name = kTriggerTypeNames[i].name;
    table[kActions[i].id] = {name, kActions[i].action, 0.0f, name.ends_with("_1") ? 1 : 0};
  }
  return table;
}

// The types whose action works on the water inside run at once, never after a delay.
bool actsOnContact(int32_t type) {
  return (type >= 0 && type <= 2) || (type >= 200 && type <= 203) || type == 701 || type == 702;
}

// ---- Building a trigger ----------------------------------------------------------------

float cross(Vec2 a, Vec2 b) {
  return a.x * b.y - a.y * b.x;
}

TriggerTriangle makeTriangle(Vec2 a, Vec2 b, Vec2 c) {
  TriggerTriangle t;
  // The normal (-d.y, d.x) of the first edge points at the third corner only when the
  // corners turn positively; otherwise two of them trade places.
  if (cross(b - a, c - a) < 0.0f) std::swap(b, c);
  t.vertices[0] = a;
  t.vertices[1] = b;
  t.vertices[2] = c;
  for (int i = 0; i < 3; ++i) {
    const Vec2 edge = t.vertices[(i + 1) % 3] - t.vertices[i];
    t.lengths[i] = length(edge);
    t.directions[i] = t.lengths[i] > 0.0f ? edge / t.lengths[i] : Vec2{};
    t.normals[i] = {-t.directions[i].y, t.directions[i].x};
  }
  return t;
}

// Written so that a point with a NaN coordinate is inside nothing.
bool pointInTriangle(const TriggerTriangle& t, Vec2 p) {
  for (int i = 0; i < 3; ++i)
    if (!(dot(p - t.vertices[i], t.normals[i]) >= 0.0f)) return false;
  return true;
}

// Every entity carrying the trigger's target id: objects (still, then animated), forces,
// polygons, movers, emitters.
void collectTargets(Trigger& t) {
  auto collect = [&t](auto& list) {
    for (auto& entity : list)
      if (entity.id == t.targetId) t.targets.emplace_back(&entity);
  };
  collect(level_objects::stillObjects());
  collect(level_objects::animatedObjects());
  collect(forces::forceList());
  collect(level::levelPolygons());
  collect(movers::moverList());
  collect(fx_particles::emitterList());
}

// ---- Step ------------------------------------------------------------------------------

void runDelayedActions(float dt) {
  for (auto it = delayed_.begin(); it != delayed_.end();) {
    it->secondsLeft -= dt;
    if (it->secondsLeft > 0.0f) {
      ++it;
      continue;
    }
    it->action(*it->trigger, {}, it->dt);
    it = delayed_.erase(it);
  }
}

bool spent(const Trigger& t) {
  return t.type->fireLimit != 0 && t.fireCount >= t.type->fireLimit;
}

// The triggers whose bounds meet the square around the camera and that are ready to fire.
void gatherActive(float dt) {
  const float half = kActivityShare * std::max(camera::viewWidth(), camera::viewHeight());
  const Vec2 c = camera::centre();
  active_.clear();
  for (Trigger& t : triggerList_) {
    if (spent(t)) continue;
    if (t.maxX < c.x - half || t.minX > c.x + half || t.maxY < c.y - half || t.minY > c.y + half)
      continue;
    if (t.cooldownLeft > 0.0f) {
      t.cooldownLeft -= dt;
      continue;
    }
    active_.push_back(&t);
  }
}

void fire(Trigger& t, TriggerContact contact, float dt) {
  ++t.fireCount;
  t.cooldownLeft = t.type->cooldown;
  if (t.value <= 0.0f)
    t.type->action(t, contact, dt);
  else
    delayed_.push_back({t.type->action, &t, dt, t.value});
}

// A trigger spent by an earlier contact of this tick is passed over.
void testContact(Vec2 position, TriggerContact contact, float dt) {
  for (Trigger* t : active_)
    if (!spent(*t) && pointInTrigger(*t, position)) fire(*t, contact, dt);
}

void testWater(float dt) {
  if (active_.empty()) return;
  for (Particle& p : particle_manager::particleList()) testContact(p.position, {&p, nullptr}, dt);
  for (ParticleGroup& g : grouped_particle_mover::groupList())
    testContact(g.centre, {nullptr, &g}, dt);
}

// ---- Console entries -------------------------------------------------------------------

void triggerTypeListCommand() {
  console::printHeading("Trigger types");
  for (const auto& [id, type] : triggerTypes()) {
    console::print("\nTrigger id: ");
    console::print(id);
    console::print("\t\t");
    console::print("Trigger name:   ");
    console::print(type.name);
  }
}

void printCreateUsage() {
  console::print("\nUSAGE: TriggerCreate ");
  console::print("< id : integer > ");
  console::print("< target id : integer > ");
  console::print("< x : number > ");
  console::print("< y : number > ");
  console::print("< w : number > ");
  console::print("< h : number > ");
}

// "TriggerCreate id targetId x y w h": an axis-aligned rectangle without delay.
void triggerCreateCommand(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  bool valid = words.size() == 6 && isInteger(words[0]) && isInteger(words[1]);
  for (size_t i = 2; valid && i < words.size(); ++i) valid = isNumber(words[i]);
  if (!valid) {
    printCreateUsage();
    return;
  }
  const float x = toNumber(words[2]), y = toNumber(words[3]);
  const float w = toNumber(words[4]), h = toNumber(words[5]);
  addTrigger(toInteger(words[0]), static_cast<uint32_t>(toInteger(words[1])), 0.0f, {x, y},
             {x + w, y}, {x + w, y + h}, {x, y + h});
}

bool triggerDrawVariable(bool value, bool set) {
  return console::variableValue(drawTriggers_, value, set);
}

int32_t triggerCountCommand() {
  return static_cast<int32_t>(triggerList_.size());
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"TriggerTypeList", triggerTypeListCommand},
    {"TriggerCreate", triggerCreateCommand, console::InReplay::kPlayed},
    {"TriggerDraw", triggerDrawVariable},
    {"TriggerCount", triggerCountCommand},
};

}  // namespace

void initialise() {
  shutdown();
  console::print("\nInitialising down trigger manager..");
  console::addCommands(kEntries);
  drawTriggers_ = false;
}

void shutdown() {
  console::print("\nShutting down trigger manager..");
  console::removeCommands(kEntries);
  delayed_.clear();
  active_.clear();
  triggerList_.clear();
  drawTriggers_ = false;
}

void readTemperatureSettings() {
  const ConfigFile file(particle_manager::kWaterConfigPath);
  temperature_.speed = std::fabs(file.getFloat("triggerTemperatureChangeSpeed"));
  temperature_.amountIce = std::fabs(file.getFloat("triggerTemperatureChangeAmountIce"));
  temperature_.amountSteam = std::fabs(file.getFloat("triggerTemperatureChangeAmountSteam"));
}

void addTrigger(int32_t triggerType, uint32_t targetId, float value, Vec2 corner1, Vec2 corner2,
                Vec2 corner3, Vec2 corner4) {
  Trigger& t = triggerList_.emplace_back();
  t.triggerType = triggerType;
  t.targetId = targetId;
  t.value = actsOnContact(triggerType) ? 0.0f : value;
  t.corners[0] = corner1;
  t.corners[1] = corner2;
  t.corners[2] = corner3;
  t.corners[3] = corner4;
  t.triangleA = makeTriangle(corner1, corner2, corner3);
  t.triangleB = makeTriangle(corner3, corner4, corner1);
  t.minX = std::min({corner1.x, corner2.x, corner3.x, corner4.x});
  t.maxX = std::max({corner1.x, corner2.x, corner3.x, corner4.x});
  t.minY = std::min({corner1.y, corner2.y, corner3.y, corner4.y});
  t.maxY = std::max({corner1.y, corner2.y, corner3.y, corner4.y});
  t.type = &triggerTypeRow(triggerType);
  if (targetId != 0) collectTargets(t);
}

void resetTriggers() {
  delayed_.clear();
  for (Trigger& t : triggerList_) {
    t.cooldownLeft = 0.0f;
    t.fireCount = 0;
  }
}

void step(float dt) {
  runDelayedActions(dt);
  gatherActive(dt);
  testWater(dt);
}

bool pointInTrigger(const Trigger& trigger, Vec2 point) {
  // The bounds also keep a triangle squeezed to one point from holding the whole plane, and
  // water whose numbers went NaN from counting in any area, the end area above all.
  if (!(point.x >= trigger.minX && point.x <= trigger.maxX && point.y >= trigger.minY &&
        point.y <= trigger.maxY))
    return false;
  return pointInTriangle(trigger.triangleA, point) || pointInTriangle(trigger.triangleB, point);
}

int32_t targetKind(const TriggerTarget& target) {
  static constexpr int32_t kKinds[] = {0, 1, 3, 4, 5};  // in the variant's order
  return kKinds[target.index()];
}

const std::map<int32_t, TriggerType>& triggerTypes() {
  static const std::map<int32_t, TriggerType> table = buildTypeTable();
  return table;
}

const TriggerType& triggerTypeRow(int32_t id) {
  const auto& table = triggerTypes();
  const auto found = table.find(id);
  return found != table.end() ? found->second : table.at(kNullType);
}

std::list<Trigger>& triggerList() {
  return triggerList_;
}

bool drawTriggersFlag() {
  return drawTriggers_;
}

}  // namespace triggers

Vec2 Trigger::centre() const {
  Vec2 sum;
  for (const TriggerTriangle* t : {&triangleA, &triangleB})
    for (const Vec2& v : t->vertices) sum += v;
  return sum / 6.0f;
}
