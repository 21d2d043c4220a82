// The worker thread's life: made suspended, run on resume, held at its pause points while
// suspended, let go and joined by its destructor, priorities only in the five steps.

#include "common/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

namespace {

using namespace std::chrono_literals;

void waitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 2000 && !done(); ++i) std::this_thread::sleep_for(1ms);
}

TEST(WorkerThreadTest, RunsItsBodyOnlyOnceResumed) {
  std::atomic<bool> ran{false};
  WorkerThread worker([&] { ran = true; });
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(ran);
  EXPECT_TRUE(worker.isSuspended());
  worker.resume();
  waitUntil([&] { return ran.load(); });
  EXPECT_TRUE(ran);
}

TEST(WorkerThreadTest, DestroyingASuspendedThreadRunsItToTheEnd) {
  std::atomic<bool> ran{false};
  { WorkerThread worker([&] { ran = true; }); }
  EXPECT_TRUE(ran);
}

TEST(WorkerThreadTest, ASuspendedBodyWaitsAtItsPausePoint) {
  std::atomic<int> turns{0};
  std::atomic<bool> stop{false};
  WorkerThread* self = nullptr;
  WorkerThread worker([&] {
    while (!stop) {
      self->pausePoint();
      ++turns;
      std::this_thread::sleep_for(1ms);
    }
  });
  self = &worker;
  worker.resume();
  waitUntil([&] { return turns > 3; });
  worker.suspend();
  std::this_thread::sleep_for(10ms);  // the turn under way finishes
  const int held = turns;
  std::this_thread::sleep_for(30ms);
  EXPECT_EQ(turns, held);
  worker.resume();
  waitUntil([&] { return turns > held + 3; });
  EXPECT_GT(turns, held + 3);
  stop = true;
}

TEST(WorkerThreadTest, TakesOnlyTheFivePriorityStepsAndLowersWithoutPrivileges) {
  WorkerThread worker([] {});
  EXPECT_FALSE(worker.setPriority(3));
  EXPECT_FALSE(worker.setPriority(-3));
  EXPECT_EQ(worker.priority(), 0);
  EXPECT_TRUE(worker.setPriority(-2));
  EXPECT_EQ(worker.priority(), -2);
}

}  // namespace
