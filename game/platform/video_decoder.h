#pragma once
// The intro's video stream read from an AVI file held in memory, through FFmpeg's libavformat
// and libavcodec: its frame size, frame count and frame time, and any frame as bottom-up rows
// of 24-bit BGR, the layout the player uploads. Every packet of the stream is read at open,
// so a file that ends before its last frame is refused there rather than half-way through
// the intro. No window and no console: a refusal comes back as a reason the caller prints.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace video {

// More frames than this are refused; the player counts them in 16 bits.
inline constexpr uint32_t kMaxFrames = 65535;
// Larger frames are refused before anything is allocated for them.
inline constexpr int32_t kMaxFrameSide = 2048;
// The most a video file may hold; the intro is far smaller.
inline constexpr size_t kMaxVideoFileBytes = size_t(64) << 20;

struct VideoFormat {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t frameCount = 0;
  // One frame's time in whole milliseconds (a 15 fps stream: 66), never 0.
  uint32_t frameTimeMs = 0;
};

class VideoDecoder {
 public:
  // The video stream of `bytes`, or nothing with `reason` saying why ("not an AVI file",
  // "truncated", ...).
  static std::unique_ptr<VideoDecoder> openMemory(std::string bytes, std::string& reason);
  // The same for the data file `fileName`; a missing file is refused as "no such file".
  static std::unique_ptr<VideoDecoder> openFile(std::string_view fileName, std::string& reason);

  ~VideoDecoder();
  VideoDecoder(const VideoDecoder&) = delete;
  VideoDecoder& operator=(const VideoDecoder&) = delete;

  const VideoFormat& format() const { return format_; }
  // Frame `index` as height rows of width x 3 bytes, the bottom row first; valid until the
  // next call. Nothing when the index is past the end or the frame can't be decoded. Frames
  // in order cost one decode each; going back starts again from frame 0.
  const uint8_t* decodeFrame(uint32_t index);

 private:
  struct State;
  explicit VideoDecoder(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
  VideoFormat format_;
};

}  // namespace video
