#pragma once
// The machine's physical memory figures, for the console's "Memory" report.

#include <cstdint>

namespace platform {

struct SystemMemory {
  uint64_t totalBytes = 0;
  uint64_t availableBytes = 0;
};

// Zeros when the system doesn't tell.
SystemMemory querySystemMemory();

}  // namespace platform
