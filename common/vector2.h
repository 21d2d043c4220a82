#pragma once
// Points and vectors of the world: two 32-bit floats in world units, y pointing down the
// screen. All geometry of the game is done in floats so that every machine rounds alike.

#include <cmath>

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;

  friend Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
  friend Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
  friend Vec2 operator*(Vec2 v, float s) { return {v.x * s, v.y * s}; }
  friend Vec2 operator/(Vec2 v, float s) { return {v.x / s, v.y / s}; }
  Vec2& operator+=(Vec2 v) {
    x += v.x;
    y += v.y;
    return *this;
  }
  Vec2& operator-=(Vec2 v) {
    x -= v.x;
    y -= v.y;
    return *this;
  }
  // Exact comparison of both coordinates.
  friend bool operator==(Vec2 a, Vec2 b) = default;
};

inline float dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
inline float length(Vec2 v) {
  return std::sqrt(v.x * v.x + v.y * v.y);
}
inline float distance(Vec2 a, Vec2 b) {
  return length(a - b);
}

// To unit length; the zero vector becomes (1, 0) so a direction is never undefined.
inline void normalise(Vec2& v) {
  if (v.x == 0.0f && v.y == 0.0f) {
    v = {1.0f, 0.0f};
    return;
  }
  const float l = length(v);
  v.x /= l;
  v.y /= l;
}

inline Vec2 normalised(Vec2 v) {
  normalise(v);
  return v;
}

inline void scale(Vec2& v, float s) {
  v = v * s;
}

// Turns v by `radians`; with y down the screen a positive angle turns clockwise on screen.
inline void rotate(Vec2& v, float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  v = {v.x * c - v.y * s, v.x * s + v.y * c};
}
