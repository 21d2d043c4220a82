#pragma once
// Measures elapsed wall time for the timing messages of loaders and console benchmarks.

#include <chrono>
#include <cstdint>

class Stopwatch {
 public:
  Stopwatch() : start_(Clock::now()) {}
  void restart() { start_ = Clock::now(); }
  double seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }
  uint32_t milliseconds() const {
    using std::chrono::duration_cast;
    return static_cast<uint32_t>(
        duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count());
  }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point start_;
};
