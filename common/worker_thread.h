#pragma once
// A thread that is made suspended and runs its body once resumed; the object owns it, so
// destroying the object lets a suspended thread go on and waits for it to end. Suspending a
// running thread is cooperative: the body stops at its next pausePoint() until resumed, which
// keeps it from being frozen while it holds a lock or a rendering context.
//
// Priorities are the five steps -2 (lowest) to 2 (highest) around the process's own, applied
// to the thread as nice values; raising a thread above the process usually needs privileges
// a player doesn't have, and then the change is refused.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <sys/types.h>
#include <thread>

class WorkerThread {
 public:
  // The thread exists at once but doesn't start `body` before resume().
  explicit WorkerThread(std::function<void()> body);
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  ~WorkerThread();

  // Lets a suspended thread run; nothing when it runs.
  void resume();
  // The body waits at its next pausePoint() until resumed; nothing when already suspended.
  void suspend();
  bool isSuspended() const;
  // For the body, between pieces of work: returns once the thread is not suspended.
  void pausePoint();

  // Only -2 to 2; true, and the value kept, when the system accepted the change.
  bool setPriority(int32_t priority);
  int32_t priority() const { return priority_; }
  std::thread::id id() const { return thread_.get_id(); }

 private:
  std::function<void()> body_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool suspended_ = true;
  int32_t priority_ = 0;
  int processNice_ = 0;
  pid_t systemId_ = 0;  // the kernel's id of the thread, which nice values are set on
  std::thread thread_;
};
