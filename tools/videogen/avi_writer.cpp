#include "tools/videogen/avi_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

namespace {

// The muxer goes back to fill in the header's sizes, so the memory it writes to seeks.
struct MemoryWriter {
  std::string bytes;
  size_t position = 0;
};

int writePacket(void* opaque, uint8_t* data, int size) {
  auto& writer = *static_cast<MemoryWriter*>(opaque);
  if (writer.bytes.size() < writer.position + size_t(size))
    writer.bytes.resize(writer.position + size_t(size));
  std::memcpy(writer.bytes.data() + writer.position, data, size_t(size));
  writer.position += size_t(size);
  return size;
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
  auto& writer = *static_cast<MemoryWriter*>(opaque);
  if ((whence & ~AVSEEK_FORCE) == AVSEEK_SIZE) return int64_t(writer.bytes.size());
  int64_t target = offset;
  if ((whence & ~AVSEEK_FORCE) == SEEK_CUR) target += int64_t(writer.position);
  if ((whence & ~AVSEEK_FORCE) == SEEK_END) target += int64_t(writer.bytes.size());
  if (target < 0) return -1;
  writer.position = size_t(target);
  return target;
}

// Everything the encoding holds, released on every path.
struct Encoding {
  MemoryWriter writer;
  AVIOContext* io = nullptr;
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  AVStream* stream = nullptr;

  ~Encoding() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    avformat_free_context(format);
    if (io != nullptr) av_freep(&io->buffer);
    avio_context_free(&io);
  }

  // Sends `input` (nothing: the end) and writes every packet that comes out.
  bool encode(const AVFrame* input) {
    if (avcodec_send_frame(codec, input) < 0) return false;
    for (;;) {
      const int result = avcodec_receive_packet(codec, packet);
      if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
      if (result < 0) return false;
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      if (av_interleaved_write_frame(format, packet) < 0) return false;
    }
  }
};

}  // namespace

std::optional<std::string> encodeMjpegAvi(const std::vector<RgbFrame>& frames, int width,
                                          int height, const AviSettings& settings) {
  if (width < 1 || height < 1 || settings.framesPerSecond < 1) return std::nullopt;
  // The full-range JPEG pixel format is what MJPEG takes; the library only warns about it.
  av_log_set_level(AV_LOG_ERROR);
  for (const RgbFrame& picture : frames)
    if (picture.width != width || picture.height != height) return std::nullopt;
  Encoding e;
  const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
  if (codec == nullptr) return std::nullopt;
  if (avformat_alloc_output_context2(&e.format, nullptr, "avi", nullptr) < 0) return std::nullopt;
  e.format->flags |= AVFMT_FLAG_BITEXACT;
  constexpr int kIoBufferBytes = 32 * 1024;
  auto* ioBuffer = static_cast<uint8_t*>(av_malloc(kIoBufferBytes));
  if (ioBuffer == nullptr) return std::nullopt;
  e.io = avio_alloc_context(ioBuffer, kIoBufferBytes, 1, &e.writer, nullptr, writePacket, seekTo);
  if (e.io == nullptr) {
    av_free(ioBuffer);
    return std::nullopt;
  }
  e.format->pb = e.io;
  e.stream = avformat_new_stream(e.format, nullptr);
  e.codec = avcodec_alloc_context3(codec);
  if (e.stream == nullptr || e.codec == nullptr) return std::nullopt;
  e.codec->width = width;
  e.codec->height = height;
  e.codec->pix_fmt = AV_PIX_FMT_YUVJ420P;
  e.codec->time_base = AVRational{1, settings.framesPerSecond};
  e.codec->framerate = AVRational{settings.framesPerSecond, 1};
  e.codec->flags |= AV_CODEC_FLAG_BITEXACT | AV_CODEC_FLAG_QSCALE;
  e.codec->global_quality = FF_QP2LAMBDA * std::clamp(settings.quantiser, 2, 31);
  e.codec->thread_count = 1;
  if (avcodec_open2(e.codec, codec, nullptr) < 0) return std::nullopt;
  if (avcodec_parameters_from_context(e.stream->codecpar, e.codec) < 0) return std::nullopt;
  e.stream->time_base = e.codec->time_base;
  if (avformat_write_header(e.format, nullptr) < 0) return std::nullopt;

  e.frame = av_frame_alloc();
  e.packet = av_packet_alloc();
  if (e.frame == nullptr || e.packet == nullptr) return std::nullopt;
  e.frame->format = e.codec->pix_fmt;
  e.frame->width = width;
  e.frame->height = height;
  if (av_frame_get_buffer(e.frame, 0) < 0) return std::nullopt;
  e.scaler =
      sws_getContext(width, height, AV_PIX_FMT_RGB24, width, height, e.codec->pix_fmt,
                     SWS_BILINEAR | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr);
  if (e.scaler == nullptr) return std::nullopt;
  int64_t index = 0;
  for (const RgbFrame& picture : frames) {
    if (av_frame_make_writable(e.frame) < 0) return std::nullopt;
    const uint8_t* planes[1] = {picture.rgb.data()};
    const int strides[1] = {width * 3};
    sws_scale(e.scaler, planes, strides, 0, height, e.frame->data, e.frame->linesize);
    e.frame->pts = index++;
    e.frame->quality = e.codec->global_quality;
    if (!e.encode(e.frame)) return std::nullopt;
  }
  if (!e.encode(nullptr)) return std::nullopt;
  if (av_write_trailer(e.format) < 0) return std::nullopt;
  avio_flush(e.io);
  return std::move(e.writer.bytes);
}
