#include "game/level/movers.h"

#include "game/console/console.h"

namespace {

std::list<Mover> moverList_;
std::vector<CollisionEdge> movingEdges_;

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

void initialise() {
  shutdown();
  console::print("\nInitialising down mover manager..");
}

void shutdown() {
  console::print("\nShutting down mover manager..");
  moverList_.clear();
  movingEdges_.clear();
}

void reset() {
  for (Mover& mover : moverList_) {
    mover.position = 0.0f;
    mover.state = 0;
  }
}

void addMover(uint32_t id, float speed, Vec2 start, Vec2 end) {
  Mover& mover = moverList_.emplace_back();
  mover.id = id;
  mover.speed = speed;
  mover.setStart(start);
  mover.setEnd(end);
}

std::list<Mover>& moverList() {
  return moverList_;
}

const std::vector<CollisionEdge>& movingEdges() {
  return movingEdges_;
}

}  // namespace movers
