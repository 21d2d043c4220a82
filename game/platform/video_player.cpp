#include "game/platform/video_player.h"

#include "common/console_output.h"

VideoPlayer::VideoPlayer(std::string_view fileName) {
  open(fileName);
}

VideoPlayer::~VideoPlayer() {
  close();
}

bool VideoPlayer::open(std::string_view fileName) {
  close();
  std::string reason;
  decoder_ = video::VideoDecoder::openFile(fileName, reason);
  if (decoder_ != nullptr) {
    format_ = decoder_->format();
    textureWidth_ = video::textureSide(format_.width);
    textureHeight_ = video::textureSide(format_.height);
    createTexture();
    clock_ = video::VideoClock(format_.frameCount, format_.frameTimeMs);
    if (!show(0)) reason = "the first frame can't be decoded";
  }
  if (!isOpen()) {
    console::print("\nUnable to open AVI file '" + std::string(fileName) + "': " + reason + ".");
    close();
    return false;
  }
  timer_.restart();
  return true;
}

void VideoPlayer::close() {
  deleteTexture();
  decoder_.reset();
  format_ = {};
  clock_ = {};
  textureWidth_ = 0;
  textureHeight_ = 0;
}

void VideoPlayer::rewind() {
  if (!isOpen()) return;
  clock_.rewind();
  if (show(0)) timer_.restart();
}

void VideoPlayer::update() {
  if (isFinished()) return;
  advance(timer_.tick());
}

void VideoPlayer::advance(float seconds) {
  if (isFinished()) return;
  if (clock_.step(seconds) && !clock_.isFinished()) show(clock_.frame());
}

bool VideoPlayer::show(uint32_t index) {
  const uint8_t* rows = decoder_->decodeFrame(index);
  if (rows == nullptr) {
    // Playback ends here; a frame that won't decode is as far as the video goes.
    close();
    return false;
  }
  uploadFrame(rows);
  return true;
}
