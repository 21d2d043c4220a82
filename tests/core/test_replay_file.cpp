#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <string_view>

#include "game/core/replay_file.h"

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
  };
  cases[1].bytes[4] = 3;
  cases[3].bytes[tickCountAt + 20] ^= 1;
  cases[4].bytes.push_back(0);
  putU32(cases[5].bytes, tickCountAt, 6);
  cases[5].bytes = resealed(cases[5].bytes);
  putU32(cases[6].bytes, tickCountAt, 4);
  cases[6].bytes = resealed(cases[6].bytes);
  for (const Case& c : cases) {
    const ReplayReadResult read = parseReplay(c.bytes);
    EXPECT_FALSE(read.replay) << c.name;
    EXPECT_EQ(read.error, c.error) << c.name;
  }
}

// Played back, such values would send the water and the camera off to infinity.
TEST(ReplayFileTest, AStepOrTurnOutOfRangeIsRefused) {
  constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  struct Case {
    float step;
    float stickTurn;
    int32_t mouseTurn;
  };
  for (const Case c : {Case{kNan, 0, 0}, Case{-0.01f, 0, 0}, Case{kInfinity, 0, 0},
                       Case{1.01f, 0, 0}, Case{0.02f, kNan, 0}, Case{0.02f, -kInfinity, 0},
                       Case{0.02f, 1.01f, 0}, Case{0.02f, 0, -kMaxMouseTurn - 1}}) {
    const Replay bad = replayOf(
        {{kSixtieth}, {std::bit_cast<uint32_t>(c.step), false, false, c.mouseTurn, c.stickTurn}});
    EXPECT_EQ(parseReplay(serializeReplay(bad)).error,
              "damaged: tick 2 has a step or turn out of range")
        << c.step << " " << c.stickTurn << " " << c.mouseTurn;
  }
}

// A body of empty lines packs to almost nothing but costs a string each when read; the run's
// lines are counted as they are read and refused past the limit.
TEST(ReplayFileTest, ConsoleLinesPastTheRunsLimitsAreRefused) {
  const size_t linesPerTick = kMaxConsoleLinesPerTick;
  const size_t fullTicks = kMaxConsoleLines / linesPerTick;
  std::vector<ReplayTick> ticks(fullTicks + 1, ReplayTick{kSixtieth});
  for (ReplayTick& tick : ticks) tick.consoleLines.assign(linesPerTick, "");
  const std::vector<uint8_t> tooMany = serializeReplay(replayOf(ticks));
  EXPECT_LT(tooMany.size(), 1000u);
  EXPECT_EQ(parseReplay(tooMany).error, "damaged: tick " + std::to_string(fullTicks + 1) +
                                            " takes the run past its console lines");
  ticks.pop_back();
  EXPECT_TRUE(parseReplay(serializeReplay(replayOf(ticks))).replay) << "at the limit";

  const std::string longLine(kMaxConsoleLineBytes, 'x');
  std::vector<ReplayTick> longTicks;
  for (size_t left = kMaxConsoleBytes / longLine.size() + 1; left > 0;) {
    const size_t lines = std::min(left, linesPerTick);
    longTicks.push_back({kSixtieth, false, false, 0, 0.0f, false, {lines, longLine}});
    left -= lines;
  }
  EXPECT_EQ(parseReplay(serializeReplay(replayOf(longTicks))).error,
            "damaged: tick " + std::to_string(longTicks.size()) +
                " takes the run past its console bytes");
}

// A short run can't claim a large body: the header's few ticks bound it, before it unpacks.
TEST(ReplayFileTest, ABodyLongerThanItsTicksCanBeIsRefused) {
  std::vector<ReplayTick> ticks(70'000);  // records of 18 bytes: every field changes
  for (size_t i = 0; i < ticks.size(); ++i)
    ticks[i] = {.stepBits = i % 2 ? kSixtieth : kThirtieth,
                .mouseTurn = 1,
                .stickTurn = i % 2 ? 0.5f : -0.5f,
                .clockStepMs = uint32_t(16 + i % 2)};
  std::vector<uint8_t> bytes = serializeReplay(replayOf(ticks));
  ASSERT_TRUE(parseReplay(bytes).replay);
  const size_t tickCountAt = 8 + 2 + 4 + 2 + 22 + 8 + 8 + 4 + 4;
  putU32(bytes, tickCountAt, 1);
  EXPECT_EQ(parseReplay(resealed(bytes)).error,
            "damaged: the body is longer than its ticks can be");
}

TEST(ReplayFileTest, LevelHashIsFnv1a64) {
  EXPECT_EQ(fnv1a64({}), 0xCBF29CE484222325ULL);
  const uint8_t a[] = {'a'};
  EXPECT_EQ(fnv1a64(a), 0xAF63DC4C8601EC8CULL);
}

}  // namespace
