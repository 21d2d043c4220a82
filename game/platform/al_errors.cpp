#include "game/platform/al_errors.h"

#include "common/console_output.h"

namespace audio {

std::string_view alErrorText(ALenum error) {
  switch (error) {
    case AL_NO_ERROR: return "AL_NO_ERROR";
    case AL_INVALID_NAME: return "AL_INVALID_NAME";
    case AL_INVALID_ENUM: return "AL_INVALID_ENUM";
    case AL_INVALID_VALUE: return "AL_INVALID_VALUE";
    case AL_INVALID_OPERATION: return "AL_INVALID_OPERATION";
    case AL_OUT_OF_MEMORY: return "AL_OUT_OF_MEMORY";
    default: return "unknown OpenAL error";
  }
}

bool checkAl(std::string_view what) {
  const ALenum error = alGetError();
  if (error == AL_NO_ERROR) return true;
  console::print("\n");
  console::print(what);
  console::print(" failed: ");
  console::print(alErrorText(error));
  return false;
}

}  // namespace audio
