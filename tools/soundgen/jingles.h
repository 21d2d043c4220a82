#pragma once
// The short tunes of winning, losing and a new high score, and the plain blip an unnamed
// sound plays.

#include "tools/soundgen/pcm.h"

// A bright rising arpeggio in C major that settles on a ringing chord; stereo, 22050 Hz,
// about 2.2 s.
Pcm makeFinishJingle();
// A falling line in D minor that sinks onto a low, drooping chord; stereo, 22050 Hz,
// about 2.4 s.
Pcm makeDeadJingle();
// A small fanfare in F major for a score that makes the table: three quick pick-up notes, a
// leap onto a bright chord over a low root and a sprinkle of high bells as it rings out;
// stereo, 22050 Hz, about 2.6 s.
Pcm makeHighScoreFanfare();
// A soft falling blip of 0.15 s; mono, 22050 Hz.
Pcm makeDefaultBlip();
