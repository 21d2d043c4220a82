#include "common/worker_thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr int32_t kLowestPriority = -2;
constexpr int32_t kHighestPriority = 2;
constexpr int kNicePerStep = 5;  // -2 .. 2 spans nice +10 .. -10 around the process

}  // namespace

WorkerThread::WorkerThread(std::function<void()> body) : body_(std::move(body)) {
  errno = 0;
  processNice_ = getpriority(PRIO_PROCESS, 0);
  if (errno != 0) processNice_ = 0;
  thread_ = std::thread([this] {
    {
      std::lock_guard lock(mutex_);
      systemId_ = gettid();
    }
    wake_.notify_all();
    pausePoint();
    body_();
  });
  // The kernel's id is known once the thread runs; priorities are set on it.
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return systemId_ != 0; });
}

WorkerThread::~WorkerThread() {
  resume();
  thread_.join();
}

void WorkerThread::resume() {
  {
    std::lock_guard lock(mutex_);
    if (!suspended_) return;
    suspended_ = false;
  }
  wake_.notify_all();
}

void WorkerThread::suspend() {
  std::lock_guard lock(mutex_);
  suspended_ = true;
}

bool WorkerThread::isSuspended() const {
  std::lock_guard lock(mutex_);
  return suspended_;
}

void WorkerThread::pausePoint() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return !suspended_; });
}

bool WorkerThread::setPriority(int32_t priority) {
  if (priority < kLowestPriority || priority > kHighestPriority) return false;
  const int nice = processNice_ - priority * kNicePerStep;
  if (setpriority(PRIO_PROCESS, static_cast<id_t>(systemId_), nice) != 0) return false;
  priority_ = priority;
  return true;
}
