#pragma once
// Writes the little-endian fields of a file format into a growing run of bytes: the
// counterpart of ByteReader, so a format writes each field as it reads it back.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ByteWriter {
 public:
  void u8(uint8_t value) { bytes_.push_back(value); }
  void u16(uint16_t value) { little(value, 2); }
  void u32(uint32_t value) { little(value, 4); }
  void u64(uint64_t value) { little(value, 8); }
  void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
  void f32(float value);
  // Bytes as they are, without a length.
  void append(std::span<const uint8_t> bytes);
  void append(std::string_view text);

  size_t size() const { return bytes_.size(); }
  std::span<const uint8_t> written() const { return bytes_; }
  // The bytes written, leaving the writer empty.
  std::vector<uint8_t> take() { return std::move(bytes_); }
  std::string takeText();

 private:
  void little(uint64_t value, int count);

  std::vector<uint8_t> bytes_;
};
