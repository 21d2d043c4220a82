#pragma once
// OpenAL's error codes as words for the console, shared by the effects and the music.

#include <AL/al.h>

#include <string_view>

namespace audio {

// The error's name ("AL_INVALID_VALUE"), or "unknown OpenAL error".
std::string_view alErrorText(ALenum error);

// Reads and clears OpenAL's error flag; prints "\n<what> failed: <error>" on the console
// when it was set. True when there was no error.
bool checkAl(std::string_view what);

}  // namespace audio
