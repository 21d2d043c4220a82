#pragma once
// How single values are spelled in a level source, shared by the compiler and the dumper so
// the two directions cannot drift: surface and polygon mode names, floats that must come
// back bit for bit, and 8-bit names carried in JSON strings.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

// Surface names by file value: metal=1, wood=2, stone=3, cloth=4, sand=5.
std::optional<std::string_view> surfaceName(int32_t surface);
std::optional<int32_t> surfaceFromName(std::string_view name);

// Polygon modes 0..3 by name: solid, decoration, hidden, cutter.
std::optional<std::string_view> modeName(uint32_t mode);
std::optional<uint32_t> modeFromName(std::string_view name);

// JSON text that the compiler reads back as exactly `value`: the shortest decimal that
// survives the trip, or, for infinities and NaNs, a string of the bit pattern "0x7FC00000".
std::string floatText(float value);

// The float a JSON value stands for: a number narrowed from double, or a bit-pattern string
// "0x" + 8 hex digits. Nullopt for anything else and for numbers beyond the float range.
std::optional<float> floatFromJson(const nlohmann::json& value);

// Names are 8-bit, so a JSON string carries them as Latin-1: byte b is code point U+00bb.
// The quoted, escaped JSON string for `bytes`.
std::string latin1JsonString(std::string_view bytes);

// The bytes of a UTF-8 text whose code points are all at most U+00FF; otherwise nullopt and
// `offending` holds the first code point above.
std::optional<std::string> latin1FromUtf8(std::string_view utf8, char32_t& offending);
