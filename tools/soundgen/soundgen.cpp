// soundgen DATA_DIR: synthesises the game's sound effects into DATA_DIR/snd as 16-bit PCM
// WAV files and the level music into DATA_DIR/music as Ogg Vorbis. The build runs it so the
// game always has the files its configuration names; the bytes never change between runs.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "common/regular_file.h"
#include "tools/soundgen/game_sounds.h"
#include "tools/soundgen/music.h"
#include "tools/soundgen/ogg_writer.h"
#include "tools/soundgen/wav_writer.h"

namespace {

bool makeDirectory(const std::filesystem::path& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (!error) return true;
  std::fprintf(stderr, "soundgen: can't create %s: %s\n", directory.c_str(),
               error.message().c_str());
  return false;
}

bool writeSound(const std::filesystem::path& file, const std::string& bytes) {
  if (!makeDirectory(file.parent_path())) return false;
  if (writeRegularFile(file, bytes)) return true;
  std::fprintf(stderr, "soundgen: can't write %s\n", file.c_str());
  return false;
}

bool writeEffects(const std::filesystem::path& dataDirectory) {
  for (const GameSound& sound : makeGameEffects()) {
    if (!writeSound(dataDirectory / sound.fileName, encodeWav(sound.pcm))) return false;
  }
  return true;
}

bool writeTheme(const std::filesystem::path& dataDirectory) {
  const std::optional<std::string> ogg = encodeOggVorbis(composeTheme(), kThemeQuality);
  if (!ogg) {
    std::fprintf(stderr, "soundgen: the Vorbis encoder refused the music\n");
    return false;
  }
  return writeSound(dataDirectory / kThemeFileName, *ogg);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: soundgen DATA_DIR\n");
    return 2;
  }
  const std::filesystem::path dataDirectory = argv[1];
  return writeEffects(dataDirectory) && writeTheme(dataDirectory) ? 0 : 1;
}
