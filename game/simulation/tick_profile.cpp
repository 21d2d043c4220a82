#include "game/simulation/tick_profile.h"

#include <algorithm>
#include <cstdio>

namespace tick_profile {
namespace {

constexpr std::string_view kTotalName = "total";

double milliseconds(Clock::duration time) {
  return std::chrono::duration<double, std::milli>(time).count();
}

std::string heading() {
  char text[96];
  std::snprintf(text, sizeof text, "\n%-12s %6s %10s %9s %11s", "Stage", "Ticks", "Total ms",
                "Mean ms", "Longest ms");
  return text;
}

std::string line(const StageTimes& times) {
  char text[96];
  const double mean = times.ticks > 0 ? times.totalMs / times.ticks : 0.0;
  std::snprintf(text, sizeof text, "\n%-12.*s %6u %10.3f %9.3f %11.3f", int(times.name.size()),
                times.name.data(), unsigned(times.ticks), times.totalMs, mean, times.longestMs);
  return text;
}

}  // namespace

void Profile::Times::add(Clock::duration time) {
  ++ticks;
  total += time;
  longest = std::max(longest, time);
}

Profile::Profile(std::span<const std::string_view> stageNames)
    : stageCount_(std::min(stageNames.size(), kMostStages)) {
  std::copy_n(stageNames.begin(), stageCount_, names_.begin());
}

void Profile::beginTick() {
  tickStart_ = stageStart_ = now_();
  current_ = &recordFor(slotOf(tickStart_));
}

void Profile::endStage(size_t stage) {
  if (current_ == nullptr || stage >= stageCount_) return;
  const Clock::time_point end = now_();
  current_->stages[stage].add(end - stageStart_);
  stageStart_ = end;
  if (stage + 1 == stageCount_) {
    current_->stages[kMostStages].add(end - tickStart_);
    current_ = nullptr;
  }
}

std::vector<StageTimes> Profile::lastSecond() const {
  std::vector<StageTimes> result(stageCount_ + 1);
  for (size_t i = 0; i < stageCount_; ++i) result[i].name = names_[i];
  result.back().name = kTotalName;
  const int64_t newest = slotOf(now_());
  for (const SlotRecord& record : slots_) {
    if (record.slot > newest || record.slot <= newest - kSlotsKept) continue;
    for (size_t i = 0; i <= stageCount_; ++i) {
      const Times& times = record.stages[i < stageCount_ ? i : kMostStages];
      result[i].ticks += times.ticks;
      result[i].totalMs += milliseconds(times.total);
      result[i].longestMs = std::max(result[i].longestMs, milliseconds(times.longest));
    }
  }
  return result;
}

std::string Profile::report() const {
  const std::vector<StageTimes> stages = lastSecond();
  if (stages.back().ticks == 0) return "\nNo tick ran in the last second.";
  std::string text = heading();
  for (const StageTimes& times : stages) text += line(times);
  return text;
}

void Profile::setClock(NowFunction now) {
  now_ = now != nullptr ? now : Clock::now;
  slots_.fill(SlotRecord{});
  current_ = nullptr;
}

int64_t Profile::slotOf(Clock::time_point time) {
  return std::chrono::floor<Slot>(time.time_since_epoch()).count();
}

// A slot's record, emptied first when it still holds a slot a second or more older.
Profile::SlotRecord& Profile::recordFor(int64_t slot) {
  const int64_t index = ((slot % kSlotsKept) + kSlotsKept) % kSlotsKept;
  SlotRecord& record = slots_[size_t(index)];
  if (record.slot != slot) record = SlotRecord{slot, {}};
  return record;
}

}  // namespace tick_profile
