#include "tools/imagegen/freetype_face.h"

std::optional<FreeTypeFace> FreeTypeFace::open(const std::filesystem::path& file) {
  FreeTypeFace opened;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return std::nullopt;
  opened.library_.reset(library);
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), 0, &face) != 0) return std::nullopt;
  opened.face_.reset(face);
  return opened;
}

bool FreeTypeFace::setPixelSize(int width, int height) const {
  return FT_Set_Pixel_Sizes(face_.get(), static_cast<FT_UInt>(width),
                            static_cast<FT_UInt>(height)) == 0;
}

bool FreeTypeFace::render(int code) const {
  return FT_Load_Char(face_.get(), static_cast<FT_ULong>(code), FT_LOAD_RENDER) == 0 &&
         face_->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
}

GlyphBox FreeTypeFace::box() const {
  const FT_GlyphSlot glyph = face_->glyph;
  return {glyph->bitmap_left, glyph->bitmap_top, static_cast<int>(glyph->bitmap.width),
          static_cast<int>(glyph->bitmap.rows), static_cast<int>(glyph->advance.x >> 6)};
}

unsigned char FreeTypeFace::coverage(int column, int row) const {
  const FT_Bitmap& bitmap = face_->glyph->bitmap;
  return bitmap.buffer[row * bitmap.pitch + column];
}
