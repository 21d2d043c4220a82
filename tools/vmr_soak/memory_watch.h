#pragma once
// Watches the soak's resident memory. Readings up to the end of the warm-up (every level
// loaded once, the water's lists and grids at their working size) set the baseline, their
// highest; any later reading more than the allowed growth above it means memory is being
// lost on every round.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Resident bytes from the text of /proc/<pid>/statm, whose second field counts pages.
std::optional<size_t> residentFromStatm(std::string_view statm, size_t pageSize);
// This process's resident bytes now; nothing when /proc can't be read.
std::optional<size_t> residentBytes();

class MemoryWatch {
 public:
  explicit MemoryWatch(size_t allowedGrowth) : allowedGrowth_(allowedGrowth) {}

  // A reading taken during the warm-up or after it.
  void sample(size_t bytes, bool warmedUp);
  // What grew too much, or nothing; always nothing while no reading came after the warm-up.
  std::optional<std::string> problem() const;

  size_t peak() const { return peak_; }
  size_t baseline() const { return baseline_; }
  bool measured() const { return afterWarmUp_ > 0; }

 private:
  size_t allowedGrowth_;
  size_t baseline_ = 0;     // the highest reading of the warm-up
  size_t afterWarmUp_ = 0;  // the highest reading after it
  size_t peak_ = 0;
};

// "12.3 MB": bytes in binary megabytes, one decimal.
std::string megabytes(size_t bytes);
