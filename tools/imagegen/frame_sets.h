#pragma once
// Names of animation frame files. A button or a chooser arrow names one file of a set
// ("gfx\menu\play_out_FRAME07.tga"); the game lists every file of that folder matching
// "PLAY_OUT_FRAME*.TGA", sorts the names without regard to case and plays them in the
// reverse of that order, so the highest-named file is shown first. Our sets are therefore
// numbered down: with n frames the first one shown is FRAME(n-1) and the last, the frame the
// hover and click animations hold, is FRAME00. Two digits keep the name order the number
// order for up to a hundred frames.

#include <string>
#include <string_view>

// The file of frame `playIndex` (0 is shown first) of a set of `frameCount` frames whose
// files start with `stem`: stem + "_FRAME" + the two-digit number, then ".tga".
std::string frameFileName(std::string_view stem, int playIndex, int frameCount);
// stem + "_FRAME" + `number` in two digits + ".tga", for sets played in name order (level
// objects, the loading screen), which are numbered up from 00.
std::string numberedFrameFileName(std::string_view stem, int number);
