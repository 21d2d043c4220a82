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

#include "common/byte_reader.h"
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
const char* whyNotOpened(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "AVI ") != 0)
    return "not an AVI file";
  const uint64_t declared = ByteReader(bytes, 4).u32();
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
    const uint64_t size = ByteReader(bytes, at + 4).u32();
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
  const AVStream* stream = nullptr;
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

  // Each stage below answers nothing when it succeeds, else the reason for the refusal.

  // The AVI container over the bytes; only AVI is read, so anything else, even a format
  // FFmpeg knows, is not the game's video.
  const char* openContainer() {
    auto* ioBuffer = static_cast<uint8_t*>(av_malloc(kIoBufferBytes));
    if (ioBuffer != nullptr)
      io = avio_alloc_context(ioBuffer, kIoBufferBytes, 0, &reader, readPacket, nullptr, seekTo);
    if (io == nullptr) {
      av_free(ioBuffer);
      return "out of memory";
    }
    format = avformat_alloc_context();
    if (format == nullptr) return "out of memory";
    format->pb = io;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (!headerFits(reader.bytes) ||
        avformat_open_input(&format, nullptr, av_find_input_format("avi"), nullptr) < 0)
      return whyNotOpened(reader.bytes);
    return nullptr;
  }

  // The first video stream, with a codec the game plays, a sensible size and a frame rate.
  const char* findVideoStream(VideoFormat& result) {
    for (unsigned i = 0; i < format->nb_streams && stream == nullptr; ++i) {
      if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
        stream = format->streams[i];
    }
    if (stream == nullptr) return "no video stream";
    const AVCodecParameters* parameters = stream->codecpar;
    if (avcodec_find_decoder(parameters->codec_id) == nullptr ||
        !isPlayableCodec(parameters->codec_id))
      return "unsupported codec";
    if (parameters->width < 1 || parameters->height < 1 || parameters->width > kMaxFrameSide ||
        parameters->height > kMaxFrameSide)
      return "unsupported frame size";
    // The stream's time base is one frame: the AVI header's scale over its rate.
    const AVRational base = stream->time_base;
    const int64_t frameTimeMs =
        base.num > 0 && base.den > 0 ? int64_t(base.num) * 1000 / base.den : 0;
    if (frameTimeMs < 1 || frameTimeMs > UINT32_MAX) return "no frame rate";
    result.width = uint32_t(parameters->width);
    result.height = uint32_t(parameters->height);
    result.frameTimeMs = uint32_t(frameTimeMs);
    return nullptr;
  }

  // Every packet of the stream. A reading error or a damaged packet is a file cut short, and
  // so is a count below the header's, which covers every frame written.
  const char* readPackets(VideoFormat& result) {
    AVPacket* packet = av_packet_alloc();
    bool whole = packet != nullptr;
    bool tooMany = false;
    while (whole && !tooMany) {
      const int read = av_read_frame(format, packet);
      if (read == AVERROR_EOF) break;
      whole = read >= 0 && (packet->flags & AV_PKT_FLAG_CORRUPT) == 0;
      if (whole && packet->stream_index == stream->index) {
        tooMany = packets.size() >= kMaxFrames;
        if (!tooMany) packets.push_back(av_packet_clone(packet));
        whole = tooMany || packets.back() != nullptr;
      }
      av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (tooMany) return "more than 65535 frames";
    if (!whole || stream->nb_frames > int64_t(packets.size())) return "truncated";
    if (packets.empty()) return "no frames";
    result.frameCount = uint32_t(packets.size());
    return nullptr;
  }

  const char* openCodec() {
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    codec = avcodec_alloc_context3(decoder);
    if (codec == nullptr || avcodec_parameters_to_context(codec, stream->codecpar) < 0)
      return "out of memory";
    codec->thread_count = 1;
    if (avcodec_open2(codec, decoder, nullptr) < 0) return "unsupported codec";
    frame = av_frame_alloc();
    return frame == nullptr ? "out of memory" : nullptr;
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
  VideoFormat format;
  const char* refusal = state->openContainer();
  if (refusal == nullptr) refusal = state->findVideoStream(format);
  if (refusal == nullptr) refusal = state->readPackets(format);
  if (refusal == nullptr) refusal = state->openCodec();
  if (refusal != nullptr) {
    reason = refusal;
    return nullptr;
  }
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
