// Each free particle moves in sub-steps no longer than 0.85 of its radius, so it can't pass
// through a wall between two collisions, and never more than 15 units per step. After
// moving it slides along what it touched, loses speed to the surface's friction, and
// evens out velocity and heat with the particles within 4 units, which push it away.
//
// The cohesion pass then splits the particles into loose clusters and pulls each cluster
// towards its centre. The particles are shuffled into a work list by random bits; a cluster
// starts with the list's first particle and takes, in one pass over the rest in list order,
// every particle within 40 units of a member it already has, members taken earlier in the
// same pass included. That ordered pass is what fixes the clusters. Checking each particle
// against every member would cost the square of the particle count, so members are kept in
// a hash of 40-unit cells, and a particle needs only the members of the 3 x 3 cells around
// it: the clusters, their order and their centres come out the same.

#include "game/water/particle_mover.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "common/random.h"
#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/water/neighbour_meeting.h"

namespace particle_mover {
namespace {

constexpr float kLargestSubStep = 1.7f;
constexpr float kLargestTravel = 15.0f;
constexpr float kPushReferenceStep = 0.02f;
constexpr float kLargestPush = 1.7f;
constexpr float kClusterDistance = 40.0f;
constexpr float kCohesionRest = 4.0f;
constexpr float kCohesionTime = 0.75f;
constexpr float kLargestPull = 1.5f;
constexpr float kJitter = 0.1f;
constexpr float kSmallestPullDistance = 0.0001f;

// Pushes the particle out of the level where it stands.
void collide(Particle& p) {
  collision::collideCircle(p.position, kParticleRadius);
}

// Moves the particle along d, never further than the largest travel, colliding after every
// sub-step.
void travel(Particle& p, Vec2 d) {
  float remaining = length(d);
  if (remaining <= kLargestSubStep) {
    p.position += d;
    collide(p);
    return;
  }
  const Vec2 unit = d / remaining;
  remaining = std::min(remaining, kLargestTravel);
  while (remaining > 0.0f) {
    const float stepLength = std::min(remaining, kLargestSubStep);
    p.position += unit * stepLength;
    collide(p);
    remaining = remaining > kLargestSubStep ? remaining - kLargestSubStep : 0.0f;
  }
}

// The velocity loses its part along the contact normal, then the surface's friction.
void slide(Particle& p, float dt) {
  const Vec2 n = collision::contactDirection();
  p.velocity -= n * dot(n, p.velocity);
  p.velocity = p.velocity * std::pow(collision::contactFriction(), dt);
}

// Crowded particles step apart, by at most the largest push, less on short steps. A
// particle crowded evenly from all sides has no way out: normalising its zero direction
// would push it along +x, and resting water would creep that way.
void stepApart(Particle& p, const neighbour_meeting::Crowding& crowding, float dt) {
  if (crowding.count == 0) return;
  if (crowding.directionSum.x == 0.0f && crowding.directionSum.y == 0.0f) return;
  Vec2 direction = crowding.directionSum / float(crowding.count);
  normalise(direction);
  float overlap = crowding.overlapSum / float(crowding.count);
  overlap *= std::min(dt / kPushReferenceStep, 1.0f);
  if (overlap <= 0.0f) return;
  p.position += direction * std::min(overlap, kLargestPush);
  collide(p);
}

// ---- Cohesion --------------------------------------------------------------------------

// The particles in the work-list order: each random bit puts the next particle at the back
// (1) or the front (0).
std::vector<Particle*> shuffledWorkList(ParticleList& particles) {
  std::vector<Particle*> list(particles.size() * 2);
  size_t front = particles.size(), back = particles.size();
  for (Particle& p : particles) {
    if (rng::raw() & 1u)
      list[back++] = &p;
    else
      list[--front] = &p;
  }
  return {list.begin() + std::ptrdiff_t(front), list.begin() + std::ptrdiff_t(back)};
}

// The members of the cluster being built, by 40-unit cell: an open-addressed table of cell
// keys with a chain of members per cell. Cleared per cluster by the keys it used.
class MemberCells {
 public:
  void clear() {
    for (size_t slot : usedSlots_) slots_[slot].used = false;
    usedSlots_.clear();
    members_.clear();
    next_.clear();
  }

  void reserve(size_t particles) {
    size_t size = 64;
    while (size < particles * 2) size *= 2;
    if (slots_.size() < size) {
      slots_.assign(size, Slot{});
      usedSlots_.clear();
    }
  }

  void add(const Particle* p) {
    const int32_t index = int32_t(members_.size());
    members_.push_back(p);
    Slot& slot = find(cellOf(p->position.x), cellOf(p->position.y));
    next_.push_back(slot.first);
    slot.first = index;
  }

  // Some member lies within the cluster distance of p.
  bool nearMember(const Particle* p) const {
    const int32_t cx = cellOf(p->position.x), cy = cellOf(p->position.y);
    for (int32_t y = cy - 1; y <= cy + 1; ++y)
      for (int32_t x = cx - 1; x <= cx + 1; ++x)
        if (const Slot* slot = lookUp(x, y))
          for (int32_t m = slot->first; m >= 0; m = next_[size_t(m)])
            if (withinClusterDistance(*members_[size_t(m)], *p)) return true;
    return false;
  }

  static bool withinClusterDistance(const Particle& a, const Particle& b) {
    const Vec2 d = a.position - b.position;
    return d.x * d.x + d.y * d.y <= kClusterDistance * kClusterDistance;
  }

 private:
  struct Slot {
    int32_t x = 0, y = 0;
    int32_t first = -1;
    bool used = false;
  };

  // Cells are 40 units; positions too far out for an int32 cell share the outermost cells,
  // which only costs extra distance tests.
  static int32_t cellOf(float coordinate) {
    const float cell = std::floor(coordinate / kClusterDistance);
    if (!(cell > -1.0e9f)) return -1000000000;
    return cell < 1.0e9f ? int32_t(cell) : 1000000000;
  }

  size_t hash(int32_t x, int32_t y) const {
    const uint64_t key = (uint64_t(uint32_t(x)) << 32) | uint32_t(y);
    return size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
  }

  Slot& find(int32_t x, int32_t y) {
    for (size_t i = hash(x, y);; i = (i + 1) & (slots_.size() - 1)) {
      Slot& slot = slots_[i];
      if (!slot.used) {
        slot = {x, y, -1, true};
        usedSlots_.push_back(i);
        return slot;
      }
      if (slot.x == x && slot.y == y) return slot;
    }
  }

  const Slot* lookUp(int32_t x, int32_t y) const {
    for (size_t i = hash(x, y);; i = (i + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[i];
      if (!slot.used) return nullptr;
      if (slot.x == x && slot.y == y) return &slot;
    }
  }

  std::vector<Slot> slots_;
  std::vector<size_t> usedSlots_;
  std::vector<const Particle*> members_;
  std::vector<int32_t> next_;
};

// Takes the first particle of `work` and every later one within reach of the cluster, in
// order, into `cluster`; the others stay in `work`, in order.
void buildCluster(std::vector<Particle*>& work, std::vector<Particle*>& cluster,
                  MemberCells& cells) {
  cells.clear();
  cluster.clear();
  cluster.push_back(work.front());
  cells.add(work.front());
  size_t kept = 0;
  for (size_t i = 1; i < work.size(); ++i) {
    Particle* p = work[i];
    if (cells.nearMember(p)) {
      cluster.push_back(p);
      cells.add(p);
    } else {
      work[kept++] = p;
    }
  }
  work.resize(kept);
}

// Members farther than the rest distance from the cluster's centre move towards it.
void pullTogether(const std::vector<Particle*>& cluster, float dt) {
  Vec2 sum;
  for (const Particle* p : cluster) sum += p->position;
  const Vec2 centre = sum / float(cluster.size());
  for (Particle* p : cluster) {
    const Vec2 delta = centre - p->position;
    const float d = length(delta);
    if (d <= kSmallestPullDistance) continue;
    const Vec2 unit = delta / d;
    const float pull = std::min((dt / kCohesionTime) * (d - kCohesionRest), kLargestPull);
    const float jitterX = (rng::uniform() - 0.5f) * kJitter;
    const float jitterY = (rng::uniform() - 0.5f) * kJitter;
    if (pull > 0.0f) {
      p->position += unit * pull + Vec2{jitterX, jitterY};
      collide(*p);
    }
  }
}

}  // namespace

void initialise() {
  console::print("\nInitialising particle mover..");
  particle_grid::clear();
}

void shutdown() {
  console::print("\nShutting down particle mover..");
  particle_grid::clear();
}

void moveParticle(Particle& p, float dt) {
  const Vec2 v = p.velocity + p.push;
  if (v.x == 0.0f && v.y == 0.0f) return;
  travel(p, v * dt);
  slide(p, dt);
  stepApart(p, neighbour_meeting::meetNeighbours(p), dt);
}

void cohesionPass(ParticleList& particles, float dt) {
  if (particles.empty()) return;
  static MemberCells cells;
  static std::vector<Particle*> cluster;
  cells.reserve(particles.size());
  std::vector<Particle*> work = shuffledWorkList(particles);
  while (!work.empty()) {
    buildCluster(work, cluster, cells);
    pullTogether(cluster, dt);
  }
}

}  // namespace particle_mover
