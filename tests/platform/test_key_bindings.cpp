// keys.cfg read from a data folder of the test's own: what each action ends up with, and
// the console line for a name that is no key.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/console_test_support.h"
#include "game/platform/key_bindings.h"
#include "game/platform/virtual_keys.h"

namespace {

using namespace key_bindings;

class KeyBindings : public ConsoleTest {
 protected:
  void TearDown() override {
    useDefaults();
    ConsoleTest::TearDown();
  }
};

TEST_F(KeyBindings, NamedKeysReplaceAnActionsKeysAndBadNamesKeepThem) {
  const std::string echoedName = std::string(64, 'x') + "...";
  const struct {
    std::string file;
    Action action;
    std::vector<int32_t> keys;
    std::string printed;
  } cases[] = {
      {"", kPause, {'P', vk::kPause}, ""},
      {"TURNLEFT = a turnRight = d", kTurnLeft, {'A'}, ""},
      {"pause = escape,F24,numPAD9,enter,f",
       kPause,
       {vk::kEscape, vk::kF1 + 23, vk::kNumpad0 + 9, vk::kReturn, 'F'},
       ""},
      {"turnLeft = Q restart = Lefft",
       kTurnLeft,
       {'Q'},
       "\ncfg\\keys.cfg: restart = Lefft: no key is called \"Lefft\"; restart stays R."},
      {"turnRight = F25",
       kTurnRight,
       {vk::kRight},
       "\ncfg\\keys.cfg: turnRight = F25: no key is called \"F25\"; turnRight stays Right."},
      {"console = F1,",
       kConsole,
       {vk::kConsoleToggle},
       "\ncfg\\keys.cfg: console = F1,: an empty key name; console stays Grave."},
      {"pause = " + std::string(900, 'x'),
       kPause,
       {'P', vk::kPause},
       "\ncfg\\keys.cfg: pause = " + echoedName + ": no key is called \"" + echoedName +
           "\"; pause stays P,Pause."},
      {"pause = A " + std::string(2 << 20, ' '),
       kPause,
       {'P', vk::kPause},
       "\nError reading config file: cfg\\keys.cfg"},
  };
  for (const auto& c : cases) {
    data_.write("cfg/keys.cfg", c.file);
    load();
    EXPECT_EQ(takePrinted(), c.printed) << c.file;
    for (int32_t key = 1; key < 256; ++key) {
      const bool listed = std::find(c.keys.begin(), c.keys.end(), key) != c.keys.end();
      EXPECT_EQ(isBound(c.action, key), listed) << c.file << ", key " << key;
    }
  }
}

}  // namespace
