#pragma once
// Drawing the level objects queued by level_objects::cullAndQueue, and their id labels.

#include <cstdint>

namespace level_objects {

// Draws and empties layer `layer`'s queue in the colour and blending already set: one bind
// per run of objects of the same texture, each a quad of its texture's pixel size centred on
// position + offset, flipped left to right when mirrored.
void drawLayer(int32_t layer);
// "OBJ ID: n" at every object while "ObjectsDrawIds" is on.
void drawObjectIds();

}  // namespace level_objects
