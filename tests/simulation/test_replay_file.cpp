#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <string_view>

#include "game/simulation/replay_file.h"

namespace {

using namespace replay;

constexpr uint32_t kSixtieth = 0x3C888889;  // 1/60 s
constexpr uint32_t kThirtieth = 0x3D088889;

Replay replayOf(std::vector<ReplayTick> ticks) {
  Replay r;
  r.header = {"1.03",
              "lev\\01_first_turn.swah",
              0x1122334455667788,
              42,
              800,
              600,
              true,
              0,
              0xFEDCBA9876543210,
              {true, 61'250, 700, 1200, 1900}};
  r.header.tickCount = uint32_t(ticks.size());
  r.ticks = std::move(ticks);
  return r;
}

// Every field used: held keys, a step that changes and changes back, mouse turns either way,
// a controller turn that changes, stays and comes back to rest, a restart and console lines,
// one of them empty, a turn not taken, a pause and clock steps that change and stay.
Replay everyField() {
  return replayOf(
      {{kSixtieth, true, false, 0, 0.5f, false, {}, true, false, 16},
       {kThirtieth, true, true, -37, 0.5f, false, {}, false, false, 17},
       {kSixtieth, false, true, kMaxMouseTurn, -1.0f, true, {"ParticleCreate 1 2 3 4", ""}},
       {kSixtieth, false, false, 0, 0.0f, false, {"Gravity 2"}, true, true, 0},
       {0, false, false, 0, 0.0f, true, {}, false, true, 0}});
}

Replay heldKeysMinute() {
  std::vector<ReplayTick> ticks(3600, ReplayTick{kSixtieth, true, false, 0, 0.0f, false, {}});
  return replayOf(std::move(ticks));
}

void putU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}

// The bytes with their check sum made right again, as if the damage came before writing.
std::vector<uint8_t> resealed(std::vector<uint8_t> bytes) {
  putU32(bytes, bytes.size() - 4, uint32_t(crc32_z(0, bytes.data(), bytes.size() - 4)));
  return bytes;
}

TEST(ReplayFileTest, EveryFieldSurvivesTheRoundTrip) {
  for (const Replay& replay : {everyField(), heldKeysMinute(), replayOf({})}) {
    const ReplayReadResult read = parseReplay(serializeReplay(replay));
    ASSERT_TRUE(read.replay) << read.error;
    EXPECT_EQ(*read.replay, replay);
  }
}

// Runs kept before the controller's turn and reduced motion joined the format still play.
TEST(ReplayFileTest, AFormatOneFileStillReads) {
  std::vector<uint8_t> bytes = serializeReplay(heldKeysMinute());
  bytes[4] = 1;
  const ReplayReadResult read = parseReplay(resealed(bytes));
  ASSERT_TRUE(read.replay) << read.error;
  EXPECT_EQ(*read.replay, heldKeysMinute());
}

TEST(ReplayFileTest, AMinuteOfHeldKeysPacksToAFewBytes) {
  EXPECT_LT(serializeReplay(heldKeysMinute()).size(), 200u);
}

TEST(ReplayFileTest, EveryCutAndEveryFlippedByteIsRefused) {
  for (const Replay& replay : {everyField(), heldKeysMinute()}) {
    const std::vector<uint8_t> bytes = serializeReplay(replay);
    for (size_t length = 0; length < bytes.size(); ++length) {
      EXPECT_FALSE(parseReplay(std::span(bytes).first(length)).replay) << "cut at " << length;
    }
    for (size_t at = 0; at < bytes.size(); ++at) {
      for (uint8_t flip : {0x01, 0x80}) {
        std::vector<uint8_t> damaged = bytes;
        damaged[at] ^= flip;
        EXPECT_FALSE(parseReplay(damaged).replay) << "byte " << at << " ^ " << int(flip);
      }
    }
  }
}

TEST(ReplayFileTest, RefusalsSayWhy) {
  const std::vector<uint8_t> good = serializeReplay(everyField());
  // magic, version and flags; the two strings; hashes, seed and view.
  const size_t tickCountAt = 8 + 2 + 4 + 2 + 22 + 8 + 8 + 4 + 4;
  struct Case {
    std::string_view name;
    std::vector<uint8_t> bytes;
    std::string_view error;
  };
  std::vector<Case> cases = {
      {"magic", {'V', 'R', 'E', 'X', 1, 0}, "not a replay"},
      {"newer", good, "made by a newer version of the game (format 3)"},
      {"cut", std::vector(good.begin(), good.end() - 1), "cut short"},
      {"check sum", good, "damaged: the check sum does not match"},
      {"trailing", good, "damaged: bytes follow the check sum"},
      {"more ticks", good, "damaged: the body holds fewer ticks than the header counts"},
      {"fewer ticks", good, "damaged: the body holds more ticks than the header counts"},
      {"long body", good, "damaged: the body is longer than its ticks can be"},
  };
  cases[1].bytes[4] = 3;
  cases[3].bytes[tickCountAt + 20] ^= 1;
  cases[4].bytes.push_back(0);
  putU32(cases[5].bytes, tickCountAt, 6);
  cases[5].bytes = resealed(cases[5].bytes);
  putU32(cases[6].bytes, tickCountAt, 4);
  cases[6].bytes = resealed(cases[6].bytes);
  putU32(cases[7].bytes, tickCountAt + 29, 2'000'000);  // the raw length, for five ticks
  cases[7].bytes = resealed(cases[7].bytes);
  for (const Case& c : cases) {
    const ReplayReadResult read = parseReplay(c.bytes);
    EXPECT_FALSE(read.replay) << c.name;
    EXPECT_EQ(read.error, c.error) << c.name;
  }
}

// Played back, such values would send the water and the camera off to infinity.
TEST(ReplayFileTest, AStepOrTurnOutOfRangeIsRefused) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float step = std::bit_cast<float>(kSixtieth);
  const struct {
    float step, stickTurn;
    int32_t mouseTurn;
  } bad[] = {{nan, 0, 0},     {-0.01f, 0, 0},    {inf, 0, 0},      {1.01f, 0, 0},
             {step, nan, 0},  {step, -inf, 0},   {step, 1.01f, 0}, {step, 0, -kMaxMouseTurn - 1}};
  for (const auto& values : bad) {
    ReplayTick first, tick;
    first.stepBits = kSixtieth;
    tick.stepBits = std::bit_cast<uint32_t>(values.step);
    tick.stickTurn = values.stickTurn;
    tick.mouseTurn = values.mouseTurn;
    EXPECT_EQ(parseReplay(serializeReplay(replayOf({first, tick}))).error,
              "damaged: tick 2 has a step or turn out of range")
        << "case " << &values - bad;
  }
}

// A body of empty lines packs to almost nothing but costs a string each when read: the run's
// lines are counted as they are read and refused past the limits.
TEST(ReplayFileTest, ConsoleLinesPastTheRunsLimitsAreRefused) {
  // Why a run of `count` copies of `line`, as many to a tick as a tick holds, is refused.
  const auto refusal = [](size_t count, const std::string& line) {
    std::vector<ReplayTick> ticks;
    for (size_t n = 0; count > 0; count -= n) {
      n = std::min(count, kMaxConsoleLinesPerTick);
      ticks.push_back({kSixtieth, false, false, 0, 0.0f, false, {n, line}});
    }
    return parseReplay(serializeReplay(replayOf(std::move(ticks)))).error;
  };
  EXPECT_EQ(refusal(kMaxConsoleLines, ""), "");
  EXPECT_EQ(refusal(kMaxConsoleLines + 1, ""),
            "damaged: tick 17 takes the run past its console lines");
  const std::string full(kMaxConsoleLineBytes, 'x');
  EXPECT_EQ(refusal(kMaxConsoleBytes / full.size() + 1, full),
            "damaged: tick 5 takes the run past its console bytes");
}

}  // namespace
