#include "game/platform/music_decoder.h"

#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "common/regular_file.h"

namespace audio {

namespace {

// A damaged page makes the library report a hole and carry on; this many holes in a row
// with no sound between them mean the rest of the stream is rubbish.
constexpr int kMaxHolesInARow = 16;

}  // namespace

// Where the compressed bytes come from: a file kept open, or a copy in memory.
struct MusicDecoder::Source {
  FileDescriptor file;
  std::vector<uint8_t> bytes;
  size_t position = 0;

  size_t read(void* into, size_t size) {
    if (file.isOpen()) {
      for (;;) {
        const ssize_t count = ::read(file.get(), into, size);
        if (count < 0 && errno == EINTR) continue;
        return count < 0 ? 0 : size_t(count);
      }
    }
    const size_t count = std::min(size, bytes.size() - position);
    // An empty file's vector may hold no buffer at all, and memcpy takes no null source.
    if (count > 0) std::memcpy(into, bytes.data() + position, count);
    position += count;
    return count;
  }

  int seek(ogg_int64_t offset, int whence) {
    if (file.isOpen()) return ::lseek(file.get(), off_t(offset), whence) < 0 ? -1 : 0;
    const ogg_int64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? ogg_int64_t(position)
                                                  : ogg_int64_t(bytes.size());
    if (offset < -base || offset > ogg_int64_t(bytes.size()) - base) return -1;
    position = size_t(base + offset);
    return 0;
  }

  long tell() const {
    return file.isOpen() ? long(::lseek(file.get(), 0, SEEK_CUR)) : long(position);
  }
};

struct MusicDecoder::State {
  OggVorbis_File file{};
  bool opened = false;
  int holesInARow = 0;

  ~State() {
    if (opened) ov_clear(&file);
  }
};

namespace {

size_t readCallback(void* into, size_t size, size_t count, void* source) {
  if (size == 0) return 0;
  return static_cast<MusicDecoder::Source*>(source)->read(into, size * count) / size;
}

int seekCallback(void* source, ogg_int64_t offset, int whence) {
  return static_cast<MusicDecoder::Source*>(source)->seek(offset, whence);
}

long tellCallback(void* source) {
  return static_cast<MusicDecoder::Source*>(source)->tell();
}

}  // namespace

MusicDecoder::MusicDecoder() : state_(std::make_unique<State>()) {}
MusicDecoder::~MusicDecoder() = default;

std::unique_ptr<MusicDecoder> MusicDecoder::openFile(const std::filesystem::path& path) {
  auto source = std::make_unique<Source>();
  // Music is streamed from the file as it plays, so it is not read whole, but it must still be
  // a regular file: a pipe would block the streamer and a device would never end.
  source->file = openRegularFile(path);
  if (!source->file.isOpen()) return nullptr;
  std::unique_ptr<MusicDecoder> decoder(new MusicDecoder());
  if (!decoder->open(std::move(source))) return nullptr;
  return decoder;
}

std::unique_ptr<MusicDecoder> MusicDecoder::openMemory(std::span<const uint8_t> bytes) {
  auto source = std::make_unique<Source>();
  source->bytes.assign(bytes.begin(), bytes.end());
  std::unique_ptr<MusicDecoder> decoder(new MusicDecoder());
  if (!decoder->open(std::move(source))) return nullptr;
  return decoder;
}

bool MusicDecoder::open(std::unique_ptr<Source> source) {
  source_ = std::move(source);
  const ov_callbacks callbacks{readCallback, seekCallback, nullptr, tellCallback};
  if (ov_open_callbacks(source_.get(), &state_->file, nullptr, 0, callbacks) != 0) return false;
  state_->opened = true;
  const vorbis_info* info = ov_info(&state_->file, -1);
  if (info == nullptr || info->channels < 1 || info->rate < 1) return false;
  channels_ = info->channels;
  sampleRate_ = int32_t(std::min<long>(info->rate, std::numeric_limits<int32_t>::max()));
  const ogg_int64_t total = ov_pcm_total(&state_->file, -1);
  totalFrames_ = total > 0 ? uint64_t(total) : 0;
  return true;
}

size_t MusicDecoder::read(std::span<int16_t> samples) {
  const size_t frameBytes = size_t(channels_) * sizeof(int16_t);
  const size_t wanted = samples.size() / size_t(channels_);
  auto* out = reinterpret_cast<char*>(samples.data());
  size_t done = 0;
  while (done < wanted && !ended_) {
    const size_t room = (wanted - done) * frameBytes;
    int link = 0;
    const long got = ov_read(&state_->file, out + done * frameBytes,
                             int(std::min<size_t>(room, 1 << 20)), 0, 2, 1, &link);
    if (got == OV_HOLE && ++state_->holesInARow < kMaxHolesInARow) continue;
    if (got <= 0) {
      failed_ = got < 0;
      ended_ = true;
      break;
    }
    const vorbis_info* info = ov_info(&state_->file, link);
    if (info == nullptr || info->channels != channels_ || info->rate != sampleRate_) {
      failed_ = true;
      ended_ = true;
      break;
    }
    state_->holesInARow = 0;
    done += size_t(got) / frameBytes;
  }
  return done;
}

uint64_t MusicDecoder::framePosition() const {
  const ogg_int64_t position = ov_pcm_tell(&state_->file);
  return position > 0 ? uint64_t(position) : 0;
}

bool MusicDecoder::seekFrame(uint64_t frame) {
  if (failed_) return false;
  if (frame > uint64_t(std::numeric_limits<ogg_int64_t>::max())) return false;
  if (ov_pcm_seek(&state_->file, ogg_int64_t(frame)) != 0) return false;
  ended_ = false;
  state_->holesInARow = 0;
  return true;
}

bool MusicDecoder::seekMilliseconds(uint32_t milliseconds) {
  return seekFrame(millisecondsToFrames(milliseconds));
}

uint32_t MusicDecoder::framesToMilliseconds(uint64_t frames) const {
  const uint64_t milliseconds = frames * 1000 / uint64_t(sampleRate_);
  return uint32_t(std::min<uint64_t>(milliseconds, std::numeric_limits<uint32_t>::max()));
}

uint64_t MusicDecoder::millisecondsToFrames(uint32_t milliseconds) const {
  return uint64_t(milliseconds) * uint64_t(sampleRate_) / 1000;
}

}  // namespace audio
