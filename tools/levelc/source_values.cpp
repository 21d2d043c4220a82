#include "tools/levelc/source_values.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/text.h"

namespace {

constexpr std::array<std::string_view, 5> kSurfaceNames = {"metal", "wood", "stone", "cloth",
                                                           "sand"};
constexpr std::array<std::string_view, 4> kModeNames = {"solid", "decoration", "hidden", "cutter"};

std::string bitPatternText(float value) {
  char text[16];
  std::snprintf(text, sizeof text, "\"0x%08X\"", std::bit_cast<uint32_t>(value));
  return text;
}

bool readsBackAs(const std::string& text, float value) {
  const auto back = floatFromJson(nlohmann::json::parse(text));
  return back && std::bit_cast<uint32_t>(*back) == std::bit_cast<uint32_t>(value);
}

std::optional<float> floatFromBitPattern(std::string_view text) {
  if (text.size() != 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return {};
  uint32_t bits = 0;
  const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16);
  if (error != std::errc() || end != text.data() + text.size()) return {};
  return std::bit_cast<float>(bits);
}

// Double to float, refusing what only an infinity could hold.
std::optional<float> narrowed(double value) {
  const float f = static_cast<float>(value);
  if (std::isinf(f)) return std::nullopt;
  return f;
}

void appendUtf8(std::string& out, unsigned char byte) {
  if (byte < 0x80) {
    out += char(byte);
  } else {
    out += char(0xC0 | byte >> 6);
    out += char(0x80 | (byte & 0x3F));
  }
}

}  // namespace

std::optional<std::string_view> surfaceName(int32_t surface) {
  if (surface < 1 || surface > 5) return std::nullopt;
  return kSurfaceNames[surface - 1];
}

std::optional<int32_t> surfaceFromName(std::string_view name) {
  for (size_t i = 0; i < kSurfaceNames.size(); ++i) {
    if (kSurfaceNames[i] == name) return int32_t(i + 1);
  }
  return std::nullopt;
}

std::optional<std::string_view> modeName(uint32_t mode) {
  if (mode >= kModeNames.size()) return std::nullopt;
  return kModeNames[mode];
}

std::optional<uint32_t> modeFromName(std::string_view name) {
  for (size_t i = 0; i < kModeNames.size(); ++i) {
    if (kModeNames[i] == name) return uint32_t(i);
  }
  return std::nullopt;
}

std::string floatText(float value) {
  if (!std::isfinite(value)) return bitPatternText(value);
  // JSON reads "-0" as the integer 0, which has no sign.
  if (value == 0.0f && std::signbit(value)) return "-0.0";
  std::string text = shortestText(value);
  if (readsBackAs(text, value)) return text;
  // The float's exact value as a double always reads back; it is merely longer.
  text = shortestText(static_cast<double>(value));
  return readsBackAs(text, value) ? text : bitPatternText(value);
}

std::optional<float> floatFromJson(const nlohmann::json& value) {
  if (value.is_string()) return floatFromBitPattern(value.get_ref<const std::string&>());
  if (value.is_number_unsigned()) return narrowed(double(value.get<uint64_t>()));
  if (value.is_number_integer()) return narrowed(double(value.get<int64_t>()));
  if (value.is_number_float()) return narrowed(value.get<double>());
  return std::nullopt;
}

std::string latin1JsonString(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
      // Control characters are invisible in an editor, so they are spelled out.
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else {
      appendUtf8(out, byte);
    }
  }
  return out + "\"";
}

std::optional<std::string> latin1FromUtf8(std::string_view utf8, char32_t& offending) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (code > 0xFF) {
      offending = code;
      return std::nullopt;
    }
    bytes += char(code);
    i += length;
  }
  return bytes;
}
