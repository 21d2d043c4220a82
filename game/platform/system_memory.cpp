#include "game/platform/system_memory.h"

#include <sys/sysinfo.h>

namespace platform {

SystemMemory querySystemMemory() {
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return {};
  const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
  // Buffer memory can be handed back at once, so it counts as available too.
  return {uint64_t(info.totalram) * unit,
          (uint64_t(info.freeram) + uint64_t(info.bufferram)) * unit};
}

}  // namespace platform
