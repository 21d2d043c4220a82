#pragma once
// The effect emitters' sprites and the level objects' pictures. Effect sprites are white
// (the emitter settings tint them) on 32 x 32; object pictures carry their own colours.
// Animated objects are frame sets numbered up from FRAME00, the order the game plays them in.

#include <vector>

#include "tools/imagegen/image.h"

// gfx/fx/: splash droplet, spark, smoke puff and steam puff.
Image drawSplashSprite();
Image drawSparkSprite();
Image drawSmokeSprite();
Image drawSteamPuffSprite();

// gfx/obj/: a hanging lamp (still), a round valve wheel (still), a four-bladed fan of eight
// frames and a flickering torch flame of six frames.
Image drawLamp();
Image drawValve();
std::vector<Image> drawFanFrames();
std::vector<Image> drawTorchFrames();

// Every picture above with its file name below gfx/, in a fixed order.
std::vector<NamedImage> drawDecorationImages();
