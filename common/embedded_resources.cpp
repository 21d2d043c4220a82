#include "common/embedded_resources.h"

#include <deque>

#include "common/text.h"

namespace {

// Built on first use, so a registrar in another source file may run before anything here has
// been initialised. A deque keeps earlier entries in place when later ones arrive, which is
// what lets findEmbeddedResource hand out pointers.
std::deque<EmbeddedResource>& registry() {
  static std::deque<EmbeddedResource> resources;
  return resources;
}

}  // namespace

void registerEmbeddedResource(std::string_view name, std::span<const unsigned char> bytes) {
  if (findEmbeddedResource(name) != nullptr) return;
  registry().push_back({name, bytes});
}

const EmbeddedResource* findEmbeddedResource(std::string_view name) {
  for (const EmbeddedResource& resource : registry()) {
    if (equalsIgnoringCase(resource.name, name)) return &resource;
  }
  return nullptr;
}

EmbeddedResourceRegistrar::EmbeddedResourceRegistrar(
    std::initializer_list<EmbeddedResource> resources) {
  for (const EmbeddedResource& resource : resources) {
    registerEmbeddedResource(resource.name, resource.bytes);
  }
}
