#pragma once
// The camera as a drawing transform. Kept apart from camera.h so that the simulation, which
// reads the camera every step, never sees OpenGL.

namespace camera {

// Loads the model-view matrix that maps world units to client pixels (under the 2D
// projection): the camera centre to the middle of the client area, the view size to the
// client size, turned by the camera angle and scaled down by the zoom. Depth is flattened
// to 0, so every layer lies in the projection's depth range.
void applyTransform();

}  // namespace camera
