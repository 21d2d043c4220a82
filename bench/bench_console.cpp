// Console printing and dispatch: subsystems print every frame, so both must stay cheap.

#include <benchmark/benchmark.h>

#include "game/console/console.h"

namespace {

float gravity = 9.81f;
float gravityVariable(float value, bool set) {
  if (set) gravity = value;
  return gravity;
}

void ConsolePrint(benchmark::State& state) {
  const std::string line(size_t(state.range(0)), 'x');
  for (auto _ : state) console::print(line);
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(ConsolePrint)->Arg(16)->Arg(256)->Arg(4096);

void ConsolePrintNumber(benchmark::State& state) {
  float value = 0.0f;
  for (auto _ : state) console::print(value += 0.25f);
}
BENCHMARK(ConsolePrintNumber);

void ConsoleExecuteVariable(benchmark::State& state) {
  console::initialise();
  console::addCommand("Gravity", gravityVariable);
  for (auto _ : state) console::execute("gravity 300");
  console::shutdown();
}
BENCHMARK(ConsoleExecuteVariable);

}  // namespace
