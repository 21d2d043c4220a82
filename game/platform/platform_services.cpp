#include "game/platform/platform_services.h"

#include "game/platform/headless_services.h"

namespace platform {
namespace {

Services* installed = nullptr;

}  // namespace

Services& services() {
  return installed ? *installed : headlessServices();
}

void installServices(Services* windowServices) {
  installed = windowServices;
}

}  // namespace platform
