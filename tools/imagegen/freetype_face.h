#pragma once
// One TrueType face with the FreeType library it was opened by; both are closed when the
// face goes. Glyphs are rendered into the face's slot as 8-bit coverage.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <memory>
#include <optional>

// Where a rendered glyph's ink lies, relative to the pen on the baseline (y up), and how far
// the pen moves on; whole pixels.
struct GlyphBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  int advance = 0;
};

class FreeTypeFace {
 public:
  // Nothing when FreeType can't start or can't read the file.
  static std::optional<FreeTypeFace> open(const std::filesystem::path& file);

  FT_Face get() const { return face_.get(); }
  // Glyphs `width` pixels wide per em and `height` pixels high; a wider width stretches them.
  bool setPixelSize(int width, int height) const;
  // Renders `code` into the slot; false when the face lacks it or gives no grey bitmap.
  bool render(int code) const;
  GlyphBox box() const;
  // The slot's coverage at a pixel of its bitmap (row 0 at the top).
  unsigned char coverage(int column, int row) const;

 private:
  struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
  };
  struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
  };
  // The face is declared last so it is closed before its library.
  std::unique_ptr<FT_LibraryRec_, LibraryCloser> library_;
  std::unique_ptr<FT_FaceRec_, FaceCloser> face_;
};
