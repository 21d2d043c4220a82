#pragma once
// The short tunes of winning and losing, and the plain blip an unnamed sound plays.

#include "tools/soundgen/pcm.h"

// A bright rising arpeggio in C major that settles on a ringing chord; stereo, 22050 Hz,
// about 2.2 s.
Pcm makeFinishJingle();
// A falling line in D minor that sinks onto a low, drooping chord; stereo, 22050 Hz,
// about 2.4 s.
Pcm makeDeadJingle();
// A soft falling blip of 0.15 s; mono, 22050 Hz.
Pcm makeDefaultBlip();
