// A mover's offset, position * direction, is added to every polygon and level object of its
// id; what two movers of one id carry moves by the sum of both.
//
// Solid carried polygons stay out of the collision tree. Each step, every one of them near
// the view sweeps from where it stood after the previous step to where it stands now, in
// steps of at most 1.7 units, the particles' own collision step, so that no particle is
// jumped over. Before the sweep and after each of its steps the polygon gathers the free
// particles and ice groups lying across its edges; whatever it gathered moves with it from
// then on. After each sweep step every carried particle is pushed out of the fixed walls,
// killed when it has ended up inside the polygon, and passes the carrying on to every free
// particle within 6 units, so that a whole pool resting on a platform is carried as one
// body. The platform's velocity is added to a carried particle's push once per sweep step,
// so a particle carried from the first of k steps gets k times that velocity.
//
// A particle or group is carried by one polygon per step at most: the candidates are taken
// out as they are gathered. Carrying spreads through a grid of the candidates' cells, which
// stand still while the polygon sweeps; only the carried particles move.

#include "game/entities/movers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <list>
#include <utility>
#include <vector>

#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/level/collision_tree.h"
#include "game/level/geometry.h"
#include "game/level/level_data.h"
#include "game/level/polygon.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"

namespace {

void setPath(Mover& mover) {
  const Vec2 path = mover.end - mover.start;
  mover.distance = length(path);
  mover.direction = mover.distance == 0.0f ? Vec2{} : normalised(path);
}

}  // namespace

void Mover::setStart(Vec2 point) {
  start = point;
  setPath(*this);
}

void Mover::setEnd(Vec2 point) {
  end = point;
  setPath(*this);
}

namespace movers {
namespace {

constexpr float kShortestStepTime = 0.0000001f;
constexpr float kEdgeViewFactor = 0.7f;      // of the larger view size, for the moving edges
constexpr float kPushViewHalfSize = 520.0f;  // times the zoom
constexpr float kSweepStep = 1.7f;
constexpr float kParticleReach = 2.25f;  // the particle radius and a little
constexpr float kGroupMargin = 0.25f;    // beyond an ice group's radius
constexpr float kSpreadDistanceSquared = 36.0f;
// Larger than the spread distance, so that every particle within it of a point lies in the
// 3 * 3 cells around that point's cell.
constexpr float kSpreadCell = 8.0f;

// ---- Manager state ----------------------------------------------------------------------

// What one mover carries; pointers into the level's polygon and object lists.
struct CarriedParts {
  const Mover* mover = nullptr;
  std::vector<LevelObject*> objects;
  std::vector<Polygon*> polygons;
};

struct ManagerState {
  std::list<Mover> movers;
  std::vector<CarriedParts> carried;  // one per mover, in the movers' order
  std::vector<MovingPolygon> movingPolygons;
  bool moverDraw = false;
  bool dynamicNodeDraw = false;
};

ManagerState state;

void clearDebugFlags() {
  state.moverDraw = state.dynamicNodeDraw = false;
}

// ---- Boxes ------------------------------------------------------------------------------

struct Box {
  float minX, maxX, minY, maxY;
};

// Boundaries touching count as overlapping.
bool overlaps(const Box& a, const Box& b) {
  return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

Box boxAround(Vec2 centre, float halfSize) {
  return {centre.x - halfSize, centre.x + halfSize, centre.y - halfSize, centre.y + halfSize};
}

Box movedBox(const MovingPolygon& r, Vec2 offset) {
  return {r.minX + offset.x, r.maxX + offset.x, r.minY + offset.y, r.maxY + offset.y};
}

Box grown(Box box, float margin) {
  return {box.minX - margin, box.maxX + margin, box.minY - margin, box.maxY + margin};
}

bool contains(const Box& box, Vec2 p) {
  return p.x >= box.minX && p.x <= box.maxX && p.y >= box.minY && p.y <= box.maxY;
}

// ---- Carried parts ----------------------------------------------------------------------

bool hasMovingPolygon(const Polygon& polygon) {
  return std::any_of(state.movingPolygons.begin(), state.movingPolygons.end(),
                     [&](const MovingPolygon& r) { return r.polygon == &polygon; });
}

// A polygon whose outline crosses itself has no inside to sweep with and gets none.
void addMovingPolygon(Polygon& polygon) {
  if (polygon.pointCount() < 2 || polygon.triangleCount() < 1) return;
  if (crossesItself(polygon.outlineX(), polygon.outlineY())) return;
  MovingPolygon& r = state.movingPolygons.emplace_back();
  r.polygon = &polygon;
  collision::collectPolygonEdges(polygon, r.edges);
  const auto [minX, maxX] =
      std::minmax_element(polygon.outlineX().begin(), polygon.outlineX().end());
  const auto [minY, maxY] =
      std::minmax_element(polygon.outlineY().begin(), polygon.outlineY().end());
  r.minX = *minX;
  r.maxX = *maxX;
  r.minY = *minY;
  r.maxY = *maxY;
}

// The still objects first, then the animations.
void collectObjects(uint32_t id, std::vector<LevelObject*>& objects) {
  for (std::list<LevelObject>* list :
       {&level_objects::stillObjects(), &level_objects::animatedObjects()})
    for (LevelObject& object : *list)
      if (object.id == id) objects.push_back(&object);
}

void collectPolygons(uint32_t id, std::vector<Polygon*>& polygons) {
  for (Polygon& polygon : level::levelPolygons()) {
    if (polygon.id != id) continue;
    polygons.push_back(&polygon);
    if (polygon.solid && !hasMovingPolygon(polygon)) addMovingPolygon(polygon);
  }
}

// ---- Advancing --------------------------------------------------------------------------

void advance(Mover& m, float dt) {
  const float step = m.speed * std::max(dt, kShortestStepTime);
  switch (m.state) {
    case kToEnd:
    case kLoopToEnd:
      m.position += step;
      if (m.position > m.distance) {
        m.position = m.distance;
        m.state = m.state == kToEnd ? kStopped : kLoopToStart;
      }
      break;
    case kToStart:
    case kLoopToStart:
      m.position -= step;
      if (m.position < 0.0f) {
        m.position = 0.0f;
        m.state = m.state == kToStart ? kStopped : kLoopToEnd;
      }
      break;
    default: break;
  }
}

void moveCarriedObjects() {
  for (CarriedParts& parts : state.carried)
    for (LevelObject* object : parts.objects) object->offset = {};
  for (CarriedParts& parts : state.carried)
    for (LevelObject* object : parts.objects) object->offset += parts.mover->offset();
}

void moveCarriedPolygons() {
  for (CarriedParts& parts : state.carried)
    for (Polygon* polygon : parts.polygons) polygon->offset = {};
  for (CarriedParts& parts : state.carried)
    for (Polygon* polygon : parts.polygons) polygon->offset += parts.mover->offset();
}

// ---- Pushing the water ------------------------------------------------------------------

struct FreeCandidate {
  Particle* particle;
  bool taken;
};

struct GroupCandidate {
  ParticleGroup* group;
  bool taken;
};

// One step's candidates and carried lists, kept between steps so that they keep their
// capacity. The candidates are listed only once a polygon actually sweeps.
struct PushState {
  bool listed = false;
  std::vector<FreeCandidate> particles;
  std::vector<GroupCandidate> groups;
  std::vector<std::pair<uint64_t, uint32_t>> cells;  // (cell key, candidate), sorted
  std::vector<Particle*> carried;
  std::vector<ParticleGroup*> carriedGroups;
};

PushState push;

// The spread grid's cell index of a coordinate, kept well inside the int32 range.
int32_t spreadCell(float coordinate) {
  const float cell = std::floor(coordinate / kSpreadCell);
  return cell > -1.0e9f ? int32_t(std::min(cell, 1.0e9f)) : int32_t(-1.0e9f);
}

uint64_t cellKey(int32_t x, int32_t y) {
  return uint64_t(uint32_t(x)) << 32 | uint32_t(y);
}

void listCandidates() {
  push.particles.clear();
  push.groups.clear();
  push.cells.clear();
  for (Particle& p : particle_manager::particleList()) {
    push.cells.push_back({cellKey(spreadCell(p.position.x), spreadCell(p.position.y)),
                          uint32_t(push.particles.size())});
    push.particles.push_back({&p, false});
  }
  for (ParticleGroup& g : grouped_particle_mover::groupList()) push.groups.push_back({&g, false});
  std::sort(push.cells.begin(), push.cells.end());
  push.listed = true;
}

// q lies across one of the edges, placed at `at`, within `reach` of it.
bool acrossEdges(const MovingPolygon& r, Vec2 at, Vec2 q, float reach) {
  for (const CollisionEdge& e : r.edges) {
    const Vec2 delta = q - (e.start + at);
    const float across = dot(delta, e.normal);
    const float along = dot(delta, e.direction);
    if (across >= -reach && across <= reach && along >= -reach && along <= e.length + reach)
      return true;
  }
  return false;
}

void gather(const MovingPolygon& r, Vec2 at) {
  // The strip around an edge reaches at most sqrt(2) * reach past the box on either axis.
  const Box near = grown(movedBox(r, at), kParticleReach * 1.5f);
  for (FreeCandidate& c : push.particles) {
    if (c.taken || !contains(near, c.particle->position)) continue;
    if (!acrossEdges(r, at, c.particle->position, kParticleReach)) continue;
    c.taken = true;
    push.carried.push_back(c.particle);
  }
  for (GroupCandidate& c : push.groups) {
    if (c.taken || !acrossEdges(r, at, c.group->centre, c.group->radius + kGroupMargin)) continue;
    c.taken = true;
    push.carriedGroups.push_back(c.group);
  }
}

void carryAlong(Vec2 move) {
  for (Particle* p : push.carried) p->position += move;
  for (ParticleGroup* g : push.carriedGroups) {
    g->centre += move;
    for (Particle& p : g->particles) p.position += move;
  }
}

// Strictly on the inner side of all three edges of one of the triangles.
bool insideTriangles(const Triangulation& t, Vec2 q) {
  for (size_t first = 0; first + 2 < t.x.size(); first += 3) {
    bool inside = true;
    for (size_t k = first; k < first + 3 && inside; ++k)
      inside = dot(q - Vec2{t.x[k], t.y[k]}, Vec2{t.normalX[k], t.normalY[k]}) > 0.0f;
    if (inside) return true;
  }
  return false;
}

// Tested at the polygon's place at the end of the whole step, whichever sweep step runs.
// Measured against where the sweep has brought the polygon, not where the step ends: a
// platform that moves in several sweep steps would otherwise crush the water it carries.
void crushTrapped(const Polygon& polygon, Vec2 sweptTo) {
  const Triangulation& triangles = polygon.triangulation();
  for (Particle* p : push.carried)
    if (insideTriangles(triangles, p->position - sweptTo)) particle_manager::markForKill(*p);
}

// Takes the untaken candidates within the spread distance of `centre`.
void spreadFrom(Vec2 centre) {
  const int32_t cx = spreadCell(centre.x), cy = spreadCell(centre.y);
  for (int32_t y = cy - 1; y <= cy + 1; ++y) {
    for (int32_t x = cx - 1; x <= cx + 1; ++x) {
      const uint64_t key = cellKey(x, y);
      auto it = std::lower_bound(push.cells.begin(), push.cells.end(), std::pair{key, 0u});
      for (; it != push.cells.end() && it->first == key; ++it) {
        FreeCandidate& c = push.particles[it->second];
        if (c.taken) continue;
        const Vec2 delta = c.particle->position - centre;
        if (dot(delta, delta) > kSpreadDistanceSquared) continue;
        c.taken = true;
        push.carried.push_back(c.particle);
      }
    }
  }
}

// Particles taken here spread the carrying further within the same pass.
void spreadCarrying() {
  for (size_t i = 0; i < push.carried.size(); ++i) spreadFrom(push.carried[i]->position);
}

// The stages that follow each sweep step, in this order.
void settleCarried(const Polygon& polygon, Vec2 sweptTo, Vec2 velocity) {
  for (Particle* p : push.carried) collision::collideCircleStatic(p->position, kParticleRadius);
  crushTrapped(polygon, sweptTo);
  spreadCarrying();
  for (Particle* p : push.carried) p->push += velocity;
}

void sweep(const MovingPolygon& r, float dt) {
  const Polygon& polygon = *r.polygon;
  const Vec2 d = polygon.offset - polygon.previousOffset;
  float remaining = length(d);
  if (remaining == 0.0f) return;
  const Vec2 velocity = d / std::max(dt, kShortestStepTime);
  const Vec2 u = d / remaining;
  if (!push.listed) listCandidates();
  push.carried.clear();
  push.carriedGroups.clear();
  Vec2 at = polygon.previousOffset;
  gather(r, at);
  while (remaining > 0.0f) {
    const float s = std::min(remaining, kSweepStep);
    at += u * s;
    carryAlong(u * s);
    gather(r, at);
    remaining -= s;
    settleCarried(polygon, at, velocity);
  }
}

void pushParticles(float dt) {
  push.listed = false;
  const Box view = boxAround(camera::centre(), camera::zoom() * kPushViewHalfSize);
  for (MovingPolygon& r : state.movingPolygons) {
    Polygon& polygon = *r.polygon;
    if (polygon.solid && overlaps(movedBox(r, polygon.offset), view)) sweep(r, dt);
    polygon.previousOffset = polygon.offset;
  }
}

// ---- Console entries --------------------------------------------------------------------

int32_t moverCount() {
  return int32_t(state.movers.size());
}
bool moverDrawVariable(bool value, bool set) {
  return console::variableValue(state.moverDraw, value, set);
}
bool dynamicNodeDrawVariable(bool value, bool set) {
  return console::variableValue(state.dynamicNodeDraw, value, set);
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"MoverCount", moverCount},
    {"MoverDraw", moverDrawVariable},
    {"DynamicNodeDraw", dynamicNodeDrawVariable},
};

}  // namespace

void initialise() {
  shutdown();
  clearDebugFlags();
  console::print("\nInitialising down mover manager..");
  console::addCommands(kEntries);
}

void shutdown() {
  console::print("\nShutting down mover manager..");
  state.movers.clear();
  state.carried.clear();
  state.movingPolygons.clear();
  collision::movingEdges().clear();
  push.carried.clear();
  push.carriedGroups.clear();
  push.particles.clear();
  push.groups.clear();
  push.cells.clear();
  console::removeCommands(kEntries);
}

void reset() {
  clearDebugFlags();
  for (Mover& mover : state.movers) {
    mover.position = 0.0f;
    mover.state = kStopped;
  }
}

void addMover(uint32_t id, float speed, Vec2 start, Vec2 end) {
  Mover& mover = state.movers.emplace_back();
  mover.id = id;
  mover.speed = speed;
  mover.setStart(start);
  mover.setEnd(end);
  CarriedParts& parts = state.carried.emplace_back();
  parts.mover = &mover;
  collectObjects(id, parts.objects);
  collectPolygons(id, parts.polygons);
}

std::list<Mover>& moverList() {
  return state.movers;
}

void setMoverState(Mover& mover, int32_t newState) {
  if (newState >= kStopped && newState <= kLoopToEnd) mover.state = newState;
}

void buildMovingEdges() {
  collision::movingEdges().clear();
  const float halfSize =
      std::max(camera::viewWidth(), camera::viewHeight()) * kEdgeViewFactor * camera::zoom();
  const Box view = boxAround(camera::centre(), halfSize);
  for (const MovingPolygon& r : state.movingPolygons) {
    const Polygon& polygon = *r.polygon;
    if (!polygon.solid || !overlaps(movedBox(r, polygon.offset), view)) continue;
    for (CollisionEdge edge : r.edges) {
      edge.start += polygon.offset;
      edge.end += polygon.offset;
      collision::movingEdges().push_back(edge);
    }
  }
}

void stepMovers(float dt) {
  for (Mover& mover : state.movers) advance(mover, dt);
  moveCarriedObjects();
  moveCarriedPolygons();
  pushParticles(dt);
}

const std::vector<CollisionEdge>& movingEdges() {
  return collision::movingEdges();
}

const std::vector<MovingPolygon>& movingPolygons() {
  return state.movingPolygons;
}

bool moverDraw() {
  return state.moverDraw;
}

bool dynamicNodeDraw() {
  return state.dynamicNodeDraw;
}

}  // namespace movers
