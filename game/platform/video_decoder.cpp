#include "game/platform/video_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/data_path.h"
#include "common/regular_file.h"

namespace video {
namespace {

constexpr int kIoBufferBytes = 32 * 1024;
// Slack after the picture: the converter's wide loads may touch a little past a row.
constexpr size_t kPixelSlack = 64;

// The file's bytes as libavformat reads them: a cursor over a string.
struct MemoryReader {
  std::string bytes;
  size_t position = 0;
};

int readPacket(void* opaque, uint8_t* buffer, int size) {
  auto& reader = *static_cast<MemoryReader*>(opaque);
  const size_t left = reader.bytes.size() - reader.position;
  if (left == 0) return AVERROR_EOF;
  const size_t count = std::min(left, size_t(size));
  std::memcpy(buffer, reader.bytes.data() + reader.position, count);
  reader.position += count;
  return int(count);
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
  auto& reader = *static_cast<MemoryReader*>(opaque);
  const auto size = int64_t(reader.bytes.size());
  int64_t target = 0;
  switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return size;
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = int64_t(reader.position) + offset; break;
    case SEEK_END: target = size + offset; break;
    default: return -1;
  }
  if (target < 0 || target > size) return -1;
  reader.position = size_t(target);
  return target;
}

// A RIFF AVI whose header promises more bytes than the file has was cut short; anything else
// that won't open is no AVI at all.
uint32_t readLe32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + size_t(i)]);
  return value;
}

const char* whyNotOpened(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "AVI ") != 0)
    return "not an AVI file";
  const uint64_t declared = readLe32(bytes, 4);
  return bytes.size() < declared + 8 ? "truncated" : "not an AVI file";
}

// Every chunk before the frames ("movi") lies inside the file. libavformat reads the header
// as one run of chunks, stepping into each list, and allocates a chunk's size before it reads
// it, so a size that runs past the file would cost memory the file never had.
bool headerFits(const std::string& bytes) {
  size_t at = 12;
  while (at + 12 <= bytes.size()) {
    if (bytes.compare(at, 4, "LIST") == 0) {
      if (bytes.compare(at + 8, 4, "movi") == 0) return true;
      at += 12;
      continue;
    }
    const uint64_t size = readLe32(bytes, at + 4);
    if (uint64_t(at) + 8 + size > bytes.size()) return false;
    at += size_t(8 + size + (size & 1));
  }
  return false;
}

// The decoders the game plays: the intro's MJPEG, and the uncompressed frames of the oldest
// AVI files. Every other codec is refused, so a file can't reach the rest of libavcodec.
bool isPlayableCodec(AVCodecID id) {
  return id == AV_CODEC_ID_MJPEG || id == AV_CODEC_ID_RAWVIDEO;
}

}  // namespace

struct VideoDecoder::State {
  MemoryReader reader;
  AVIOContext* io = nullptr;
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVFrame* frame = nullptr;
  SwsContext* scaler = nullptr;
  std::vector<AVPacket*> packets;
  std::vector<uint8_t> pixels;
  size_t nextPacket = 0;
  uint32_t nextFrame = 0;
  bool draining = false;

  ~State() {
    for (AVPacket*& packet : packets) av_packet_free(&packet);
    sws_freeContext(scaler);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    if (io != nullptr) av_freep(&io->buffer);
    avio_context_free(&io);
  }

  // Every packet of stream `index`; a reading error or a damaged packet is a file cut short.
  bool readPackets(int index, std::string& reason) {
    AVPacket* packet = av_packet_alloc();
    bool whole = packet != nullptr;
    while (whole) {
      const int result = av_read_frame(format, packet);
      if (result == AVERROR_EOF) break;
      if (result < 0 || (packet->flags & AV_PKT_FLAG_CORRUPT) != 0) {
        whole = false;
        break;
      }
      if (packet->stream_index == index) {
        if (packets.size() >= kMaxFrames) {
          av_packet_free(&packet);
          reason = "more than 65535 frames";
          return false;
        }
        packets.push_back(av_packet_clone(packet));
        if (packets.back() == nullptr) whole = false;
      }
      av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (!whole) reason = "truncated";
    return whole;
  }

  bool convert(uint32_t width, uint32_t height) {
    if (frame->width != int(width) || frame->height != int(height)) return false;
    scaler = sws_getCachedContext(scaler, frame->width, frame->height, AVPixelFormat(frame->format),
                                  frame->width, frame->height, AV_PIX_FMT_BGR24,
                                  SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (scaler == nullptr) return false;
    // A negative stride from the last row writes the rows bottom-up.
    const int stride = int(width) * 3;
    uint8_t* planes[4] = {pixels.data() + size_t(height - 1) * size_t(stride), nullptr, nullptr,
                          nullptr};
    const int strides[4] = {-stride, 0, 0, 0};
    return sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides) ==
           int(height);
  }
};

VideoDecoder::VideoDecoder(std::unique_ptr<State> state) : state_(std::move(state)) {}
VideoDecoder::~VideoDecoder() = default;

std::unique_ptr<VideoDecoder> VideoDecoder::openFile(std::string_view fileName,
                                                     std::string& reason) {
  FileContents contents = readRegularFile(resolveDataPath(fileName), kMaxVideoFileBytes);
  switch (contents.result) {
    case FileReadResult::kRead: return openMemory(std::move(contents.bytes), reason);
    case FileReadResult::kNotFound: reason = "no such file"; break;
    case FileReadResult::kTooLarge: reason = "larger than 64 MB"; break;
    case FileReadResult::kReadFailed: reason = "unreadable"; break;
  }
  return nullptr;
}

std::unique_ptr<VideoDecoder> VideoDecoder::openMemory(std::string bytes, std::string& reason) {
  // Refusals are reported by the player in one line of its own; the library stays quiet.
  av_log_set_level(AV_LOG_QUIET);
  auto state = std::make_unique<State>();
  state->reader.bytes = std::move(bytes);
  auto* ioBuffer = static_cast<uint8_t*>(av_malloc(kIoBufferBytes));
  if (ioBuffer != nullptr)
    state->io = avio_alloc_context(ioBuffer, kIoBufferBytes, 0, &state->reader, readPacket,
                                   nullptr, seekTo);
  if (state->io == nullptr) {
    av_free(ioBuffer);
    reason = "out of memory";
    return nullptr;
  }
  state->format = avformat_alloc_context();
  if (state->format == nullptr) {
    reason = "out of memory";
    return nullptr;
  }
  state->format->pb = state->io;
  state->format->flags |= AVFMT_FLAG_CUSTOM_IO;
  // Only AVI is read: anything else, even a format FFmpeg knows, is not the game's video.
  if (!headerFits(state->reader.bytes)) {
    reason = whyNotOpened(state->reader.bytes);
    return nullptr;
  }
  if (avformat_open_input(&state->format, nullptr, av_find_input_format("avi"), nullptr) < 0) {
    reason = whyNotOpened(state->reader.bytes);
    return nullptr;
  }
  int index = -1;
  for (unsigned i = 0; i < state->format->nb_streams; ++i) {
    if (state->format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
      index = int(i);
      break;
    }
  }
  if (index < 0) {
    reason = "no video stream";
    return nullptr;
  }
  const AVStream* stream = state->format->streams[index];
  const AVCodecParameters* parameters = stream->codecpar;
  const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
  if (codec == nullptr || !isPlayableCodec(parameters->codec_id)) {
    reason = "unsupported codec";
    return nullptr;
  }
  if (parameters->width < 1 || parameters->height < 1 || parameters->width > kMaxFrameSide ||
      parameters->height > kMaxFrameSide) {
    reason = "frame size " + std::to_string(parameters->width) + " x " +
             std::to_string(parameters->height);
    return nullptr;
  }
  // The stream's time base is one frame: the AVI header's scale over its rate.
  const AVRational base = stream->time_base;
  const int64_t frameTimeMs = base.num > 0 && base.den > 0 ? int64_t(base.num) * 1000 / base.den : 0;
  if (frameTimeMs < 1 || frameTimeMs > UINT32_MAX) {
    reason = "no frame rate";
    return nullptr;
  }
  if (!state->readPackets(index, reason)) return nullptr;
  if (state->packets.empty()) {
    reason = "no frames";
    return nullptr;
  }
  // The header's count covers every frame written; fewer found means the file was cut off.
  if (stream->nb_frames > int64_t(state->packets.size())) {
    reason = "truncated";
    return nullptr;
  }
  state->codec = avcodec_alloc_context3(codec);
  if (state->codec == nullptr ||
      avcodec_parameters_to_context(state->codec, parameters) < 0) {
    reason = "out of memory";
    return nullptr;
  }
  state->codec->thread_count = 1;
  if (avcodec_open2(state->codec, codec, nullptr) < 0) {
    reason = "unsupported codec";
    return nullptr;
  }
  state->frame = av_frame_alloc();
  if (state->frame == nullptr) {
    reason = "out of memory";
    return nullptr;
  }
  VideoFormat format;
  format.width = uint32_t(parameters->width);
  format.height = uint32_t(parameters->height);
  format.frameCount = uint32_t(state->packets.size());
  format.frameTimeMs = uint32_t(frameTimeMs);
  state->pixels.assign(size_t(format.width) * format.height * 3 + kPixelSlack, 0);
  std::unique_ptr<VideoDecoder> decoder(new VideoDecoder(std::move(state)));
  decoder->format_ = format;
  return decoder;
}

const uint8_t* VideoDecoder::decodeFrame(uint32_t index) {
  State& s = *state_;
  if (index >= format_.frameCount) return nullptr;
  if (index < s.nextFrame) {
    avcodec_flush_buffers(s.codec);
    s.nextPacket = 0;
    s.nextFrame = 0;
    s.draining = false;
  }
  // Each turn either takes a decoded frame or feeds one packet, so the loop ends.
  for (;;) {
    const int received = avcodec_receive_frame(s.codec, s.frame);
    if (received == 0) {
      const uint32_t decoded = s.nextFrame++;
      if (decoded == index)
        return s.convert(format_.width, format_.height) ? s.pixels.data() : nullptr;
      continue;
    }
    if (received != AVERROR(EAGAIN)) return nullptr;
    if (s.nextPacket < s.packets.size()) {
      if (avcodec_send_packet(s.codec, s.packets[s.nextPacket++]) < 0) return nullptr;
    } else if (!s.draining) {
      s.draining = true;
      if (avcodec_send_packet(s.codec, nullptr) < 0) return nullptr;
    } else {
      return nullptr;
    }
  }
}

}  // namespace video
