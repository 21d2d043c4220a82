#pragma once
// Arithmetic the procedural pictures share: a hashed lattice and value noise that wraps at
// the picture's edge, so textures tile without a seam and the same build draws the same
// pixels.

#include <cstdint>

std::uint8_t toByte(float value);
float smoothstep(float t);
// A well-mixed value in [0, 1) for a lattice point and a seed.
float unitHash(int x, int y, std::uint32_t seed);
// Value noise in [0, 1) on a lattice `spacing` pixels apart that wraps every `period` pixels
// (a multiple of `spacing`).
float valueNoise(int x, int y, int spacing, int period, std::uint32_t seed);
