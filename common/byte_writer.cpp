#include "common/byte_writer.h"

#include <bit>

void ByteWriter::f32(float value) {
  u32(std::bit_cast<uint32_t>(value));
}

void ByteWriter::append(std::span<const uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::append(std::string_view text) {
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

std::string ByteWriter::takeText() {
  std::string text(bytes_.begin(), bytes_.end());
  bytes_.clear();
  return text;
}

void ByteWriter::little(uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes_.push_back(uint8_t(value >> (8 * i)));
}
