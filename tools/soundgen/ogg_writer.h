#pragma once
// Encodes sound as Ogg Vorbis with libvorbisenc, for the streamed music. The stream's
// serial number is fixed, so the same sound always gives the same bytes.

#include <optional>
#include <string>

#include "tools/soundgen/pcm.h"

// `quality` is Vorbis's variable-rate quality, -0.1 (smallest) to 1.0. Nothing when the
// encoder refuses the format.
std::optional<std::string> encodeOggVorbis(const Pcm& pcm, float quality);
