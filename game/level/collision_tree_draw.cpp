#include "game/level/collision_tree_draw.h"

#include <GL/gl.h>

#include <vector>

#include "game/level/collision_tree.h"
#include "game/platform/debug_draw_scope.h"

namespace collision {
namespace {

constexpr float kNormalMarkLength = 8.0f;
// The splitting line reaches this many edge lengths beyond the edge both ways, well past
// any level.
constexpr float kSplitLineReach = 9999.0f;

void vertex(Vec2 p) {
  glVertex2f(p.x, p.y);
}

void edgeLine(const CollisionEdge& edge) {
  vertex(edge.start);
  vertex(edge.end);
}

// From the edge's midpoint along its normal, towards the solid side.
void normalMark(const CollisionEdge& edge) {
  const Vec2 middle = (edge.start + edge.end) * 0.5f;
  vertex(middle);
  vertex(middle + edge.normal * kNormalMarkLength);
}

// Every node of the tree, each before its front subtree and that before its back subtree.
// The tree is walked with a stack of its own: a badly balanced tree can be deep.
template <typename Visit>
void visitFrontFirst(const CollisionEdge* root, Visit visit) {
  std::vector<const CollisionEdge*> pending;
  if (root != nullptr) pending.push_back(root);
  while (!pending.empty()) {
    const CollisionEdge* node = pending.back();
    pending.pop_back();
    visit(*node);
    if (node->backChild != nullptr) pending.push_back(node->backChild);
    if (node->frontChild != nullptr) pending.push_back(node->frontChild);
  }
}

void drawSplits(const DebugView& view) {
  visitFrontFirst(view.root, [](const CollisionEdge& edge) {
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    edgeLine(edge);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    normalMark(edge);
    glEnd();
    const Vec2 along = edge.end - edge.start;
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    vertex(edge.start - along * kSplitLineReach);
    vertex(edge.start + along * kSplitLineReach);
    glEnd();
  });
}

void drawWalkNode(const CollisionEdge& node) {
  glLineWidth(3.0f);
  glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_LINES);
  edgeLine(node);
  glEnd();
  glLineWidth(4.0f);
  glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
  glBegin(GL_LINES);
  normalMark(node);
  glEnd();
}

void drawCastRays(const DebugView& view) {
  glLineWidth(1.0f);
  glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_LINES);
  for (int ray = 0; ray < kCastRays; ++ray) {
    vertex(view.castStarts[ray]);
    vertex(view.castEnds[ray]);
  }
  glEnd();
}

void drawNodes(const DebugView& view) {
  glLineWidth(1.0f);
  glPointSize(2.0f);
  visitFrontFirst(view.root, [](const CollisionEdge& edge) {
    glBegin(GL_LINES);
    if (edge.active) {
      glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    } else {
      glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    }
    edgeLine(edge);
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
    normalMark(edge);
    glEnd();
    glBegin(GL_POINTS);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    edgeLine(edge);
    glEnd();
  });
}

}  // namespace

void drawCollisionDebug() {
  const DebugView view = debugView();
  if (view.splitDraw) {
    const DebugDrawScope scope;
    drawSplits(view);
  }
  if (view.walkDraw && view.walkNode != nullptr) {
    const DebugDrawScope scope;
    drawWalkNode(*view.walkNode);
  }
  if (view.castDraw && view.castStarts != nullptr && view.castEnds != nullptr) {
    const DebugDrawScope scope;
    drawCastRays(view);
  }
  if (view.nodeDraw) {
    const DebugDrawScope scope;
    drawNodes(view);
  }
}

}  // namespace collision
