#include "game/app/speed_display.h"

#include <SDL_timer.h>

#include <array>

#include "common/mean_block.h"
#include "game/console/console.h"

namespace speed_display {
namespace {

struct Displays {
  bool showGameSpeeds = false;
  bool showDrawSpeeds = false;
  bool showSimSpeeds = false;
  MeanBlock<double, 32> simulationCosts;
  MeanBlock<double, 32> drawingCosts;
};

Displays& displays() {
  static Displays instance;
  return instance;
}

// The performance counter's low 32 bits, as the displays count them.
uint32_t counterLow() {
  return static_cast<uint32_t>(SDL_GetPerformanceCounter());
}

bool showGameSpeeds(bool value, bool set) {
  return console::variableValue(displays().showGameSpeeds, value, set);
}
bool showDrawSpeeds(bool value, bool set) {
  return console::variableValue(displays().showDrawSpeeds, value, set);
}
bool showSimSpeeds(bool value, bool set) {
  return console::variableValue(displays().showSimSpeeds, value, set);
}

const std::array<console::NamedCommand, 3> kEntries = {{
    {"ShowGameSpeeds", showGameSpeeds},
    {"ShowDrawSpeeds", showDrawSpeeds},
    {"ShowSimSpeeds", showSimSpeeds},
}};

}  // namespace

void registerConsoleEntries() {
  console::addCommands(kEntries);
}

void removeConsoleEntries() {
  console::removeCommands(kEntries);
}

void hideAll() {
  Displays& d = displays();
  d.showGameSpeeds = d.showDrawSpeeds = d.showSimSpeeds = false;
}

bool showsSimulationSpeeds() {
  return displays().showSimSpeeds;
}

void frameTimed(float frameTime) {
  if (!(displays().showGameSpeeds && frameTime > 0.0f)) return;
  console::print("\nGame - fps: ");
  console::print(1.0f / frameTime);
}

void countSimulationCost(const simulation::TickReport& report) {
  Displays& d = displays();
  if (!report.stepped) return;
  if (d.simulationCosts.add(report.stepCost) && d.showSimSpeeds) {
    console::print("\nSimulation - clock tics: ");
    console::print(static_cast<uint32_t>(d.simulationCosts.lastMean));
  }
}

uint32_t drawingStart() {
  return counterLow();
}

void countDrawingCost(uint32_t start) {
  Displays& d = displays();
  const uint32_t cost = counterLow() - start;
  if (d.drawingCosts.add(cost) && d.showDrawSpeeds) {
    console::print("\nDrawing - clock tics: ");
    console::print(static_cast<uint32_t>(d.drawingCosts.lastMean));
  }
}

void reset() {
  displays() = Displays();
}

}  // namespace speed_display
