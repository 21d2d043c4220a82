// keys.cfg read from a data folder of the test's own: what each action ends up with, and
// the console line for a name that is no key.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/console_test_support.h"
#include "game/core/key_bindings.h"
#include "game/platform/virtual_keys.h"

namespace {

using key_bindings::Action;

class KeyBindings : public ConsoleTest {
 protected:
  void TearDown() override {
    key_bindings::useDefaults();
    ConsoleTest::TearDown();
  }
};

TEST_F(KeyBindings, NamedKeysReplaceAnActionsKeysAndBadNamesKeepThem) {
  const struct {
    const char* file;
    Action action;
    std::vector<int32_t> keys;
    std::string printed;
  } cases[] = {
      {"", key_bindings::kPause, {'P', vk::kPause}, ""},
      {"", key_bindings::kConsole, {vk::kConsoleToggle}, ""},
      {"TURNLEFT = a turnRight = d", key_bindings::kTurnLeft, {'A'}, ""},
      {"pause = escape,F12,numpad5",
       key_bindings::kPause,
       {vk::kEscape, vk::kF1 + 11, vk::kNumpad0 + 5},
       ""},
      {"turnLeft = Q restart = Lefft",
       key_bindings::kTurnLeft,
       {'Q'},
       "\ncfg\\keys.cfg: restart = Lefft: no key is called \"Lefft\"; restart stays R."},
      {"restart = Lefft",
       key_bindings::kRestart,
       {'R'},
       "\ncfg\\keys.cfg: restart = Lefft: no key is called \"Lefft\"; restart stays R."},
      {"console = F1,",
       key_bindings::kConsole,
       {vk::kConsoleToggle},
       "\ncfg\\keys.cfg: console = F1,: an empty key name; console stays Grave."},
      {"pause = ,",
       key_bindings::kPause,
       {'P', vk::kPause},
       "\ncfg\\keys.cfg: pause = ,: an empty key name; pause stays P,Pause."},
  };
  for (const auto& c : cases) {
    data_.write("cfg/keys.cfg", c.file);
    key_bindings::load();
    EXPECT_EQ(takePrinted(), c.printed) << c.file;
    for (int32_t key = 1; key < 256; ++key) {
      const bool listed = std::find(c.keys.begin(), c.keys.end(), key) != c.keys.end();
      EXPECT_EQ(key_bindings::isBound(c.action, key), listed) << c.file << ", key " << key;
    }
  }
}

}  // namespace
