#include "tools/vmr_sim/route_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "common/text.h"
#include "game/simulation/simulation.h"

namespace {

// The finish fades in over 2.5 s; the rest is room for the level to close.
constexpr ScriptTime kFinish = {150, false};
// Sums of tick lengths are not exact.
constexpr double kSlack = 1e-4;

// Seconds to the hundredth, which is finer than a tick.
std::string timeText(double time, const SimRunSettings& run) {
  if (!run.framePaced()) return "tick " + shortestText(time);
  std::array<char, 32> text;
  std::snprintf(text.data(), text.size(), "%.2f s", time);
  return text.data();
}

}  // namespace

double routeLength(const SimScript& script, const SimRunSettings& run) {
  double last = 0.0;
  for (const ScriptAction& action : script.actions) {
    const double hold = action.kind == ScriptActionKind::kHold ? run.timeOf(action.holdFor) : 0.0;
    last = std::max(last, run.timeOf(action.at) + hold * run.holdScale);
  }
  if (script.expected.winBy) last = std::max(last, run.timeOf(*script.expected.winBy));
  return last + run.timeOf(kFinish);
}

void lengthenForRoute(SimRunSettings& settings) {
  if (settings.ticks != 0 || !settings.script.expected.any()) return;
  const double length = routeLength(settings.script, settings);
  if (settings.framePaced())
    settings.seconds = length;
  else
    settings.ticks = static_cast<int64_t>(std::ceil(length));
}

double waterShare(const SimSummary& summary) {
  return double(summary.freeParticles + summary.iceParticles) / simulation::kStartWaterAmount;
}

std::string unmetExpectations(const RouteExpectation& expected, const SimSummary& summary,
                              const SimRunSettings& run) {
  std::string missed;
  const double won = run.framePaced() ? summary.winSeconds : double(summary.winTick);
  if (expected.winBy && (!summary.won || won > run.timeOf(*expected.winBy) + kSlack)) {
    missed += summary.won ? "won after " + timeText(won, run) : std::string("not won");
    missed += ", expected a win by " + timeText(run.timeOf(*expected.winBy), run) + "\n";
  }
  if (expected.waterShare && waterShare(summary) < *expected.waterShare) {
    missed += "kept " + shortestText(waterShare(summary)) + " of the water, expected " +
              shortestText(*expected.waterShare) + "\n";
  }
  return missed;
}
