#pragma once
// Plays the video stream of an AVI file into one OpenGL texture, one decoded frame at a time,
// on the thread that owns the rendering context, and draws it full height and centred. The
// texture's sides are the frame's rounded up to powers of two (320 x 240 takes 512 x 256);
// the frame sits in its top-left corner, its rows bottom-up as the decoder gives them.
//
// A file that can't be played prints one line, "\nUnable to open AVI file '<name>': <why>",
// and leaves a closed player, which counts as finished.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "game/platform/frame_timer.h"
#include "game/platform/video_clock.h"
#include "game/platform/video_decoder.h"

class VideoPlayer {
 public:
  explicit VideoPlayer(std::string_view fileName);
  ~VideoPlayer();
  VideoPlayer(const VideoPlayer&) = delete;
  VideoPlayer& operator=(const VideoPlayer&) = delete;

  // Closes any previous video first; shows frame 0 and restarts the timer. False (with the
  // console line) when the file can't be played.
  bool open(std::string_view fileName);
  void close();
  bool isOpen() const { return decoder_ != nullptr; }
  // At or past the last frame, or not open.
  bool isFinished() const { return !isOpen() || clock_.isFinished(); }
  // Frame 0 again, nothing gathered, the timer restarted.
  void rewind();
  // One loop turn: the timer's step goes to advance.
  void update();
  // One loop turn of `seconds`: the next frame is shown once more than a frame's time has
  // gathered. A frame that can't be decoded closes the player.
  void advance(float seconds);
  // Clears to black, draws the current frame and swaps buffers; nothing when closed.
  void draw() const;
  // The same without clearing or swapping, for callers that compose the screen themselves.
  void drawFrame() const;

  uint32_t currentFrame() const { return clock_.frame(); }
  uint32_t frameCount() const { return format_.frameCount; }
  uint32_t frameTimeMs() const { return format_.frameTimeMs; }
  uint32_t frameWidth() const { return format_.width; }
  uint32_t frameHeight() const { return format_.height; }
  uint32_t textureWidth() const { return textureWidth_; }
  uint32_t textureHeight() const { return textureHeight_; }
  uint32_t textureId() const { return texture_; }

 private:
  // Decodes frame `index` into the texture; false when it can't be decoded.
  bool show(uint32_t index);
  // The GL side, in video_player_draw.cpp.
  void createTexture();
  void uploadFrame(const uint8_t* bgrRows);
  void deleteTexture();

  std::unique_ptr<video::VideoDecoder> decoder_;
  video::VideoFormat format_;
  video::VideoClock clock_;
  FrameTimer timer_;
  uint32_t texture_ = 0;
  uint32_t textureWidth_ = 0;
  uint32_t textureHeight_ = 0;
};
