#include "tools/soundgen/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

constexpr int kStreamSerial = 0x566d7231;
constexpr std::size_t kFramesPerChunk = 4096;

// Owns the encoder's structures for the life of one encoding.
class VorbisEncoder {
 public:
  VorbisEncoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~VorbisEncoder() {
    if (started_) {
      ogg_stream_clear(&stream_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
    }
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  VorbisEncoder(const VorbisEncoder&) = delete;
  VorbisEncoder& operator=(const VorbisEncoder&) = delete;

  bool start(const Pcm& pcm, float quality) {
    if (vorbis_encode_init_vbr(&info_, pcm.channels, pcm.sampleRate, quality) != 0) return false;
    vorbis_comment_add_tag(&comment_, "TITLE", "Vellmoor");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, kStreamSerial);
    started_ = true;
    writeHeaders();
    return true;
  }

  // Hands the encoder the frames [first, first + count); a count of 0 marks the end.
  void submit(const Pcm& pcm, std::size_t first, std::size_t count) {
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
      for (std::size_t frame = 0; frame < count; ++frame) {
        for (int channel = 0; channel < pcm.channels; ++channel) {
          buffer[channel][frame] = pcm.samples[(first + frame) * pcm.channels + channel];
        }
      }
    }
    vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
    drainBlocks();
  }

  std::string takeBytes() { return std::move(bytes_); }

 private:
  void writeHeaders() {
    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream_, &identification);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    // The first audio page must start on a page of its own.
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) appendPage(page);
  }

  void drainBlocks() {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) appendPage(page);
      }
    }
    ogg_page page;
    if (ogg_stream_eos(&stream_) != 0) {
      while (ogg_stream_flush(&stream_, &page) != 0) appendPage(page);
    }
  }

  void appendPage(const ogg_page& page) {
    bytes_.append(reinterpret_cast<const char*>(page.header), page.header_len);
    bytes_.append(reinterpret_cast<const char*>(page.body), page.body_len);
  }

  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  bool started_ = false;
  std::string bytes_;
};

}  // namespace

std::optional<std::string> encodeOggVorbis(const Pcm& pcm, float quality) {
  if (pcm.channels < 1 || pcm.channels > 2 || pcm.frames() == 0) return std::nullopt;
  VorbisEncoder encoder;
  if (!encoder.start(pcm, quality)) return std::nullopt;
  for (std::size_t first = 0; first < pcm.frames(); first += kFramesPerChunk) {
    encoder.submit(pcm, first, std::min(kFramesPerChunk, pcm.frames() - first));
  }
  encoder.submit(pcm, 0, 0);
  return encoder.takeBytes();
}
