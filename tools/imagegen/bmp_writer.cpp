#include "tools/imagegen/bmp_writer.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put16(out, value & 0xffffu);
  put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderBytes + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, kHeaderBytes + pixelBytes);
  put32(out, 0);
  put32(out, kHeaderBytes);
  put32(out, 40);  // the information header's size
  put32(out, static_cast<std::uint32_t>(image.width));
  put32(out, static_cast<std::uint32_t>(image.height));  // positive: rows bottom-up
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // no compression
  put32(out, pixelBytes);
  put32(out, 2835);  // 72 dots an inch, both ways
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.pixel(x, y);
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    out.resize(rowStart + rowBytes, 0);
  }
  return out;
}
