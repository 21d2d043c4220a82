#pragma once
// Holding a level's route to what it says it achieves ("expect" lines of its script): the
// run lasts until the win deadline and the finish after it, and what it missed is told in
// words, so a level designer sees at once which promise broke.

#include <cstdint>
#include <string>

#include "tools/vmr_sim/sim_run.h"
#include "tools/vmr_sim/sim_script.h"

// How long a run of `script` lasts in the run's unit (ticks, or seconds when paced by
// frames): past its last action, its win deadline and the finish (a few seconds) after it.
double routeLength(const SimScript& script, const SimRunSettings& run = {});

// A run of a script that expects something, without a number of ticks, lasts the route's
// length: its ticks, or its seconds when paced by frames.
void lengthenForRoute(SimRunSettings& settings);

// The share of the starting water left at the end of the run, frozen water included.
double waterShare(const SimSummary& summary);

// Empty when the run kept every expectation; otherwise one line for each it missed.
std::string unmetExpectations(const RouteExpectation& expected, const SimSummary& summary,
                              const SimRunSettings& run = {});
