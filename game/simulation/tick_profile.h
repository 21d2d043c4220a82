#pragma once
// How long each named stage of the tick took over the last second of wall time. The record is
// a fixed ring of hundredth-of-a-second slots, each with the tick count, the total and the
// longest time of every stage, so a tick costs a few clock readings and no allocation, and a
// tick drops out a second after the hundredth of a second it began in, however many ticks a
// second runs. Reading the clock is all it does: the ticks it times run as they would
// without it.

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tick_profile {

using Clock = std::chrono::steady_clock;
using NowFunction = Clock::time_point (*)();

// The most stages a profile keeps apart; names beyond these are not timed.
constexpr size_t kMostStages = 8;

// One stage's times over the last second; the whole tick's under the name "total".
struct StageTimes {
  std::string_view name;
  uint32_t ticks = 0;
  double totalMs = 0.0;
  double longestMs = 0.0;
};

class Profile {
 public:
  explicit Profile(std::span<const std::string_view> stageNames);

  // A tick's first stage starts now; the tick is counted in this moment's slot.
  void beginTick();
  // Stage `stage` (an index into the names) ends now and the next one starts. The tick ends
  // with its last stage.
  void endStage(size_t stage);

  // Each stage in order, then the whole tick, over the second before now.
  std::vector<StageTimes> lastSecond() const;
  // lastSecond() as console lines, or one line saying that no tick ran.
  std::string report() const;

  // The clock read from now on (null: the steady clock); the record starts empty.
  void setClock(NowFunction now);

 private:
  using Slot = std::chrono::duration<int64_t, std::centi>;
  static constexpr int64_t kSlotsKept = 100;  // a second

  struct Times {
    uint32_t ticks = 0;
    Clock::duration total{};
    Clock::duration longest{};
    void add(Clock::duration time);
  };
  struct SlotRecord {
    int64_t slot = INT64_MIN;                     // which slot the times belong to; none yet
    std::array<Times, kMostStages + 1> stages{};  // the last one is the whole tick
  };

  static int64_t slotOf(Clock::time_point time);
  SlotRecord& recordFor(int64_t slot);

  std::array<std::string_view, kMostStages> names_{};
  size_t stageCount_ = 0;
  NowFunction now_ = Clock::now;
  std::array<SlotRecord, kSlotsKept> slots_{};
  SlotRecord* current_ = nullptr;  // the running tick's slot
  Clock::time_point tickStart_{};
  Clock::time_point stageStart_{};
};

}  // namespace tick_profile
