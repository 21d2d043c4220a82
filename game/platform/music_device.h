#pragma once
// The device behind the music service (music.h). The service keeps the state the game sees
// and works in every program; the OpenAL streamer is installed as the device by programs
// that play sound, so the simulation runs without a sound device. Main thread only.

#include <cstdint>
#include <filesystem>
#include <memory>

namespace music {

class MusicDevice {
 public:
  virtual ~MusicDevice() = default;

  // Prepares the output; false when music can't be played.
  virtual bool start() = 0;
  // Closes the output; the service has closed the stream first.
  virtual void finish() = 0;

  // Opens `path` as the one stream, not playing, at its start; false when it can't be read
  // or decoded.
  virtual bool openStream(const std::filesystem::path& path) = 0;
  // Plays the stream from its position, endlessly repeated or once.
  virtual void play(bool loop) = 0;
  // Silences the stream; it stays open. False when there is no stream.
  virtual bool stop() = 0;
  // Closes the stream; false when it can't be closed.
  virtual bool closeStream() = 0;

  // The position that is sounding now, in milliseconds from the start of the file.
  virtual uint32_t position() = 0;
  // Moves the stream to `milliseconds`; past the end, the end.
  virtual void setPosition(uint32_t milliseconds) = 0;
  // 0 silent .. 255 full.
  virtual void setVolume(uint8_t volume) = 0;
};

// Takes the device the next initMusic starts (nullptr: the music stays silent and
// initMusic reports the error). Shuts the music down first when it is running.
void installMusicDevice(std::unique_ptr<MusicDevice> device);

}  // namespace music
