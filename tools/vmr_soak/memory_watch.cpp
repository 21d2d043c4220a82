#include "tools/vmr_soak/memory_watch.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>

std::optional<size_t> residentFromStatm(std::string_view statm, size_t pageSize) {
  // "size resident shared text lib data dt", all in pages.
  const size_t gap = statm.find(' ');
  if (gap == std::string_view::npos) return std::nullopt;
  const std::string_view rest = statm.substr(gap + 1);
  size_t pages = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pages);
  if (error != std::errc() || end == rest.data() ||
      (end != rest.data() + rest.size() && *end != ' ' && *end != '\n'))
    return std::nullopt;
  return pages * pageSize;
}

std::optional<size_t> residentBytes() {
  std::ifstream file("/proc/self/statm");
  std::array<char, 128> text{};
  file.read(text.data(), text.size() - 1);
  if (file.gcount() <= 0) return std::nullopt;
  return residentFromStatm(std::string_view(text.data(), size_t(file.gcount())),
                           size_t(sysconf(_SC_PAGESIZE)));
}

void MemoryWatch::sample(size_t bytes, bool warmedUp) {
  peak_ = std::max(peak_, bytes);
  size_t& highest = warmedUp ? afterWarmUp_ : baseline_;
  highest = std::max(highest, bytes);
}

std::optional<std::string> MemoryWatch::problem() const {
  if (afterWarmUp_ <= baseline_ + allowedGrowth_) return std::nullopt;
  return "resident memory grew from " + megabytes(baseline_) + " at the end of the warm-up to " +
         megabytes(afterWarmUp_) + ", more than the " + megabytes(allowedGrowth_) + " allowed";
}

std::string megabytes(size_t bytes) {
  std::array<char, 32> text;
  std::snprintf(text.data(), text.size(), "%.1f MB", double(bytes) / (1024.0 * 1024.0));
  return text.data();
}
