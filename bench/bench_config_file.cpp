// Parsing configuration text: the cost per byte shows whether the clean-up walks stay linear.

#include <benchmark/benchmark.h>

#include <string>

#include "common/config_file.h"

namespace {

std::string configText(int64_t pairs) {
  std::string text = "A heading with remarks that the parser drops.\n";
  for (int64_t i = 0; i < pairs; ++i) {
    text += "key" + std::to_string(i) + " = " + std::to_string(i * 0.5) + "  (a remark)\n";
  }
  return text;
}

void ConfigParse(benchmark::State& state) {
  const std::string text = configText(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ConfigFile::fromText(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(ConfigParse)->Arg(100)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
