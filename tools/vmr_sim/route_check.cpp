#include "tools/vmr_sim/route_check.h"

#include <algorithm>

#include "common/text.h"
#include "game/simulation/simulation.h"

namespace {

// The finish fades in over 2.5 s; the rest is room for the level to close.
constexpr int64_t kFinishTicks = 150;

}  // namespace

int64_t routeTicks(const SimScript& script) {
  int64_t last = 0;
  for (const ScriptAction& action : script.actions)
    last = std::max(last, action.tick + (action.kind == ScriptActionKind::kHold ? action.holdTicks : 0));
  last = std::max(last, script.expected.winBy.value_or(0));
  return last + kFinishTicks;
}

double waterShare(const SimSummary& summary) {
  return double(summary.freeParticles + summary.iceParticles) / simulation::kStartWaterAmount;
}

std::string unmetExpectations(const RouteExpectation& expected, const SimSummary& summary) {
  std::string missed;
  if (expected.winBy && (!summary.won || summary.winTick > *expected.winBy)) {
    missed += summary.won ? "won after tick " + std::to_string(summary.winTick)
                          : std::string("not won");
    missed += ", expected a win by tick " + std::to_string(*expected.winBy) + "\n";
  }
  if (expected.waterShare && waterShare(summary) < *expected.waterShare) {
    missed += "kept " + shortestText(waterShare(summary)) + " of the water, expected " +
              shortestText(*expected.waterShare) + "\n";
  }
  return missed;
}
