#pragma once
// SplitMix64, a small generator for the tools' own random numbers (synthesised noise, an
// uneven machine's frames), which must leave the game's one random source where it stands.

#include <cstdint>

inline uint64_t splitMix64(uint64_t& state) {
  uint64_t z = (state += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}
