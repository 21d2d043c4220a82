#pragma once
// Reads the little-endian fields of a file format from bytes held in memory. A read that would
// run past the end reads nothing, yields zeros (or an empty run) and marks the reader failed,
// and so does every read after it: a format reads a run of fields and tests failed() once, and
// no read ever touches a byte outside the bytes it was given.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class ByteReader {
 public:
  // Reads from `start` on; a start past the end is a failed read.
  explicit ByteReader(std::span<const uint8_t> bytes, size_t start = 0);
  explicit ByteReader(std::string_view bytes, size_t start = 0);

  bool failed() const { return failed_; }
  size_t position() const { return position_; }
  size_t remaining() const { return bytes_.size() - position_; }
  bool atEnd() const { return position_ == bytes_.size(); }

  uint8_t u8() { return uint8_t(little(1)); }
  uint16_t u16() { return uint16_t(little(2)); }
  uint32_t u32() { return uint32_t(little(4)); }
  uint64_t u64() { return little(8); }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  float f32();
  // The next `count` bytes as they are.
  std::span<const uint8_t> bytes(size_t count);
  std::string text(size_t count);
  void skip(size_t count) { bytes(count); }

 private:
  uint64_t little(size_t count);

  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  bool failed_ = false;
};
