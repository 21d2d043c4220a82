// A dense pool gives a particle hundreds of neighbours to look at, so the meeting runs in two
// passes over blocks of a cell's slots. The first measures the whole block against the
// particle at once, four neighbours to an instruction where SSE2 is there: the distance, the
// direction and the overlap of every neighbour, zeroed where the neighbour does not crowd.
// Square roots and divisions are correctly rounded, four at a time as one at a time, so the
// block comes out exactly as the plain loop would. The second pass adds the crowding in
// order and evens out the values in order, which is what depends on the order: each
// meeting starts from what the one before left.

#include "game/water/neighbour_meeting.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "game/water/particle_grid.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace neighbour_meeting {
namespace {

constexpr float kCoincident = 0.00001f;
constexpr int32_t kBlock = 16;

uint64_t examinedPairs_ = 0;

// One block of neighbours measured against the particle.
struct Measured {
  alignas(16) float dirX[kBlock];      // the unit direction from the neighbour; 0 unless it
  alignas(16) float dirY[kBlock];      // crowds
  alignas(16) float overlap[kBlock];   // the neighbour distance less the distance; 0 unless
  alignas(16) int32_t crowds[kBlock];  // 1 or 0
  alignas(16) int32_t near[kBlock];    // within the neighbour distance: -1, else 0
};

#if defined(__SSE2__)
void measure(Vec2 position, const float* xs, const float* ys, int32_t count, Measured& m) {
  const __m128 px = _mm_set1_ps(position.x), py = _mm_set1_ps(position.y);
  const __m128 reach = _mm_set1_ps(kNeighbourDistance), coincident = _mm_set1_ps(kCoincident);
  for (int32_t j = 0; j < count; j += 4) {
    const __m128 dx = _mm_sub_ps(px, _mm_loadu_ps(xs + j));
    const __m128 dy = _mm_sub_ps(py, _mm_loadu_ps(ys + j));
    const __m128 d = _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy)));
    const __m128 near = _mm_cmpnge_ps(d, reach);  // a NaN distance meets, as in the rule
    const __m128 crowds = _mm_and_ps(near, _mm_cmpgt_ps(d, coincident));
    _mm_store_ps(m.dirX + j, _mm_and_ps(crowds, _mm_div_ps(dx, d)));
    _mm_store_ps(m.dirY + j, _mm_and_ps(crowds, _mm_div_ps(dy, d)));
    _mm_store_ps(m.overlap + j, _mm_and_ps(crowds, _mm_sub_ps(reach, d)));
    const __m128i crowdBits = _mm_castps_si128(crowds);
    _mm_store_si128(reinterpret_cast<__m128i*>(m.crowds + j),
                    _mm_and_si128(crowdBits, _mm_set1_epi32(1)));
    _mm_store_si128(reinterpret_cast<__m128i*>(m.near + j), _mm_castps_si128(near));
  }
}
#else
void measure(Vec2 position, const float* xs, const float* ys, int32_t count, Measured& m) {
  for (int32_t j = 0; j < count; ++j) {
    const Vec2 delta = position - Vec2{xs[j], ys[j]};
    const float d = length(delta);
    const bool near = !(d >= kNeighbourDistance);
    const bool crowds = near && d > kCoincident;
    m.dirX[j] = crowds ? delta.x / d : 0.0f;
    m.dirY[j] = crowds ? delta.y / d : 0.0f;
    m.overlap[j] = crowds ? kNeighbourDistance - d : 0.0f;
    m.crowds[j] = crowds ? 1 : 0;
    m.near[j] = near ? -1 : 0;
  }
}
#endif

// Velocity and push of the particle, evened out with a neighbour's in one go: with SSE2 as
// one vector of four, each lane rounded as its own float.
#if defined(__SSE2__)
struct Motion {
  __m128 values;  // velocity x, y, push x, y: the slot's own layout

  Motion(Vec2 velocity, Vec2 push) : values(_mm_setr_ps(velocity.x, velocity.y, push.x, push.y)) {}
  void meet(particle_grid::Shared& q) {
    float* slot = &q.velocity.x;
    values = _mm_mul_ps(_mm_add_ps(values, _mm_loadu_ps(slot)), _mm_set1_ps(0.5f));
    _mm_storeu_ps(slot, values);
  }
  void copyTo(Vec2& velocity, Vec2& push) const {
    alignas(16) float out[4];
    _mm_store_ps(out, values);
    velocity = {out[0], out[1]};
    push = {out[2], out[3]};
  }
};
static_assert(offsetof(particle_grid::Shared, push) == sizeof(Vec2));
#else
struct Motion {
  Vec2 velocity, push;

  void meet(particle_grid::Shared& q) {
    velocity = q.velocity = (velocity + q.velocity) * 0.5f;
    push = q.push = (push + q.push) * 0.5f;
  }
  void copyTo(Vec2& v, Vec2& p) const {
    v = velocity;
    p = push;
  }
};
#endif

// The particle's values, kept in registers while it meets a run.
struct Meeting {
  Vec2 position;
  Motion motion;
  float temperature = 0.0f;
  Crowding crowding;
};

// The sums start at +0 and never reach -0, so adding the zero of a neighbour that does not
// crowd leaves them exactly as skipping it would.
void meetBlock(Meeting& p, const Measured& m, particle_grid::Shared* shared, int32_t count) {
  for (int32_t j = 0; j < count; ++j) {
    p.crowding.directionSum.x += m.dirX[j];
    p.crowding.directionSum.y += m.dirY[j];
    p.crowding.overlapSum += m.overlap[j];
    p.crowding.count += m.crowds[j];
    if (!m.near[j]) continue;
    particle_grid::Shared& q = shared[j];
    p.motion.meet(q);
    p.temperature = q.temperature = (p.temperature + q.temperature) * 0.5f;
  }
}

// The meeting is copied in and out so that it stays in registers, not in memory the
// stores to the slots might alias.
void meetRun(Meeting& meeting, const particle_grid::Slots& slots, int32_t begin, int32_t end) {
  Meeting p = meeting;
  Measured m;
  for (int32_t i = begin; i < end; i += kBlock) {
    const int32_t count = std::min(end - i, kBlock);
    measure(p.position, slots.x + i, slots.y + i, count, m);
    meetBlock(p, m, slots.shared + i, count);
  }
  meeting = p;
  examinedPairs_ += uint64_t(std::max(end - begin, 0));
}

// The cells of a row lie side by side in the slots too, as the grid sorts them row by row and
// column by column, so cells x0..x1 of row y are one run: from the first one's start to the
// last one's end, where empty cells count for nothing.
particle_grid::Cell rowRun(const particle_grid::Cell* table, int32_t x0, int32_t x1, int32_t y) {
  particle_grid::Cell run{0, 0};
  for (int32_t x = x0; x <= x1; ++x) {
    const particle_grid::Cell c = particle_grid::cell(table, x, y);
    if (c.begin >= c.end) continue;
    if (run.begin >= run.end) run.begin = c.begin;
    run.end = c.end;
  }
  return run;
}

}  // namespace

Crowding meetNeighbours(Particle& particle) {
  Meeting p{particle.position, Motion{particle.velocity, particle.push}, particle.temperature, {}};
  const particle_grid::Slots slots = particle_grid::slots();
  const particle_grid::Cell* table = particle_grid::cellTable();
  const int32_t x = particle.cellX, y = particle.cellY;
  const particle_grid::Cell own = particle_grid::cell(table, x, y);
  if (particle.gridSlot >= 0) {
    meetRun(p, slots, own.begin, particle.gridSlot);
    meetRun(p, slots, particle.gridSlot + 1, own.end);
  } else {
    meetRun(p, slots, own.begin, own.end);
  }
  // The eight cells around, row by row: the row above, the cells either side, the row below.
  const particle_grid::Cell runs[] = {
      rowRun(table, x - 1, x + 1, y - 1), particle_grid::cell(table, x - 1, y),
      particle_grid::cell(table, x + 1, y), rowRun(table, x - 1, x + 1, y + 1)};
  for (const particle_grid::Cell& run : runs)
    if (run.begin < run.end) meetRun(p, slots, run.begin, run.end);
  p.motion.copyTo(particle.velocity, particle.push);
  particle.temperature = p.temperature;
  return p.crowding;
}

uint64_t examinedPairs() {
  return examinedPairs_;
}

}  // namespace neighbour_meeting
