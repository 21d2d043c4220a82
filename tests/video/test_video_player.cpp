// The video player without a window: what it accepts and refuses, its texture size, its
// pacing and where it draws. Every video is written here by the generator's AVI writer.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/console_output.h"
#include "game/platform/video_clock.h"
#include "game/platform/video_decoder.h"
#include "game/platform/video_player.h"
#include "tools/videogen/intro_video.h"
#include "video/video_files.h"

namespace {

std::string printed;
void capture(std::string_view text) {
  printed += text;
}

class VideoPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printed.clear();
    console::setOutputListener(capture);
  }
  void TearDown() override { console::setOutputListener(nullptr); }
  std::string path(std::string_view name) const { return (folder.path() / name).string(); }
  std::string write(std::string_view name, std::string_view bytes) const {
    return folder.write(name, bytes).string();
  }
  TempDirectory folder;
};

std::string withFourcc(std::string bytes, std::string_view from, std::string_view to) {
  for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + 1))
    bytes.replace(at, from.size(), to);
  return bytes;
}

TEST_F(VideoPlayerTest, RefusesWhatItCannotPlayWithOneMessageEach) {
  const std::string good = aviBytes(numberedFrames(10, 64, 48), 64, 48, 15);
  ASSERT_FALSE(good.empty());
  struct Case {
    const char* name;
    std::string bytes;  // nothing written when empty
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"missing.avi", "", "no such file"},
      {"text.avi", "this is not a video at all", "not an AVI file"},
      {"cut.avi", good.substr(0, good.size() * 6 / 10), "truncated"},
      {"header_only.avi", good.substr(0, 300), "truncated"},
      {"empty.avi", aviBytes({}, 64, 48, 15), "no frames"},
      {"unknown.avi", withFourcc(good, "MJPG", "QQQQ"), "unsupported codec"},
      {"sound_only.avi", withFourcc(good, "vids", "auds"), "no video stream"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    printed.clear();
    const std::string file = c.bytes.empty() ? path(c.name) : write(c.name, c.bytes);
    VideoPlayer player(file);
    EXPECT_FALSE(player.isOpen());
    EXPECT_TRUE(player.isFinished());
    EXPECT_EQ(printed, "\nUnable to open AVI file '" + file + "': " + c.reason + ".");
  }
}

TEST_F(VideoPlayerTest, TextureSidesAreTheFrameRoundedUpToPowersOfTwo) {
  struct Case {
    int width, height;
    uint32_t textureWidth, textureHeight;
  };
  for (const Case& c :
       {Case{320, 240, 512, 256}, Case{256, 256, 256, 256}, Case{100, 36, 128, 64}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    VideoPlayer player(
        write("size.avi", aviBytes(numberedFrames(1, c.width, c.height), c.width, c.height, 15)));
    ASSERT_TRUE(player.isOpen()) << printed;
    EXPECT_EQ(player.frameWidth(), uint32_t(c.width));
    EXPECT_EQ(player.frameHeight(), uint32_t(c.height));
    EXPECT_EQ(player.textureWidth(), c.textureWidth);
    EXPECT_EQ(player.textureHeight(), c.textureHeight);
  }
  EXPECT_EQ(printed, "");
}

// A 15 fps video (66 ms a frame) on a 100 Hz loop: each frame in turn, the next one on the
// seventh turn, when more than 66 ms have gathered; never two at once.
TEST_F(VideoPlayerTest, FifteenFramesASecondOnAHundredHertzLoopShowsEveryFrameInTurn) {
  constexpr int kFrames = 6;
  VideoPlayer player(write("paced.avi", aviBytes(numberedFrames(kFrames, 32, 32), 32, 32, 15)));
  ASSERT_TRUE(player.isOpen()) << printed;
  EXPECT_EQ(player.frameCount(), uint32_t(kFrames));
  EXPECT_EQ(player.frameTimeMs(), 66u);
  std::vector<int> turnOfFrame = {0};
  for (int turn = 1; turn <= 100 && !player.isFinished(); ++turn) {
    const uint32_t before = player.currentFrame();
    player.advance(0.01f);
    if (player.currentFrame() != before) {
      EXPECT_EQ(player.currentFrame(), before + 1) << "turn " << turn;
      turnOfFrame.push_back(turn);
    }
  }
  const std::vector<int> expected = {0, 7, 14, 21, 28, 35, 42};
  EXPECT_EQ(turnOfFrame, expected);
  EXPECT_TRUE(player.isFinished());
  EXPECT_TRUE(player.isOpen());
}

TEST_F(VideoPlayerTest, ALongStallStillAdvancesOneFrameAndRewindStartsOver) {
  VideoPlayer player(write("stall.avi", aviBytes(numberedFrames(4, 32, 32), 32, 32, 15)));
  ASSERT_TRUE(player.isOpen()) << printed;
  player.advance(5.0f);
  EXPECT_EQ(player.currentFrame(), 1u);
  player.advance(5.0f);
  EXPECT_EQ(player.currentFrame(), 2u);
  player.rewind();
  EXPECT_EQ(player.currentFrame(), 0u);
  player.advance(0.05f);
  EXPECT_EQ(player.currentFrame(), 0u);
}

TEST_F(VideoPlayerTest, DecodedFramesAreTheOnesEncodedInAnyOrder) {
  std::string reason;
  auto decoder =
      video::VideoDecoder::openMemory(aviBytes(numberedFrames(5, 16, 8), 16, 8, 15), reason);
  ASSERT_NE(decoder, nullptr) << reason;
  for (const uint32_t index : {0u, 1u, 4u, 2u, 0u, 3u}) {
    SCOPED_TRACE(index);
    const uint8_t* rows = decoder->decodeFrame(index);
    ASSERT_NE(rows, nullptr);
    EXPECT_NEAR(rows[0], greyOfFrame(index), 3);
    EXPECT_NEAR(rows[16 * 8 * 3 - 1], greyOfFrame(index), 3);
  }
  EXPECT_EQ(decoder->decodeFrame(5), nullptr);
}

TEST(VideoQuadTest, TheFrameFillsTheClientHeightCentredAcross) {
  struct Case {
    uint32_t frameWidth, frameHeight;
    int32_t clientWidth, clientHeight;
    float left, right;
  };
  for (const Case& c : {Case{320, 240, 1280, 720, 160, 1120}, Case{320, 240, 800, 600, 0, 800},
                        Case{256, 256, 1024, 512, 256, 768}, Case{640, 240, 400, 300, -200, 600}}) {
    const video::VideoQuad quad =
        video::videoQuad(c.frameWidth, c.frameHeight, c.clientWidth, c.clientHeight);
    EXPECT_FLOAT_EQ(quad.left, c.left);
    EXPECT_FLOAT_EQ(quad.right, c.right);
    EXPECT_FLOAT_EQ(quad.bottom, float(c.clientHeight));
  }
}

}  // namespace

namespace {

// The intro is made at build time; the same pictures must give the same file on every run.
TEST(AviWriterTest, TheIntroEncodesToTheSameSmallFileEveryTime) {
  const std::vector<RgbFrame> frames = drawIntroFrames(nullptr);
  ASSERT_EQ(frames.size(), size_t(kIntroFrames));
  const std::string first = aviBytes(frames, kIntroWidth, kIntroHeight, kIntroFramesPerSecond);
  ASSERT_FALSE(first.empty());
  EXPECT_LT(first.size(), size_t(2) << 20);
  EXPECT_EQ(first, aviBytes(frames, kIntroWidth, kIntroHeight, kIntroFramesPerSecond));
}

}  // namespace
