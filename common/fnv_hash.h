#pragma once
// FNV-1a, 64 bits: a hash fixed by its definition alone, so a value written into a file or
// compared between machines never changes with the compiler or the standard library. Replays
// keep the level file's hash and the state hash a run ends with.

#include <cstdint>
#include <span>
#include <string_view>

class Fnv1a64 {
 public:
  static constexpr uint64_t kOffsetBasis = 0xCBF29CE484222325ULL;

  void addByte(uint8_t byte) { hash_ = (hash_ ^ byte) * kPrime; }
  void addBytes(std::span<const uint8_t> bytes) {
    for (uint8_t byte : bytes) addByte(byte);
  }
  // The value's four bytes, lowest first, whatever the machine's byte order.
  void addU32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) addByte(uint8_t(value >> shift));
  }
  uint64_t value() const { return hash_; }

 private:
  static constexpr uint64_t kPrime = 0x100000001B3ULL;
  uint64_t hash_ = kOffsetBasis;
};

inline uint64_t fnv1a64(std::span<const uint8_t> bytes) {
  Fnv1a64 hash;
  hash.addBytes(bytes);
  return hash.value();
}

inline uint64_t fnv1a64(std::string_view bytes) {
  return fnv1a64(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}
