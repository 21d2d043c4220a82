#include "game/platform/key_bindings.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/config_file.h"
#include "common/console_output.h"
#include "common/messages.h"
#include "game/platform/key_names.h"
#include "game/platform/platform_services.h"
#include "game/platform/virtual_keys.h"

namespace key_bindings {
namespace {

// An action's word in keys.cfg and its own keys (0 ends the list).
struct ActionKeys {
  std::string_view name;
  std::array<int32_t, 2> defaults;
};

constexpr std::array<ActionKeys, kActionCount> kActions{{
    {"turnLeft", {vk::kLeft}},
    {"turnRight", {vk::kRight}},
    {"pause", {'P', vk::kPause}},
    {"restart", {'R'}},
    {"console", {vk::kConsoleToggle}},
}};

// Names in keys.cfg are one word, so several keys are joined by commas without blanks.
constexpr char kNameSeparator = ',';

using Keys = std::vector<int32_t>;
using Bindings = std::array<Keys, kActionCount>;

Bindings defaultBindings() {
  Bindings bindings;
  for (size_t action = 0; action < kActions.size(); ++action) {
    for (const int32_t key : kActions[action].defaults) {
      if (key != 0) bindings[action].push_back(key);
    }
  }
  return bindings;
}

Bindings bindings = defaultBindings();

// The keys as keys.cfg would write them: "P,Pause".
std::string namesOf(const Keys& keys) {
  std::string names;
  for (const int32_t key : keys) {
    if (!names.empty()) names += kNameSeparator;
    names += key_names::nameOf(key);
  }
  return names;
}

// One line: "cfg\keys.cfg: pause = P,Paws: no key is called "Paws"; pause stays P,Pause."
void reportBadName(std::string_view path, size_t action, std::string_view value,
                   std::string_view name) {
  const std::string actionName(kActions[action].name);
  const std::string problem =
      name.empty() ? "an empty key name" : "no key is called \"" + messageExcerpt(name) + "\"";
  console::print("\n" + messageExcerpt(path) + ": " + actionName + " = " + messageExcerpt(value) +
                 ": " + problem + "; " + actionName + " stays " + namesOf(bindings[action]) + ".");
}

// The keys `value` names, or nothing after telling the console of the first bad name.
std::optional<Keys> keysNamed(std::string_view value, std::string_view path, size_t action) {
  Keys keys;
  size_t start = 0;
  while (true) {
    const size_t end = std::min(value.find(kNameSeparator, start), value.size());
    const std::string_view name = value.substr(start, end - start);
    const int32_t key = key_names::virtualKeyOf(name);
    if (key == 0) {
      reportBadName(path, action, value, name);
      return std::nullopt;
    }
    keys.push_back(key);
    if (end == value.size()) return keys;
    start = end + 1;
  }
}

}  // namespace

void load(std::string_view path) {
  useDefaults();
  const ConfigFile file(path);
  for (size_t action = 0; action < kActions.size(); ++action) {
    if (!file.has(kActions[action].name)) continue;
    if (auto keys = keysNamed(file.getString(kActions[action].name), path, action)) {
      bindings[action] = std::move(*keys);
    }
  }
}

void useDefaults() {
  bindings = defaultBindings();
}

bool isBound(Action action, int32_t virtualKey) {
  const Keys& keys = bindings[size_t(action)];
  return std::find(keys.begin(), keys.end(), virtualKey) != keys.end();
}

bool isHeld(Action action) {
  const platform::Services& services = platform::services();
  const Keys& keys = bindings[size_t(action)];
  return std::any_of(keys.begin(), keys.end(),
                     [&](int32_t key) { return services.isKeyDown(key); });
}

}  // namespace key_bindings
