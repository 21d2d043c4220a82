#include "game/platform/openal_music_device.h"

#include <AL/alext.h>
#include <pthread.h>

#include <algorithm>
#include <chrono>

namespace audio {

namespace {

// Four buffers of 4096 frames hold about 370 ms at 44100 Hz: enough to ride out a slow
// frame of the game, short enough that pausing and seeking react at once.
constexpr size_t kBufferCount = 4;
constexpr size_t kFramesPerBuffer = 4096;
// The streaming thread looks at the queue this often even when nobody wakes it.
constexpr auto kServiceInterval = std::chrono::milliseconds(20);

struct ThreadContextFunctions {
  ALCboolean(ALC_APIENTRY* set)(ALCcontext*) = nullptr;
  ALCcontext*(ALC_APIENTRY* get)() = nullptr;
};

const ThreadContextFunctions& threadContextFunctions() {
  static const ThreadContextFunctions functions = [] {
    ThreadContextFunctions loaded;
    if (alcIsExtensionPresent(nullptr, "ALC_EXT_thread_local_context") != ALC_TRUE) return loaded;
    loaded.set =
        reinterpret_cast<decltype(loaded.set)>(alcGetProcAddress(nullptr, "alcSetThreadContext"));
    loaded.get =
        reinterpret_cast<decltype(loaded.get)>(alcGetProcAddress(nullptr, "alcGetThreadContext"));
    if (loaded.set == nullptr || loaded.get == nullptr) loaded = {};
    return loaded;
  }();
  return functions;
}

// Makes `context` current for this thread for the life of the object and puts back what
// was there before; other threads keep theirs.
class ContextScope {
 public:
  explicit ContextScope(ALCcontext* context) {
    const ThreadContextFunctions& functions = threadContextFunctions();
    previous_ = functions.get();
    functions.set(context);
    alGetError();  // errors of whoever used the context before are not ours
  }
  ~ContextScope() { threadContextFunctions().set(previous_); }
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;

 private:
  ALCcontext* previous_ = nullptr;
};

}  // namespace

OpenAlMusicDevice::OpenAlMusicDevice(ALCcontext* context) : context_(context) {}

OpenAlMusicDevice::~OpenAlMusicDevice() {
  finish();
}

bool OpenAlMusicDevice::start() {
  if (started_) return true;
  if (threadContextFunctions().set == nullptr) return false;
  if (context_ == nullptr) {
    ownedDevice_ = alcOpenDevice(nullptr);
    if (ownedDevice_ == nullptr) return false;
    context_ = alcCreateContext(ownedDevice_, nullptr);
    if (context_ == nullptr) {
      alcCloseDevice(ownedDevice_);
      ownedDevice_ = nullptr;
      return false;
    }
    ownsContext_ = true;
  }
  {
    const ContextScope scope(context_);
    alGenSources(1, &source_);
    allBuffers_.resize(kBufferCount);
    alGenBuffers(ALsizei(kBufferCount), allBuffers_.data());
    alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source_, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source_, AL_ROLLOFF_FACTOR, 0.0f);
    if (alGetError() != AL_NO_ERROR) {
      started_ = true;
      finish();
      return false;
    }
  }
  freeBuffers_ = allBuffers_;
  quit_ = false;
  started_ = true;
  thread_ = std::thread([this] { streamLoop(); });
  // Named, so that top and the benchmark can tell its share of the processor.
  pthread_setname_np(thread_.native_handle(), "vmr-music");
  return true;
}

void OpenAlMusicDevice::finish() {
  if (!started_) return;
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  {
    const ContextScope scope(context_);
    clearQueue();
    if (source_ != 0) alDeleteSources(1, &source_);
    if (!allBuffers_.empty()) alDeleteBuffers(ALsizei(allBuffers_.size()), allBuffers_.data());
  }
  source_ = 0;
  allBuffers_.clear();
  freeBuffers_.clear();
  decoder_.reset();
  playing_ = false;
  if (ownsContext_) {
    alcDestroyContext(context_);
    alcCloseDevice(ownedDevice_);
    context_ = nullptr;
    ownedDevice_ = nullptr;
    ownsContext_ = false;
  }
  started_ = false;
}

bool OpenAlMusicDevice::openStream(const std::filesystem::path& path) {
  std::unique_ptr<MusicDecoder> decoder = MusicDecoder::openFile(path);
  if (decoder == nullptr || decoder->channels() > 2) return false;
  const std::lock_guard lock(mutex_);
  const ContextScope scope(context_);
  clearQueue();
  decoder_ = std::move(decoder);
  format_ = decoder_->channels() == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
  samples_.resize(kFramesPerBuffer * size_t(decoder_->channels()));
  playing_ = false;
  decoderDone_ = false;
  return true;
}

void OpenAlMusicDevice::play(bool loop) {
  {
    const std::lock_guard lock(mutex_);
    if (decoder_ == nullptr) return;
    const ContextScope scope(context_);
    loop_ = loop;
    playing_ = true;
    fillQueue();
    if (!queued_.empty()) alSourcePlay(source_);
  }
  wake_.notify_all();
}

// The decoder goes back to the frame that was sounding, so the queued sound that never
// played isn't skipped when play starts again.
bool OpenAlMusicDevice::stop() {
  const std::lock_guard lock(mutex_);
  if (decoder_ == nullptr) return false;
  const ContextScope scope(context_);
  const uint64_t frame = soundingFrame();
  playing_ = false;
  clearQueue();
  if (decoder_->seekFrame(frame)) decoderDone_ = false;
  return true;
}

bool OpenAlMusicDevice::closeStream() {
  const std::lock_guard lock(mutex_);
  const ContextScope scope(context_);
  clearQueue();
  decoder_.reset();
  playing_ = false;
  return true;
}

uint32_t OpenAlMusicDevice::position() {
  const std::lock_guard lock(mutex_);
  if (decoder_ == nullptr) return 0;
  const ContextScope scope(context_);
  return decoder_->framesToMilliseconds(soundingFrame());
}

void OpenAlMusicDevice::setPosition(uint32_t milliseconds) {
  {
    const std::lock_guard lock(mutex_);
    if (decoder_ == nullptr) return;
    const ContextScope scope(context_);
    clearQueue();
    uint64_t frame = decoder_->millisecondsToFrames(milliseconds);
    if (decoder_->totalFrames() > 0) frame = std::min(frame, decoder_->totalFrames());
    decoderDone_ = !decoder_->seekFrame(frame);
    if (playing_) {
      fillQueue();
      if (!queued_.empty()) alSourcePlay(source_);
    }
  }
  wake_.notify_all();
}

void OpenAlMusicDevice::setVolume(uint8_t volume) {
  const std::lock_guard lock(mutex_);
  if (!started_) return;
  const ContextScope scope(context_);
  alSourcef(source_, AL_GAIN, float(volume) / 255.0f);
}

void OpenAlMusicDevice::refillNow() {
  std::unique_lock lock(mutex_);
  if (!started_) return;
  const uint64_t request = ++refillRequests_;
  wake_.notify_all();
  serviced_.wait(lock, [&] { return refillsDone_ >= request || quit_; });
}

bool OpenAlMusicDevice::isSounding() {
  const std::lock_guard lock(mutex_);
  return playing_;
}

void OpenAlMusicDevice::streamLoop() {
  std::unique_lock lock(mutex_);
  while (!quit_) {
    wake_.wait_for(lock, kServiceInterval, [&] { return quit_ || refillRequests_ > refillsDone_; });
    if (quit_) break;
    const uint64_t requests = refillRequests_;
    {
      const ContextScope scope(context_);
      service();
    }
    refillsDone_ = requests;
    serviced_.notify_all();
  }
  refillsDone_ = refillRequests_;
  serviced_.notify_all();
}

// Takes back the played buffers, refills them, and restarts the source when it ran dry
// before the refill came. A stream that has nothing more to give simply falls silent.
void OpenAlMusicDevice::service() {
  if (decoder_ == nullptr || !playing_) return;
  ALint processed = 0;
  alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
  for (ALint i = 0; i < processed && !queued_.empty(); ++i) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(source_, 1, &buffer);
    queued_.pop_front();
    freeBuffers_.push_back(buffer);
  }
  fillQueue();
  ALint state = AL_STOPPED;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state == AL_PLAYING) return;
  if (!queued_.empty()) {
    alSourcePlay(source_);
  } else if (decoderDone_) {
    playing_ = false;
  }
  alGetError();
}

void OpenAlMusicDevice::fillQueue() {
  bool rewound = false;
  while (!freeBuffers_.empty() && !decoderDone_) {
    const uint64_t startFrame = decoder_->framePosition();
    const size_t frames = decoder_->read(samples_);
    if (frames == 0) {
      // Looping starts over once; a stream that gives nothing even from its start ends.
      if (loop_ && !decoder_->failed() && !rewound && decoder_->seekFrame(0)) {
        rewound = true;
        continue;
      }
      decoderDone_ = true;
      break;
    }
    rewound = false;
    const ALuint buffer = freeBuffers_.back();
    const size_t bytes = frames * size_t(decoder_->channels()) * sizeof(int16_t);
    alBufferData(buffer, format_, samples_.data(), ALsizei(bytes), decoder_->sampleRate());
    alSourceQueueBuffers(source_, 1, &buffer);
    if (alGetError() != AL_NO_ERROR) {
      decoderDone_ = true;
      break;
    }
    freeBuffers_.pop_back();
    queued_.push_back({buffer, startFrame, frames});
  }
}

void OpenAlMusicDevice::clearQueue() {
  if (source_ == 0) return;
  alSourceStop(source_);
  alSourcei(source_, AL_BUFFER, 0);  // unqueues every buffer of a stopped source
  for (const QueuedBuffer& queued : queued_) freeBuffers_.push_back(queued.buffer);
  queued_.clear();
  alGetError();
}

// The decoder frame under the play cursor: the start of the buffer it is in plus its
// offset; with nothing queued, where the decoder stands.
uint64_t OpenAlMusicDevice::soundingFrame() {
  if (queued_.empty()) return decoder_->framePosition();
  ALint state = AL_INITIAL;
  alGetSourcei(source_, AL_SOURCE_STATE, &state);
  if (state == AL_STOPPED) {
    const QueuedBuffer& last = queued_.back();
    return last.startFrame + last.frames;
  }
  ALint offset = 0;
  alGetSourcei(source_, AL_SAMPLE_OFFSET, &offset);
  uint64_t remaining = uint64_t(std::max(offset, 0));
  for (const QueuedBuffer& queued : queued_) {
    if (remaining < queued.frames) return queued.startFrame + remaining;
    remaining -= queued.frames;
  }
  const QueuedBuffer& last = queued_.back();
  return last.startFrame + last.frames;
}

}  // namespace audio
