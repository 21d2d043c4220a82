#include "tools/imagegen/bmp_writer.h"

#include "common/byte_writer.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
  ByteWriter header;
  header.append("BM");
  header.u32(kHeaderBytes + pixelBytes);
  header.u32(0);
  header.u32(kHeaderBytes);
  header.u32(40);  // the information header's size
  header.u32(static_cast<std::uint32_t>(image.width));
  header.u32(static_cast<std::uint32_t>(image.height));  // positive: rows bottom-up
  header.u16(1);
  header.u16(24);
  header.u32(0);  // no compression
  header.u32(pixelBytes);
  header.u32(2835);  // 72 dots an inch, both ways
  header.u32(2835);
  header.u32(0);
  header.u32(0);
  std::vector<std::uint8_t> out = header.take();
  out.reserve(kHeaderBytes + pixelBytes);
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
