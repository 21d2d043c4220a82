// The level source: dumps that compile back bit for bit, refusals that name the entity and
// field at fault, and the shipped start level.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "game/entities/trigger_type_names.h"
#include "game/level/geometry.h"
#include "test_support/temp_directory.h"
#include "tools/levelc/level_source.h"
#include "tools/levelc/source_values.h"

using level_file::IntPoint;
using level_file::LevelFileContents;
using level_source::compileLevelSource;
using level_source::dumpLevelSource;

namespace {

constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

float fromBits(uint32_t bits) {
  return std::bit_cast<float>(bits);
}

std::string everyByte() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += char(b);
  return bytes;
}

// One record of every kind, with the awkward values the game still accepts.
LevelFileContents everyKind() {
  LevelFileContents c;
  c.polygons.push_back({0xFFFFFFFF,
                        everyByte(),
                        4,
                        9,
                        4,
                        {{kMinInt, kMinInt}, {kMaxInt, kMinInt}, {kMaxInt, kMaxInt}}});
  c.polygons.push_back({7, "gfx\\stone.tga", 3, 3, 0, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}});
  c.objects.push_back({1, std::string("a\0b\x80\xFF", 5), 2, {-5, 6}, 2});
  c.objects.push_back({2, "", 0, {0, 0}, 255});
  c.forces.push_back({3, {1, 2}, -0.0f, 0.1f, FLT_MAX});
  c.movers.push_back({4, 1e-45f, {0, 0}, {kMaxInt, kMinInt}});
  c.triggers.push_back({5, 0xFFFFFFFF, fromBits(0x7FC00001), {{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
  c.triggers.push_back({6, 0xFFFFFFFE, -FLT_MAX, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}});
  c.triggers.push_back({0, 7777, fromBits(0xFF800000), {{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
  c.soundSources.push_back({8, {9, 10}, kMaxInt, 1, "snd\\drip.wav"});
  c.emitters.push_back({9, {11, 12}, fromBits(0x7F800001), FLT_MIN, "\"quoted\" \\ \n"});
  c.start = {{100, -200}, {kMinInt, kMaxInt}};
  return c;
}

// Floats are compared by their bits, so NaNs count as equal to themselves.
std::vector<uint8_t> bytesOf(const LevelFileContents& c) {
  return level_file::writeLevelFile(c);
}

LevelFileContents compiled(std::string_view source) {
  const auto result = compileLevelSource(source);
  EXPECT_FALSE(result.error) << *result.error;
  return result.contents;
}

// A level with the start positions and `sections` (members of the top object, if any).
std::string level(std::string_view sections = "") {
  return std::string(R"({"waterStart": [0, 0], "cameraStart": [0, 0])") +
         (sections.empty() ? "" : ", ") + std::string(sections) + "}";
}

const char* const kTriangle =
    R"({"surface": "stone", "layer": 2, "points": [[0, 0], [9, 0], [9, 9]]})";

std::string refusal(std::string_view source) {
  const auto result = compileLevelSource(source);
  EXPECT_EQ(result.contents, LevelFileContents{});
  return result.error.value_or("(accepted)");
}

struct Refusal {
  std::string source;
  std::string message;
};

void expectRefusals(const std::vector<Refusal>& cases) {
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.source.substr(0, 200));
    EXPECT_EQ(refusal(c.source), c.message);
  }
}

}  // namespace

TEST(LevelSourceRoundTripTests, DumpCompilesBackToTheSameRecordsBitForBit) {
  const LevelFileContents original = everyKind();
  const std::string source = dumpLevelSource(original);
  EXPECT_EQ(bytesOf(compiled(source)), bytesOf(original)) << source;
  // A second trip writes the very same text.
  EXPECT_EQ(dumpLevelSource(compiled(source)), source);
}

TEST(LevelSourceRoundTripTests, FileBytesSurviveReadDumpCompileWrite) {
  std::vector<uint8_t> bytes = bytesOf(everyKind());
  const auto expected = bytes;
  bytes.insert(bytes.end(), {1, 2, 3});  // the game ignores what follows the start positions
  const auto read = level_file::readLevelFile(bytes);
  ASSERT_FALSE(read.error) << read.error->reason;
  EXPECT_EQ(bytesOf(compiled(dumpLevelSource(read.contents))), expected);
}

TEST(LevelSourceRoundTripTests, EmptyLevelKeepsOnlyItsStartPositions) {
  LevelFileContents empty;
  empty.start = {{1, 2}, {3, 4}};
  EXPECT_EQ(compiled(dumpLevelSource(empty)), empty);
  EXPECT_EQ(compiled(level()), LevelFileContents{});
}

TEST(LevelSourceRoundTripTests, LongestNamesTheGameAcceptsRoundTrip) {
  LevelFileContents c;
  c.polygons.push_back({0, std::string(65535, '\xE9'), 1, 0, 0, {{0, 0}, {1, 0}, {0, 1}}});
  c.objects.push_back({0, std::string(65534, 'o'), 0, {}, 0});
  c.soundSources.push_back({0, {}, 0, 0, std::string(65535, 's')});
  c.emitters.push_back({0, {}, 0, 0, std::string(65535, '\0')});
  EXPECT_EQ(compiled(dumpLevelSource(c)), c);
}

TEST(LevelSourceValuesTests, FloatsAreWrittenShortestAndReadBackBitForBit) {
  EXPECT_EQ(floatText(0.1f), "0.1");
  EXPECT_EQ(floatText(1e-45f), "1e-45");
  EXPECT_EQ(floatText(-0.0f), "-0.0");
  EXPECT_EQ(floatText(0.0f), "0");
  EXPECT_EQ(floatText(FLT_MAX), "3.4028235e+38");
  EXPECT_EQ(floatText(16777216.0f), "16777216");
  EXPECT_EQ(floatText(fromBits(0x7FC00001)), "\"0x7FC00001\"");
  EXPECT_EQ(floatText(-std::numeric_limits<float>::infinity()), "\"0xFF800000\"");

  std::mt19937 random(12345);
  std::vector<uint32_t> patterns = {0x00000000, 0x80000000, 0x00000001, 0x80000001, 0x007FFFFF,
                                    0x00800000, 0x7F7FFFFF, 0xFF7FFFFF, 0x7F800000, 0x7FFFFFFF,
                                    0xFFFFFFFF, 0x4B800001, 0x5F000000, 0x5F800000, 0xDF000000};
  for (int i = 0; i < 200000; ++i) patterns.push_back(random());
  for (const uint32_t bits : patterns) {
    const std::string text = floatText(fromBits(bits));
    const auto back = floatFromJson(nlohmann::json::parse(text));
    ASSERT_TRUE(back) << text;
    ASSERT_EQ(std::bit_cast<uint32_t>(*back), bits) << text;
    ASSERT_EQ(text[0] == '"', !std::isfinite(fromBits(bits))) << text;
  }
}

TEST(LevelSourceValuesTests, NamesTravelAsLatin1) {
  EXPECT_EQ(latin1JsonString(std::string("\0\x1F\x7F\x9F\xA0\xFF", 6)),
            "\"\\u0000\\u001F\\u007F\\u009F\xC2\xA0\xC3\xBF\"");
  EXPECT_EQ(latin1JsonString("gfx\\a \"b\""), R"("gfx\\a \"b\"")");
  char32_t offending = 0;
  EXPECT_EQ(latin1FromUtf8("\xC3\xBF"
                           "a",
                           offending),
            "\xFF"
            "a");
  EXPECT_FALSE(latin1FromUtf8("a\xC4\x80", offending));
  EXPECT_EQ(offending, U'\u0100');
  EXPECT_FALSE(latin1FromUtf8("\xF0\x9F\x92\xA7", offending));
  EXPECT_EQ(offending, U'\U0001F4A7');
}

TEST(LevelSourceDumpTests, WritesEveryFieldWithNamesWhereTheyExist) {
  LevelFileContents c;
  c.polygons.push_back({5, "gfx\\wood.tga", 2, 1, 3, {{0, 0}, {4, 0}, {0, 4}}});
  c.objects.push_back({6, "o", 1, {7, 8}, 1});
  c.triggers.push_back({9, 801, 0.5f, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
  c.soundSources.push_back({1, {2, 3}, 40, 0, "s"});
  c.start = {{10, 20}, {30, 40}};
  EXPECT_EQ(dumpLevelSource(c), R"({
  "waterStart": [10, 20],
  "cameraStart": [30, 40],
  "polygons": [
    {
      "id": 5,
      "texture": "gfx\\wood.tga",
      "surface": "wood",
      "mode": "decoration",
      "layer": 3,
      "points": [
        [0, 0],
        [4, 0],
        [0, 4]
      ]
    }
  ],
  "objects": [
    {
      "id": 6,
      "texture": "o",
      "layer": 1,
      "position": [7, 8],
      "mirrored": true
    }
  ],
  "forces": [],
  "movers": [],
  "triggers": [
    {
      "type": "Level_end_a",
      "targetId": 9,
      "value": 0.5,
      "corners": [
        [0, 0],
        [1, 0],
        [1, 1],
        [0, 1]
      ]
    }
  ],
  "soundSources": [
    {
      "id": 1,
      "position": [2, 3],
      "strength": 40,
      "looping": false,
      "file": "s"
    }
  ],
  "emitters": []
}
)");
}

TEST(LevelSourceDumpTests, UnknownValuesAreWrittenAsNumbers) {
  const std::string source = dumpLevelSource(everyKind());
  EXPECT_NE(source.find(R"("mode": 9,)"), std::string::npos);
  EXPECT_NE(source.find(R"("mode": "cutter",)"), std::string::npos);
  EXPECT_NE(source.find(R"("surface": "cloth",)"), std::string::npos);
  EXPECT_NE(source.find(R"("type": "Null_a",)"), std::string::npos);
  EXPECT_NE(source.find(R"("type": -2,)"), std::string::npos);
  EXPECT_NE(source.find(R"("type": 7777,)"), std::string::npos);
  EXPECT_NE(source.find(R"("mirrored": 255)"), std::string::npos);
  EXPECT_NE(source.find(R"("direction": ["0x7F800001", 1.1754944e-38],)"), std::string::npos);
}

TEST(LevelSourceCompileTests, OptionalFieldsTakeTheirDefaults) {
  const auto c = compiled(level(std::string(R"("polygons": [)") + kTriangle + R"(],
      "objects": [{"texture": "t", "layer": 1, "position": [1, 2]}],
      "triggers": [{"type": "To_ice_a", "corners": [[0, 0], [1, 0], [1, 1], [0, 1]]}],
      "soundSources": [{"position": [0, 0], "strength": 5, "file": "f"}],
      "emitters": [{"position": [0, 0], "direction": [1, 0], "settings": "e"}],
      "forces": [{"position": [0, 0], "direction": [0, 1], "strength": 2}])"));
  ASSERT_EQ(c.polygons.size(), 1u);
  EXPECT_EQ(c.polygons[0].id, 0u);
  EXPECT_EQ(c.polygons[0].textureName, "");
  EXPECT_EQ(c.polygons[0].mode, 0u);
  EXPECT_EQ(c.objects.at(0).mirrored, 0);
  EXPECT_EQ(c.triggers.at(0).targetId, 0u);
  EXPECT_EQ(c.triggers.at(0).value, 0.0f);
  EXPECT_EQ(c.triggers.at(0).triggerType, 0u);
  EXPECT_EQ(c.soundSources.at(0).looping, 0);
  EXPECT_EQ(c.emitters.at(0).id, 0u);
  EXPECT_EQ(c.forces.at(0).strength, 2.0f);
}

// The par time and the idea are for players and the level docs; the level file never holds them.
TEST(LevelSourceCompileTests, KeepsTheNotesOutOfTheLevel) {
  const auto noted = compileLevelSource(level(R"("parTime": 45, "idea": "Turn the view.")"));
  ASSERT_FALSE(noted.error) << *noted.error;
  EXPECT_EQ(noted.notes.parSeconds, 45);
  EXPECT_EQ(noted.notes.idea, "Turn the view.");
  EXPECT_EQ(noted.contents, compileLevelSource(level()).contents);
  EXPECT_EQ(compileLevelSource(level()).notes.parSeconds, 0);
  expectRefusals({
      {level(R"("parTime": 0)"), "parTime: expected a whole number from 1 to 3600, got 0"},
      {level(R"("parTime": 4.5)"), "parTime: expected a whole number from 1 to 3600, got 4.5"},
      {level(R"("idea": 7)"), "idea: expected a string, got 7"},
  });
}

TEST(LevelSourceCompileTests, AcceptsNumbersForNamedValuesAndWholeFloats) {
  const auto c = compiled(level(R"(
      // a comment, for the level's author
      "polygons": [{"surface": 5, "mode": 4294967295, "layer": 4.0,
                    "points": [[0, 0], [1e3, 0], [0, -2147483648]]}],
      "objects": [{"texture": "\u00e9", "layer": 0, "position": [0, 0], "mirrored": 1}],
      "movers": [{"id": 4294967295, "speed": "0x3F800000", "start": [0, 0], "end": [1, 1]}],
      "triggers": [{"type": -1, "corners": [[0, 0], [1, 0], [1, 1], [0, 1]]},
                   {"type": 4294967295, "corners": [[0, 0], [1, 0], [1, 1], [0, 1]]},
                   {"type": 801, "value": 3, "corners": [[0, 0], [1, 0], [1, 1], [0, 1]]}])"));
  ASSERT_EQ(c.polygons.size(), 1u);
  EXPECT_EQ(c.polygons[0].surface, 5);
  EXPECT_EQ(c.polygons[0].mode, 0xFFFFFFFFu);
  EXPECT_EQ(c.polygons[0].layer, 4);
  EXPECT_EQ(c.polygons[0].points[1], (IntPoint{1000, 0}));
  EXPECT_EQ(c.polygons[0].points[2], (IntPoint{0, kMinInt}));
  EXPECT_EQ(c.objects.at(0).textureName, "\xE9");
  EXPECT_EQ(c.objects.at(0).mirrored, 1);
  EXPECT_EQ(c.movers.at(0).id, 0xFFFFFFFFu);
  EXPECT_EQ(c.movers.at(0).speed, 1.0f);
  ASSERT_EQ(c.triggers.size(), 3u);
  EXPECT_EQ(c.triggers[0].triggerType, 0xFFFFFFFFu);
  EXPECT_EQ(c.triggers[1].triggerType, 0xFFFFFFFFu);
  EXPECT_EQ(c.triggers[2].triggerType, 801u);
  EXPECT_EQ(c.triggers[2].value, 3.0f);
}

TEST(LevelSourceRefusalTests, MissingUnknownAndDuplicateFields) {
  expectRefusals({
      {R"({"cameraStart": [0, 0]})", R"(level: missing field "waterStart")"},
      {level(R"("movers": [{"id": 1, "start": [0, 0], "end": [1, 1]}])"),
       R"(movers[0]: missing field "speed")"},
      {level(R"("polygons": [{"texure": "t", "surface": 1, "layer": 0, "points": []}])"),
       R"(polygons[0]: unknown field "texure")"},
      {level(R"("walls": [])"), R"(level: unknown field "walls")"},
      {level(R"("triggers": [{"corners": [[0, 0], [1, 0], [1, 1], [0, 1]]}])"),
       R"(triggers[0]: missing field "type")"},
      {R"({"waterStart": [0, 0], "cameraStart": [0, 0], "waterStart": [1, 1]})",
       R"(level: field "waterStart" appears twice)"},
      // The path counts records past the nested point lists of earlier ones.
      {level(std::string(R"("polygons": [)") + kTriangle + ", " + kTriangle +
             R"(, {"layer": 1, "points": [[0, 0], [1, 0], [0, 1]], "layer": 2}])"),
       R"(polygons[2]: field "layer" appears twice)"},
  });
}

TEST(LevelSourceRefusalTests, WrongTypesAndShapes) {
  expectRefusals({
      {"[]", "level: expected an object, got []"},
      {level(R"("polygons": {})"), "polygons: expected an array, got {}"},
      {level(R"("triggers": [5])"), "triggers[0]: expected an object, got 5"},
      {level(R"("objects": [{"texture": 5, "layer": 0, "position": [0, 0]}])"),
       "objects[0].texture: expected a string, got 5"},
      {level(R"("objects": [{"texture": "t", "layer": 0, "position": [0, 0], "mirrored": "yes"}])"),
       R"(objects[0].mirrored: expected true, false or a whole number from 0 to 255, got "yes")"},
      {level(R"("forces": [{"position": [0, 0], "direction": [1], "strength": 1}])"),
       "forces[0].direction: expected a direction [x, y], got [1]"},
      {level(R"("triggers": [{"type": 1, "corners": [[0, 0], [1, 0], [1, 1]]}])"),
       "triggers[0].corners: expected 4 corners [[x, y], ...], got [[0,0],[1,0],[1,1]]"},
      {level(R"("triggers": [{"type": true, "corners": []}])"),
       "triggers[0].type: expected a trigger type name or a whole number, got true"},
      {level(R"("triggers": [{"type": "Level_End", "corners": []}])"),
       R"(triggers[0].type: unknown trigger type "Level_End")"},
      {level(std::string(R"("polygons": [)") +
             R"({"surface": "granite", "layer": 0, "points": []}])"),
       R"(polygons[0].surface: unknown surface "granite"; surfaces are metal, wood, stone, cloth and sand)"},
      {level(R"("polygons": [{"surface": 1, "mode": "solid ", "layer": 0, "points": []}])"),
       R"(polygons[0].mode: unknown mode "solid "; modes are solid, decoration, hidden and cutter)"},
  });
}

TEST(LevelSourceRefusalTests, NumbersOutOfRange) {
  expectRefusals({
      {level(R"("objects": [{"texture": "t", "layer": 7, "position": [0, 0]}])"),
       "objects[0].layer: expected a whole number from 0 to 4, got 7"},
      {level(R"("objects": [{"texture": "t", "layer": -1, "position": [0, 0]}])"),
       "objects[0].layer: expected a whole number from 0 to 4, got -1"},
      {level(R"("objects": [{"texture": "t", "layer": 0, "position": [0, 0], "mirrored": 256}])"),
       "objects[0].mirrored: expected true, false or a whole number from 0 to 255, got 256"},
      {level(R"("polygons": [{"surface": 6, "layer": 0, "points": []}])"),
       "polygons[0].surface: expected a surface name or a whole number from 1 to 5, got 6"},
      {level(R"("polygons": [{"surface": 0, "layer": 0, "points": []}])"),
       "polygons[0].surface: expected a surface name or a whole number from 1 to 5, got 0"},
      {level(R"("polygons": [{"surface": 1, "mode": -1, "layer": 0, "points": []}])"),
       "polygons[0].mode: expected a mode name or a whole number from 0 to 4294967295, got -1"},
      {level(R"("forces": [{"id": -1, "position": [0, 0], "direction": [0, 0], "strength": 0}])"),
       "forces[0].id: expected a whole number from 0 to 4294967295, got -1"},
      {level(R"("movers": [{"id": 4294967296, "speed": 1, "start": [0, 0], "end": [0, 0]}])"),
       "movers[0].id: expected a whole number from 0 to 4294967295, got 4294967296"},
      {level(R"("soundSources": [{"position": [0, 0], "strength": -1, "file": ""}])"),
       "soundSources[0].strength: expected a whole number from 0 to 2147483647, got -1"},
      {level(R"("triggers": [{"type": 4294967296, "corners": []}])"),
       "triggers[0].type: expected a trigger type name or a whole number, got 4294967296"},
      {level(R"("triggers": [{"type": 1, "targetId": 0.5, "corners": []}])"),
       "triggers[0].targetId: expected a whole number from 0 to 4294967295, got 0.5"},
  });
}

TEST(LevelSourceRefusalTests, PointsMustBeWholeNumbersIn32Bits) {
  const std::string expected =
      "expected a point [x, y] of whole numbers from -2147483648 to 2147483647";
  expectRefusals({
      {R"({"waterStart": [0, 2147483648], "cameraStart": [0, 0]})",
       "waterStart: " + expected + ", got [0,2147483648]"},
      {R"({"waterStart": [0, 0], "cameraStart": [-2147483649, 0]})",
       "cameraStart: " + expected + ", got [-2147483649,0]"},
      {R"({"waterStart": [0, 0, 0], "cameraStart": [0, 0]})",
       "waterStart: " + expected + ", got [0,0,0]"},
      {level(R"("polygons": [{"surface": 1, "layer": 0, "points": [[0, 0], [1.5, 0], [0, 1]]}])"),
       "polygons[0].points[1]: " + expected + ", got [1.5,0]"},
      {level(R"("objects": [{"texture": "t", "layer": 0, "position": "here"}])"),
       "objects[0].position: " + expected + ", got \"here\""},
      {level(R"("triggers": [{"type": 1, "corners": [[0, 0], [1, 0], [1, 1], [0, 1e300]]}])"),
       "triggers[0].corners[3]: " + expected + ", got [0,1e+300]"},
  });
}

TEST(LevelSourceRefusalTests, OutlinesMustBeSimple) {
  expectRefusals({
      {level(
           R"("polygons": [{"surface": 1, "layer": 0, "points": [[0, 0], [9, 9], [9, 0], [0, 9]]}])"),
       "polygons[0].points: the outline crosses itself"},
      {level(R"("polygons": [{"surface": 1, "layer": 0, "points": [[0, 0], [9, 9]]}])"),
       "polygons[0].points: an outline needs at least 3 points, got 2"},
      {level(R"("polygons": [{"surface": 1, "layer": 0, "points": []}])"),
       "polygons[0].points: an outline needs at least 3 points, got 0"},
  });
}

TEST(LevelSourceRefusalTests, CountsAboveTheGamesLimit) {
  std::string movers = R"("movers": [{})";
  for (int i = 1; i < 65536; ++i) movers += ",{}";
  EXPECT_EQ(refusal(level(movers + "]")), "movers: 65536 entries, at most 65535 are allowed");

  std::string points = R"("polygons": [{"surface": 1, "layer": 0, "points": [[0,0])";
  for (int i = 1; i < 65536; ++i) points += ",[0,0]";
  EXPECT_EQ(refusal(level(points + "]}]")),
            "polygons[0].points: 65536 entries, at most 65535 are allowed");
}

TEST(LevelSourceRefusalTests, NamesMustBe8BitAndWithinTheirLimits) {
  const std::string longName(65535, 'x');
  expectRefusals({
      {level(R"("emitters": [{"position": [0, 0], "direction": [0, 0], "settings": "a\u0100"}])"),
       "emitters[0].settings: character U+0100 is above U+00FF; names are 8-bit"},
      {level("\"soundSources\": [{\"position\": [0, 0], \"strength\": 0, \"file\": "
             "\"\xF0\x9F\x92\xA7\"}]"),
       "soundSources[0].file: character U+1F4A7 is above U+00FF; names are 8-bit"},
      {level(R"("objects": [{"texture": ")" + longName + R"(", "layer": 0, "position": [0, 0]}])"),
       "objects[0].texture: the name is 65535 bytes long, at most 65534 are allowed"},
      {level(R"("polygons": [{"texture": ")" + longName +
             R"(x", "surface": 1, "layer": 0, "points": []}])"),
       "polygons[0].texture: the name is 65536 bytes long, at most 65535 are allowed"},
  });
}

TEST(LevelSourceRefusalTests, FloatsMustFitAndBitPatternsMustBeWhole) {
  expectRefusals({
      {level(R"("forces": [{"position": [0, 0], "direction": [0, 0], "strength": 1e39}])"),
       R"(forces[0].strength: 1e+39 is beyond the float range; an infinity is written "0x7F800000")"},
      {level(
           R"("emitters": [{"position": [0, 0], "direction": [0, "0x7FC0000"], "settings": ""}])"),
       R"(emitters[0].direction[1]: expected a number or a bit pattern such as "0x7FC00000", got "0x7FC0000")"},
      {level(R"("movers": [{"id": 0, "speed": "fast", "start": [0, 0], "end": [0, 0]}])"),
       R"(movers[0].speed: expected a number or a bit pattern such as "0x7FC00000", got "fast")"},
      {level(R"("triggers": [{"type": 1, "value": null, "corners": []}])"),
       R"(triggers[0].value: expected a number or a bit pattern such as "0x7FC00000", got null)"},
  });
}

TEST(LevelSourceRefusalTests, JsonSyntaxErrorsGiveTheirPosition) {
  EXPECT_EQ(refusal("{\n  \"waterStart\": [0, 0],\n  \"cameraStart\": [0 0]\n}"),
            "parse error at line 3, column 21: syntax error while parsing array - unexpected "
            "number literal; expected ']'");
  EXPECT_EQ(refusal(""),
            "parse error at line 1, column 1: syntax error while parsing value - "
            "unexpected end of input; expected '[', '{', or a literal");
  EXPECT_NE(refusal(level() + " {}").find("parse error at line 1, column"), std::string::npos);
  EXPECT_NE(refusal("{\"waterStart\": \"\xFF\"}").find("parse error at line 1"), std::string::npos);
}

TEST(LevelSourceRefusalTests, LongValuesAreCutShortInMessages) {
  const std::string objects = R"("objects": {"texture": ")" + std::string(100, 'z') + "\"}";
  EXPECT_EQ(refusal(level(objects)),
            R"(objects: expected an array, got {"texture":")" + std::string(25, 'z') + "...");
}

namespace {

// Twice the signed area; positive for outlines listed clockwise on screen (y down).
int64_t twiceSignedArea(const std::vector<IntPoint>& points) {
  int64_t sum = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const IntPoint a = points[i];
    const IntPoint b = points[(i + 1) % points.size()];
    sum += int64_t(a.x) * b.y - int64_t(b.x) * a.y;
  }
  return sum;
}

// (x, y) lies inside the outline, by the even-odd rule with a ray to the right.
bool inside(const std::vector<IntPoint>& points, float x, float y) {
  bool in = false;
  for (size_t i = 0; i < points.size(); ++i) {
    const float x1 = float(points[i].x), y1 = float(points[i].y);
    const IntPoint next = points[(i + 1) % points.size()];
    const float x2 = float(next.x), y2 = float(next.y);
    if ((y1 > y) != (y2 > y) && x < x1 + (y - y1) * (x2 - x1) / (y2 - y1)) in = !in;
  }
  return in;
}

}  // namespace

TEST(ShippedTestLevelTests, CompilesIntoAFileTheGameAccepts) {
  const std::string source = readFileBytes(TEST_LEVEL_SOURCE);
  ASSERT_FALSE(source.empty());
  const LevelFileContents c = compiled(source);
  const auto read = level_file::readLevelFile(bytesOf(c));
  ASSERT_FALSE(read.error) << read.error->reason;
  EXPECT_EQ(read.contents, c);
  EXPECT_EQ(compiled(dumpLevelSource(c)), c);
}

TEST(ShippedTestLevelTests, OutlinesAreSimpleAndWoundAlike) {
  const LevelFileContents c = compiled(readFileBytes(TEST_LEVEL_SOURCE));
  ASSERT_GE(c.polygons.size(), 8u);
  for (const auto& polygon : c.polygons) {
    std::vector<float> xs, ys;
    for (const IntPoint p : polygon.points) {
      xs.push_back(float(p.x));
      ys.push_back(float(p.y));
    }
    EXPECT_FALSE(crossesItself(xs, ys)) << "polygon " << polygon.id;
    EXPECT_GT(twiceSignedArea(polygon.points), 0) << "polygon " << polygon.id;
  }
}

TEST(ShippedTestLevelTests, WaterStartsClearOfSolidsAndTheEndTriggerIsConvex) {
  const LevelFileContents c = compiled(readFileBytes(TEST_LEVEL_SOURCE));
  // The water is a disc of radius 10; it must start clear of every solid polygon.
  const IntPoint water = c.start.waterStart;
  for (const auto& polygon : c.polygons) {
    if (polygon.mode == 1) continue;
    for (int dx = -10; dx <= 10; dx += 5) {
      for (int dy = -10; dy <= 10; dy += 5) {
        EXPECT_FALSE(inside(polygon.points, float(water.x + dx), float(water.y + dy)))
            << "the water overlaps polygon " << polygon.id;
      }
    }
  }
  int endTriggers = 0;
  for (const auto& trigger : c.triggers) {
    if (trigger.triggerType != uint32_t(*triggerTypeId("Level_end_a"))) continue;
    ++endTriggers;
    std::vector<Vec2> corners;
    Vec2 centre;
    for (const IntPoint p : trigger.corners) {
      corners.push_back({float(p.x), float(p.y)});
      centre += Vec2{float(p.x), float(p.y)} / 4.0f;
    }
    EXPECT_TRUE(pointInConvex(centre, corners));
  }
  EXPECT_EQ(endTriggers, 1);
}
