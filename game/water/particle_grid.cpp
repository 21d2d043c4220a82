// Linking sorts the particles by cell, row after row, and within a cell by falling list
// position, then lays their values out in that order. The cells' runs are kept in a static
// table of the whole grid (8 MB); only the cells used by the last link are cleared again.

#include "game/water/particle_grid.h"

#include <array>
#include <vector>

#include "game/world/camera.h"

namespace particle_grid {
namespace {

// Positions are read four at a time, up to three past the end of a run.
constexpr size_t kPadding = 3;

using CellTable = std::array<std::array<Cell, kGridCells>, kGridCells>;
CellTable& cells() {
  static CellTable table{};
  return table;
}

struct Grid {
  std::vector<float> x, y;
  std::vector<Shared> shared;
  std::vector<Particle*> owner;
  std::vector<uint32_t> usedCells;  // y * kGridCells + x of every cell with a run
  // Link's work lists: the sort keys (cell above, inverted list position below) and the
  // particles by list position.
  std::vector<uint64_t> keys;
  std::vector<Particle*> byPosition;
  std::vector<uint64_t> sortSpace;
};
Grid grid;

void clearCells() {
  for (uint32_t key : grid.usedCells) cells()[key / kGridCells][key % kGridCells] = Cell{};
  grid.usedCells.clear();
}

// The cell of `offset` (a coordinate minus the grid's origin), or -1 outside the grid.
// The offset is range-checked before it is converted, so a far or broken position is
// simply outside.
int32_t cellIndex(float offset) {
  constexpr float kGridExtent = float(kGridCells) * kCellSize;
  if (!(offset > -1.0f && offset < kGridExtent)) return -1;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int32_t>(offset)) >> 1);
}

// Sets the particle's cell and queues it for sorting; false outside the grid.
bool placeInCell(Particle& p, Vec2 origin, uint32_t position) {
  p.gridSlot = -1;
  const int32_t x = cellIndex(p.position.x - origin.x);
  const int32_t y = cellIndex(p.position.y - origin.y);
  if (x < 0 || y < 0) {
    p.inGrid = false;
    return false;
  }
  p.cellX = x;
  p.cellY = y;
  p.inGrid = true;
  const uint64_t cellKey = uint64_t(uint32_t(y) * kGridCells + uint32_t(x));
  grid.keys.push_back(cellKey << 32 | (0xFFFFFFFFu - position));
  return true;
}

// The keys in rising order: two stable counting passes over ten bits of the cell each, the
// particles' list positions falling within a cell as they were queued in falling order.
void sortKeys() {
  constexpr uint32_t kDigits = 1024;
  std::vector<uint64_t>& from = grid.keys;
  std::vector<uint64_t>& to = grid.sortSpace;
  to.resize(from.size());
  for (int shift = 32; shift <= 42; shift += 10) {
    std::array<uint32_t, kDigits + 1> start{};
    for (uint64_t key : from) ++start[((key >> shift) & (kDigits - 1)) + 1];
    for (uint32_t d = 0; d < kDigits; ++d) start[d + 1] += start[d];
    for (uint64_t key : from) to[start[(key >> shift) & (kDigits - 1)]++] = key;
    from.swap(to);
  }
}

void fillSlot(size_t slot, Particle& p) {
  grid.x[slot] = p.position.x;
  grid.y[slot] = p.position.y;
  grid.shared[slot] = {p.velocity, p.push, p.temperature};
  grid.owner[slot] = &p;
  p.gridSlot = int32_t(slot);
}

void layOutSlots() {
  const size_t count = grid.keys.size();
  grid.x.assign(count + kPadding, 0.0f);
  grid.y.assign(count + kPadding, 0.0f);
  grid.shared.resize(count);
  grid.owner.resize(count);
  uint32_t runKey = 0xFFFFFFFFu;
  for (size_t slot = 0; slot < count; ++slot) {
    const uint64_t key = grid.keys[slot];
    fillSlot(slot, *grid.byPosition[0xFFFFFFFFu - uint32_t(key)]);
    const uint32_t cellKey = uint32_t(key >> 32);
    Cell& c = cells()[cellKey / kGridCells][cellKey % kGridCells];
    if (cellKey != runKey) {
      runKey = cellKey;
      grid.usedCells.push_back(cellKey);
      c.begin = int32_t(slot);
    }
    c.end = int32_t(slot + 1);
  }
}

}  // namespace

void clear() {
  clearCells();
}

void reset(ParticleList& particles) {
  clearCells();
  for (Particle& p : particles) {
    p.inGrid = false;
    p.gridSlot = -1;
  }
}

void link(ParticleList& particles) {
  clearCells();
  grid.keys.clear();
  grid.byPosition.clear();
  const Vec2 origin = camera::centre() - Vec2{512.0f, 512.0f};
  for (Particle& p : particles) grid.byPosition.push_back(&p);
  for (size_t i = grid.byPosition.size(); i-- > 0;)
    placeInCell(*grid.byPosition[i], origin, uint32_t(i));
  sortKeys();
  layOutSlots();
}

void unlink(Particle& p) {
  const bool linked = p.inGrid && p.gridSlot >= 0;
  p.inGrid = false;
  if (!linked) return;
  Cell& c = cells()[size_t(p.cellY)][size_t(p.cellX)];
  // A grid cleared or linked again since no longer holds the particle there.
  if (p.gridSlot < c.begin || p.gridSlot >= c.end || grid.owner[size_t(p.gridSlot)] != &p) {
    p.gridSlot = -1;
    return;
  }
  for (int32_t slot = p.gridSlot; slot + 1 < c.end; ++slot) {
    const size_t to = size_t(slot), from = to + 1;
    grid.x[to] = grid.x[from];
    grid.y[to] = grid.y[from];
    grid.shared[to] = grid.shared[from];
    grid.owner[to] = grid.owner[from];
    grid.owner[to]->gridSlot = slot;
  }
  --c.end;
  p.gridSlot = -1;
}

const Cell* cellTable() {
  return cells()[0].data();
}

Slots slots() {
  return {grid.x.data(), grid.y.data(), grid.shared.data(), grid.owner.data()};
}

void take(Particle& p) {
  if (p.gridSlot < 0) return;
  const Shared& s = grid.shared[size_t(p.gridSlot)];
  p.velocity = s.velocity;
  p.push = s.push;
  p.temperature = s.temperature;
}

void give(const Particle& p) {
  if (p.gridSlot < 0) return;
  const size_t slot = size_t(p.gridSlot);
  grid.x[slot] = p.position.x;
  grid.y[slot] = p.position.y;
  grid.shared[slot] = {p.velocity, p.push, p.temperature};
}

// Cell by cell: the slots are read in order and no particle waits for the list's links.
void returnShared() {
  for (uint32_t key : grid.usedCells) {
    const Cell c = cells()[key / kGridCells][key % kGridCells];
    for (int32_t slot = c.begin; slot < c.end; ++slot) {
      const Shared& s = grid.shared[size_t(slot)];
      Particle& p = *grid.owner[size_t(slot)];
      p.velocity = s.velocity;
      p.push = s.push;
      p.temperature = s.temperature;
    }
  }
}

}  // namespace particle_grid
