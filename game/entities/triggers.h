#pragma once
// Triggers: invisible quadrilateral areas of the level with a type and a target id. Water
// entering an area sets it off; the type decides what happens to the water or to the
// entities that carry the target id.

#include <cstdint>
#include <list>
#include <map>
#include <string_view>
#include <variant>
#include <vector>

#include "common/vector2.h"

class Polygon;
struct FxEmitter;
struct Force;
struct LevelObject;
struct Mover;
struct Particle;
struct ParticleGroup;
struct Trigger;

// The water that set a trigger off: a free particle or an ice group. A delayed action runs
// with neither and counts as a free particle.
struct TriggerContact {
  Particle* particle = nullptr;
  ParticleGroup* group = nullptr;
};

// What a trigger does when it fires; `dt` is the tick's length at the firing.
using TriggerAction = void (*)(Trigger& trigger, TriggerContact contact, float dt);

// One row of the fixed type table.
struct TriggerType {
  std::string_view name;
  TriggerAction action = nullptr;
  float cooldown = 0.0f;  // seconds idle after each firing
  int32_t fireLimit = 0;  // 1: fires once until reset (names ending "_1"); 0: no limit
};

// One triangle of a trigger's area, wound so that every normal points into it.
struct TriggerTriangle {
  Vec2 vertices[3];
  Vec2 normals[3];     // unit normal into the triangle of the edge from vertex i to i + 1
  Vec2 directions[3];  // unit direction of that edge; (0, 0) for an edge of length 0
  float lengths[3] = {};
};

// An entity whose id is the trigger's target id. Its kind number is targetKind's.
using TriggerTarget = std::variant<Polygon*, LevelObject*, Force*, Mover*, FxEmitter*>;

struct Trigger {
  int32_t triggerType = -1;
  uint32_t targetId = 0;      // 0: no target
  float value = 0.0f;         // delay of the action in seconds; 0 for the per-particle types
  Vec2 corners[4];            // the area, corner 1 to 4
  TriggerTriangle triangleA;  // corners 1, 2, 3
  TriggerTriangle triangleB;  // corners 3, 4, 1
  float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f;  // bounds of the corners
  const TriggerType* type = nullptr;                         // never null once added
  std::vector<TriggerTarget> targets;
  float cooldownLeft = 0.0f;
  int32_t fireCount = 0;

  // The mean of the six triangle corners: where a checkpoint is taken and the label drawn.
  Vec2 centre() const;
};

namespace triggers {

// Type numbers the level data looks for.
constexpr int32_t kSoundPlay = 100;
constexpr int32_t kEntityRemove = 300;
constexpr int32_t kEntityAdd = 301;

// Shuts down what ran before and registers the console entries; the draw flag is cleared.
void initialise();
// Removes the console entries and empties the triggers and the delayed actions.
void shutdown();
// Reads the temperature types' settings from water.cfg, each as its absolute value. The
// level start calls it.
void readTemperatureSettings();

// Builds the trigger and appends it; its targets are the entities that carry targetId now.
void addTrigger(int32_t triggerType, uint32_t targetId, float value, Vec2 corner1, Vec2 corner2,
                Vec2 corner3, Vec2 corner4);
// Forgets the delayed actions; every trigger may fire again at once (level load, restart).
void resetTriggers();
// One tick, after the particle step: the delayed actions, then the triggers near the view
// against every free particle and ice group.
void step(float dt);

// Inside triangle A or B; a point on an edge is inside.
bool pointInTrigger(const Trigger& trigger, Vec2 point);
// 0 polygon, 1 level object, 3 force, 4 mover, 5 effect emitter.
int32_t targetKind(const TriggerTarget& target);

// The type table keyed by id.
const std::map<int32_t, TriggerType>& triggerTypes();
// The row of `id`, or that of "Null_a" (-1) when the table has none.
const TriggerType& triggerTypeRow(int32_t id);
// The triggers in the order added; elements keep their addresses while listed.
std::list<Trigger>& triggerList();
// The "TriggerDraw" debug flag.
bool drawTriggersFlag();

}  // namespace triggers
