// The tree's console entries: its size and depth, a walk from node to node that the debug
// drawing follows, a timed ray cast benchmark and the debug drawing's switches.

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/random.h"
#include "common/stopwatch.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/level/collision_tree_internal.h"

namespace collision::detail {
namespace {

constexpr int kCastRounds = 2048;
constexpr float kCastReach = 100000.0f;

int32_t treeDepth() {
  TreeState& tree = treeState();
  if (!tree.root) return 0;
  int32_t deepest = 0;
  std::vector<std::pair<const CollisionEdge*, int32_t>> stack{{tree.root, 1}};
  while (!stack.empty()) {
    const auto [node, depth] = stack.back();
    stack.pop_back();
    deepest = std::max(deepest, depth);
    if (node->backChild) stack.push_back({node->backChild, depth + 1});
    if (node->frontChild) stack.push_back({node->frontChild, depth + 1});
  }
  return deepest;
}

int32_t bspSize() {
  return int32_t(treeState().nodes.size());
}

int32_t bspDepth() {
  return treeDepth();
}

void printWalkOptions() {
  TreeState& tree = treeState();
  const CollisionEdge* node = tree.walkNode;
  console::print("\nWalk options for current node: ");
  if (node != tree.root) console::print("ROOT ");
  if (node->parent) console::print("PARENT ");
  if (node->backChild) console::print("LEFT ");
  if (node->frontChild) console::print("RIGHT ");
}

void printWalkWords() {
  console::print("\nUnrecognised tree walk command. Valid commands are: ");
  console::print("\n");
  console::print("\nBspTreeWalk LEFT");
  console::print("\nBspTreeWalk RIGHT");
  console::print("\nBspTreeWalk PARENT");
  console::print("\nBspTreeWalk ROOT");
  console::print("\n");
}

// Moves the walk node to `next`, or says why it cannot.
void walkTo(CollisionEdge* next, const char* missing) {
  if (next) {
    treeState().walkNode = next;
  } else {
    console::print(missing);
  }
}

void bspWalk(const std::string& text) {
  TreeState& tree = treeState();
  if (!tree.root) return;
  const std::string word = upperCased(text);
  CollisionEdge* node = tree.walkNode;
  if (word == "PARENT") {
    walkTo(node->parent, "\nNo parent node at current node.");
  } else if (word == "LEFT") {
    walkTo(node->backChild, "\nNo left child node at current node.");
  } else if (word == "RIGHT") {
    walkTo(node->frontChild, "\nNo right child node at current node.");
  } else if (word == "ROOT") {
    walkTo(node == tree.root ? nullptr : tree.root, "\nAlready at root node.");
  } else {
    printWalkWords();
  }
  printWalkOptions();
}

// Rays from one point in random directions, far enough to leave any level.
void castRandomRays(Vec2 origin) {
  TreeState& tree = treeState();
  for (int round = 0; round < kCastRounds; ++round) {
    for (int k = 0; k < kCastRays; ++k) {
      const float r1 = rng::uniform();
      const float r2 = rng::uniform();
      tree.castStarts[size_t(k)] = origin;
      tree.castEnds[size_t(k)] = origin + Vec2{r1 - 0.5f, r2 - 0.5f} * kCastReach;
      castRay(origin, tree.castEnds[size_t(k)]);
    }
  }
  tree.haveCastRays = true;
}

void printCastResults(float seconds, uint32_t milliseconds) {
  constexpr uint32_t kTotal = uint32_t(kCastRays) * uint32_t(kCastRounds);
  console::printHeading("Test ray cast results");
  console::print("\nTest cast rays:              ");
  console::print(uint32_t(kCastRays));
  console::print("\nTest cast iterations:        ");
  console::print(uint32_t(kCastRounds));
  console::print("\nTotal rays cast:             ");
  console::print(kTotal);
  console::print("\nSeconds taken:               ");
  console::print(seconds);
  console::print("\nClocks taken:                ");
  console::print(milliseconds);
  console::print("\nRays per second (average):   ");
  console::print(float(kTotal) / seconds);
}

void bspCast(const std::string& text) {
  const std::vector<std::string> words = splitWords(text);
  if (words.size() != 2 || !isNumber(words[0]) || !isNumber(words[1])) {
    console::print("\nUSAGE: BspCast < number > < number >");
    return;
  }
  const Stopwatch stopwatch;
  castRandomRays({toNumber(words[0]), toNumber(words[1])});
  printCastResults(float(stopwatch.seconds()), stopwatch.milliseconds());
}

bool bspWalkDraw(bool value, bool set) {
  return console::variableValue(treeState().walkDraw, value, set);
}
bool bspCastDraw(bool value, bool set) {
  return console::variableValue(treeState().castDraw, value, set);
}
bool bspSplitDraw(bool value, bool set) {
  return console::variableValue(treeState().splitDraw, value, set);
}
bool bspNodeDraw(bool value, bool set) {
  return console::variableValue(treeState().nodeDraw, value, set);
}

// Registered by every build and removed by destroyCollisionTree, both from this table.
const console::NamedCommand kTreeEntries[] = {
    {"BspSize", bspSize},           {"BspDepth", bspDepth},       {"BspWalk", bspWalk},
    {"BspWalkDraw", bspWalkDraw},   {"BspCast", bspCast},         {"BspCastDraw", bspCastDraw},
    {"BspSplitDraw", bspSplitDraw}, {"BspNodeDraw", bspNodeDraw},
};

}  // namespace

void addTreeEntries() {
  console::addCommands(kTreeEntries);
}

void removeTreeEntries() {
  console::removeCommands(kTreeEntries);
}

}  // namespace collision::detail
