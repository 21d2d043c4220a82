// videogen DATA_DIR FONT_FILE: draws the intro video into DATA_DIR/vid/intro.avi (MJPEG in
// AVI) and synthesises its soundtrack into DATA_DIR/vid/intro.ogg. The build runs it; the
// same font gives the same bytes on every run.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "common/regular_file.h"
#include "tools/imagegen/freetype_face.h"
#include "tools/soundgen/ogg_writer.h"
#include "tools/videogen/avi_writer.h"
#include "tools/videogen/intro_music.h"
#include "tools/videogen/intro_video.h"

namespace {

constexpr float kMusicQuality = 0.3f;

bool write(const std::filesystem::path& file, const std::string& bytes) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (!error && writeRegularFile(file, bytes)) return true;
  std::fprintf(stderr, "videogen: can't write %s\n", file.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: videogen DATA_DIR FONT_FILE\n");
    return 2;
  }
  const std::filesystem::path folder = std::filesystem::path(argv[1]) / "vid";
  const std::optional<FreeTypeFace> face = FreeTypeFace::open(argv[2]);
  if (!face) {
    std::fprintf(stderr, "videogen: can't read the font %s\n", argv[2]);
    return 1;
  }
  AviSettings settings;
  settings.framesPerSecond = kIntroFramesPerSecond;
  const std::optional<std::string> avi =
      encodeMjpegAvi(drawIntroFrames(&*face), kIntroWidth, kIntroHeight, settings);
  if (!avi) {
    std::fprintf(stderr, "videogen: the MJPEG encoder refused the intro\n");
    return 1;
  }
  const std::optional<std::string> ogg = encodeOggVorbis(composeIntroMusic(), kMusicQuality);
  if (!ogg) {
    std::fprintf(stderr, "videogen: the Vorbis encoder refused the intro's music\n");
    return 1;
  }
  return write(folder / "intro.avi", *avi) && write(folder / "intro.ogg", *ogg) ? 0 : 1;
}
