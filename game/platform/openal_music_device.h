#pragma once
// The music device on OpenAL: the stream is decoded by a MusicDecoder into a few queued
// buffers of one streaming source, and a thread of its own unqueues the played buffers and
// refills them. The source is listener-relative, so music sounds the same wherever the
// effects are placed.
//
// Every OpenAL call is made with this device's context set for the calling thread only
// (ALC_EXT_thread_local_context), so the music never disturbs the context the effects
// have made current.

#include <AL/al.h>
#include <AL/alc.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "game/platform/music_decoder.h"
#include "game/platform/music_device.h"

namespace audio {

class OpenAlMusicDevice : public music::MusicDevice {
 public:
  // Plays through `context` (not owned, e.g. a loopback device); nullptr opens the default
  // output device at start() and closes it at finish().
  explicit OpenAlMusicDevice(ALCcontext* context = nullptr);
  ~OpenAlMusicDevice() override;

  bool start() override;
  void finish() override;
  bool openStream(const std::filesystem::path& path) override;
  void play(bool loop) override;
  bool stop() override;
  bool closeStream() override;
  uint32_t position() override;
  void setPosition(uint32_t milliseconds) override;
  void setVolume(uint8_t volume) override;

  // Wakes the streaming thread and waits until it has refilled the queue once. A program
  // that renders faster than real time (a loopback device) calls it between renders.
  void refillNow();
  // The stream is playing or has sound queued.
  bool isSounding();

 private:
  struct QueuedBuffer {
    ALuint buffer = 0;
    uint64_t startFrame = 0;  // the decoder frame its first sample came from
    uint64_t frames = 0;
  };

  void streamLoop();
  void service();
  void fillQueue();
  void clearQueue();
  uint64_t soundingFrame();

  ALCcontext* context_ = nullptr;
  ALCdevice* ownedDevice_ = nullptr;
  bool ownsContext_ = false;
  bool started_ = false;
  ALuint source_ = 0;
  std::vector<ALuint> freeBuffers_;
  std::deque<QueuedBuffer> queued_;
  std::vector<ALuint> allBuffers_;
  std::vector<int16_t> samples_;

  std::unique_ptr<MusicDecoder> decoder_;
  ALenum format_ = 0;
  bool playing_ = false;
  bool loop_ = false;
  bool decoderDone_ = false;

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable serviced_;
  uint64_t refillRequests_ = 0;
  uint64_t refillsDone_ = 0;
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace audio
