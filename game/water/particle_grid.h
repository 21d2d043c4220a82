#pragma once
// The neighbour grid of the free particles: a fixed grid of 2-unit cells around the camera,
// rebuilt before every step. A particle meets the particles of the nine cells around it,
// hundreds in dense water, so the grid keeps what a meeting reads and writes in slots of
// its own, stored cell after cell: each cell is one run of slots, its particles in reverse
// list order (the order in which the particles of a cell have always been met). A meeting
// walks a run front to back instead of chasing list nodes across the heap.
//
// While the particles move, the slots hold the current position, velocity, push and
// temperature of every particle in the grid: a particle takes its own before it moves and
// gives them back after, and the neighbours' meetings change the slots in between. The
// step returns the slots to the particles once all have moved.

#include <cstddef>
#include <cstdint>

#include "game/water/particle.h"

namespace particle_grid {

constexpr int32_t kGridCells = 1024;  // per axis
constexpr float kCellSize = 2.0f;

// What a meeting of two neighbours evens out.
struct Shared {
  Vec2 velocity;
  Vec2 push;
  float temperature = 0.0f;
};

// The slots [begin, end) of one cell.
struct Cell {
  int32_t begin = 0;
  int32_t end = 0;
};

// The slot arrays, in cell order; valid until the next link.
struct Slots {
  const float* x;
  const float* y;
  Shared* shared;
  Particle* const* owner;
};

// Empties the grid.
void clear();
// Empties the grid and marks every particle of `particles` as outside it.
void reset(ParticleList& particles);
// Puts every particle whose position lies inside the grid (centred on the camera) into the
// cell of its position, with its values in its slot. A particle outside keeps the cell it
// had last.
void link(ParticleList& particles);
// Takes the particle out of its cell; the cell's other particles keep their order.
void unlink(Particle& particle);

// The cells row after row, kGridCells to a row.
const Cell* cellTable();
// Cell (x, y) of the table; empty outside the grid.
inline Cell cell(const Cell* table, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= kGridCells || y >= kGridCells) return {};
  return table[size_t(y) * kGridCells + size_t(x)];
}
inline Cell cell(int32_t x, int32_t y) {
  return cell(cellTable(), x, y);
}
Slots slots();

// The particle's values from its slot, changed by the meetings so far (nothing outside the
// grid), and back into it.
void take(Particle& particle);
void give(const Particle& particle);
// Every linked particle's velocity, push and temperature from its slot.
void returnShared();

}  // namespace particle_grid
