#pragma once
// The intro's soundtrack, "vid/intro.ogg": four seconds that follow the picture. A low swell
// rises with the water, bubbles pop on their way up, and a bright chord in D major rings out
// as the name surfaces, dying away with the fade.

#include "tools/soundgen/pcm.h"

inline constexpr float kIntroMusicSeconds = 4.0f;

// Stereo, 22050 Hz, exactly kIntroMusicSeconds long.
Pcm composeIntroMusic();
