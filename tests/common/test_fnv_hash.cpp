#include <gtest/gtest.h>

#include "common/fnv_hash.h"

// The published FNV-1a 64-bit test vectors: replay files and pinned state hashes depend on
// these values never changing.
TEST(FnvHashTests, MatchesThePublishedVectors) {
  EXPECT_EQ(fnv1a64(std::string_view()), 0xCBF29CE484222325ULL);
  EXPECT_EQ(fnv1a64("a"), 0xAF63DC4C8601EC8CULL);
  EXPECT_EQ(fnv1a64("foobar"), 0x85944171F73967E8ULL);
}

TEST(FnvHashTests, AWordIsHashedLowByteFirst) {
  Fnv1a64 hash;
  hash.addU32(0x626F6F66);  // "foob"
  hash.addBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("ar"), 2));
  EXPECT_EQ(hash.value(), 0x85944171F73967E8ULL) << "foobar";
}
