#include "common/byte_reader.h"

#include <bit>

ByteReader::ByteReader(std::span<const uint8_t> bytes, size_t start) : bytes_(bytes) {
  skip(start);
}

ByteReader::ByteReader(std::string_view bytes, size_t start)
    : ByteReader(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), start) {}

float ByteReader::f32() {
  return std::bit_cast<float>(u32());
}

std::span<const uint8_t> ByteReader::bytes(size_t count) {
  if (failed_ || count > remaining()) {
    failed_ = true;
    return {};
  }
  const auto run = bytes_.subspan(position_, count);
  position_ += count;
  return run;
}

std::string ByteReader::text(size_t count) {
  const auto run = bytes(count);
  return {reinterpret_cast<const char*>(run.data()), run.size()};
}

uint64_t ByteReader::little(size_t count) {
  uint64_t value = 0;
  const auto run = bytes(count);
  for (size_t i = 0; i < run.size(); ++i) value |= uint64_t(run[i]) << (8 * i);
  return value;
}
