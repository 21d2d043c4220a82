#include "game/entities/trigger_type_names.h"

#include <algorithm>

namespace {

constexpr bool idsAscend() {
  for (size_t i = 1; i < kTriggerTypeNames.size(); ++i) {
    if (kTriggerTypeNames[i - 1].id >= kTriggerTypeNames[i].id) return false;
  }
  return true;
}
// The id lookup is a binary search.
static_assert(idsAscend());

}  // namespace

std::optional<std::string_view> triggerTypeName(int32_t id) {
  const auto found = std::lower_bound(kTriggerTypeNames.begin(), kTriggerTypeNames.end(), id,
                                      [](const TriggerTypeName& t, int32_t v) { return t.id < v; });
  if (found == kTriggerTypeNames.end() || found->id != id) return std::nullopt;
  return found->name;
}

std::optional<int32_t> triggerTypeId(std::string_view name) {
  for (const TriggerTypeName& type : kTriggerTypeNames) {
    if (type.name == name) return type.id;
  }
  return std::nullopt;
}
