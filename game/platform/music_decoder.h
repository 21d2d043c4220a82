#pragma once
// Decodes an Ogg Vorbis stream, read from a file or from bytes in memory, into interleaved
// signed 16-bit samples. Knows nothing of OpenAL, so the fuzzing tree can test it alone.
//
// Every link of a chained stream must keep the first link's channel count and rate: a
// change ends the stream, as does any decoding error, so bad data ends the music quietly
// instead of reaching the player as noise.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace audio {

class MusicDecoder {
 public:
  // Nullptr when the file is missing, unreadable, not a regular file or not Ogg Vorbis.
  static std::unique_ptr<MusicDecoder> openFile(const std::filesystem::path& path);
  // Keeps its own copy of `bytes`; nullptr when they aren't Ogg Vorbis.
  static std::unique_ptr<MusicDecoder> openMemory(std::span<const uint8_t> bytes);

  ~MusicDecoder();
  MusicDecoder(const MusicDecoder&) = delete;
  MusicDecoder& operator=(const MusicDecoder&) = delete;

  int32_t channels() const { return channels_; }
  int32_t sampleRate() const { return sampleRate_; }

  // Fills `samples` (a whole number of frames of channels() samples) from the current
  // position; returns the frames written, fewer only at the end of the stream or after an
  // error, 0 from then on.
  size_t read(std::span<int16_t> samples);
  // True once a decoding error, or a change of format between links, ended the stream.
  bool failed() const { return failed_; }

  // The next frame read() returns, counted from the start of the stream.
  uint64_t framePosition() const;
  // Moves to the frame at `milliseconds` (sample-exact); false when that lies beyond the end
  // or the stream can't seek there. A successful seek clears the end of the stream.
  bool seekMilliseconds(uint32_t milliseconds);
  bool seekFrame(uint64_t frame);
  // The stream's length in frames, 0 when unknown.
  uint64_t totalFrames() const { return totalFrames_; }

  // Milliseconds for a frame count at this stream's rate, and back (rounded down).
  uint32_t framesToMilliseconds(uint64_t frames) const;
  uint64_t millisecondsToFrames(uint32_t milliseconds) const;

  // The compressed bytes and the library's state; known to the source file only.
  struct Source;
  struct State;

 private:
  MusicDecoder();
  bool open(std::unique_ptr<Source> source);

  std::unique_ptr<Source> source_;
  std::unique_ptr<State> state_;
  int32_t channels_ = 0;
  int32_t sampleRate_ = 0;
  uint64_t totalFrames_ = 0;
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace audio
