#include "music/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace music_test {

namespace {

void appendPage(const ogg_page& page, std::vector<uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

// Hands the analysed blocks to the stream and collects every finished page.
void drainBlocks(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream,
                 std::vector<uint8_t>& out) {
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    ogg_packet packet;
    while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
      ogg_stream_packetin(&stream, &packet);
      ogg_page page;
      while (ogg_stream_pageout(&stream, &page) != 0) appendPage(page, out);
    }
  }
}

}  // namespace

std::vector<int16_t> toneSamples(const std::vector<ToneSegment>& segments, int32_t channels,
                                 int32_t sampleRate) {
  std::vector<int16_t> samples;
  for (const ToneSegment& segment : segments) {
    const auto frames = size_t(std::lround(segment.seconds * sampleRate));
    for (size_t frame = 0; frame < frames; ++frame) {
      const double phase = 2.0 * std::numbers::pi * segment.frequency * double(frame) / sampleRate;
      const auto value = int16_t(std::lround(16383.0 * std::sin(phase)));
      for (int32_t channel = 0; channel < channels; ++channel) samples.push_back(value);
    }
  }
  return samples;
}

std::vector<uint8_t> encodeOgg(const std::vector<int16_t>& samples, int32_t channels,
                               int32_t sampleRate, int32_t serial) {
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, channels, sampleRate, 0.6f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  std::vector<uint8_t> out;
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(page, out);

  const size_t frames = samples.size() / size_t(channels);
  constexpr size_t kChunk = 1024;
  for (size_t start = 0; start < frames; start += kChunk) {
    const size_t count = std::min(kChunk, frames - start);
    float** buffer = vorbis_analysis_buffer(&dsp, int(count));
    for (size_t frame = 0; frame < count; ++frame) {
      for (int32_t channel = 0; channel < channels; ++channel) {
        buffer[channel][frame] =
            samples[(start + frame) * size_t(channels) + size_t(channel)] / 32768.0f;
      }
    }
    vorbis_analysis_wrote(&dsp, int(count));
    drainBlocks(dsp, block, stream, out);
  }
  vorbis_analysis_wrote(&dsp, 0);
  drainBlocks(dsp, block, stream, out);
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(page, out);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

}  // namespace music_test
