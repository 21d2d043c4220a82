#include "game/platform/texture_handle.h"

#include "common/text.h"
#include "game/platform/textures.h"

namespace {

constexpr std::string_view kUnnamedTexture = "No_Texture_Specified";
constexpr std::string_view kUnnamedFallback = "NO_TEXTURE";

}  // namespace

TextureHandle::TextureHandle() : TextureHandle(kUnnamedTexture, kUnnamedFallback) {}

TextureHandle::TextureHandle(std::string_view name, std::string_view fallbackName)
    : name_(name), fallbackName_(fallbackName) {
  acquire(fallbackName_);
}

TextureHandle::TextureHandle(const TextureHandle& other)
    : name_(other.name_), fallbackName_(other.fallbackName_) {
  if (other.holdsReference_) acquire({});
}

TextureHandle::TextureHandle(TextureHandle&& other) noexcept
    : name_(std::move(other.name_)),
      fallbackName_(std::move(other.fallbackName_)),
      width_(other.width_),
      height_(other.height_),
      textureId_(other.textureId_),
      hasAlpha_(other.hasAlpha_),
      holdsReference_(other.holdsReference_) {
  other.forget();
}

TextureHandle& TextureHandle::operator=(const TextureHandle& other) {
  if (this == &other) return *this;
  // The copy takes its reference before the old one goes, so a texture both share stays.
  TextureHandle copy(other);
  return *this = std::move(copy);
}

TextureHandle& TextureHandle::operator=(TextureHandle&& other) noexcept {
  if (this == &other) return *this;
  release();
  name_ = std::move(other.name_);
  fallbackName_ = std::move(other.fallbackName_);
  width_ = other.width_;
  height_ = other.height_;
  textureId_ = other.textureId_;
  hasAlpha_ = other.hasAlpha_;
  holdsReference_ = other.holdsReference_;
  other.forget();
  return *this;
}

TextureHandle::~TextureHandle() {
  release();
}

void TextureHandle::rename(std::string_view name) {
  if (holdsReference_ && upperCased(name) == upperCased(name_)) return;
  release();
  name_ = std::string(name);
  fallbackName_.clear();
  acquire({});
}

bool TextureHandle::isDefault() const {
  return holdsReference_ && equalsIgnoringCase(name_, kUnnamedTexture);
}

void TextureHandle::acquire(std::string_view fallbackName) {
  const textures::TextureInfo info = textures::acquireTexture(name_, fallbackName);
  width_ = info.width;
  height_ = info.height;
  textureId_ = info.textureId;
  hasAlpha_ = info.hasAlpha;
  holdsReference_ = true;
}

void TextureHandle::release() {
  if (holdsReference_) textures::releaseTexture(name_);
  holdsReference_ = false;
}

void TextureHandle::forget() {
  name_.clear();
  fallbackName_.clear();
  width_ = height_ = 0;
  textureId_ = 0;
  hasAlpha_ = false;
  holdsReference_ = false;
}
