// The sound sources' debug overlay in world coordinates (one unit per pixel): a label at
// each source, silent without a sound device.

#include <gtest/gtest.h>

#include "common/command_registry.h"
#include "game/entities/sound_sources.h"
#include "game/entities/sound_sources_draw.h"
#include "graphics/debug_view_test_support.h"

namespace {

class SoundSourceDebugViewTest : public DebugViewTest {
 protected:
  void SetUp() override {
    DebugViewTest::SetUp();
    sound_sources::initialise();
    centreOnPixels();
  }
  void TearDown() override {
    sound_sources::shutdown();
    DebugViewTest::TearDown();
  }

  static void addSource(uint32_t id, Vec2 position, bool looping, const char* file) {
    SoundSource source;
    source.id = id;
    source.position = position;
    source.strength = 100;
    source.looping = looping;
    source.soundName = file;
    sound_sources::addSource(std::move(source));
  }
};

TEST_F(SoundSourceDebugViewTest, NothingIsDrawnWithTheFlagOff) {
  addSource(4, {100, 100}, true, "hum.wav");
  sound_sources::drawSoundSources();
  EXPECT_EQ(countLitPixels(), 0);
}

TEST_F(SoundSourceDebugViewTest, EverySourceOfBothKindsIsLabelledWithIdAndFile) {
  addSource(4, {100, 100}, true, "hum.wav");
  addSource(12, {100, 300}, false, "drip.wav");
  console::execute("SoundSourceDraw 1");
  sound_sources::drawSoundSources();
  // "id: 4 sound: hum.wav" from (100, 100), 8 pixels a character.
  EXPECT_TRUE(looksLike(pixelAt(104, 104), glyphColour('i')));
  EXPECT_TRUE(looksLike(pixelAt(112, 104), glyphColour('d')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 4 * 8 + 4, 104), glyphColour('4')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 6 * 8 + 4, 104), glyphColour('s')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 13 * 8 + 4, 104), glyphColour('h')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 19 * 8 + 4, 104), glyphColour('v')));
  // "id: 12 sound: drip.wav"
  EXPECT_TRUE(looksLike(pixelAt(100 + 4 * 8 + 4, 304), glyphColour('1')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 5 * 8 + 4, 304), glyphColour('2')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 14 * 8 + 4, 304), glyphColour('d')));
  EXPECT_TRUE(looksLike(pixelAt(100 + 22 * 8 + 4, 304), kBlack));  // the label has ended
}

}  // namespace
