#include "tools/vmr_soak/soak_round.h"

#include <array>
#include <charconv>
#include <string_view>

#include "common/text.h"

namespace {

// Long enough for the water to settle between actions, short enough that the levels take
// turns often within a soak of half a minute.
constexpr int64_t kShortestRound = 120;
constexpr int64_t kLongestRound = 600;
// Frame rates from a slow machine's 20 (clamped to the longest step) to a fast monitor's 144.
constexpr std::array<float, 5> kTickLengths = {0.05f, 0.0333333f, 0.0166667f, 0.0125f, 0.00694444f};
// Each round makes at most this many particles on top of the level's 128, far below the
// water's limit of 8192, so no ParticleCreate is refused.
constexpr int kMostCreates = 3;
constexpr int kMostCreated = 200;

std::string decimal(float value) {
  std::array<char, 32> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 2);
  return std::string(buffer.data(), result.ptr);
}

class ScriptWriter {
 public:
  ScriptWriter(std::mt19937_64& random, int64_t ticks) : random_(random), ticks_(ticks) {}

  int64_t anyTick() { return whole(0, ticks_ - 1); }
  int64_t whole(int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(random_);
  }
  float real(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random_);
  }
  void add(int64_t tick, std::string_view action) {
    text_ += "at " + std::to_string(tick) + " " + std::string(action) + "\n";
  }
  const std::string& text() const { return text_; }

 private:
  std::mt19937_64& random_;
  int64_t ticks_;
  std::string text_;
};

void addTurning(ScriptWriter& script) {
  for (int64_t i = script.whole(1, 6); i > 0; --i) {
    const char* key = script.whole(0, 1) == 0 ? "left" : "right";
    script.add(script.anyTick(),
               "hold " + std::string(key) + " " + std::to_string(script.whole(5, 90)));
  }
  for (int64_t i = script.whole(0, 3); i > 0; --i)
    script.add(script.anyTick(), "angle " + decimal(script.real(-180.0f, 180.0f)));
}

// Settings a player may try from the console, in ranges where the water still behaves as
// water, ice or steam; and the counts the console reports.
void addSettings(ScriptWriter& script) {
  for (int64_t i = script.whole(0, 4); i > 0; --i) {
    std::string line;
    switch (script.whole(0, 4)) {
      case 0: line = "Gravity " + decimal(script.real(0.0f, 900.0f)); break;
      case 1: line = "RoomTemperature " + decimal(script.real(-40.0f, 160.0f)); break;
      case 2: line = "HeatTransferRate " + decimal(script.real(0.0f, 0.5f)); break;
      case 3: line = "SteamRiseRate " + decimal(script.real(0.0f, 3.0f)); break;
      default: line = "SteamScatterRate " + decimal(script.real(0.0f, 2.0f)); break;
    }
    script.add(script.anyTick(), "console " + line);
  }
  constexpr std::array<std::string_view, 6> kQueries = {"ParticleCount", "ParticleGroupCount",
                                                        "MoverCount",    "TriggerCount",
                                                        "ForceCount",    "BspDepth"};
  for (int64_t i = script.whole(0, 2); i > 0; --i)
    script.add(script.anyTick(),
               "console " + std::string(kQueries[size_t(script.whole(0, kQueries.size() - 1))]));
}

void addWater(ScriptWriter& script, Vec2 waterStart) {
  for (int64_t i = script.whole(0, kMostCreates); i > 0; --i) {
    const float x = waterStart.x + script.real(-20.0f, 20.0f);
    const float y = waterStart.y + script.real(-20.0f, 20.0f);
    script.add(script.anyTick(), "console ParticleCreate " + decimal(x) + " " + decimal(y) + " " +
                                     decimal(script.real(4.0f, 30.0f)) + " " +
                                     std::to_string(script.whole(1, kMostCreated)));
  }
  for (int64_t i = script.whole(0, 2); i > 0; --i) script.add(script.anyTick(), "restart");
}

}  // namespace

SoakRound planSoakRound(const std::string& level, Vec2 waterStart, std::mt19937_64& random) {
  SoakRound round;
  round.level = level;
  round.ticks = std::uniform_int_distribution<int64_t>(kShortestRound, kLongestRound)(random);
  round.dt =
      kTickLengths[std::uniform_int_distribution<size_t>(0, kTickLengths.size() - 1)(random)];
  round.seed = random();
  ScriptWriter script(random, round.ticks);
  addTurning(script);
  addSettings(script);
  addWater(script, waterStart);
  round.scriptText = script.text();
  return round;
}

bool makesWater(const ScriptAction& action) {
  return action.kind == ScriptActionKind::kRestart ||
         (action.kind == ScriptActionKind::kConsole &&
          action.consoleLine.starts_with("ParticleCreate"));
}

std::string replayCommand(const SoakRound& round, const std::string& dataFolder,
                          const std::string& scriptFile) {
  return "vmr_sim --data " + dataFolder + " --level " + round.level + " --ticks " +
         std::to_string(round.ticks) + " --dt " + shortestText(round.dt) + " --seed " +
         std::to_string(round.seed) + " --script " + scriptFile;
}
